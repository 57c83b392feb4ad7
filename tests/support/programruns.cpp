#include "programruns.h"

#include "support/fixtures.h"
#include "support/testmachine.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

#ifdef Q_OS_WIN
#include "platform/windowsystem.h"
#else
#include <unistd.h>
#endif

namespace ProgramRuns {

bool install(const TestMachine &machine, const QString &program, const QMap<QString, QString> &settings,
             QMap<QString, QStringList> &seen, const QStringList &launcher)
{
    QProcessEnvironment environment = machine.environment();
    for (auto setting = settings.cbegin(); setting != settings.cend(); ++setting)
        environment.insert(setting.key(), setting.value());
    if (!launcher.isEmpty())
        return Fixtures::runProbe(launcher.constFirst(), environment, machine.root, seen, 240000, launcher.mid(1) + QStringList{ program });
    return Fixtures::runProbe(program, environment, machine.root, seen);
}

int runProgram(const TestMachine &machine, const QString &program, const QStringList &arguments, QString *output)
{
    QProcess process;
    process.setProcessEnvironment(machine.environment());
    process.setWorkingDirectory(machine.root);
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        return -1;
    if (output)
        *output = QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

#ifndef Q_OS_WIN
bool makePackageReadOnly(const TestMachine &machine, QStringList &launcher)
{
    if (::geteuid() == 0) {
        if (QProcess::execute(QStringLiteral("chown"), { QStringLiteral("-R"), QStringLiteral("nobody:nogroup"), machine.root }) != 0
            || QProcess::execute(QStringLiteral("chown"), { QStringLiteral("-R"), QStringLiteral("root:root"), machine.packageFolder }) != 0)
            return false;
        launcher = QStringList{ QStringLiteral("setpriv"), QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"), QStringLiteral("--clear-groups") };
    }
    return QFile::setPermissions(machine.packageFolder, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                                                            | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther);
}
#endif

void endJawsDoubles()
{
#ifdef Q_OS_WIN
    QProcess::execute(QStringLiteral("taskkill"), { QStringLiteral("/F"), QStringLiteral("/IM"), QStringLiteral("JFW.EXE") });
    QTest::qWaitFor([] { return !Platform::windowSystem().findWindow(QStringLiteral("JFWUI2"), QStringLiteral("JAWS")); }, 20000);
#endif
}

void lookAtMachine(const TestMachine &machine)
{
    qputenv("QUOROLMA_SYSTEM_ROOT", QFile::encodeName(machine.root));
}

} // namespace ProgramRuns
