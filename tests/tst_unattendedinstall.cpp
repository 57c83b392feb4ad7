// Installations from the command line (--unattended), on a machine made for each case as its row
// describes it: what lands in JAWS equals the wizard's hand-checked result, the exit code says
// how it went, a wrong command touches nothing, and the package folder is only ever read.
#include "support/appslistchecks.h"
#include "support/machinescenario.h"
#include "support/unattendedchecks.h"

#include <QtTest>

using Scenario = MachineScenario;
using Stop = MachineScenario::Stop;

class tst_UnattendedInstall : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void unattended_data();
    void unattended();
};

void tst_UnattendedInstall::init()
{
    AppsListChecks::startWithoutEntries();
}

void tst_UnattendedInstall::unattended_data()
{
    QTest::addColumn<QStringList>("arguments"); // $JAWS: the JAWS folder as the user might write it
    QTest::addColumn<Scenario>("machine");
    QTest::addColumn<int>("exitCode");
    // The wizard's golden result the JAWS side must equal; "untouched"; "all"; "cancelled"; or a
    // line of the report (--log), as a pattern.
    QTest::addColumn<QString>("result");

    const QStringList named{ "--unattended", "--jaws", "$JAWS", "--display", "QUOR" };
    const QStringList all{ "--unattended", "--jaws", "all", "--display", "QUOR", "--log", "$ROOT/log.txt" };
    const Scenario threeInstallations = Scenario().withAnotherJaws("17.0", "pe/jfw_17.dll").withAnotherJaws("18.0", "pe/jfw_18.dll");
    QTest::newRow("into a named folder") << named << Scenario() << 0 << "one-run";
    QTest::newRow("into the latest, with a log") << QStringList{ "--unattended", "--display", "quor", "--jaws", "latest", "--log", "$ROOT/log.txt" }
                                               << Scenario() << 0 << "one-run";
    // A deployment share: the first machine's run leaves the package whole for the next.
    QTest::newRow("two machines from one folder") << named << Scenario().packageUsedOnAnotherMachineFirst() << 0 << "one-run";
#ifndef Q_OS_WIN
    QTest::newRow("a package folder that cannot be written") << (named + QStringList{ "--log", "$ROOT/log.txt" }) << Scenario().packageReadOnly() << 0
                                                             << "one-run";
#endif
    QTest::newRow("latest beside the record of an uninstalled JAWS") << QStringList{ "--unattended", "--jaws", "latest", "--display", "QUOR" }
                                                                    << Scenario().withRecordOfUninstalledJaws("30.0") << 0 << "one-run";
    // The program's copy of an older program is refreshed; a newer program's is kept.
    QTest::newRow("over an older program's copy") << named << Scenario().programCopyOfVersion("0.1") << 0 << "one-run";
    QTest::newRow("beside a newer program's copy") << named << Scenario().programCopyOfVersion("99.0") << 0 << "one-run";
    QTest::newRow("all of three installations") << all << threeInstallations << 0 << "all";
    QTest::newRow("all, a second time") << all << Scenario(threeInstallations).sameCommandRunBefore() << 0 << "all";
    // A repair run that finds nothing to do writes nothing, however often it runs: JAWS 5, whose
    // display is named by a slot, is set up afresh each time.
    QTest::newRow("all on JAWS 5, again and again") << QStringList{ "--unattended", "--jaws", "all", "--display", "QUOR" }
                                                    << Scenario().withJaws(TestMachine::Jaws::Version5).sameCommandRunBefore() << 0 << "unchanged";
    // JAWS's folders hold "jfw.exe" in lower case, as today's JAWS ships it: found as Windows finds it.
    QTest::newRow("all, jfw.exe in lower case") << all << Scenario(threeInstallations).jfwInLowerCase() << 0 << "all";
    QTest::newRow("latest, jfw.exe in lower case") << QStringList{ "--unattended", "--jaws", "latest", "--display", "QUOR" }
                                                   << Scenario(threeInstallations).jfwInLowerCase() << 0 << "latest:JAWS18.0";
    // The entry an earlier program wrote under the folder's own name (with "/" and ":") is replaced.
    QTest::newRow("over an entry of the earlier name") << named << Scenario().appsListEntryOfEarlierName() << 0 << "one-run";
    QTest::newRow("Windows-style switches") << QStringList{ "/UNATTENDED", "/Jaws", "latest", "/display", "quor", "/LOG", "$ROOT/log.txt" }
                                            << Scenario() << 0 << "one-run";
    QTest::newRow("help, Windows-style") << QStringList{ "/?" } << Scenario() << 0 << "prints:--unattended --jaws latest --display QUOR";
    QTest::newRow("unknown option") << (named + QStringList{ "--silent" }) << Scenario() << 2 << "untouched";
    QTest::newRow("mistyped --unattended") << QStringList{ "--unatended", "--jaws", "latest", "--display", "QUOR" } << Scenario() << 2 << "untouched";
    QTest::newRow("mistyped /unattended") << QStringList{ "/unatended", "/jaws", "latest", "/display", "QUOR" } << Scenario() << 2 << "untouched";
    QTest::newRow("a stray word, no window") << QStringList{ "install" } << Scenario() << 2 << "untouched";
    QTest::newRow("missing value") << QStringList{ "--unattended", "--display", "QUOR", "--jaws" } << Scenario() << 2 << "untouched";
    QTest::newRow("unknown display") << QStringList{ "--unattended", "--jaws", "$JAWS", "--display", "FOCUS" } << Scenario() << 2 << "untouched";
    QTest::newRow("two JAWS folders") << (named + QStringList{ "--jaws", "latest" }) << Scenario() << 2 << "untouched";
    QTest::newRow("no display") << QStringList{ "--unattended", "--jaws", "latest" } << Scenario() << 2 << "untouched";
    QTest::newRow("options without --unattended") << QStringList{ "--jaws", "latest", "--display", "QUOR" } << Scenario() << 2 << "untouched";
    QTest::newRow("every user without --unattended") << QStringList{ "--all-users" } << Scenario() << 2 << "untouched";
    QTest::newRow("--msi without --unattended") << QStringList{ "--msi", "--remove", "--jaws", "$JAWS" } << Scenario() << 2 << "untouched";
    // Run by the Windows Installer package: its entry stands for the driver, its files for the
    // program's copy; an entry of the program's own gives way to it.
    QTest::newRow("under the Windows Installer package") << (named + QStringList{ "--msi" }) << Scenario() << 0 << "package's entry";
    QTest::newRow("under the package, over the program's own entry") << (named + QStringList{ "/MSI" }) << Scenario().withProgramsOwnEntry() << 0
                                                                       << "package's entry";
    // Scripts read these from the program's standard output, on Windows too, where it has no
    // console of its own.
    QTest::newRow("help") << QStringList{ "--help" } << Scenario() << 0 << "prints:--unattended --jaws latest --display QUOR";
    QTest::newRow("version") << QStringList{ "--version" } << Scenario() << 0 << QStringLiteral("prints:InstallQuorOlma " IQO_VERSION);
    QTest::newRow("not a listed installation") << QStringList{ "--unattended", "--jaws", "$ROOT/Program Files/JAWS11", "--display", "QUOR" }
                                             << Scenario() << 3 << "untouched";
    QTest::newRow("incomplete package") << (named + QStringList{ "--log", "$ROOT/log.txt" }) << Scenario().packageMissing("QuorOlma.jlb") << 4
                                        << "^ERROR : .*QuorOlma\\.jlb is missing from the installation package: nothing was installed\\.$";
#ifndef Q_OS_WIN
    QTest::newRow("interrupted during the copy") << (named + QStringList{ "--log", "$ROOT/log.txt" }) << Scenario().stopped(Stop::InterruptedWhileCopying)
                                                 << 6 << "cancelled";
    QTest::newRow("terminated during the copy") << (named + QStringList{ "--log", "$ROOT/log.txt" }) << Scenario().stopped(Stop::TerminatedWhileCopying)
                                                << 6 << "cancelled";
    // The user's settings file held by another program for as long as the test likes: the
    // configuration's read blocks, and only the interrupt's deadline ends the run.
    QTest::newRow("terminated while a settings file is held") << (named + QStringList{ "--log", "$ROOT/log.txt" })
                                                              << Scenario().stopped(Stop::TerminatedWhileSettingsHeld) << 6 << "cancelled";
#endif
    // A report replaces nothing but a plain file of its own.
    QTest::newRow("--log naming a folder") << (named + QStringList{ "--log", "$ROOT" }) << Scenario() << 2 << "untouched";
    QTest::newRow("--log inside the JAWS folder") << (named + QStringList{ "--log", "$JAWSQuorOlmaRecord.ini" }) << Scenario() << 2 << "untouched";
#ifndef Q_OS_WIN
    QTest::newRow("--log naming a link") << (named + QStringList{ "--log", "$ROOT/log.txt" }) << Scenario().logIsLink() << 2 << "untouched";
#endif
    // Another run holds the machine: Windows Installer's code, which deployment tools retry (a
    // process status keeps its low 8 bits natively).
#ifdef Q_OS_WIN
    QTest::newRow("another run holds the machine") << named << Scenario().machineLockHeld() << 1618 << "untouched";
#else
    QTest::newRow("another run holds the machine") << named << Scenario().machineLockHeld() << (1618 & 0xff) << "untouched";
#endif
    // A log that cannot be written is a remark of the run, which installed.
    QTest::newRow("--log that cannot be written") << (named + QStringList{ "--log", "$ROOT/no such folder/log.txt" }) << Scenario() << 0 << "log note";
#ifdef Q_OS_WIN
    QTest::newRow("JAWS running: closed and started again") << named << Scenario().jawsRunning() << 0 << "one-run";
    QTest::newRow("JAWS running, left closed") << (named + QStringList{ "/NoRestart" }) << Scenario().jawsRunning() << 0 << "one-run";
    QTest::newRow("all, JAWS running: closed once, started once") << all << Scenario(threeInstallations).jawsRunning() << 0 << "all";
#endif
}

void tst_UnattendedInstall::unattended()
{
    QFETCH(QStringList, arguments);
    QFETCH(Scenario, machine);
    QFETCH(int, exitCode);
    QFETCH(QString, result);
    UnattendedChecks::verify(arguments, machine, exitCode, result);
}

QTEST_GUILESS_MAIN(tst_UnattendedInstall)
#include "tst_unattendedinstall.moc"
