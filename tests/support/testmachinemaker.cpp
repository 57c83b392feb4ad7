// Makes a test machine (TestMachine) in the folder it is given, with the JAWS double as JFW.EXE,
// for a test that drives a program from outside: the packaged wizard in a Wine prefix of its own.
// Prints the machine's folders, one `name=path` a line, for the script that drives it.
//   testmachinemaker ROOT [--second-jaws]
//                                      with --second-jaws also JAWS 17.0 beside JAWS 10 (jaws2=,
//                                      user2=), its JFW.EXE a file with a version resource
//   testmachinemaker --wait-for-jaws   succeeds once JAWS's main window exists (20 s at most);
//                                      the double keeps it hidden, so X cannot tell
#include "platform/windowsystem.h"
#include "support/testmachine.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QThread>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.value(1) == QLatin1String("--wait-for-jaws")) {
        const QDeadlineTimer deadline(20000);
        while (!Platform::windowSystem().findWindow(QStringLiteral("JFWUI2"), QStringLiteral("JAWS"))) {
            if (deadline.hasExpired())
                return 1;
            QThread::msleep(100);
        }
        return 0;
    }
    const bool secondJaws = arguments.size() == 3 && arguments.at(2) == QLatin1String("--second-jaws");
    if (arguments.size() != 2 && !secondJaws) {
        std::fprintf(stderr, "usage: testmachinemaker ROOT [--second-jaws]\n");
        return 2;
    }
    TestMachine machine(QDir::fromNativeSeparators(arguments.at(1)));
    if (!machine.make(QStringLiteral("jawsdouble"))) {
        std::fprintf(stderr, "testmachinemaker: the machine could not be made in %s\n", qPrintable(machine.root));
        return 1;
    }
    QList<QPair<const char *, QString>> folders = { { "jaws", machine.jawsFolder },
                                                   { "package", machine.packageFolder },
                                                   { "shared", machine.sharedSettings },
                                                   { "user", machine.userSettings } };
    if (secondJaws) {
        const QString second = machine.addJaws(QStringLiteral("17.0"), QStringLiteral("pe/jfw_17.dll"));
        if (second.isEmpty()) {
            std::fprintf(stderr, "testmachinemaker: the second JAWS could not be made in %s\n", qPrintable(machine.root));
            return 1;
        }
        folders.append({ "jaws2", second });
        folders.append({ "user2", QString(machine.userSettings).replace(QStringLiteral("/10.0/"), QStringLiteral("/17.0/")) });
    }
    for (const auto &folder : folders)
        std::printf("%s=%s\n", folder.first, qPrintable(QDir::toNativeSeparators(folder.second)));
    std::printf("strangers=%s\n", qPrintable(machine.strangerFiles.join(QLatin1Char('|'))));
    return 0;
}
