// Removals from the command line (--unattended --remove): the program installs first as each row
// says, the machine is changed as the row says, then the removal runs. "removed" compares the
// machine with the one before the first installation: what the installations brought goes, what
// they replaced comes back, and what others changed since stays as they left it.
#include "support/appslistchecks.h"
#include "support/machinescenario.h"
#include "support/unattendedchecks.h"

#include <QtTest>

using Scenario = MachineScenario;
using Stop = MachineScenario::Stop;

class tst_UnattendedRemoval : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void unattended_data();
    void unattended();
};

void tst_UnattendedRemoval::init()
{
    AppsListChecks::startWithoutEntries();
}

void tst_UnattendedRemoval::unattended_data()
{
    QTest::addColumn<QStringList>("arguments"); // $JAWS: the JAWS folder as the user might write it
    QTest::addColumn<Scenario>("machine");
    QTest::addColumn<int>("exitCode");
    // "removed", "gone", "removal interrupted" or "untouched" (see UnattendedChecks::verify).
    QTest::addColumn<QString>("result");

    const QStringList removal{ "--unattended", "--remove", "--jaws", "$JAWS" };
    QTest::newRow("remove, Windows-style, with a log") << QStringList{ "/Unattended", "/Remove", "/jaws", "$JAWS", "/log", "$ROOT/log.txt" }
                                                       << Scenario().installed() << 0 << "removed";
    QTest::newRow("remove twice") << removal << Scenario().installed().runAgainAfterwards() << 0 << "removed";
    QTest::newRow("remove: a value the user changed stays") << removal << Scenario().installed().userSwitchedDisplay() << 0 << "removed";
    QTest::newRow("remove: a display the user added since keeps a valid slot") << removal << Scenario().installed().userAddedDisplay() << 0
                                                                               << "removed";
    QTest::newRow("remove after two installations") << removal << Scenario().installed().installed("OLMA") << 0 << "removed";
    QTest::newRow("remove from JAWS 2025") << removal << Scenario().withJaws(TestMachine::Jaws::Version2025).installed() << 0 << "removed";
    QTest::newRow("remove from JAWS 5, installed twice") << removal << Scenario().withJaws(TestMachine::Jaws::Version5).installed().installed("OLMA")
                                                         << 0 << "removed";
    // Installed; then the user sets values of their own and a JAWS update rewrites jfw.ini (a value
    // of its own, the driver's displays gone); installed again: what they did stays.
    QTest::newRow("remove: changes between two installations stay, display switched")
        << removal << Scenario().installed().changedBetweenInstallations().installed("OLMA") << 0 << "removed";
    QTest::newRow("remove: changes between two installations stay, repair run")
        << removal << Scenario().installed().changedBetweenInstallations().installedIntoAll() << 0 << "removed";
    // The display the user chose between two installations is the one the removal brings back.
    QTest::newRow("remove: the display chosen between two installations comes back")
        << removal << Scenario().installed().displayChosenBetweenInstallations().installed("OLMA") << 0 << "removed";
    // An installation killed as it enters a state (a child that stops there, not a timer), over an
    // older help file of the driver's name: the removal takes away what it put there, puts back
    // what it replaced, and says that the run never finished.
    QTest::newRow("remove after an installation killed before its copy")
        << removal << Scenario().installationKilledAt("Copying") << 0 << "removed";
    QTest::newRow("remove after an installation killed between its copy and its commit")
        << removal << Scenario().installationKilledAt("Configuring") << 0 << "removed";
    QTest::newRow("remove with a display") << (removal + QStringList{ "--display", "QUOR" }) << Scenario() << 2 << "untouched";
    QTest::newRow("remove under the Windows Installer package") << (removal + QStringList{ "--msi" }) << Scenario().installed() << 0 << "removed";
#ifndef Q_OS_WIN
    // Stopped between two files: each whole, the record kept, and a second removal finishes.
    QTest::newRow("remove, terminated while removing") << removal << Scenario().installed().stopped(Stop::TerminatedWhileRemoving) << 6
                                                       << "removal interrupted";
#endif
    // JAWS uninstalled before the driver: its entry in the list of apps and the program's copy are
    // what is left, and they go; also once JAWS's own registry record is gone.
    QTest::newRow("remove after JAWS was uninstalled") << removal << Scenario().installed().jawsUninstalled() << 0 << "gone";
    QTest::newRow("remove after JAWS and its record were uninstalled") << removal << Scenario().installed().jawsUninstalled(true) << 0 << "gone";
    // Windows reads "JAWS10." as the folder "JAWS10".
    QTest::newRow("remove, the folder with a trailing dot") << QStringList{ "--unattended", "--remove", "--jaws", "$ROOT/Program Files/JAWS10. " }
                                                            << Scenario().installed() << 0 << "removed";
    // A report replaces nothing but a plain file of its own.
    QTest::newRow("--log inside the JAWS folder, removing") << (removal + QStringList{ "--log", "$JAWSinstallLog.txt" }) << Scenario() << 2
                                                            << "untouched";
    // Another run holds the machine: Windows Installer's code, which deployment tools retry (a
    // process status keeps its low 8 bits natively).
#ifdef Q_OS_WIN
    QTest::newRow("another run holds the machine, removing") << removal << Scenario().machineLockHeld() << 1618 << "untouched";
#else
    QTest::newRow("another run holds the machine, removing") << removal << Scenario().machineLockHeld() << (1618 & 0xff) << "untouched";
#endif
#ifdef Q_OS_WIN
    QTest::newRow("remove, JAWS running: closed and started again") << removal << Scenario().installed().jawsRunning() << 0 << "removed";
#endif
}

void tst_UnattendedRemoval::unattended()
{
    QFETCH(QStringList, arguments);
    QFETCH(Scenario, machine);
    QFETCH(int, exitCode);
    QFETCH(QString, result);
    UnattendedChecks::verify(arguments, machine, exitCode, result);
}

QTEST_GUILESS_MAIN(tst_UnattendedRemoval)
#include "tst_unattendedremoval.moc"
