#include "fixtures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace Fixtures {

QString path(const QString &relative)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/fixtures/") + relative;
}

QByteArray read(const QString &relative)
{
    QFile file(path(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList list(const QString &folder)
{
    return QDir(path(folder)).entryList(QDir::Files, QDir::Name);
}

QString program(const QString &name)
{
#ifdef Q_OS_WIN
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name + QStringLiteral(".exe");
#else
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
#endif
}

bool copy(const QString &relative, const QString &destination)
{
    QDir().mkpath(QFileInfo(destination).absolutePath());
    QFile::remove(destination);
    return QFile::copy(path(relative), destination);
}

bool runProbe(const QString &program, const QProcessEnvironment &environment, const QString &workingFolder,
              QMap<QString, QStringList> &seen, int timeoutMs, const QStringList &arguments)
{
    // The probe writes its lines into a file, which is read once it has ended. Through a pipe,
    // Wine on a busy machine was seen to lose the last lines of a probe that had written them all
    // and ended normally.
    QTemporaryDir outputFolder;
    if (!outputFolder.isValid()) {
        qWarning("No folder for the output of %s", qPrintable(program));
        return false;
    }
    const QString output = outputFolder.filePath(QStringLiteral("stdout.txt"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workingFolder);
    process.setStandardOutputFile(output);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        qWarning("%s did not end: %s", qPrintable(program), qPrintable(process.errorString()));
        return false;
    }
    QFile file(output);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("The output of %s cannot be read: %s", qPrintable(program), qPrintable(file.errorString()));
        return false;
    }
    for (QString line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        line.remove(QLatin1Char('\r'));
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq > 0)
            seen[line.left(eq)] << line.mid(eq + 1);
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
        return false;
    }
    return true;
}

} // namespace Fixtures
