// Whole installations through the program's own wizard, driven with the keyboard, on a machine
// made for each case: what lands on disk and in the reports is compared with hand-checked
// results (tests/fixtures/golden/installation-*.txt), and the last page and the report say what
// really happened.
#include "platform/safefiles.h"
#include "support/appslistchecks.h"
#include "support/fixtures.h"
#include "support/goldentext.h"
#include "support/machinescenario.h"
#include "support/programruns.h"
#include "support/testmachine.h"
#include "support/textfiles.h"

#include "installer/appslistentry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

#ifdef Q_OS_WIN
#include "platform/windowsystem.h"
#endif

using namespace AppsListChecks;
using namespace GoldenText;
using namespace ProgramRuns;
using Scenario = MachineScenario;

class tst_WizardInstallation : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void installs_data();
    void installs();
    void noJawsRowChosen();
    void cancelDuringTheCopy_data();
    void cancelDuringTheCopy();
    void toldTheTruth_data();
    void toldTheTruth();
};

void tst_WizardInstallation::init()
{
    startWithoutEntries();
}

void tst_WizardInstallation::installs_data()
{
    QTest::addColumn<int>("runs");
    QTest::addColumn<QString>("inTheWay"); // a folder where this file of JAWS should be
    QTest::addColumn<bool>("jawsGone");    // listed in the registry, its folder deleted
    QTest::addColumn<bool>("errorSentence");
    QTest::addColumn<QString>("result");
    QTest::addColumn<TestMachine::Jaws>("jaws");
    QTest::addColumn<bool>("packageReadOnly");
    QTest::newRow("one run") << 1 << "" << false << false << "one-run" << TestMachine::Jaws::Version10 << false;
    QTest::newRow("second run after the first") << 2 << "" << false << false << "two-runs" << TestMachine::Jaws::Version10 << false;
    QTest::newRow("a copy fails") << 1 << "QuorOlma.chm" << false << true << "failed-copy" << TestMachine::Jaws::Version10 << false;
    // A display that JAWS does not list cannot be used: an error, and the package stays whole
    // for a second run.
    QTest::newRow("jfw.ini cannot be written") << 1 << "jfw.ini" << false << true << "jfw-ini-blocked" << TestMachine::Jaws::Version10 << false;
    QTest::newRow("the JAWS folder is gone") << 1 << "" << true << true << "jaws-gone" << TestMachine::Jaws::Version10 << false;
    // Without its record a run stopped during the copy would leave files that no removal finds:
    // nothing is copied, nothing configured.
    QTest::newRow("the record cannot be written") << 1 << "Drivers/Braille/quorolma/QuorOlmaRecord.ini" << false << true << "record-blocked"
                                                  << TestMachine::Jaws::Version10 << false;
    QTest::newRow("JAWS 2025") << 1 << "" << false << false << "jaws2025" << TestMachine::Jaws::Version2025 << false;
    // Nothing can be set for this user: said in the report and by the error sentence.
    QTest::newRow("JAWS 2025 never started by this user") << 1 << "" << false << true << "jaws2025-never-started"
                                                         << TestMachine::Jaws::Version2025NeverStarted << false;
#ifndef Q_OS_WIN
    // A read-only share, a CD: the report is kept in memory, published and named on the last
    // page, and what could not be cleaned up stays, which is no error.
    QTest::newRow("package folder that cannot be written") << 1 << "" << false << false << "one-run" << TestMachine::Jaws::Version10 << true;
#endif
}

// JAWS not running: no box, nothing closed or started; every file of the package in place,
// the settings written, the report published, the package's used files gone and the user's
// own files still there.
void tst_WizardInstallation::installs()
{
    QFETCH(int, runs);
    QFETCH(QString, inTheWay);
    QFETCH(bool, jawsGone);
    QFETCH(bool, errorSentence);
    QFETCH(QString, result);
    QFETCH(TestMachine::Jaws, jaws);
    QFETCH(bool, packageReadOnly);
    QTemporaryDir root;
    TestMachine machine(root.path(), jaws);
    QVERIFY(machine.make());
    const QStringList versionFolders = machine.settingsVersionFolders();
    // A folder where the help file should go: its copy cannot succeed.
    if (!inTheWay.isEmpty()) {
        QFile::remove(machine.jawsFolder + QLatin1Char('/') + inTheWay);
        QVERIFY(QDir().mkpath(machine.jawsFolder + QLatin1Char('/') + inTheWay));
    }
    if (jawsGone)
        QVERIFY(QDir(machine.jawsFolder).removeRecursively());
    QMap<QString, QStringList> seen;
    for (int i = 0; i < runs; ++i) {
        QVERIFY(i == 0 || machine.makePackage()); // unpacked again for the second run
        const QString program = machine.addProgram(QStringLiteral("installationprobe"));
        QVERIFY(!program.isEmpty());
        QStringList launcher;
#ifndef Q_OS_WIN
        QVERIFY(!packageReadOnly || makePackageReadOnly(machine, launcher));
#endif
        seen.clear();
        QVERIFY(install(machine, program, {}, seen, launcher));
    }
    QCOMPARE(seen.value("page"), (QStringList{ "1", "2", "3" }));
    QCOMPARE(seen.value("focusInJawsList"), QStringList{ "1" });
    QVERIFY(!seen.contains("box"));
    // Without the JAWS folder the report stays beside the program, and the sentence says so.
    const QString publishedReport = QDir::toNativeSeparators((jawsGone ? machine.packageFolder : machine.jawsFolder)
                                                             + QStringLiteral("/installLog.txt"));
    QCOMPARE(QDir::toNativeSeparators(seen.value("reportPath").value(0)), publishedReport);
    QString sentence = errorSentence
        ? QStringLiteral("Error during installation. Please check the %1 file for details.").arg(publishedReport)
        : QStringLiteral("Installation correctly done.");
    if (packageReadOnly)
        sentence += QStringLiteral(" The installation report is %1.").arg(publishedReport);
    QCOMPARE(seen.value("sentence"), (QStringList{ sentence, "Click Finish to end the installation process." }));
#ifdef Q_OS_WIN
    QVERIFY(publishedReport.endsWith(jawsGone ? QStringLiteral("\\package\\installLog.txt")
                                              : QDir::toNativeSeparators(QDir(machine.jawsFolder).dirName() + QStringLiteral("/installLog.txt"))));
#endif
    if (packageReadOnly) {
        // One run's result in the JAWS folders, its report saying what stayed in the package.
        QString dump = machine.dump();
        // Each with the system's reason: the folder's rights.
        const QRegularExpression stayed(QStringLiteral("^  \\| The package file \\$PACKAGE/(.*) could not be deleted \\((.*)\\): it stays\\.\n"),
                                        QRegularExpression::MultilineOption);
        QStringList names;
        for (const QRegularExpressionMatch &match : stayed.globalMatch(dump)) {
            names << match.captured(1);
            QCOMPARE(match.captured(2), Platform::SafeFiles::errorText(EACCES));
        }
        QCOMPARE(names, (QStringList{ "braille.ini", "korvalis_default.jcf", "list.install", "manual_en.txt", "manual_fr.txt", "QuorOlma.jlb" }));
        dump.remove(stayed).replace(QStringLiteral("  | \n  | \n$JAWS/jfw.ini"), QStringLiteral("  | \n$JAWS/jfw.ini"));
        const QString jawsSide = dump.left(dump.indexOf(QLatin1String("\n$PACKAGE")));
        QVERIFY(sameText(jawsSide, golden(result).left(golden(result).indexOf(QLatin1String("\n$PACKAGE"))), result));
        QVERIFY(!QFileInfo::exists(machine.packageFolder + QStringLiteral("/installLog.txt")));
    } else {
        QVERIFY(sameAsGolden(machine.dump(), result));
    }
    // No settings folder of a version that is not there, nor of one that is.
    QCOMPARE(machine.settingsVersionFolders(), versionFolders);
    lookAtMachine(machine);
    if (jawsGone || result == QLatin1String("record-blocked"))
        QVERIFY(AppsListEntry::registeredKeyNames().isEmpty());
    else
        verifyListed(machine.jawsFolder, jaws == TestMachine::Jaws::Version10 ? QStringLiteral("10.0") : QStringLiteral("2025"));
}

// No row chosen: nothing is started, nothing written, and only Cancel is left.
void tst_WizardInstallation::noJawsRowChosen()
{
    QTemporaryDir root;
    TestMachine machine(root.path());
    QVERIFY(machine.make());
    const QString before = machine.dump();
    const QString program = machine.addProgram(QStringLiteral("installationprobe"));
    QMap<QString, QStringList> seen;
    QVERIFY(install(machine, program, { { "IQO_PROBE_NO_ROW", "1" } }, seen));
    QCOMPARE(seen.value("page"), (QStringList{ "1", "2" }));
    QCOMPARE(seen.value("nextEnabled"), QStringList{ "0" });
    QCOMPARE(seen.value("infoText"), QStringList{ "Installation in progress..." });
    // The report holds its header and nothing after it.
    const QStringList report = QString::fromLocal8Bit(TextFiles::read(machine.packageFolder + QStringLiteral("/installLog.txt")))
                                   .split(QRegularExpression(QStringLiteral("\r?\n")));
    QCOMPARE(report.size(), 6);
    QVERIFY(report.at(2).startsWith(QStringLiteral("Installation ")));
    QVERIFY(report.at(3).startsWith(QStringLiteral("User settings: those of ")));
    QCOMPARE(report.mid(4), (QStringList{ "", "" }));
    // Apart from the report and the program, the machine is as it was.
    QString after = machine.dump();
    after.remove(QRegularExpression(QStringLiteral("\\$PACKAGE/installLog.txt\n(  \\|[^\n]*\n)*")));
    QCOMPARE(after, before);
}

void tst_WizardInstallation::cancelDuringTheCopy_data()
{
    QTest::addColumn<QString>("when");
    QTest::addColumn<bool>("beforeTheStart");
    // The page begins the installation only once it is shown: a Cancel then copies nothing.
    QTest::newRow("as the page is shown") << "start" << true;
    // How far the copy got by then is up to the scheduler; Cancel still comes before the settings.
    QTest::newRow("at the first progress") << "progress" << false;
}

// Cancel while the files are copied: the program ends cleanly, no file is half there, the
// settings are untouched and the report says what happened.
void tst_WizardInstallation::cancelDuringTheCopy()
{
    QFETCH(QString, when);
    QFETCH(bool, beforeTheStart);
    QTemporaryDir root;
    TestMachine machine(root.path());
    QVERIFY(machine.make());
    // Many large files make a copy that lasts long enough to be cancelled.
    QByteArray big(4 * 1024 * 1024, 'x');
    QStringList names;
    for (int i = 0; i < 60; ++i) {
        big[i] = 'y';
        names << QStringLiteral("bulk_%1.chm").arg(i, 2, 10, QLatin1Char('0'));
        QVERIFY(TextFiles::write(machine.packageFolder + QLatin1Char('/') + names.last(), big));
    }
    const QByteArray jcfBefore = TextFiles::read(machine.userSettings + QStringLiteral("/enu/default.jcf"));
    const QString program = machine.addProgram(QStringLiteral("installationprobe"));
    QMap<QString, QStringList> seen;
    QVERIFY(install(machine, program, { { "IQO_PROBE_CANCEL", when } }, seen));
    QCOMPARE(seen.value("page"), (QStringList{ "1", "2" }));
    QVERIFY(seen.contains("cancelAt"));

    const QStringList report = QString::fromLocal8Bit(TextFiles::read(machine.packageFolder + QStringLiteral("/installLog.txt")))
                                   .split(QRegularExpression(QStringLiteral("\r?\n")));
    const int cancelled = report.indexOf(QRegularExpression(QStringLiteral("^ERROR : Installation cancelled by the user\\..*")));
    QVERIFY2(cancelled > 0, qPrintable(report.join('\n')));
    QCOMPARE(report.value(cancelled + 1), QString(QLatin1Char('-')).repeated(79));
    // Each file is there whole or not at all, and the report names exactly those that are.
    int copied = 0;
    for (const QString &name : std::as_const(names)) {
        const QString destination = machine.jawsFolder + QLatin1Char('/') + name;
        const bool inReport = report.contains(QStringLiteral("OK : %1 file successfully copied.").arg(QDir::toNativeSeparators(destination)));
        QCOMPARE(QFileInfo::exists(destination), inReport);
        if (inReport) {
            QCOMPARE(TextFiles::read(destination), TextFiles::read(machine.packageFolder + QLatin1Char('/') + name));
            ++copied;
        }
    }
    qInfo("%d of %d large files copied before the cancel took effect", copied, int(names.size()));
    if (beforeTheStart)
        QCOMPARE(copied, 0);
    QCOMPARE(QDir(machine.jawsFolder).entryList({ QStringLiteral("*.tmp"), QStringLiteral("*~*"), QStringLiteral(".*") },
                                                QDir::Files | QDir::Hidden | QDir::System),
             QStringList());
    // Nothing was configured, and the package is whole: a second run can finish the job.
    QCOMPARE(TextFiles::read(machine.userSettings + QStringLiteral("/enu/default.jcf")), jcfBefore);
    QVERIFY(!QFileInfo::exists(machine.jawsFolder + QStringLiteral("/installLog.txt")));
    QVERIFY(QFileInfo::exists(machine.packageFolder + QStringLiteral("/list.install")));
    QVERIFY(QFileInfo::exists(machine.packageFolder + QStringLiteral("/QuorOlma.jlb")));
}

void tst_WizardInstallation::toldTheTruth_data()
{
    QTest::addColumn<Scenario>("scenario");   // how the machine differs from a good one
    QTest::addColumn<QString>("keys");        // pressed while JAWS is being closed
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<bool>("installed");      // the driver and its settings reached JAWS
    QTest::addColumn<QString>("reportLine");  // a line of this run's report, as a pattern

    const QStringList wholeRun{ "1", "2", "3" };
    QTest::newRow("started again from the cleaned package folder")
        << Scenario().sameCommandRunBefore() << "" << wholeRun << false << "^ERROR : .*list\\.install is missing from the installation package: nothing was installed\\.$";
    QTest::newRow("package without the driver")
        << Scenario().packageMissing("QuorOlma.jlb") << "" << wholeRun << false << "^ERROR : .*QuorOlma\\.jlb is missing from the installation package: nothing was installed\\.$";
    QTest::newRow("driver's braille.ini without the chosen display")
        << Scenario().packageFile("braille.ini", "[Korvalis Olma (1.71 et plus r\xe9" "cent)]\r\nPort=COM1\r\n") << "" << wholeRun << false << "^ERROR : .*braille\\.ini of the installation package has no \\[Korvalis Quor\\] section.*$";
    QTest::newRow("driver's braille.ini sections in another order")
        << Scenario().packageFile("braille.ini", "[Korvalis Quor]\r\nPort=USB\r\n[Korvalis Olma (1.71 et plus r\xe9" "cent)]\r\nPort=COM1\r\n")
        << "" << wholeRun << true << "^'QUOR' Braille device selected in .*$";
    // The driver is copied, but JAWS's display list cannot take it: not a success.
    QTest::newRow("JAWS's braille.ini read-only")
        << Scenario().jawsFileReadOnly("braille.ini") << "" << wholeRun << true << "^Error while merging 'Korvalis Quor' section of .*braille\\.ini\\.$";
    // What an error leaves of the package is enough for the run that follows its mending.
    QTest::newRow("run again after an error was mended")
        << Scenario().runBeforeWhileJawsFileReadOnly("braille.ini") << "" << wholeRun << true << "^'QUOR' Braille device selected in .*$";
    QTest::newRow("registry record with an empty Target")
        << Scenario().withRegistryTarget("") << "" << wholeRun << false << "^ERROR : Jaws folder  or installation folder .* not found: no file was copied\\.$";
    QTest::newRow("registry record with a Target of a lone backslash")
        << Scenario().withRegistryTarget("\\") << "" << wholeRun << false << "^ERROR : Jaws folder .* not found: no file was copied\\.$";
#ifdef Q_OS_WIN
    // The double keeps its braille window for seconds after its main window went: the close
    // protocol waits for it and lets events run meanwhile, when these keys arrive.
    QTest::newRow("JAWS running: closed, then started again")
        << Scenario().jawsRunning() << "" << wholeRun << true << "^'QUOR' Braille device selected in .*$";
    QTest::newRow("Enter twice while JAWS is being closed")
        << Scenario().jawsRunning() << "Return,Return" << wholeRun << true << "^'QUOR' Braille device selected in .*$";
    QTest::newRow("Escape while JAWS is being closed")
        << Scenario().jawsRunning() << "Escape" << QStringList{ "1", "2" } << false << "^ERROR : Installation cancelled by the user\\..*$";
#endif
}

// Each run ends with a last page, and a report, that say what really happened: no setting of
// the user's changes unless the driver was installed, and an error sentence whenever it was not.
void tst_WizardInstallation::toldTheTruth()
{
    QFETCH(Scenario, scenario);
    QFETCH(QString, keys);
    QFETCH(QStringList, pages);
    QFETCH(bool, installed);
    QFETCH(QString, reportLine);
    const bool jawsRunning = scenario.isJawsRunning();
    QTemporaryDir root;
    TestMachine machine(root.path());
    if (scenario.registryTarget())
        machine.registryTarget = *scenario.registryTarget();
    QVERIFY(machine.make(jawsRunning ? QStringLiteral("jawsdouble") : QString()));
    QString program = machine.addProgram(QStringLiteral("installationprobe"));
    QMap<QString, QStringList> seen;
    if (!scenario.readOnlyJawsFileInRunBefore().isEmpty()) {
        const QString brailleIni = machine.jawsFolder + QLatin1Char('/') + scenario.readOnlyJawsFileInRunBefore();
        const QFileDevice::Permissions writable = QFile::permissions(brailleIni);
        QVERIFY(QFile::setPermissions(brailleIni, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
        QVERIFY(install(machine, program, {}, seen));
        QVERIFY(seen.value("sentence").value(0).startsWith(QStringLiteral("Error during installation.")));
        QVERIFY(QFile::setPermissions(brailleIni, writable));
    } else if (scenario.isSameCommandRunBefore()) {
        QVERIFY(install(machine, program, {}, seen));
        QCOMPARE(seen.value("sentence").value(0), QStringLiteral("Installation correctly done."));
    }
    for (const QString &missing : scenario.missingPackageFiles())
        QVERIFY(QFile::remove(machine.packageFolder + QLatin1Char('/') + missing));
    for (const auto &[file, content] : scenario.changedPackageFiles())
        QVERIFY(TextFiles::write(machine.packageFolder + QLatin1Char('/') + file, content));
    for (const QString &readOnly : scenario.readOnlyJawsFiles())
        QVERIFY(QFile::setPermissions(machine.jawsFolder + QLatin1Char('/') + readOnly, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    const QString jfw = machine.jawsFolder + QStringLiteral("/JFW.EXE");
    const QString starts = machine.jawsFolder + QStringLiteral("/jawsdouble.log");
    auto jawsWindow = [] {
#ifdef Q_OS_WIN
        return Platform::windowSystem().findWindow(QStringLiteral("JFWUI2"), QStringLiteral("JAWS")) != 0;
#else
        return false;
#endif
    };
    auto waitFor = [](const std::function<bool()> &condition) {
        QElapsedTimer timer;
        timer.start();
        while (!condition() && timer.elapsed() < 30000)
            QTest::qWait(100);
        return condition();
    };
    if (jawsRunning) {
        endJawsDoubles();
        QVERIFY(QProcess::startDetached(jfw, { QStringLiteral("--keep-braille"), QStringLiteral("3000") }));
        QVERIFY(waitFor(jawsWindow));
    }
    // Everything of JAWS's and of its settings, as the user had it.
    auto settingsState = [&machine] {
        const QString all = machine.dump();
        return all.left(all.indexOf(QLatin1String("\n$PACKAGE")));
    };
    const QString before = settingsState();

    seen.clear();
    QVERIFY(install(machine, program, keys.isEmpty() ? QMap<QString, QString>() : QMap<QString, QString>{ { "IQO_PROBE_KEYS", keys } }, seen));
    for (auto printed = seen.cbegin(); printed != seen.cend(); ++printed)
        qInfo("%s=%s", qPrintable(printed.key()), qPrintable(printed.value().join(QLatin1Char('|'))));

    QCOMPARE(seen.value("page"), pages);
    const QString ownReport = machine.packageFolder + QStringLiteral("/installLog.txt");
    QStringList report = QString::fromLocal8Bit(TextFiles::read(ownReport)).split(QRegularExpression(QStringLiteral("\r?\n")));
    // This run's block only: an earlier run from the same folder wrote its own before it.
    report = report.mid(report.lastIndexOf(QRegularExpression(QStringLiteral("^Installation .*\\d\\d:\\d\\d"))));
    qInfo("this run's report:\n%s", qPrintable(report.join(QLatin1Char('\n'))));
    QVERIFY2(report.indexOf(QRegularExpression(reportLine)) >= 0, qPrintable(report.join(QLatin1Char('\n'))));
    // Installed with an error: the report's ERROR line and the last page agree.
    const bool errorSentence = !installed || !scenario.readOnlyJawsFiles().isEmpty();
    if (pages.size() == 3) {
        const QString sentence = !errorSentence ? QStringLiteral("Installation correctly done.")
                                           : QStringLiteral("Error during installation. Please check the %1 file for details.")
                                                 .arg(QDir::toNativeSeparators(seen.value("reportPath").value(0)));
        QCOMPARE(seen.value("sentence").value(0), sentence);
    }
    if (scenario.readOnlyJawsFiles().contains(QStringLiteral("braille.ini")))
        QCOMPARE(TextFiles::read(machine.jawsFolder + QStringLiteral("/braille.ini")), QByteArray("[Focus 40 Blue]\r\nPort=USB\r\n"));
    if (installed) {
        const QByteArray jcf = TextFiles::read(machine.userSettings + QStringLiteral("/enu/default.jcf"));
        QVERIFY2(jcf.contains("BrailleDisplay=QUOR\r\n"), jcf.constData());
        QCOMPARE(TextFiles::read(machine.jawsFolder + QStringLiteral("/Drivers/Braille/quorolma/QuorOlma.jlb")),
                 Fixtures::read(QStringLiteral("pe/driver.dll")));
    } else {
        QCOMPARE(settingsState(), before);
    }
    // Every key came while JAWS was still closing (its braille window stays three seconds).
    if (!keys.isEmpty())
        QCOMPARE(seen.value("jawsWindowsAtKey"), QStringList(keys.count(QLatin1Char(',')) + 1, QStringLiteral("1")));
    if (jawsRunning) {
        QCOMPARE(seen.value("box"), QStringList{ "Warning|Jaws will be closed while copying files. It will be automatically restarted." });
        QCOMPARE(seen.value("jawsRunningAtBox"), QStringList{ "1" });
        // Started twice from the chosen folder: by the test, then by the installation, which
        // gives JAWS back whether or not it installed anything.
        QVERIFY(waitFor([&] { return TextFiles::read(starts).count('\n') >= 2; }));
        QCOMPARE(TextFiles::read(starts).count('\n'), 2);
        QVERIFY(waitFor(jawsWindow));
        endJawsDoubles();
    }
}

QTEST_GUILESS_MAIN(tst_WizardInstallation)
#include "tst_wizardinstallation.moc"
