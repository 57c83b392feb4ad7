#include "detachedprocess.h"

#include <QProcess>

namespace Platform {

bool startDetachedProcess(const QString &program, const QString &workingFolder)
{
    QProcess process;
    process.setProgram(program);
    process.setWorkingDirectory(workingFolder);
    // The installer's own standard channels stay its own.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

} // namespace Platform
