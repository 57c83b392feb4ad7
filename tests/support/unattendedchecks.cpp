#include "unattendedchecks.h"

#include "support/appslistchecks.h"
#include "support/fixtures.h"
#include "support/goldentext.h"
#include "support/machinefiles.h"
#include "support/machinescenario.h"
#include "support/programruns.h"
#include "support/testmachine.h"
#include "support/textfiles.h"

#include "installer/appslistentry.h"
#include "jaws/jaws.h"
#include "platform/machinelock.h"
#include "platform/registry.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

#ifdef Q_OS_WIN
#include "platform/windowsystem.h"
#else
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

using namespace AppsListChecks;
using namespace GoldenText;
using namespace MachineFiles;
using namespace ProgramRuns;

namespace UnattendedChecks {

void verify(QStringList arguments, const MachineScenario &scenario, int exitCode, const QString &result)
{
    const bool jawsRunning = scenario.isJawsRunning();
    QTemporaryDir root;
    TestMachine machine(root.path(), scenario.jaws());
    QVERIFY(machine.make(jawsRunning ? QStringLiteral("jawsdouble") : QString()));
    for (const QString &missing : scenario.missingPackageFiles())
        QVERIFY(QFile::remove(machine.packageFolder + QLatin1Char('/') + missing));
    QStringList jawsFolders{ machine.jawsFolder };
    if (!scenario.otherJaws().isEmpty()) {
        for (const auto &[key, jfwFixture] : scenario.otherJaws())
            jawsFolders << machine.addJaws(key, jfwFixture);
        QVERIFY(!jawsFolders.contains(QString()));
#ifndef Q_OS_WIN
        // Natively the names differ by case: only the lower-case one is left.
        for (const QString &folder : jawsFolders.mid(1)) {
            if (scenario.isJfwInLowerCase())
                QVERIFY(QFile::remove(folder + QStringLiteral("/JFW.EXE")) && QFileInfo::exists(folder + QStringLiteral("/jfw.exe")));
        }
#endif
    } else if (!scenario.uninstalledJawsRecord().isEmpty()) {
        QVERIFY(!machine.addJaws(scenario.uninstalledJawsRecord(), QString()).isEmpty());
    }
#ifndef Q_OS_WIN
    int leased = -1;
    if (scenario.stop() == MachineScenario::Stop::InterruptedWhileCopying || scenario.stop() == MachineScenario::Stop::TerminatedWhileCopying) {
        // The copy waits for this file for as long as the test holds its lease: the interrupt
        // comes while the copy is under way, whatever the speed of the machine.
        const QString blocking = machine.packageFolder + QStringLiteral("/blocking.chm");
        QVERIFY(TextFiles::write(blocking, "help that takes its time\r\n"));
        leased = ::open(QFile::encodeName(blocking).constData(), O_RDWR);
        QVERIFY(leased >= 0);
    }
    std::optional<QByteArray> leaseBreakTime;
    auto restoreLeaseBreakTime = qScopeGuard([&leaseBreakTime] {
        if (leaseBreakTime)
            TextFiles::write(QStringLiteral("/proc/sys/fs/lease-break-time"), *leaseBreakTime);
    });
    if (scenario.stop() == MachineScenario::Stop::TerminatedWhileSettingsHeld) {
        // The kernel would break the lease after its lease-break-time (45 s): an hour, so that
        // the run cannot end by waiting.
        const QString breakTime = QStringLiteral("/proc/sys/fs/lease-break-time");
        const QByteArray was = TextFiles::read(breakTime);
        if (was.isEmpty() || !TextFiles::write(breakTime, "3600"))
            QSKIP("the lease break time can be set by root only");
        leaseBreakTime = was;
        leased = ::open(QFile::encodeName(machine.userSettings + QStringLiteral("/enu/default.jcf")).constData(), O_RDWR);
        QVERIFY(leased >= 0);
    }
#endif
    QString program = machine.addProgram(QStringLiteral("InstallQuorOlma"));
    QVERIFY(!program.isEmpty());
    const QString programInPackage = program;
    const QString packageBefore = dumpPart(machine.dump(), QStringLiteral("$PACKAGE"));
    const bool killed = !scenario.killedAt().isEmpty();
    // A help file of the driver's name that was there before: the copy replaces it.
    const QString olderHelp = machine.jawsFolder + QStringLiteral("/QuorOlma.chm");
    if (killed)
        QVERIFY(TextFiles::write(olderHelp, "an older help\r\n"));
    const QMap<QString, QByteArray> pristine = machineState(machine);
    // What a removal leaves of each file that someone else changed between the installations.
    QMap<QString, QByteArray> changedBetween;
    auto change = [&changedBetween, &pristine](const QString &path, const QByteArray &from, const QByteArray &to, bool kept) {
        QByteArray bytes = TextFiles::read(path);
        if (!bytes.contains(from) || !TextFiles::write(path, bytes.replace(from, to)))
            return false;
        if (kept) {
            QByteArray expected = changedBetween.value(path, pristine.value(path));
            changedBetween.insert(path, expected.replace(from, to));
        }
        return true;
    };
    // A user's own settings file, which the installation changes, and then the user.
    const QString usersFile = (machine.userSettings.contains(QLatin1String("no user")) ? machine.sharedSettings : machine.userSettings)
        + QStringLiteral("/enu/default.jcf");
    QByteArray usersChange;
    if (scenario.isInstalledBefore()) {
        const QString named = QDir::toNativeSeparators(machine.jawsFolder);
        QList<QStringList> installations;
        for (const MachineScenario::Installation &installation : scenario.installations())
            installations << QStringList{ "--unattended", "--jaws", installation.allJaws ? QStringLiteral("all") : named, "--display", installation.display };
        for (qsizetype i = 0; i < installations.size(); ++i) {
            if (i == scenario.changedBeforeInstallation()) {
                // The user's values, and what a JAWS update did to jfw.ini.
                QVERIFY(change(usersFile, "[Options]\r\n", "[Options]\r\nSpeed=9\r\nMyOwnSetting=precious\r\n", true));
                const QString jfwIni = machine.jawsFolder + QStringLiteral("/jfw.ini");
                QVERIFY(change(jfwIni, "[Options]\r\n", "[Options]\r\nUpdateLevel=2\r\n", true));
                QByteArray displays = TextFiles::read(jfwIni);
                displays.replace(displays.indexOf("Braille2"), displays.size() - displays.indexOf("Braille2"), QByteArray());
                QVERIFY(!displays.contains("QUOR") && TextFiles::write(jfwIni, displays));
            }
            if (i == scenario.displayChosenBeforeInstallation())
                QVERIFY(change(usersFile, "BrailleDisplay=QUOR", "BrailleDisplay=ALVA", false));
            QProcess installation;
            installation.setProcessEnvironment(machine.environment());
            if (killed) {
                // Stopped as it enters the state the row names, as a kill would stop it.
                installation.start(Fixtures::program(QStringLiteral("iniwriterchild")),
                                   { QStringLiteral("install"), scenario.killedAt(), machine.jawsFolder, machine.packageFolder });
                QVERIFY(installation.waitForFinished(120000));
                QVERIFY2(installation.exitStatus() == QProcess::NormalExit && installation.exitCode() == 9, installation.readAllStandardError().constData());
                continue;
            }
            installation.start(program, installations.at(i));
            QVERIFY(installation.waitForFinished(120000));
            // What went wrong is in the run's output and in the report it published.
            QVERIFY2(installation.exitCode() == 0,
                     (installation.readAll() + TextFiles::read(machine.jawsFolder + QStringLiteral("/installLog.txt"))).constData());
        }
        if (scenario.displayChosenBeforeInstallation() >= 0)
            changedBetween.insert(usersFile, QByteArray(pristine.value(usersFile)).replace("BrailleDisplay=FOCUS", "BrailleDisplay=ALVA"));
        lookAtMachine(machine);
        if (killed) {
            // The record says what the run was about to do; nothing names the driver in JAWS or
            // in the list of apps yet.
            QVERIFY(TextFiles::read(machine.jawsFolder + QStringLiteral("/Drivers/Braille/quorolma/QuorOlmaRecord.ini")).contains("Unfinished=1"));
            QVERIFY(!AppsListEntry::isRegistered(machine.jawsFolder));
            QCOMPARE(TextFiles::read(usersFile), pristine.value(usersFile));
            if (scenario.killedAt() == QLatin1String("Copying")) {
                // What a copy stopped in its first file leaves: its new file, half written, in
                // the copy's own folder.
                QVERIFY(QDir().mkpath(machine.jawsFolder + QStringLiteral("/.iqotmp")));
                QVERIFY(TextFiles::write(machine.jawsFolder + QStringLiteral("/.iqotmp/notes.chm"), "half"));
                QCOMPARE(TextFiles::read(olderHelp), pristine.value(olderHelp));
            } else {
                QVERIFY(TextFiles::read(olderHelp) != pristine.value(olderHelp));
                QVERIFY(QFileInfo::exists(machine.jawsFolder + QStringLiteral("/Drivers/Braille/quorolma/QuorOlma.jlb")));
            }
        } else {
            QVERIFY(TextFiles::read(usersFile).contains("BrailleDisplay="));
            QVERIFY(AppsListEntry::isRegistered(machine.jawsFolder));
        }
#ifndef Q_OS_WIN
        // The removal waits at a driver file for as long as the test holds its lease.
        if (scenario.stop() == MachineScenario::Stop::TerminatedWhileRemoving) {
            leased = ::open(QFile::encodeName(machine.jawsFolder + QStringLiteral("/notes.chm")).constData(), O_RDWR);
            QVERIFY(leased >= 0);
        }
#endif
        if (scenario.isJawsUninstalled())
            QVERIFY(QDir(machine.jawsFolder).removeRecursively());
        if (scenario.isJawsRecordDeleted())
            QVERIFY(Platform::RegistryKey::deleteLocalMachineKey(QStringLiteral("SOFTWARE\\Freedom Scientific\\JAWS\\10.0"),
                                                                 Platform::RegistryView::Default));
        if (scenario.hasUserAddedDisplay()) {
            const QString jfwIni = machine.jawsFolder + QStringLiteral("/jfw.ini");
            QVERIFY(TextFiles::write(jfwIni, TextFiles::read(jfwIni) + "Braille4LongName=Mine\r\nBraille4Name=MINE\r\n"));
        }
        if (scenario.hasUserSwitchedDisplay()) {
            usersChange = TextFiles::read(usersFile).replace(QByteArray("BrailleDisplay=QUOR"), QByteArray("BrailleDisplay=ALVA"));
            QVERIFY(usersChange.contains("ALVA") && TextFiles::write(usersFile, usersChange));
        }
    }
    if (scenario.hasProgramsOwnEntry()) {
        QProcess installation;
        installation.setProcessEnvironment(machine.environment());
        installation.start(program, { "--unattended", "--jaws", QDir::toNativeSeparators(machine.jawsFolder), "--display", "QUOR" });
        QVERIFY(installation.waitForFinished(120000));
        QCOMPARE(installation.exitCode(), 0);
        QVERIFY(AppsListEntry::isRegistered(machine.jawsFolder));
        QVERIFY(QFileInfo::exists(AppsListEntry::copyFolder()));
    }
    const QString starts = machine.jawsFolder + QStringLiteral("/jawsdouble.log");
    if (jawsRunning) {
        endJawsDoubles();
        QVERIFY(QProcess::startDetached(machine.jawsFolder + QStringLiteral("/JFW.EXE"), {}));
        QVERIFY(QTest::qWaitFor([] {
#ifdef Q_OS_WIN
            return Platform::windowSystem().findWindow(QStringLiteral("JFWUI2"), QStringLiteral("JAWS")) != 0;
#else
            return false;
#endif
        }, 30000));
    }
    // Written as a user might: other case, other separators, a trailing separator.
    const QString jawsAsTyped = QDir::toNativeSeparators(machine.jawsFolder.toUpper() + QLatin1Char('/'));
    for (QString &argument : arguments)
        argument.replace(QStringLiteral("$JAWS"), jawsAsTyped).replace(QStringLiteral("$ROOT"), root.path());
    auto start = [&](QProcess &process) {
        process.setProcessEnvironment(machine.environment());
        process.setWorkingDirectory(root.path());
        process.start(program, arguments);
    };
    if (scenario.isPackageUsedOnAnotherMachineFirst() || scenario.isSameCommandRunBefore()) {
        QProcess first;
        start(first);
        QVERIFY(first.waitForFinished(120000));
        QCOMPARE(first.exitCode(), 0);
        if (scenario.isPackageUsedOnAnotherMachineFirst()) {
            QVERIFY(QDir(machine.jawsFolder).removeRecursively());
            QVERIFY(machine.makeJaws());
        }
    }
#ifndef Q_OS_WIN
    if (scenario.isPackageReadOnly()) {
        QStringList launcher;
        QVERIFY(makePackageReadOnly(machine, launcher));
        if (!launcher.isEmpty()) {
            arguments = launcher.mid(1) + QStringList{ program } + arguments;
            program = launcher.constFirst();
        }
    }
#endif
    // Taken by the test, which plays the other run; given back whatever the row's end.
    auto giveBack = qScopeGuard([] { Platform::giveBackMachineLock(); });
    if (scenario.isMachineLockHeld())
        QCOMPARE(Platform::takeMachineLock(), Platform::MachineLock::Taken);
#ifndef Q_OS_WIN
    if (scenario.isLogALink())
        QVERIFY(QFile::link(root.filePath(QStringLiteral("elsewhere.txt")), root.filePath(QStringLiteral("log.txt"))));
#endif
    lookAtMachine(machine);
    const QString keptVersion = scenario.programCopyVersion();
    if (!keptVersion.isEmpty()) {
        QVERIFY(QDir().mkpath(AppsListEntry::copyFolder()));
        QVERIFY(TextFiles::write(copiedProgram(), "the program of " + keptVersion.toUtf8()));
        QVERIFY(TextFiles::write(AppsListEntry::copyFolder() + QStringLiteral("/version.txt"), keptVersion.toUtf8()));
    }
    const QString earlierEntry = AppsListEntry::uninstallKeyPath() + QLatin1Char('\\') + AppsListEntry::earlierKeyName(machine.jawsFolder);
    if (scenario.hasAppsListEntryOfEarlierName()) {
        QVERIFY(AppsListEntry::earlierKeyName(machine.jawsFolder).contains(QLatin1Char('/')));
        auto key = Platform::RegistryKey::createLocalMachine(earlierEntry, Platform::RegistryView::Default);
        QVERIFY(key.isOpen() && key.setStringValue(QStringLiteral("DisplayName"), QStringLiteral("QuorOlma braille driver for JAWS 10.0")));
        QVERIFY(AppsListEntry::isRegistered(machine.jawsFolder));
    }
    const QString before = machine.dump();
    const QMap<QString, QByteArray> settingsBefore = settingsFiles(machine, jawsFolders);

    QProcess process;
#ifndef Q_OS_WIN
    // Taken after the last look at the package folder: the test's own reads would wait for it too.
    std::signal(SIGIO, SIG_IGN);
    QVERIFY(leased < 0 || ::fcntl(leased, F_SETLEASE, F_WRLCK) == 0);
#endif
    start(process);
    QString output;
#ifndef Q_OS_WIN
    auto waitForOutput = [&](const QString &line) {
        while (!output.contains(line) && process.waitForReadyRead(120000))
            output += QString::fromUtf8(process.readAllStandardOutput());
        return output.contains(line);
    };
    if (leased >= 0) {
        const bool removing = scenario.isInstalledBefore();
        QVERIFY(waitForOutput(removing ? QStringLiteral("Removing and restoring files...")
                              : scenario.stop() == MachineScenario::Stop::TerminatedWhileSettingsHeld ? QStringLiteral("Configuring JAWS...")
                                                                                : QStringLiteral("Copying files...")));
        ::kill(pid_t(process.processId()), scenario.stop() == MachineScenario::Stop::InterruptedWhileCopying ? SIGINT : SIGTERM);
        const bool answered = waitForOutput(removing ? QStringLiteral("Interrupted: stopping the removal...") : QStringLiteral("Interrupted: stopping the installation..."));
        QVERIFY2(answered, qPrintable(output + QString::fromUtf8(process.readAllStandardError())));
        ::fcntl(leased, F_SETLEASE, F_UNLCK);
        ::close(leased);
    }
#endif
    // What a run that does not end has said so far is what tells where it waits.
    if (!process.waitForFinished(120000))
        QFAIL(qPrintable(QStringLiteral("still running after two minutes; said so far:\n") + output
                         + QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError())));
    output += QString::fromUtf8(process.readAllStandardOutput());
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    qInfo("output:\n%s\nerrors:\n%s", qPrintable(output), qPrintable(errors));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);
    const QString after = machine.dump();
    // Never a file written into, or deleted from, the package folder.
    QVERIFY(sameText(dumpPart(after, QStringLiteral("$PACKAGE")), packageBefore, QStringLiteral("the package folder")));
    const QString log = QString::fromLocal8Bit(TextFiles::read(root.filePath(QStringLiteral("log.txt"))));

    if (result.startsWith(QLatin1String("prints:"))) {
        QVERIFY2(output.contains(result.mid(7)), qPrintable(output));
        QVERIFY(sameText(after, before, QStringLiteral("the machine")));
    } else if (result == QLatin1String("untouched")) {
        // What is wrong, and nothing done: no report, no file.
        QVERIFY(!errors.trimmed().isEmpty());
        QVERIFY(sameText(after, before, QStringLiteral("the machine")));
    } else if (result.startsWith(QLatin1Char('^'))) {
        QVERIFY2(log.split(QRegularExpression(QStringLiteral("\r?\n"))).indexOf(QRegularExpression(result)) >= 0, qPrintable(log));
        QVERIFY(output.trimmed().endsWith(QStringLiteral("Error during installation. Please check the %1 file for details.")
                                              .arg(QDir::toNativeSeparators(root.filePath(QStringLiteral("log.txt"))))));
        QVERIFY(sameText(after, before, QStringLiteral("the machine")));
    } else if (result == QLatin1String("removal interrupted")) {
        QVERIFY(TextFiles::read(machine.jawsFolder + QStringLiteral("/installLog.txt")).contains("ERROR : Removal interrupted: "));
        QVERIFY(QFileInfo::exists(machine.jawsFolder + QStringLiteral("/Drivers/Braille/quorolma/QuorOlmaRecord.ini")));
        QProcess again;
        start(again);
        QVERIFY(again.waitForFinished(120000));
        QCOMPARE(again.exitCode(), 0);
        QVERIFY(!AppsListEntry::isRegistered(machine.jawsFolder));
        QVERIFY(restoredAsBefore(pristine, machineState(machine)));
    } else if (result == QLatin1String("gone")) {
        QVERIFY2(output.contains(QStringLiteral("JAWS is no longer installed in ")), qPrintable(output));
        QVERIFY(!AppsListEntry::isRegistered(machine.jawsFolder));
        QVERIFY(!QFileInfo::exists(AppsListEntry::copyFolder()));
    } else if (result == QLatin1String("unchanged")) {
        QVERIFY2(output.trimmed().endsWith(QStringLiteral("Installation correctly done.")), qPrintable(output));
        for (int run = 0; run < 3; ++run) {
            const QMap<QString, QByteArray> now = settingsFiles(machine, jawsFolders);
            for (auto file = now.cbegin(); file != now.cend(); ++file) {
                if (settingsBefore.value(file.key()) != file.value())
                    qWarning("changed or new: %s", qPrintable(file.key()));
            }
            QCOMPARE(now.keys(), settingsBefore.keys());
            QVERIFY(settingsFiles(machine, jawsFolders) == settingsBefore);
            QProcess again;
            start(again);
            QVERIFY(again.waitForFinished(120000));
            QCOMPARE(again.exitCode(), 0);
        }
    } else if (result == QLatin1String("package's entry")) {
        QVERIFY2(output.trimmed().endsWith(QStringLiteral("Installation correctly done.")), qPrintable(output));
        QVERIFY(QFileInfo::exists(machine.jawsFolder + QStringLiteral("/Drivers/Braille/quorolma/QuorOlma.jlb")));
        QVERIFY(!AppsListEntry::isRegistered(machine.jawsFolder));
        QVERIFY(AppsListEntry::registeredKeyNames().isEmpty());
        QVERIFY(!QFileInfo::exists(AppsListEntry::copyFolder()));
        const QByteArray report = TextFiles::read(machine.jawsFolder + QStringLiteral("/installLog.txt"));
        QVERIFY2(report.contains(scenario.hasProgramsOwnEntry() ? "gave way to its Windows Installer package's"
                                                                       : "lists the driver by its Windows Installer package"),
                 report.constData());
    } else if (result == QLatin1String("log note")) {
        QVERIFY2(output.trimmed().endsWith(QStringLiteral("Installation correctly done.")), qPrintable(output));
        QVERIFY(TextFiles::read(machine.jawsFolder + QStringLiteral("/installLog.txt")).contains("NOTE : The report could not be written to "));
    } else if (result == QLatin1String("cancelled")) {
        // Nothing configured, and the report ends with the cancel.
        QCOMPARE(dumpPart(after, QStringLiteral("$SHARED"), QStringLiteral("$PACKAGE")), dumpPart(before, QStringLiteral("$SHARED"), QStringLiteral("$PACKAGE")));
        QCOMPARE(TextFiles::read(machine.jawsFolder + QStringLiteral("/jfw.ini")), settingsBefore.value(machine.jawsFolder + QStringLiteral("/jfw.ini")));
        QCOMPARE(TextFiles::read(machine.jawsFolder + QStringLiteral("/braille.ini")), settingsBefore.value(machine.jawsFolder + QStringLiteral("/braille.ini")));
        const QStringList lines = log.trimmed().split(QRegularExpression(QStringLiteral("\r?\n")));
        QVERIFY2(lines.value(lines.size() - 2).startsWith(QStringLiteral("ERROR : Installation cancelled by the user.")), qPrintable(log));
        QCOMPARE(lines.constLast(), QString(QLatin1Char('-')).repeated(79));
        QVERIFY(TextFiles::read(machine.jawsFolder + QStringLiteral("/installLog.txt")).contains("ERROR : Installation cancelled by the user."));
        // Whatever the stopped copy put in place, a removal takes away.
        QProcess removal;
        removal.setProcessEnvironment(machine.environment());
        removal.start(program, { "--unattended", "--remove", "--jaws", QDir::toNativeSeparators(machine.jawsFolder) });
        QVERIFY(removal.waitForFinished(120000));
        QCOMPARE(removal.exitCode(), 0);
        QVERIFY(!QFileInfo::exists(machine.jawsFolder + QStringLiteral("/blocking.chm")));
        QVERIFY(!QFileInfo::exists(machine.jawsFolder + QStringLiteral("/Drivers")));
    } else if (result == QLatin1String("removed")) {
        QVERIFY2(output.trimmed().endsWith(QStringLiteral("Removal correctly done.")), qPrintable(output));
        qInfo("report:\n%s", TextFiles::read(machine.jawsFolder + QStringLiteral("/installLog.txt")).constData());
        QMap<QString, QByteArray> now = machineState(machine);
        if (!usersChange.isEmpty()) {
            // The value the user chose stays; the file is otherwise as the installation found it.
            QCOMPARE(now.take(usersFile), QByteArray(pristine.value(usersFile)).replace("BrailleDisplay=FOCUS", "BrailleDisplay=ALVA"));
            QVERIFY(pristine.value(usersFile).contains("BrailleDisplay=FOCUS"));
            QVERIFY2(TextFiles::read(machine.jawsFolder + QStringLiteral("/installLog.txt")).contains("BrailleDisplay in "), qPrintable(output));
        }
        QMap<QString, QByteArray> expected = pristine;
        if (!usersChange.isEmpty())
            expected.remove(usersFile);
        // What others changed between two installations is there as they left it.
        for (auto file = changedBetween.cbegin(); file != changedBetween.cend(); ++file) {
            QVERIFY2(now.value(file.key()) == file.value(), qPrintable(file.key() + QLatin1Char('\n') + QString::fromUtf8(now.value(file.key()))));
            expected.insert(file.key(), file.value());
        }
        const QByteArray report = TextFiles::read(machine.jawsFolder + QStringLiteral("/installLog.txt"));
        QCOMPARE(report.contains("The last installation into "), killed);
        if (killed)
            QVERIFY(report.contains(QStringLiteral("The last installation into %1 never finished: it was stopped before JAWS was configured.")
                                        .arg(QDir::toNativeSeparators(machine.jawsFolder)).toUtf8()));
        // Its slot moves down to follow the user's first: JAWS stops at the first empty slot.
        if (scenario.hasUserAddedDisplay())
            expected[machine.jawsFolder + QStringLiteral("/jfw.ini")] += "Braille2LongName=Mine\r\nBraille2Name=MINE\r\n";
        QVERIFY(restoredAsBefore(expected, now));
        QVERIFY(!AppsListEntry::isRegistered(machine.jawsFolder));
        if (scenario.isRunAgainAfterwards()) {
            QProcess again;
            start(again);
            // What a run that does not end has said so far is what tells where it waits.
            if (!again.waitForFinished(120000))
                QFAIL(("the second removal still runs after two minutes; said so far:\n" + again.readAllStandardOutput() + again.readAllStandardError()).constData());
            QCOMPARE(again.exitCode(), 0);
            QVERIFY(QString::fromUtf8(again.readAllStandardOutput()).contains(QStringLiteral("Nothing of the driver to remove")));
            // Without --log there is no log to fail at.
            QVERIFY(!again.readAllStandardError().contains("could not be written"));
            QCOMPARE(machineState(machine), now);
        }
    } else if (result == QLatin1String("all")) {
        for (const QString &folder : std::as_const(jawsFolders)) {
            QVERIFY(QFileInfo::exists(folder + QStringLiteral("/Drivers/Braille/quorolma/QuorOlma.jlb")));
            const QByteArray report = TextFiles::read(folder + QStringLiteral("/installLog.txt"));
            // Each installation of the run has its lines in every report of the run.
            for (const QString &other : std::as_const(jawsFolders))
                QVERIFY2(report.contains(QStringLiteral("Installation into %1 folder...").arg(QDir::toNativeSeparators(other)).toLocal8Bit()), report.constData());
            QVERIFY(log.contains(QStringLiteral("Installation into %1 folder...").arg(QDir::toNativeSeparators(folder))));
            // Each record holds its own installation only: a removal from one JAWS leaves the others.
            const QByteArray record = TextFiles::read(folder + QStringLiteral("/Drivers/Braille/quorolma/QuorOlmaRecord.ini"));
            QVERIFY(!record.isEmpty());
            for (const QString &other : std::as_const(jawsFolders)) {
                if (other != folder)
                    QVERIFY2(!record.contains(QFileInfo(other).fileName().toUtf8() + (QDir::separator() == QLatin1Char('/') ? "/" : "\\")),
                             record.constData());
            }
        }
        const QMap<QString, QByteArray> settings = settingsFiles(machine, jawsFolders);
        for (auto file = settings.cbegin(); file != settings.cend(); ++file) {
            if (file.key().endsWith(QLatin1String("default.jcf")) && file.key().contains(QLatin1String("/enu/"))
                && !file.key().startsWith(machine.sharedSettings.left(machine.sharedSettings.indexOf(QLatin1String("/10.0/")))))
                QVERIFY2(file.value().contains("BrailleDisplay=QUOR"), qPrintable(file.key()));
        }
        if (scenario.isSameCommandRunBefore()) {
            QCOMPARE(output.count(QStringLiteral("Installed already: left as it is.")), 3);
            QCOMPARE(settings.keys(), settingsBefore.keys());
            QVERIFY(settings == settingsBefore);
        }
        // One entry per JAWS, one copy of the program for them all, gone with the last entry.
        lookAtMachine(machine);
        const QStringList names{ "10.0", "17.0", "18.0" };
        for (qsizetype i = 0; i < jawsFolders.size(); ++i) {
            verifyListed(jawsFolders.at(i), names.at(i));
            if (QTest::currentTestFailed())
                return;
        }
        QCOMPARE(AppsListEntry::registeredKeyNames().size(), 3);
        // The same files in each: the same size, not those of the run's earlier installations added.
        QCOMPARE(appsListNumber(jawsFolders.at(2), QStringLiteral("EstimatedSize")), appsListNumber(jawsFolders.at(0), QStringLiteral("EstimatedSize")));
        for (qsizetype i = 0; i < jawsFolders.size(); ++i) {
            QString line;
            QVERIFY(AppsListEntry().unregisterInstallation(jawsFolders.at(i), &line));
            QVERIFY(line.startsWith(QStringLiteral("OK : ")));
            QVERIFY(!AppsListEntry::isRegistered(jawsFolders.at(i)));
            QCOMPARE(QFileInfo::exists(AppsListEntry::copyFolder()), i < jawsFolders.size() - 1);
        }
        QVERIFY(AppsListEntry::registeredKeyNames().isEmpty());
        // The entries came and went beside JAWS's own records, which still read the same.
        QCOMPARE(Jaws().jawsFolders().size(), jawsFolders.size());
        // A second time changes nothing and says nothing.
        QString again = QStringLiteral("unchanged");
        QVERIFY(AppsListEntry().unregisterInstallation(jawsFolders.constFirst(), &again));
        QVERIFY(again.isEmpty());
        QVERIFY(output.trimmed().endsWith(QStringLiteral("Installation correctly done.")));
    } else if (result.startsWith(QLatin1String("latest:"))) {
        // Into the JAWS of the highest version, none passed over, the others left alone.
        QVERIFY2(!output.contains(QStringLiteral("Passed over: ")), qPrintable(output));
        for (const QString &folder : std::as_const(jawsFolders))
            QCOMPARE(QFileInfo::exists(folder + QStringLiteral("/Drivers/Braille/quorolma/QuorOlma.jlb")) || QFileInfo::exists(folder + QStringLiteral("/QuorOlma.jlb")),
                     folder.endsWith(result.mid(7)));
        QVERIFY(output.trimmed().endsWith(QStringLiteral("Installation correctly done.")));
    } else {
        // The wizard's very result on the JAWS side, but for the line that says how the run was
        // started: the report published there alone.
        QString dump = dumpPart(after, QStringLiteral("$JAWS"), QStringLiteral("$PACKAGE"));
        const QRegularExpression started(QStringLiteral("^  \\| Started without the wizard: .*\n"), QRegularExpression::MultilineOption);
        QCOMPARE(dump.count(started), 1);
        dump.remove(started);
        QVERIFY(sameText(dump, dumpPart(golden(result), QStringLiteral("$JAWS"), QStringLiteral("$PACKAGE")), result));
        QVERIFY(output.trimmed().endsWith(QStringLiteral("Installation correctly done.")));
        QVERIFY(output.contains(QStringLiteral("Copying files...")));
        if (arguments.contains(QStringLiteral("$ROOT/log.txt").replace(QStringLiteral("$ROOT"), root.path()))) {
            // This run's lines only, the same as the published report's first.
            QVERIFY(log.contains(QStringLiteral("Started without the wizard: ")));
            QVERIFY(log.contains(QStringLiteral("'QUOR' Braille device selected in ")));
            const QString published = QString::fromLocal8Bit(TextFiles::read(machine.jawsFolder + QStringLiteral("/installLog.txt")));
            QVERIFY(log.startsWith(published.left(published.size() - 1)));
        }
        if (!scenario.uninstalledJawsRecord().isEmpty())
            QVERIFY2(output.contains(QStringLiteral("Passed over: ")), qPrintable(output));
        // One entry, under the name without "/" or ":", the earlier one gone.
        lookAtMachine(machine);
        QVERIFY(!Platform::RegistryKey::openLocalMachine(earlierEntry, Platform::RegistryView::Default).isOpen());
        QCOMPARE(AppsListEntry::registeredKeyNames(), QStringList{ AppsListEntry::keyName(machine.jawsFolder) });
        QVERIFY(!AppsListEntry::keyName(machine.jawsFolder).contains(QLatin1Char('/')) && !AppsListEntry::keyName(machine.jawsFolder).contains(QLatin1Char(':')));
        if (keptVersion == QLatin1String("99.0")) {
            QCOMPARE(TextFiles::read(copiedProgram()), QByteArray("the program of 99.0"));
        } else {
            QCOMPARE(QFileInfo(copiedProgram()).size(), QFileInfo(programInPackage).size());
            QCOMPARE(TextFiles::read(AppsListEntry::copyFolder() + QStringLiteral("/version.txt")), QByteArray(IQO_VERSION));
        }
    }
    if (jawsRunning) {
        QVERIFY(output.contains(QStringLiteral("Closing JAWS...")));
        QCOMPARE(output.count(QStringLiteral("Closing JAWS...")), 1);
        const int expectedStarts = arguments.contains(QStringLiteral("/NoRestart")) ? 1 : 2;
        QVERIFY(QTest::qWaitFor([&] { return TextFiles::read(starts).count('\n') >= expectedStarts; }, 30000));
        // A moment more, to see that no further start comes.
        QTest::qWait(2000);
        QCOMPARE(TextFiles::read(starts).count('\n'), expectedStarts);
        endJawsDoubles();
    }
}

} // namespace UnattendedChecks
