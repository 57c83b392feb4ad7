// Removals through the removal's wizard, as the list of apps starts it, after an installation
// through the installation's wizard; the program's copy that removes itself; and one installation run
// taken back alone.
#include "installer/appslistentry.h"
#include "support/appslistchecks.h"
#include "support/fixtures.h"
#include "support/goldentext.h"
#include "support/machinefiles.h"
#include "support/machinescenario.h"
#include "support/programruns.h"
#include "support/testmachine.h"
#include "support/textfiles.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_WIN
#include "paths/windowspath.h"
#include "platform/folderremoval.h"
#include "platform/windowsystem.h"

#include <windows.h>
#endif

using namespace GoldenText;
using namespace MachineFiles;
using namespace ProgramRuns;
using Scenario = MachineScenario;
using Stop = MachineScenario::Stop;

class tst_Removal : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void removalWizard_data();
    void removalWizard();
    void runningCopyRemoved_data();
    void runningCopyRemoved();
    void undoRun_data();
    void undoRun();
};

void tst_Removal::init()
{
    AppsListChecks::startWithoutEntries();
}

void tst_Removal::removalWizard_data()
{
    QTest::addColumn<bool>("named");     // the JAWS folder on the command line, as the list of apps gives it
    QTest::addColumn<int>("removals");   // the wizard run so many times after the installation
    QTest::addColumn<Scenario>("scenario"); // what happens between the installation and the removal, or during it
    QTest::addColumn<QList<int>>("pages");
    QTest::addColumn<QString>("result"); // the last page's first sentence; $JAWS the program folder, $REPORT its report

    const QString removed = QStringLiteral("The Korvalis Braille driver was removed. The removal report is $REPORT.");
    QTest::newRow("from the list of apps") << true << 1 << Scenario() << QList<int>{ 1, 2, 3 } << removed;
    QTest::newRow("no JAWS named: chosen") << false << 1 << Scenario() << QList<int>{ 0, 1, 2, 3 } << removed;
    QTest::newRow("a second time: nothing to remove") << true << 2 << Scenario() << QList<int>{ 3 }
                                                      << "The Korvalis Braille driver is not installed in $JAWS: there is nothing to remove.";
    QTest::newRow("a value the user changed: kept, and said") << true << 1 << Scenario().userSwitchedDisplay() << QList<int>{ 1, 2, 3 }
                                                              << "The Korvalis Braille driver was removed. What was changed since the installation "
                                                                 "was kept: the removal report names it. The removal report is $REPORT.";
    // Natively JAWS's window is played in the program and JFW.EXE is a program that starts; under
    // Wine the JAWS double runs as JFW.EXE.
    QTest::newRow("JAWS running: warned, closed, started again") << true << 1 << Scenario().jawsRunning() << QList<int>{ 1, 2, 3 } << removed;
    QTest::newRow("JAWS running: cancelled at the warning") << true << 1 << Scenario().jawsRunning().stopped(Stop::CancelledAtTheWarning)
                                                            << QList<int>{ 1, 2, 3 } << "The removal was cancelled: nothing was removed. The removal report is $REPORT.";
}

// Installed through the wizard, then removed through the removal's wizard with Enter alone:
// where the focus is on each page, what the plan names, what the last page says, and the
// machine as it was before the installation, but for the reports and numbered backups.
void tst_Removal::removalWizard()
{
    QFETCH(bool, named);
    QFETCH(int, removals);
    QFETCH(Scenario, scenario);
    QFETCH(QList<int>, pages);
    QFETCH(QString, result);
    QTemporaryDir root;
    TestMachine machine(root.path());
    const bool jawsRunning = scenario.isJawsRunning();
    const bool cancelled = scenario.stop() == Stop::CancelledAtTheWarning;
    const QString jfw = machine.jawsFolder + QStringLiteral("/JFW.EXE");
#ifdef Q_OS_WIN
    QVERIFY(machine.make(jawsRunning ? QStringLiteral("jawsdouble") : QString()));
#else
    QVERIFY(machine.make());
    if (jawsRunning) {
        QVERIFY(TextFiles::write(jfw, "#!/bin/sh\nexit 0\n"));
        QVERIFY(QFile::setPermissions(jfw, QFile::permissions(jfw) | QFileDevice::ExeOwner));
    }
#endif
    QMap<QString, QByteArray> before = machineState(machine);
    const QString program = machine.addProgram(QStringLiteral("installationprobe"));
    QMap<QString, QStringList> seen;
    QVERIFY(install(machine, program, {}, seen));
    QCOMPARE(seen.value("sentence").value(0), QStringLiteral("Installation correctly done."));
    const QString usersFile = machine.userSettings + QStringLiteral("/enu/default.jcf");
    if (scenario.hasUserSwitchedDisplay()) {
        const QByteArray changed = TextFiles::read(usersFile).replace("BrailleDisplay=QUOR", "BrailleDisplay=ALVA");
        QVERIFY(changed.contains("ALVA") && TextFiles::write(usersFile, changed));
        // The value the user chose stays; the file is otherwise as the installation found it.
        QVERIFY(before.value(usersFile).contains("BrailleDisplay=FOCUS"));
        before[usersFile].replace("BrailleDisplay=FOCUS", "BrailleDisplay=ALVA");
    }
    // A cancel leaves the machine as the installation left it.
    if (cancelled)
        before = machineState(machine);

    const QString jawsFolder = QDir::toNativeSeparators(machine.jawsFolder);
    QStringList arguments{ QStringLiteral("/remove") };
    if (named)
        arguments << QStringLiteral("/jaws") << jawsFolder;
    QProcessEnvironment environment = machine.environment();
    const QString starts = machine.jawsFolder + QStringLiteral("/jawsdouble.log");
    if (jawsRunning) {
#ifdef Q_OS_WIN
        endJawsDoubles();
        QVERIFY(QProcess::startDetached(jfw, {}));
        QVERIFY(QTest::qWaitFor([] { return Platform::windowSystem().findWindow(QStringLiteral("JFWUI2"), QStringLiteral("JAWS")) != 0; }, 30000));
#else
        environment.insert(QStringLiteral("IQO_PROBE_JAWS_WINDOW"), QStringLiteral("1"));
#endif
    }
    if (cancelled)
        environment.insert(QStringLiteral("IQO_PROBE_ESCAPE_AT_BOX"), QStringLiteral("1"));
    QString afterFirst;
    for (int i = 0; i < removals; ++i) {
        afterFirst = machine.dump();
        seen.clear();
        QVERIFY(Fixtures::runProbe(program, environment, machine.root, seen, 240000, arguments));
    }
    QCOMPARE(seen.value("exit"), QStringList{ "0" });
    QStringList expectedPages;
    for (int id : std::as_const(pages))
        expectedPages << QString::number(id);
    QCOMPARE(seen.value("page"), expectedPages);
    const QString sentence = QString(result)
                                 .replace(QStringLiteral("$REPORT"), QDir::toNativeSeparators(machine.jawsFolder + QStringLiteral("/installLog.txt")))
                                 .replace(QStringLiteral("$JAWS"), jawsFolder);
    // On each page where it stops, the focus is on what is to be chosen or read.
    QStringList focus;
    if (pages.contains(0))
        focus << QStringLiteral("Jaws folders:");
    if (pages.contains(1))
        focus << seen.value("heading").value(0);
    focus << sentence;
    QCOMPARE(seen.value("focus"), focus);
    QCOMPARE(seen.value("sentence"), (QStringList{ sentence, "Click Finish to end the removal." }));
    // The same warning as the installation's, only when JAWS runs; started again once, as the user.
    QCOMPARE(seen.value("box"), jawsRunning ? QStringList{ "Warning|Jaws will be closed while the driver is removed. It will be automatically restarted." }
                                            : QStringList());
    if (jawsRunning) {
#ifdef Q_OS_WIN
        // Started by the test, then again by the removal unless it was cancelled.
        const int expectedStarts = cancelled ? 1 : 2;
        QVERIFY(QTest::qWaitFor([&] { return TextFiles::read(starts).count('\n') >= expectedStarts; }, 30000));
        QCOMPARE(TextFiles::read(starts).count('\n'), expectedStarts);
        endJawsDoubles();
#else
        QCOMPARE(TextFiles::read(machine.root + QStringLiteral("/started.txt")).count('\n'), cancelled ? 0 : 1);
        QFile::remove(machine.root + QStringLiteral("/started.txt")); // the simulated machine's, not JAWS's
#endif
    }
    if (removals > 1) {
        // The second run changed nothing, not even the report.
        QVERIFY(sameText(machine.dump(), afterFirst, QStringLiteral("the machine")));
        return;
    }
    // The plan names the JAWS by version and folder, and the driver's files among what goes.
    const QString heading = seen.value("heading").value(0);
    QVERIFY2(heading.contains(QStringLiteral("Korvalis Braille driver will be removed from Jaws 10.0 in %1").arg(jawsFolder)), qPrintable(heading));
    QVERIFY2(seen.value("plan").value(0).contains(QStringLiteral("Remove the driver's")), qPrintable(seen.value("plan").value(0)));
    // The report is published into the JAWS folder, the removal's lines above the installation's.
    const QString report = QString::fromLocal8Bit(TextFiles::read(machine.jawsFolder + QStringLiteral("/installLog.txt")));
    const qsizetype removal = report.indexOf(QStringLiteral("Removal from %1 folder...").arg(jawsFolder));
    QVERIFY2(removal >= 0 && removal < report.indexOf(QStringLiteral("Installation into %1 folder...").arg(jawsFolder)), qPrintable(report));
    // Its block is named a removal, not an installation.
    const QRegularExpression blockTitle(QStringLiteral("^(Installation|Removal) "), QRegularExpression::MultilineOption);
    QVERIFY2(report.mid(report.lastIndexOf(blockTitle, removal)).startsWith(QStringLiteral("Removal ")), qPrintable(report));
    QVERIFY(restoredAsBefore(before, machineState(machine)));
}

void tst_Removal::runningCopyRemoved_data()
{
#ifndef Q_OS_WIN
    QSKIP("Natively a running program's file is deleted like any other");
#endif
    QTest::addColumn<bool>("otherVolume"); // the temporary folder lies on another volume
    QTest::newRow("into the temporary folder") << false;
    QTest::newRow("temporary folder on another volume: beside the folder") << true;
}

// The program's copy that removes the last entry runs from the folder it removes: its file is
// moved away under a name of its own and deleted at the restart under that name, never under its
// own path, where a later installation may put a new program before the restart.
void tst_Removal::runningCopyRemoved()
{
#ifdef Q_OS_WIN
    QFETCH(bool, otherVolume);
    QTemporaryDir base;
    const QString folder = base.filePath(QStringLiteral("InstallQuorOlma"));
    const QString program = folder + QStringLiteral("/InstallQuorOlma.exe");
    QVERIFY(QDir().mkpath(folder) && QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/jawsdouble.exe"), program));
    QProcess running;
    running.start(program, {});
    QVERIFY(running.waitForStarted());
    QVERIFY2(!QFile::remove(program), "Windows deletes a running program's file here: nothing to put aside");
    const QByteArray temporary = qgetenv("TMP");
    // Wine's drive Z: is the root of the host: another volume than C:.
    if (otherVolume)
        qputenv("TMP", "Z:\\tmp");
    const bool removed = Platform::removeFolderInUse(folder);
    qputenv("TMP", temporary);
    running.kill();
    running.waitForFinished();
    QVERIFY(removed);
    QVERIFY(!QFileInfo::exists(folder));
    // What Windows deletes at the next start: pairs of a name and an empty target.
    HKEY key = nullptr;
    QCOMPARE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Session Manager", 0, KEY_READ | KEY_WOW64_64KEY, &key),
             LONG(ERROR_SUCCESS));
    wchar_t data[32768] = {};
    DWORD size = sizeof data - 2 * sizeof(wchar_t);
    const LONG read = RegQueryValueExW(key, L"PendingFileRenameOperations", nullptr, nullptr, reinterpret_cast<BYTE *>(data), &size);
    RegCloseKey(key);
    QCOMPARE(read, LONG(ERROR_SUCCESS));
    QStringList pending;
    for (const wchar_t *entry = data; *entry || entry[1]; entry += wcslen(entry) + 1) {
        if (*entry)
            pending << QDir::fromNativeSeparators(QString::fromWCharArray(entry)).remove(QStringLiteral("//?/")).remove(QStringLiteral("/??/"));
    }
    qInfo("pending: %s", qPrintable(pending.join(QLatin1Char(' '))));
    QVERIFY(!pending.isEmpty());
    const QString expectedPlace = otherVolume ? base.path() : QDir::fromNativeSeparators(QDir::tempPath());
    bool aside = false;
    for (const QString &name : std::as_const(pending)) {
        QVERIFY2(!WindowsPath::isSameOrInside(name, folder), qPrintable(name));
        aside = aside || (WindowsPath::samePath(QFileInfo(name).absolutePath(), expectedPlace) && QFileInfo(name).fileName().startsWith(QLatin1String("iqo"), Qt::CaseInsensitive));
    }
    QVERIFY2(aside, qPrintable(pending.join(QLatin1Char(' '))));
#endif
}

// One installation run taken back alone (--undo-run): after the first installation the machine is
// as before it; after a repair or an update, as the earlier installation left it. A run that later
// runs built on is refused and changes nothing until those are taken back.
void tst_Removal::undoRun_data()
{
    QTest::addColumn<QString>("second"); // what the second run is: "", "display switch", "repair", "update"
    QTest::addColumn<QString>("undo");   // the runs taken back, in order; "!" when refused

    QTest::newRow("the first installation") << "" << "first";
    QTest::newRow("a display switch over it") << "display switch" << "second first";
    QTest::newRow("a repair over it") << "repair" << "second first";
    QTest::newRow("an update over it") << "update" << "second first";
    QTest::newRow("the earlier run before the later: refused") << "update" << "first! second first";
    QTest::newRow("a run of another machine: nothing to take back") << "" << "other first";
}

void tst_Removal::undoRun()
{
    QFETCH(QString, second);
    QFETCH(QString, undo);
    QTemporaryDir root;
    TestMachine machine(root.path());
    QVERIFY(machine.make());
    const QString program = machine.addProgram(QStringLiteral("InstallQuorOlma"));
    QVERIFY(!program.isEmpty());
    const QString jaws = QDir::toNativeSeparators(machine.jawsFolder);
    const QString recordPath = machine.jawsFolder + QStringLiteral("/Drivers/Braille/quorolma/QuorOlmaRecord.ini");
    QMap<QString, QMap<QString, QByteArray>> states; // by the run that left it
    states.insert(QStringLiteral("before"), jawsState(machine));
    QString output;
    QVERIFY2(runProgram(machine, program, { "--unattended", "--jaws", jaws, "--display", "QUOR", "--run-id", "first" }, &output) == 0,
             qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("Installation run: first")), qPrintable(output));
    QVERIFY(TextFiles::read(machine.jawsFolder + QStringLiteral("/installLog.txt")).contains("Installation run: first"));
    states.insert(QStringLiteral("first"), jawsState(machine));
    QVERIFY(states.value(QStringLiteral("first")) != states.value(QStringLiteral("before")));
    if (!second.isEmpty()) {
        if (second == QLatin1String("update")) { // a newer driver and manual in the package
            QVERIFY(TextFiles::write(machine.packageFolder + QStringLiteral("/notes.chm"), "the newer manual"));
            QVERIFY(QFile::remove(machine.packageFolder + QStringLiteral("/QuorOlma.jlb")));
            QVERIFY(Fixtures::copy(QStringLiteral("pe/driver_next.dll"), machine.packageFolder + QStringLiteral("/QuorOlma.jlb")));
        }
        const QString display = second == QLatin1String("display switch") ? QStringLiteral("OLMA") : QStringLiteral("QUOR");
        QVERIFY2(runProgram(machine, program, { "--unattended", "--jaws", jaws, "--display", display, "--run-id", "second" }, &output) == 0,
                 qPrintable(output));
        states.insert(QStringLiteral("second"), jawsState(machine));
        if (second != QLatin1String("repair"))
            QVERIFY(states.value(QStringLiteral("second")) != states.value(QStringLiteral("first")));
    }
    const QStringList order{ QStringLiteral("before"), QStringLiteral("first"), QStringLiteral("second") };
    for (QString run : undo.split(QLatin1Char(' '))) {
        const bool refused = run.endsWith(QLatin1Char('!'));
        if (refused)
            run.chop(1);
        const QMap<QString, QByteArray> was = jawsState(machine);
        const int exit = runProgram(machine, program, { "--unattended", "--undo-run", run, "--jaws", jaws }, &output);
        if (refused) {
            QCOMPARE(exit, 1);
            QVERIFY2(output.contains(QStringLiteral("cannot be taken back alone")), qPrintable(output));
            QCOMPARE(jawsState(machine), was);
            continue;
        }
        QVERIFY2(exit == 0, qPrintable(output));
        if (!order.contains(run)) {
            QVERIFY2(output.contains(QStringLiteral("nothing to take back")), qPrintable(output));
            QCOMPARE(jawsState(machine), was);
            continue;
        }
        // What a run taken back leaves: what the run before it left.
        if (run == QLatin1String("second") && AppsListEntry::isRegistered(machine.jawsFolder)) // the list names the earlier driver again
            QCOMPARE(AppsListChecks::appsListString(machine.jawsFolder, QStringLiteral("DisplayVersion")), QStringLiteral("2.1.0.7"));
        const QMap<QString, QByteArray> expected = states.value(order.at(order.indexOf(run) - 1));
        const QMap<QString, QByteArray> now = jawsState(machine);
        for (auto file = expected.cbegin(); file != expected.cend(); ++file)
            QVERIFY2(now.value(file.key()) == file.value(),
                     qPrintable(run + QStringLiteral(" taken back: ") + file.key() + QLatin1Char('\n') + QString::fromUtf8(now.value(file.key()))));
        for (auto file = now.cbegin(); file != now.cend(); ++file)
            QVERIFY2(expected.contains(file.key()), qPrintable(run + QStringLiteral(" taken back, still there: ") + file.key()));
    }
    // Everything taken back: no record, no entry in the list of apps.
    QVERIFY(!QFileInfo::exists(recordPath));
    QVERIFY(!AppsListEntry::isRegistered(machine.jawsFolder));
}

QTEST_GUILESS_MAIN(tst_Removal)
#include "tst_removal.moc"
