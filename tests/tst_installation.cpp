// Whole installations through the program's own wizard, driven with the keyboard, on a machine
// made for each case: what lands on disk and in the reports is compared with hand-checked
// results (tests/fixtures/golden/installation-*.txt).
#include "support/fixtures.h"
#include "support/links.h"
#include "support/testmachine.h"
#include "support/textfiles.h"

#include "installer/appslistentry.h"
#include "jaws/jaws.h"
#include "platform/folderremoval.h"
#include "platform/machinelock.h"
#include "platform/registry.h"
#include "platform/safefiles.h"
#include "paths/windowspath.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#ifdef Q_OS_WIN
#include "platform/windowsystem.h"

#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// Starts the program laid into the machine's package folder, as a user would, and waits for it.
// With `launcher`, through that command (its arguments, then the program).
bool install(const TestMachine &machine, const QString &program, const QMap<QString, QString> &settings,
             QMap<QString, QStringList> &seen, const QStringList &launcher = {})
{
    QProcessEnvironment environment = machine.environment();
    for (auto setting = settings.cbegin(); setting != settings.cend(); ++setting)
        environment.insert(setting.key(), setting.value());
    if (!launcher.isEmpty())
        return Fixtures::runProbe(launcher.constFirst(), environment, machine.root, seen, 240000, launcher.mid(1) + QStringList{ program });
    return Fixtures::runProbe(program, environment, machine.root, seen);
}

#ifndef Q_OS_WIN
// Makes the package folder one that the program cannot write, and gives the command that runs
// it so: as this account when it is not root's (root writes anything), else as nobody, who then
// owns the rest of the machine.
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

// Ends every JAWS double of the session, the ones the installation started again included, so
// that the next case meets only its own.
void endJawsDoubles()
{
#ifdef Q_OS_WIN
    QProcess::execute(QStringLiteral("taskkill"), { QStringLiteral("/F"), QStringLiteral("/IM"), QStringLiteral("JFW.EXE") });
    QTest::qWaitFor([] { return !Platform::windowSystem().findWindow(QStringLiteral("JFWUI2"), QStringLiteral("JAWS")); }, 20000);
#endif
}

// What the system says when a file is to take the name of a folder: asked of it, as the copy
// asks it, since each system words it its own way.
QString folderInTheWayReason()
{
    QTemporaryDir scratch;
    const QString file = scratch.filePath(QStringLiteral("file"));
    const QString folder = scratch.filePath(QStringLiteral("folder"));
    if (!TextFiles::write(file, "x") || !QDir().mkdir(folder))
        return QStringLiteral("<no scratch folder>");
    return Platform::SafeFiles::rename(file, folder).reason();
}

QString golden(const QString &name)
{
    return QString::fromUtf8(Fixtures::read(QStringLiteral("golden/installation-") + name + QStringLiteral(".txt")))
        .replace(QStringLiteral("$FOLDER_IN_THE_WAY"), folderInTheWayReason());
}

// Compares line by line, so that a difference is shown where it is.
bool sameText(const QString &actual, const QString &expectedText, const QString &name)
{
    const QStringList expected = expectedText.split(QLatin1Char('\n'));
    const QStringList lines = actual.split(QLatin1Char('\n'));
    for (int i = 0; i < qMax(expected.size(), lines.size()); ++i) {
        if (expected.value(i) != lines.value(i)) {
            qWarning("%s, line %d:\n  expected: %s\n  actual:   %s\n--- whole result:\n%s", qPrintable(name), i + 1,
                     qPrintable(expected.value(i)), qPrintable(lines.value(i)), qPrintable(actual));
            return false;
        }
    }
    return true;
}

bool sameAsGolden(const QString &actual, const QString &name)
{
    // IQO_GOLDEN_OUTPUT=folder keeps each result there, to be read line by line before it
    // replaces an expected result.
    if (qEnvironmentVariableIsSet("IQO_GOLDEN_OUTPUT"))
        TextFiles::write(qEnvironmentVariable("IQO_GOLDEN_OUTPUT") + QStringLiteral("/installation-") + name + QStringLiteral(".txt"), actual.toUtf8());
    return sameText(actual, golden(name), name);
}

// The stand-in reads the registry and Program Files of the machine the program ran on; under Wine
// the test shares the prefix's.
void lookAtMachine(const TestMachine &machine)
{
    qputenv("QUOROLMA_SYSTEM_ROOT", QFile::encodeName(machine.root));
}

QByteArray appsListValue(const QString &jawsFolder, const QString &name)
{
    const auto key = Platform::RegistryKey::openLocalMachine(AppsListEntry::uninstallKeyPath() + QLatin1Char('\\') + AppsListEntry::keyName(jawsFolder),
                                                             Platform::RegistryView::Default);
    QByteArray data;
    return key.queryValue(name, &data, 4096) ? data : QByteArray("<none>");
}

QString appsListString(const QString &jawsFolder, const QString &name)
{
    const QByteArray data = appsListValue(jawsFolder, name);
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(data.constData()), data.size() / 2).chopped(1);
}

quint32 appsListNumber(const QString &jawsFolder, const QString &name)
{
    const QByteArray data = appsListValue(jawsFolder, name);
    return data.size() == 4 ? qFromLittleEndian<quint32>(data.constData()) : 0xFFFFFFFF;
}

QString copiedProgram()
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(AppsListEntry::copyFolder() + QStringLiteral("/InstallQuorOlma.exe"));
#else
    return QDir::toNativeSeparators(AppsListEntry::copyFolder() + QStringLiteral("/InstallQuorOlma"));
#endif
}

// The JAWS installation has its entry in the list of apps, which removes it with the program's
// copy, there in Program Files.
void verifyListed(const QString &jawsFolder, const QString &jawsName)
{
    QVERIFY(AppsListEntry::isRegistered(jawsFolder));
    QCOMPARE(appsListString(jawsFolder, QStringLiteral("DisplayName")), QStringLiteral("QuorOlma braille driver for JAWS ") + jawsName);
    QCOMPARE(appsListString(jawsFolder, QStringLiteral("DisplayVersion")), QStringLiteral("2.1.0.7"));
    QCOMPARE(appsListString(jawsFolder, QStringLiteral("Publisher")), QStringLiteral("Korvalis"));
    const QString jaws = QDir::toNativeSeparators(QDir::cleanPath(jawsFolder));
    QCOMPARE(appsListString(jawsFolder, QStringLiteral("InstallLocation")), QDir::toNativeSeparators(jaws + QStringLiteral("/Drivers/Braille/quorolma")));
    const QString uninstall = QStringLiteral("\"%1\" /remove /jaws \"%2\"").arg(copiedProgram(), jaws);
    QCOMPARE(appsListString(jawsFolder, QStringLiteral("UninstallString")), uninstall);
    QCOMPARE(appsListString(jawsFolder, QStringLiteral("QuietUninstallString")), uninstall + QStringLiteral(" /unattended"));
    QCOMPARE(appsListNumber(jawsFolder, QStringLiteral("NoModify")), 1u);
    QCOMPARE(appsListNumber(jawsFolder, QStringLiteral("NoRepair")), 1u);
    const quint32 size = appsListNumber(jawsFolder, QStringLiteral("EstimatedSize"));
    QVERIFY2(size > 0 && size < 1024 * 1024, qPrintable(QString::number(size)));
    QVERIFY(QFileInfo(copiedProgram()).size() > 0);
    QCOMPARE(TextFiles::read(AppsListEntry::copyFolder() + QStringLiteral("/version.txt")), QByteArray(IQO_VERSION));
}

} // namespace

class tst_Installation : public QObject
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
    void unattended_data();
    void unattended();
    void removalWizard_data();
    void removalWizard();
    void interactiveUser_data();
    void interactiveUser();
    void hostileFiles_data();
    void hostileFiles();
    void recordAsInput_data();
    void recordAsInput();
    void runningCopyRemoved_data();
    void runningCopyRemoved();
};

// Under Wine every case of the program meets the same registry and Program Files: each starts
// with no entry and no copy, as each native case does on its own machine.
void tst_Installation::init()
{
#ifdef Q_OS_WIN
    for (const QString &name : AppsListEntry::registeredKeyNames())
        QVERIFY(Platform::RegistryKey::deleteLocalMachineKey(AppsListEntry::uninstallKeyPath() + QLatin1Char('\\') + name, Platform::RegistryView::Default));
    QVERIFY(Platform::removeFolderInUse(AppsListEntry::copyFolder()));
#endif
}

void tst_Installation::installs_data()
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
void tst_Installation::installs()
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
void tst_Installation::noJawsRowChosen()
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

void tst_Installation::cancelDuringTheCopy_data()
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
void tst_Installation::cancelDuringTheCopy()
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

void tst_Installation::toldTheTruth_data()
{
    QTest::addColumn<QString>("state");       // how the machine differs from a good one
    QTest::addColumn<QString>("keys");        // pressed while JAWS is being closed
    QTest::addColumn<bool>("jawsRunning");    // the JAWS double runs as JFW.EXE
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<bool>("installed");      // the driver and its settings reached JAWS
    QTest::addColumn<QString>("reportLine");  // a line of this run's report, as a pattern

    const QStringList wholeRun{ "1", "2", "3" };
    QTest::newRow("started again from the cleaned package folder")
        << "second run" << "" << false << wholeRun << false << "^ERROR : .*list\\.install is missing from the installation package: nothing was installed\\.$";
    QTest::newRow("package without the driver")
        << "no driver" << "" << false << wholeRun << false << "^ERROR : .*QuorOlma\\.jlb is missing from the installation package: nothing was installed\\.$";
    QTest::newRow("driver's braille.ini without the chosen display")
        << "no Quor section" << "" << false << wholeRun << false << "^ERROR : .*braille\\.ini of the installation package has no \\[Korvalis Quor\\] section.*$";
    QTest::newRow("driver's braille.ini sections in another order")
        << "sections swapped" << "" << false << wholeRun << true << "^'QUOR' Braille device selected in .*$";
    // The driver is copied, but JAWS's display list cannot take it: not a success.
    QTest::newRow("JAWS's braille.ini read-only")
        << "braille.ini read-only" << "" << false << wholeRun << true << "^Error while merging 'Korvalis Quor' section of .*braille\\.ini\\.$";
    // What an error leaves of the package is enough for the run that follows its mending.
    QTest::newRow("run again after an error was mended")
        << "second run after an error" << "" << false << wholeRun << true << "^'QUOR' Braille device selected in .*$";
    QTest::newRow("registry record with an empty Target")
        << "empty target" << "" << false << wholeRun << false << "^ERROR : Jaws folder  or installation folder .* not found: no file was copied\\.$";
    QTest::newRow("registry record with a Target of a lone backslash")
        << "backslash target" << "" << false << wholeRun << false << "^ERROR : Jaws folder .* not found: no file was copied\\.$";
#ifdef Q_OS_WIN
    // The double keeps its braille window for seconds after its main window went: the close
    // protocol waits for it and lets events run meanwhile, when these keys arrive.
    QTest::newRow("JAWS running: closed, then started again")
        << "" << "" << true << wholeRun << true << "^'QUOR' Braille device selected in .*$";
    QTest::newRow("Enter twice while JAWS is being closed")
        << "" << "Return,Return" << true << wholeRun << true << "^'QUOR' Braille device selected in .*$";
    QTest::newRow("Escape while JAWS is being closed")
        << "" << "Escape" << true << QStringList{ "1", "2" } << false << "^ERROR : Installation cancelled by the user\\..*$";
#endif
}

// Each run ends with a last page, and a report, that say what really happened: no setting of
// the user's changes unless the driver was installed, and an error sentence whenever it was not.
void tst_Installation::toldTheTruth()
{
    QFETCH(QString, state);
    QFETCH(QString, keys);
    QFETCH(bool, jawsRunning);
    QFETCH(QStringList, pages);
    QFETCH(bool, installed);
    QFETCH(QString, reportLine);
    QTemporaryDir root;
    TestMachine machine(root.path());
    if (state == QLatin1String("empty target"))
        machine.registryTarget = QStringLiteral("");
    else if (state == QLatin1String("backslash target"))
        machine.registryTarget = QStringLiteral("\\");
    QVERIFY(machine.make(jawsRunning ? QStringLiteral("jawsdouble") : QString()));
    QString program = machine.addProgram(QStringLiteral("installationprobe"));
    QMap<QString, QStringList> seen;
    if (state == QLatin1String("second run after an error")) {
        const QString brailleIni = machine.jawsFolder + QStringLiteral("/braille.ini");
        const QFileDevice::Permissions writable = QFile::permissions(brailleIni);
        QVERIFY(QFile::setPermissions(brailleIni, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
        QVERIFY(install(machine, program, {}, seen));
        QVERIFY(seen.value("sentence").value(0).startsWith(QStringLiteral("Error during installation.")));
        QVERIFY(QFile::setPermissions(brailleIni, writable));
    } else if (state == QLatin1String("second run")) {
        QVERIFY(install(machine, program, {}, seen));
        QCOMPARE(seen.value("sentence").value(0), QStringLiteral("Installation correctly done."));
    } else if (state == QLatin1String("no driver")) {
        QVERIFY(QFile::remove(machine.packageFolder + QStringLiteral("/QuorOlma.jlb")));
    } else if (state == QLatin1String("no Quor section")) {
        QVERIFY(TextFiles::write(machine.packageFolder + QStringLiteral("/braille.ini"), "[Korvalis Olma (1.71 et plus r\xe9" "cent)]\r\nPort=COM1\r\n"));
    } else if (state == QLatin1String("braille.ini read-only")) {
        QVERIFY(QFile::setPermissions(machine.jawsFolder + QStringLiteral("/braille.ini"), QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    } else if (state == QLatin1String("sections swapped")) {
        QVERIFY(TextFiles::write(machine.packageFolder + QStringLiteral("/braille.ini"),
                                 "[Korvalis Quor]\r\nPort=USB\r\n[Korvalis Olma (1.71 et plus r\xe9" "cent)]\r\nPort=COM1\r\n"));
    }
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
    const bool errorSentence = !installed || state == QLatin1String("braille.ini read-only");
    if (pages.size() == 3) {
        const QString sentence = !errorSentence ? QStringLiteral("Installation correctly done.")
                                           : QStringLiteral("Error during installation. Please check the %1 file for details.")
                                                 .arg(QDir::toNativeSeparators(seen.value("reportPath").value(0)));
        QCOMPARE(seen.value("sentence").value(0), sentence);
    }
    if (state == QLatin1String("braille.ini read-only"))
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

void tst_Installation::unattended_data()
{
    if (qEnvironmentVariableIsSet("IQO_SKIP_UNATTENDED"))
        QSKIP("run on its own, as tst_installation_unattended");
    QTest::addColumn<QStringList>("arguments"); // $JAWS: the JAWS folder as the user might write it
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("jawsRunning");
    QTest::addColumn<int>("exitCode");
    // The wizard's golden result the JAWS side must equal; "untouched"; "all"; "cancelled"; or a
    // line of the report (--log), as a pattern.
    QTest::addColumn<QString>("result");

    const QStringList named{ "--unattended", "--jaws", "$JAWS", "--display", "QUOR" };
    const QStringList all{ "--unattended", "--jaws", "all", "--display", "QUOR", "--log", "$ROOT/log.txt" };
    QTest::newRow("into a named folder") << named << "" << false << 0 << "one-run";
    QTest::newRow("into the latest, with a log") << QStringList{ "--unattended", "--display", "quor", "--jaws", "latest", "--log", "$ROOT/log.txt" }
                                               << "" << false << 0 << "one-run";
    // A deployment share: the first machine's run leaves the package whole for the next.
    QTest::newRow("two machines from one folder") << named << "second machine" << false << 0 << "one-run";
#ifndef Q_OS_WIN
    QTest::newRow("a package folder that cannot be written") << (named + QStringList{ "--log", "$ROOT/log.txt" }) << "read-only" << false << 0 << "one-run";
#endif
    QTest::newRow("latest beside the record of an uninstalled JAWS") << QStringList{ "--unattended", "--jaws", "latest", "--display", "QUOR" }
                                                                    << "stale record" << false << 0 << "one-run";
    // The program's copy of an older program is refreshed; a newer program's is kept.
    QTest::newRow("over an older program's copy") << named << "copy 0.1" << false << 0 << "one-run";
    QTest::newRow("beside a newer program's copy") << named << "copy 99.0" << false << 0 << "one-run";
    QTest::newRow("all of three installations") << all << "three installations" << false << 0 << "all";
    QTest::newRow("all, a second time") << all << "three installations, done" << false << 0 << "all";
    // A repair run that finds nothing to do writes nothing, however often it runs: JAWS 5, whose
    // display is named by a slot, is set up afresh each time.
    QTest::newRow("all on JAWS 5, again and again") << QStringList{ "--unattended", "--jaws", "all", "--display", "QUOR" } << "JAWS 5, done"
                                                    << false << 0 << "unchanged";
    // JAWS's folders hold "jfw.exe" in lower case, as today's JAWS ships it: found as Windows finds it.
    QTest::newRow("all, jfw.exe in lower case") << all << "three installations, lower case" << false << 0 << "all";
    QTest::newRow("latest, jfw.exe in lower case") << QStringList{ "--unattended", "--jaws", "latest", "--display", "QUOR" }
                                                   << "three installations, lower case" << false << 0 << "latest:JAWS18.0";
    // The entry an earlier program wrote under the folder's own name (with "/" and ":") is replaced.
    QTest::newRow("over an entry of the earlier name") << named << "earlier entry" << false << 0 << "one-run";
    QTest::newRow("Windows-style switches") << QStringList{ "/UNATTENDED", "/Jaws", "latest", "/display", "quor", "/LOG", "$ROOT/log.txt" }
                                            << "" << false << 0 << "one-run";
    QTest::newRow("help, Windows-style") << QStringList{ "/?" } << "" << false << 0 << "prints:--unattended --jaws latest --display QUOR";
    QTest::newRow("unknown option") << (named + QStringList{ "--silent" }) << "" << false << 2 << "untouched";
    QTest::newRow("mistyped --unattended") << QStringList{ "--unatended", "--jaws", "latest", "--display", "QUOR" } << "" << false << 2 << "untouched";
    QTest::newRow("mistyped /unattended") << QStringList{ "/unatended", "/jaws", "latest", "/display", "QUOR" } << "" << false << 2 << "untouched";
    QTest::newRow("a stray word, no window") << QStringList{ "install" } << "" << false << 2 << "untouched";
    QTest::newRow("missing value") << QStringList{ "--unattended", "--display", "QUOR", "--jaws" } << "" << false << 2 << "untouched";
    QTest::newRow("unknown display") << QStringList{ "--unattended", "--jaws", "$JAWS", "--display", "FOCUS" } << "" << false << 2 << "untouched";
    QTest::newRow("two JAWS folders") << (named + QStringList{ "--jaws", "latest" }) << "" << false << 2 << "untouched";
    QTest::newRow("no display") << QStringList{ "--unattended", "--jaws", "latest" } << "" << false << 2 << "untouched";
    QTest::newRow("options without --unattended") << QStringList{ "--jaws", "latest", "--display", "QUOR" } << "" << false << 2 << "untouched";
    QTest::newRow("every user without --unattended") << QStringList{ "--all-users" } << "" << false << 2 << "untouched";
    QTest::newRow("--msi without --unattended") << QStringList{ "--msi", "--remove", "--jaws", "$JAWS" } << "" << false << 2 << "untouched";
    // Run by the Windows Installer package: its entry stands for the driver, its files for the
    // program's copy; an entry of the program's own gives way to it.
    QTest::newRow("under the Windows Installer package") << (named + QStringList{ "--msi" }) << "" << false << 0 << "package's entry";
    QTest::newRow("under the package, over the program's own entry") << (named + QStringList{ "/MSI" }) << "own entry" << false << 0
                                                                       << "package's entry";
    // Scripts read these from the program's standard output, on Windows too, where it has no
    // console of its own.
    QTest::newRow("help") << QStringList{ "--help" } << "" << false << 0 << "prints:--unattended --jaws latest --display QUOR";
    QTest::newRow("version") << QStringList{ "--version" } << "" << false << 0 << QStringLiteral("prints:InstallQuorOlma " IQO_VERSION);
    QTest::newRow("not a listed installation") << QStringList{ "--unattended", "--jaws", "$ROOT/Program Files/JAWS11", "--display", "QUOR" }
                                             << "" << false << 3 << "untouched";
    QTest::newRow("incomplete package") << (named + QStringList{ "--log", "$ROOT/log.txt" }) << "no driver" << false << 4
                                        << "^ERROR : .*QuorOlma\\.jlb is missing from the installation package: nothing was installed\\.$";
#ifndef Q_OS_WIN
    QTest::newRow("interrupted during the copy") << (named + QStringList{ "--log", "$ROOT/log.txt" }) << "interrupt" << false << 6 << "cancelled";
    QTest::newRow("terminated during the copy") << (named + QStringList{ "--log", "$ROOT/log.txt" }) << "terminate" << false << 6 << "cancelled";
    // The user's settings file held by another program for as long as the test likes: the
    // configuration's read blocks, and only the interrupt's deadline ends the run.
    QTest::newRow("terminated while a settings file is held") << (named + QStringList{ "--log", "$ROOT/log.txt" }) << "terminate, settings held"
                                                              << false << 6 << "cancelled";
#endif
    // Installed first (then changed as the state says), then removed: "removed" compares the
    // machine with the one before the first installation.
    const QStringList removal{ "--unattended", "--remove", "--jaws", "$JAWS" };
    QTest::newRow("remove, Windows-style, with a log") << QStringList{ "/Unattended", "/Remove", "/jaws", "$JAWS", "/log", "$ROOT/log.txt" }
                                                       << "removal" << false << 0 << "removed";
    QTest::newRow("remove twice") << removal << "removal, twice" << false << 0 << "removed";
    QTest::newRow("remove: a value the user changed stays") << removal << "removal, user change" << false << 0 << "removed";
    QTest::newRow("remove: a display the user added since keeps a valid slot") << removal << "removal, user display" << false << 0 << "removed";
    QTest::newRow("remove after two installations") << removal << "removal, installed twice" << false << 0 << "removed";
    QTest::newRow("remove from JAWS 2025") << removal << "removal, JAWS 2025" << false << 0 << "removed";
    QTest::newRow("remove from JAWS 5, installed twice") << removal << "removal, JAWS 5, installed twice" << false << 0 << "removed";
    // Installed; then the user sets values of their own and a JAWS update rewrites jfw.ini (a value
    // of its own, the driver's displays gone); installed again: what they did stays.
    QTest::newRow("remove: changes between two installations stay, display switched")
        << removal << "removal, changed between, display switched" << false << 0 << "removed";
    QTest::newRow("remove: changes between two installations stay, repair run")
        << removal << "removal, changed between, repaired" << false << 0 << "removed";
    // The display the user chose between two installations is the one the removal brings back.
    QTest::newRow("remove: the display chosen between two installations comes back")
        << removal << "removal, display chosen between" << false << 0 << "removed";
    // An installation killed as it enters a state (a child that stops there, not a timer), over an
    // older help file of the driver's name: the removal takes away what it put there, puts back
    // what it replaced, and says that the run never finished.
    QTest::newRow("remove after an installation killed before its copy")
        << removal << "removal, killed at Copying" << false << 0 << "removed";
    QTest::newRow("remove after an installation killed between its copy and its commit")
        << removal << "removal, killed at Configuring" << false << 0 << "removed";
    QTest::newRow("remove with a display") << (removal + QStringList{ "--display", "QUOR" }) << "" << false << 2 << "untouched";
    QTest::newRow("remove under the Windows Installer package") << (removal + QStringList{ "--msi" }) << "removal" << false << 0 << "removed";
    // JAWS uninstalled before the driver: its entry in the list of apps and the program's copy are
    // what is left, and they go; also once JAWS's own registry record is gone.
#ifndef Q_OS_WIN
    // Stopped between two files: each whole, the record kept, and a second removal finishes.
    QTest::newRow("remove, terminated while removing") << removal << "removal, interrupted" << false << 6 << "removal interrupted";
#endif
    QTest::newRow("remove after JAWS was uninstalled") << removal << "removal, JAWS gone" << false << 0 << "gone";
    QTest::newRow("remove after JAWS and its record were uninstalled") << removal << "removal, JAWS and its record gone" << false << 0 << "gone";
    // Windows reads "JAWS10." as the folder "JAWS10".
    QTest::newRow("remove, the folder with a trailing dot") << QStringList{ "--unattended", "--remove", "--jaws", "$ROOT/Program Files/JAWS10. " } << "removal" << false << 0 << "removed";
    // A report replaces nothing but a plain file of its own.
    QTest::newRow("--log naming a folder") << (named + QStringList{ "--log", "$ROOT" }) << "" << false << 2 << "untouched";
    QTest::newRow("--log inside the JAWS folder") << (named + QStringList{ "--log", "$JAWSQuorOlmaRecord.ini" }) << "" << false << 2 << "untouched";
    QTest::newRow("--log inside the JAWS folder, removing") << (removal + QStringList{ "--log", "$JAWSinstallLog.txt" }) << "" << false << 2 << "untouched";
#ifndef Q_OS_WIN
    QTest::newRow("--log naming a link") << (named + QStringList{ "--log", "$ROOT/log.txt" }) << "log link" << false << 2 << "untouched";
#endif
    // Another run holds the machine: Windows Installer's code, which deployment tools retry (a
    // process status keeps its low 8 bits natively).
#ifdef Q_OS_WIN
    QTest::newRow("another run holds the machine") << named << "locked" << false << 1618 << "untouched";
    QTest::newRow("another run holds the machine, removing") << removal << "locked" << false << 1618 << "untouched";
#else
    QTest::newRow("another run holds the machine") << named << "locked" << false << (1618 & 0xff) << "untouched";
    QTest::newRow("another run holds the machine, removing") << removal << "locked" << false << (1618 & 0xff) << "untouched";
#endif
    // A log that cannot be written is a remark of the run, which installed.
    QTest::newRow("--log that cannot be written") << (named + QStringList{ "--log", "$ROOT/no such folder/log.txt" }) << "" << false << 0 << "log note";
#ifdef Q_OS_WIN
    QTest::newRow("remove, JAWS running: closed and started again") << removal << "removal" << true << 0 << "removed";
    QTest::newRow("JAWS running: closed and started again") << named << "" << true << 0 << "one-run";
    QTest::newRow("JAWS running, left closed") << (named + QStringList{ "/NoRestart" }) << "" << true << 0 << "one-run";
    QTest::newRow("all, JAWS running: closed once, started once") << all << "three installations" << true << 0 << "all";
#endif
}

namespace {

// A dump's part from `from` (a place's name) on, up to the next place after it.
QString dumpPart(const QString &dump, const QString &from, const QString &to = QString())
{
    const qsizetype start = dump.indexOf(QLatin1Char('\n') + from) + 1;
    const qsizetype end = to.isEmpty() ? dump.size() : dump.indexOf(QLatin1Char('\n') + to, start);
    return dump.mid(start, end - start);
}

// Every file of the JAWS installations and their settings, with its content, but the reports.
QMap<QString, QByteArray> settingsFiles(const TestMachine &machine, const QStringList &jawsFolders)
{
    QMap<QString, QByteArray> files;
    const QString versions = QStringLiteral("/Freedom Scientific/JAWS");
    QStringList places = jawsFolders;
    places << machine.sharedSettings.left(machine.sharedSettings.indexOf(versions) + versions.size())
           << machine.userSettings.left(machine.userSettings.indexOf(versions) + versions.size());
    for (const QString &place : std::as_const(places)) {
        QDirIterator it(place, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            if (!file.endsWith(QLatin1String("installLog.txt")) && !file.endsWith(QLatin1String("jawsdouble.log")))
                files.insert(file, TextFiles::read(file));
        }
    }
    return files;
}

// Every file and folder of the machine but the package, those of the settings folders included,
// with their contents (folders as "/").
QMap<QString, QByteArray> machineState(const TestMachine &machine)
{
    QMap<QString, QByteArray> state;
    for (const QString &place : { machine.root, machine.sharedSettings, machine.userSettings }) {
        const qsizetype maker = place.indexOf(QLatin1String("/Freedom Scientific/"));
        const QString makerFolder = place.left(maker + qsizetype(qstrlen("/Freedom Scientific")));
        QDirIterator it(place == machine.root || maker < 0 ? place : makerFolder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            // The registry is looked at through the list of apps.
            if (!path.startsWith(machine.packageFolder) && !path.endsWith(QLatin1String("jawsdouble.log"))
                && !path.endsWith(QLatin1String("/registry.reg")))
                state.insert(path, it.fileInfo().isDir() ? QByteArray("/") : TextFiles::read(path));
        }
    }
    return state;
}

// Every file that was there has its bytes again; of what came since, only reports and numbered
// backups are left.
bool restoredAsBefore(const QMap<QString, QByteArray> &before, const QMap<QString, QByteArray> &after)
{
    static const QRegularExpression kept(QStringLiteral("(installLog\\.txt|/log\\.txt|\\.\\d{3,})$"));
    bool same = true;
    for (auto file = before.cbegin(); file != before.cend(); ++file) {
        if (!kept.match(file.key()).hasMatch() && after.value(file.key()) != file.value()) {
            qWarning("not as before: %s\n%s", qPrintable(file.key()), after.value(file.key(), "(gone)").constData());
            same = false;
        }
    }
    for (auto file = after.cbegin(); file != after.cend(); ++file) {
        if (!before.contains(file.key()) && !kept.match(file.key()).hasMatch()) {
            qWarning("left behind: %s", qPrintable(file.key()));
            same = false;
        }
    }
    return same;
}

} // namespace

// The command line for people who install on many machines: the same installation as the
// wizard's, an exit code that says how it went, nothing touched when the command is wrong, and
// the package folder only ever read.
void tst_Installation::unattended()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, state);
    QFETCH(bool, jawsRunning);
    QFETCH(int, exitCode);
    QFETCH(QString, result);
    QTemporaryDir root;
    TestMachine machine(root.path(), state.contains(QLatin1String("JAWS 2025")) ? TestMachine::Jaws::Version2025
                                         : state.contains(QLatin1String("JAWS 5")) ? TestMachine::Jaws::Version5
                                                                                   : TestMachine::Jaws::Version10);
    QVERIFY(machine.make(jawsRunning ? QStringLiteral("jawsdouble") : QString()));
    if (state == QLatin1String("no driver"))
        QVERIFY(QFile::remove(machine.packageFolder + QStringLiteral("/QuorOlma.jlb")));
    QStringList jawsFolders{ machine.jawsFolder };
    if (state.startsWith(QLatin1String("three installations"))) {
        jawsFolders << machine.addJaws(QStringLiteral("17.0"), QStringLiteral("pe/jfw_17.dll"))
                    << machine.addJaws(QStringLiteral("18.0"), QStringLiteral("pe/jfw_18.dll"));
        QVERIFY(!jawsFolders.contains(QString()));
#ifndef Q_OS_WIN
        // Natively the names differ by case: only the lower-case one is left.
        for (const QString &folder : jawsFolders.mid(1)) {
            if (state.endsWith(QLatin1String("lower case")))
                QVERIFY(QFile::remove(folder + QStringLiteral("/JFW.EXE")) && QFileInfo::exists(folder + QStringLiteral("/jfw.exe")));
        }
#endif
    } else if (state == QLatin1String("stale record")) {
        QVERIFY(!machine.addJaws(QStringLiteral("30.0"), QString()).isEmpty());
    }
#ifndef Q_OS_WIN
    int leased = -1;
    if (state == QLatin1String("interrupt") || state == QLatin1String("terminate")) {
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
    if (state == QLatin1String("terminate, settings held")) {
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
    const bool killed = state.startsWith(QLatin1String("removal, killed at "));
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
    if (state.startsWith(QLatin1String("removal"))) {
        const QString named = QDir::toNativeSeparators(machine.jawsFolder);
        QList<QStringList> installations{ { "--unattended", "--jaws", named, "--display", "QUOR" } };
        if (state.contains(QLatin1String("twice")) && !state.endsWith(QLatin1String(", twice")))
            installations << QStringList{ "--unattended", "--jaws", named, "--display", "OLMA" };
        else if (state.contains(QLatin1String("between")))
            installations << (state.endsWith(QLatin1String("repaired")) ? QStringList{ "--unattended", "--jaws", "all", "--display", "QUOR" }
                                                                        : QStringList{ "--unattended", "--jaws", named, "--display", "OLMA" });
        for (qsizetype i = 0; i < installations.size(); ++i) {
            if (i == 1 && state.contains(QLatin1String("changed between"))) {
                // The user's values, and what a JAWS update did to jfw.ini.
                QVERIFY(change(usersFile, "[Options]\r\n", "[Options]\r\nSpeed=9\r\nMyOwnSetting=precious\r\n", true));
                const QString jfwIni = machine.jawsFolder + QStringLiteral("/jfw.ini");
                QVERIFY(change(jfwIni, "[Options]\r\n", "[Options]\r\nUpdateLevel=2\r\n", true));
                QByteArray displays = TextFiles::read(jfwIni);
                displays.replace(displays.indexOf("Braille2"), displays.size() - displays.indexOf("Braille2"), QByteArray());
                QVERIFY(!displays.contains("QUOR") && TextFiles::write(jfwIni, displays));
            }
            if (i == 1 && state.endsWith(QLatin1String("display chosen between")))
                QVERIFY(change(usersFile, "BrailleDisplay=QUOR", "BrailleDisplay=ALVA", false));
            QProcess installation;
            installation.setProcessEnvironment(machine.environment());
            if (killed) {
                // Stopped as it enters the state the row names, as a kill would stop it.
                installation.start(Fixtures::program(QStringLiteral("iniwriterchild")),
                                   { QStringLiteral("install"), state.mid(state.lastIndexOf(QLatin1Char(' ')) + 1), machine.jawsFolder, machine.packageFolder });
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
        if (state.endsWith(QLatin1String("display chosen between")))
            changedBetween.insert(usersFile, QByteArray(pristine.value(usersFile)).replace("BrailleDisplay=FOCUS", "BrailleDisplay=ALVA"));
        lookAtMachine(machine);
        if (killed) {
            // The record says what the run was about to do; nothing names the driver in JAWS or
            // in the list of apps yet.
            QVERIFY(TextFiles::read(machine.jawsFolder + QStringLiteral("/Drivers/Braille/quorolma/QuorOlmaRecord.ini")).contains("Unfinished=1"));
            QVERIFY(!AppsListEntry::isRegistered(machine.jawsFolder));
            QCOMPARE(TextFiles::read(usersFile), pristine.value(usersFile));
            if (state.endsWith(QLatin1String("Copying"))) {
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
        if (state.endsWith(QLatin1String("interrupted"))) {
            leased = ::open(QFile::encodeName(machine.jawsFolder + QStringLiteral("/notes.chm")).constData(), O_RDWR);
            QVERIFY(leased >= 0);
        }
#endif
        if (state.contains(QLatin1String("JAWS gone")) || state.contains(QLatin1String("its record gone")))
            QVERIFY(QDir(machine.jawsFolder).removeRecursively());
        if (state.contains(QLatin1String("its record gone")))
            QVERIFY(Platform::RegistryKey::deleteLocalMachineKey(QStringLiteral("SOFTWARE\\Freedom Scientific\\JAWS\\10.0"),
                                                                 Platform::RegistryView::Default));
        if (state.endsWith(QLatin1String("user display"))) {
            const QString jfwIni = machine.jawsFolder + QStringLiteral("/jfw.ini");
            QVERIFY(TextFiles::write(jfwIni, TextFiles::read(jfwIni) + "Braille4LongName=Mine\r\nBraille4Name=MINE\r\n"));
        }
        if (state.endsWith(QLatin1String("user change"))) {
            usersChange = TextFiles::read(usersFile).replace(QByteArray("BrailleDisplay=QUOR"), QByteArray("BrailleDisplay=ALVA"));
            QVERIFY(usersChange.contains("ALVA") && TextFiles::write(usersFile, usersChange));
        }
    }
    if (state == QLatin1String("own entry")) {
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
    if (state == QLatin1String("second machine") || state.endsWith(QLatin1String(", done"))) {
        QProcess first;
        start(first);
        QVERIFY(first.waitForFinished(120000));
        QCOMPARE(first.exitCode(), 0);
        if (state == QLatin1String("second machine")) {
            QVERIFY(QDir(machine.jawsFolder).removeRecursively());
            QVERIFY(machine.makeJaws());
        }
    }
#ifndef Q_OS_WIN
    if (state == QLatin1String("read-only")) {
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
    if (state == QLatin1String("locked"))
        QCOMPARE(Platform::takeMachineLock(), Platform::MachineLock::Taken);
#ifndef Q_OS_WIN
    if (state == QLatin1String("log link"))
        QVERIFY(QFile::link(root.filePath(QStringLiteral("elsewhere.txt")), root.filePath(QStringLiteral("log.txt"))));
#endif
    lookAtMachine(machine);
    const QString keptVersion = state.startsWith(QLatin1String("copy ")) ? state.mid(5) : QString();
    if (!keptVersion.isEmpty()) {
        QVERIFY(QDir().mkpath(AppsListEntry::copyFolder()));
        QVERIFY(TextFiles::write(copiedProgram(), "the program of " + keptVersion.toUtf8()));
        QVERIFY(TextFiles::write(AppsListEntry::copyFolder() + QStringLiteral("/version.txt"), keptVersion.toUtf8()));
    }
    const QString earlierEntry = AppsListEntry::uninstallKeyPath() + QLatin1Char('\\') + AppsListEntry::earlierKeyName(machine.jawsFolder);
    if (state == QLatin1String("earlier entry")) {
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
        const bool removing = state.startsWith(QLatin1String("removal"));
        QVERIFY(waitForOutput(removing ? QStringLiteral("Removing and restoring files...")
                              : state.endsWith(QLatin1String("settings held")) ? QStringLiteral("Configuring JAWS...")
                                                                                : QStringLiteral("Copying files...")));
        ::kill(pid_t(process.processId()), state == QLatin1String("interrupt") ? SIGINT : SIGTERM);
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
        QVERIFY2(report.contains(state == QLatin1String("own entry") ? "gave way to its Windows Installer package's"
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
        if (state.endsWith(QLatin1String("user display")))
            expected[machine.jawsFolder + QStringLiteral("/jfw.ini")] += "Braille2LongName=Mine\r\nBraille2Name=MINE\r\n";
        QVERIFY(restoredAsBefore(expected, now));
        QVERIFY(!AppsListEntry::isRegistered(machine.jawsFolder));
        if (state.endsWith(QLatin1String(", twice"))) {
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
        if (state.endsWith(QLatin1String(", done"))) {
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
        if (state == QLatin1String("stale record"))
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

void tst_Installation::removalWizard_data()
{
    QTest::addColumn<bool>("named");     // the JAWS folder on the command line, as the list of apps gives it
    QTest::addColumn<int>("removals");   // the wizard run so many times after the installation
    QTest::addColumn<QString>("state");  // what happens between the installation and the removal, or during it
    QTest::addColumn<QList<int>>("pages");
    QTest::addColumn<QString>("result"); // the last page's first sentence; $JAWS the program folder, $REPORT its report

    const QString removed = QStringLiteral("The Korvalis Braille driver was removed. The removal report is $REPORT.");
    QTest::newRow("from the list of apps") << true << 1 << "" << QList<int>{ 1, 2, 3 } << removed;
    QTest::newRow("no JAWS named: chosen") << false << 1 << "" << QList<int>{ 0, 1, 2, 3 } << removed;
    QTest::newRow("a second time: nothing to remove") << true << 2 << "" << QList<int>{ 3 }
                                                      << "The Korvalis Braille driver is not installed in $JAWS: there is nothing to remove.";
    QTest::newRow("a value the user changed: kept, and said") << true << 1 << "user change" << QList<int>{ 1, 2, 3 }
                                                              << "The Korvalis Braille driver was removed. What was changed since the installation "
                                                                 "was kept: the removal report names it. The removal report is $REPORT.";
    // Natively JAWS's window is played in the program and JFW.EXE is a program that starts; under
    // Wine the JAWS double runs as JFW.EXE.
    QTest::newRow("JAWS running: warned, closed, started again") << true << 1 << "JAWS running" << QList<int>{ 1, 2, 3 } << removed;
    QTest::newRow("JAWS running: cancelled at the warning") << true << 1 << "cancel" << QList<int>{ 1, 2, 3 }
                                                            << "The removal was cancelled: nothing was removed. The removal report is $REPORT.";
}

// Installed through the wizard, then removed through the removal's wizard with Enter alone:
// where the focus is on each page, what the plan names, what the last page says, and the
// machine as it was before the installation, but for the reports and numbered backups.
void tst_Installation::removalWizard()
{
    QFETCH(bool, named);
    QFETCH(int, removals);
    QFETCH(QString, state);
    QFETCH(QList<int>, pages);
    QFETCH(QString, result);
    QTemporaryDir root;
    TestMachine machine(root.path());
    const bool jawsRunning = state == QLatin1String("JAWS running") || state == QLatin1String("cancel");
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
    if (state == QLatin1String("user change")) {
        const QByteArray changed = TextFiles::read(usersFile).replace("BrailleDisplay=QUOR", "BrailleDisplay=ALVA");
        QVERIFY(changed.contains("ALVA") && TextFiles::write(usersFile, changed));
        // The value the user chose stays; the file is otherwise as the installation found it.
        QVERIFY(before.value(usersFile).contains("BrailleDisplay=FOCUS"));
        before[usersFile].replace("BrailleDisplay=FOCUS", "BrailleDisplay=ALVA");
    }
    // A cancel leaves the machine as the installation left it.
    if (state == QLatin1String("cancel"))
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
    if (state == QLatin1String("cancel"))
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
        const int expectedStarts = state == QLatin1String("cancel") ? 1 : 2;
        QVERIFY(QTest::qWaitFor([&] { return TextFiles::read(starts).count('\n') >= expectedStarts; }, 30000));
        QCOMPARE(TextFiles::read(starts).count('\n'), expectedStarts);
        endJawsDoubles();
#else
        QCOMPARE(TextFiles::read(machine.root + QStringLiteral("/started.txt")).count('\n'), state == QLatin1String("cancel") ? 0 : 1);
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

void tst_Installation::interactiveUser_data()
{
#ifdef Q_OS_WIN
    QSKIP("Wine has one account and no sessions: the simulated machine plays them in the native build");
#endif
    QTest::addColumn<QString>("interactive");    // the user at the machine; empty: nobody is logged on
    QTest::addColumn<QStringList>("arguments");  // none: the wizard
    QTest::addColumn<QString>("jaws");           // "starts", "fails" (closed, then JFW.EXE cannot start), "out of reach"
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("configured"); // whose settings name the Quor: users, "installer"
    QTest::addColumn<QString>("reportLine");

    const QStringList unattended{ "--unattended", "--jaws", "latest", "--display", "QUOR" };
    const QString restartFailed = QStringLiteral("^ERROR : Jaws could not be started again from .*JAWS10\\. Please start Jaws yourself\\.$");
    QTest::newRow("the user's settings, not the installer's") << "alice" << QStringList() << "" << 0 << QStringList{ "alice" }
                                                              << "^User settings: those of PC\\\\alice\\.$";
    QTest::newRow("JAWS started again as the user") << "alice" << QStringList() << "starts" << 0 << QStringList{ "alice" }
                                                    << "^'QUOR' Braille device selected in .*alice.*$";
    QTest::newRow("JAWS not started again: the page") << "alice" << QStringList() << "fails" << 0 << QStringList{ "alice" } << restartFailed;
    QTest::newRow("JAWS not started again: the exit code") << "alice" << unattended << "fails" << 1 << QStringList{ "alice" } << restartFailed;
    // The wizard run by a deployment agent as SYSTEM, in session 0: no window nobody would see.
    QTest::newRow("the wizard in session 0") << "alice" << QStringList() << "session 0" << 2 << QStringList() << "";
    // Bob and carol, logged on in other sessions, are configured too where they have settings.
    QTest::newRow("every user") << "alice" << (unattended + QStringList{ "--all-users" }) << "bob logged on" << 0 << QStringList{ "alice", "bob" }
                                << "^User carol has no settings for this Jaws: left untouched\\.$";
    // Bob is not logged on: where his settings are cannot be known, so they stay as they are.
    QTest::newRow("every user, one not logged on") << "alice" << (unattended + QStringList{ "--all-users" }) << "" << 0 << QStringList{ "alice" }
                                                   << "^User bob is not logged on: their settings are left as they are .*$";
    QTest::newRow("nobody logged on: the installer's settings") << "" << QStringList() << "" << 0 << QStringList{ "installer" }
                                                                << "^No interactive user was found: the user settings are those of .*\\.$";
    QTest::newRow("JAWS in a session out of reach") << "alice" << unattended << "out of reach" << 5 << QStringList() << "";
    // JAWS 10 runs while the latest, 18.0, is installed into: JAWS 10 comes back, not the other.
    QTest::newRow("the JAWS that ran comes back") << "alice" << unattended << "another runs" << 0 << QStringList()
                                                 << "^User settings: those of PC\\\\alice\\.$";
    // Nobody logged on, JAWS closed: it is not started as the installer's account, and the report says how to start it.
    QTest::newRow("nobody logged on: JAWS not started as the installer") << "" << unattended << "fails" << 1 << QStringList{ "installer" }
                                                                        << restartFailed;
}

// The person at the machine is not the account that installs (an administrator's password typed
// over their shoulder, or a deployment tool running as SYSTEM): their settings and their JAWS
// are the ones that count.
void tst_Installation::interactiveUser()
{
    QFETCH(QString, interactive);
    QFETCH(QStringList, arguments);
    QFETCH(QString, jaws);
    QFETCH(int, exitCode);
    QFETCH(QStringList, configured);
    QFETCH(QString, reportLine);
    QTemporaryDir root;
    TestMachine machine(root.path());
    QVERIFY(machine.make());
    QVERIFY(machine.addUsers(interactive, { "alice", "bob" }, { "carol" }));
    if (jaws == QLatin1String("bob logged on")) {
        QVERIFY(TextFiles::write(machine.root + QStringLiteral("/session.ini"),
                                 TextFiles::read(machine.root + QStringLiteral("/session.ini")) + "[LoggedOn]\r\nSids=S-1-5-21-7-1002;S-1-5-21-7-1003\r\n"));
        jaws.clear(); // JAWS itself does not run
    }
    if (jaws == QLatin1String("session 0"))
        QVERIFY(TextFiles::write(machine.root + QStringLiteral("/session.ini"),
                                 TextFiles::read(machine.root + QStringLiteral("/session.ini")) + "[ThisProcess]\r\nSession=0\r\n"));
    const QString jfw = machine.jawsFolder + QStringLiteral("/JFW.EXE");
    QProcessEnvironment environment = machine.environment();
    // The restart runs JFW.EXE for real: a program that ends at once, or a file that is none.
    QVERIFY(TextFiles::write(jfw, jaws == QLatin1String("starts") ? "#!/bin/sh\nexit 0\n" : "MZ"));
    QVERIFY(QFile::setPermissions(jfw, QFile::permissions(jfw) | (jaws == QLatin1String("starts") ? QFileDevice::ExeOwner : QFileDevice::ReadOwner)));
    if (jaws == QLatin1String("starts") || jaws == QLatin1String("fails"))
        environment.insert(QStringLiteral("IQO_PROBE_JAWS_WINDOW"), QStringLiteral("1"));
    // The running JAWS is the program of the process that owns JAWS's window.
    QString reportFolder = machine.jawsFolder;
    QProcess running;
    if (jaws == QLatin1String("another runs")) {
        reportFolder = machine.addJaws(QStringLiteral("18.0"), QStringLiteral("pe/jfw_18.dll"));
        QVERIFY(!reportFolder.isEmpty());
        QVERIFY(QFile::remove(jfw) && QFile::copy(QStringLiteral("/bin/sleep"), jfw));
        running.start(jfw, { QStringLiteral("60") });
        QVERIFY(running.waitForStarted());
        environment.insert(QStringLiteral("IQO_PROBE_JAWS_WINDOW"), QString::number(running.processId()));
    }
    QProcess otherSession;
    if (jaws == QLatin1String("out of reach")) {
        const QString running = root.filePath(QStringLiteral("session 2/JFW.EXE"));
        QVERIFY(QDir().mkpath(QFileInfo(running).path()) && QFile::copy(QStringLiteral("/bin/sleep"), running));
        QVERIFY(TextFiles::write(machine.root + QStringLiteral("/session.ini"),
                                 TextFiles::read(machine.root + QStringLiteral("/session.ini")) + "[OtherSession]\r\nPrograms=" + running.toUtf8() + "\r\n"));
        otherSession.start(running, { QStringLiteral("60") });
        QVERIFY(otherSession.waitForStarted());
    }
    const QString before = machine.dump();

    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(root.path());
    process.start(machine.addProgram(QStringLiteral("installationprobe")), arguments);
    QVERIFY(process.waitForFinished(120000));
    otherSession.kill();
    otherSession.waitForFinished();
    running.kill();
    running.waitForFinished();
    const QString output = QString::fromUtf8(process.readAllStandardOutput());
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    qInfo("output:\n%s\nerrors:\n%s", qPrintable(output), qPrintable(errors));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);

    if (jaws == QLatin1String("out of reach")) {
        // Nothing touched, not even a report, and the reason told.
        QVERIFY(sameText(machine.dump(), before, QStringLiteral("the machine")));
        QVERIFY2(errors.contains(QStringLiteral("cannot reach")), qPrintable(errors));
        return;
    }
    if (jaws == QLatin1String("session 0")) {
        QVERIFY(sameText(machine.dump(), before, QStringLiteral("the machine")));
        QVERIFY2(errors.contains(QStringLiteral("without a visible desktop")), qPrintable(errors));
        QVERIFY2(!output.contains(QStringLiteral("page=")), qPrintable(output));
        return;
    }
    const QString report = QString::fromLocal8Bit(TextFiles::read(reportFolder + QStringLiteral("/installLog.txt")));
    qInfo("report:\n%s", qPrintable(report));
    QVERIFY2(report.split(QRegularExpression(QStringLiteral("\r?\n"))).indexOf(QRegularExpression(reportLine)) >= 0, qPrintable(report));
    if (arguments.isEmpty()) {
        const bool failed = jaws == QLatin1String("fails");
        QVERIFY2(output.contains(failed ? QStringLiteral("sentence=Error during installation.") : QStringLiteral("sentence=Installation correctly done.")),
                 qPrintable(output));
    }
    const QMap<QString, QString> settings{ { "alice", machine.profileSettings("alice") },
                                           { "bob", machine.profileSettings("bob") },
                                           { "installer", machine.userSettings } };
    for (auto user = settings.cbegin(); user != settings.cend(); ++user) {
        const QByteArray jcf = TextFiles::read(user.value() + QStringLiteral("/enu/default.jcf"));
        QVERIFY2(jcf.contains("BrailleDisplay=QUOR") == configured.contains(user.key()), qPrintable(user.key() + ": " + jcf));
    }
    // A user who never ran this JAWS gets no settings folder of it.
    QVERIFY(!QFileInfo::exists(root.filePath(QStringLiteral("Users/carol/AppData/Roaming/Freedom Scientific"))));
    // Started as the user, in JAWS's folder; or not at all, when JAWS was not running.
    const QByteArray started = TextFiles::read(machine.root + QStringLiteral("/started.txt"));
    if (jaws.isEmpty() || interactive.isEmpty())
        QCOMPARE(started, QByteArray());
    else
        QCOMPARE(started, QStringLiteral("PC\\%1|%2|%3\n").arg(interactive, QDir::toNativeSeparators(jfw), QDir::toNativeSeparators(machine.jawsFolder)).toUtf8());
}

void tst_Installation::runningCopyRemoved_data()
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
void tst_Installation::runningCopyRemoved()
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

QTEST_GUILESS_MAIN(tst_Installation)
#include "tst_installation.moc"

namespace {

// Every plain file under `folder` with its content, links neither followed nor read.
QMap<QString, QByteArray> filesUnder(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        files.insert(path, info.isSymLink() ? "link to " + info.symLinkTarget().toUtf8() : info.isDir() ? QByteArray("/") : TextFiles::read(path));
    }
    return files;
}

// Runs the program of `machine` with `arguments`; its exit code, or -1.
int runProgram(const TestMachine &machine, const QString &program, const QStringList &arguments, QString *output = nullptr)
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

// A file the installing account may read and the user may not: what a planted link aims at.
const QByteArray secret = "[Options]\r\nSecret=only the administrator may read this\r\n";

} // namespace

// A standard user plants links where the program, which runs as an administrator, reads and
// writes for them (symbolic links stand for junctions): whatever they point at stays as it was,
// and none of its bytes reaches a folder the user may read.
void tst_Installation::hostileFiles_data()
{
    QTest::addColumn<bool>("installedFirst"); // the link is planted after an installation, then removed
    QTest::addColumn<QString>("link");        // $USER, $SHARED, $JAWS or $PACKAGE, then the name planted
    QTest::addColumn<QString>("target");      // in the place outside the machine: "secret" or "foreign"
    QTest::addColumn<int>("exitCode");

    QTest::newRow("install: a dangling link as the backup's name") << false << "$USER/enu/default.jcf.001" << "created.txt" << 0;
    QTest::newRow("install: the user's settings file") << false << "$USER/enu/default.jcf" << "secret" << 1;
    QTest::newRow("install: the user's language folder") << false << "$USER/enu" << "foreign" << 1;
    QTest::newRow("install: a shared language folder") << false << "$SHARED/fra" << "foreign" << 1;
    QTest::newRow("install: a package file") << false << "$PACKAGE/notes.chm" << "secret" << 1;
    QTest::newRow("remove: the backup swapped") << true << "$USER/enu/default.jcf.001" << "secret" << 1;
    QTest::newRow("remove: the settings file swapped") << true << "$USER/enu/default.jcf" << "secret" << 1;
    QTest::newRow("remove: the language folder swapped") << true << "$USER/enu" << "foreign" << 1;
    QTest::newRow("remove: a driver file swapped") << true << "$JAWS/notes.chm" << "secret" << 1;
}

void tst_Installation::hostileFiles()
{
    if (qEnvironmentVariableIsSet("IQO_SKIP_UNATTENDED"))
        QSKIP("run on its own, as tst_installation_hostile");
#ifdef Q_OS_WIN
    // Wine shows a link to a folder as a reparse point, as Windows shows a junction, but follows a
    // link to a file as if it were the file: those rows run natively only.
    if (!QString::fromLatin1(QTest::currentDataTag()).contains(QLatin1String("folder")))
        QSKIP("Wine makes no link to a file that its programs see as one");
#endif
    QFETCH(bool, installedFirst);
    QFETCH(QString, link);
    QFETCH(QString, target);
    QFETCH(int, exitCode);
    QTemporaryDir root;
    QTemporaryDir outside;
    TestMachine machine(root.path());
    QVERIFY(machine.make());
    const QString program = machine.addProgram(QStringLiteral("InstallQuorOlma"));
    QVERIFY(!program.isEmpty());
    QVERIFY(TextFiles::write(outside.filePath(QStringLiteral("secret")), secret));
    QVERIFY(QFile::setPermissions(outside.filePath(QStringLiteral("secret")), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QVERIFY(QDir().mkpath(outside.filePath(QStringLiteral("foreign"))));
    QVERIFY(TextFiles::write(outside.filePath(QStringLiteral("foreign/default.jcf")), "[Options]\r\nSomeoneElse=1\r\n"));
    const QStringList install{ "--unattended", "--jaws", QDir::toNativeSeparators(machine.jawsFolder), "--display", "QUOR" };
    if (installedFirst) {
        QString output;
        QVERIFY2(runProgram(machine, program, install, &output) == 0, qPrintable(output));
    }
    QString planted = link;
    planted.replace(QStringLiteral("$USER"), machine.userSettings).replace(QStringLiteral("$SHARED"), machine.sharedSettings)
        .replace(QStringLiteral("$JAWS"), machine.jawsFolder).replace(QStringLiteral("$PACKAGE"), machine.packageFolder);
    if (QFileInfo::exists(planted))
        QVERIFY(QFileInfo(planted).isDir() ? QDir(planted).removeRecursively() : QFile::remove(planted));
    QVERIFY(plantLink(outside.filePath(target), planted));
    auto unplant = qScopeGuard([&planted] { removeLink(planted); });
    const QMap<QString, QByteArray> outsideBefore = filesUnder(outside.path());

    QString output;
    const int exit = runProgram(machine, program, installedFirst ? QStringList{ "--unattended", "--remove", "--jaws", machine.jawsFolder } : install, &output);
    const QByteArray report = TextFiles::read(machine.jawsFolder + QStringLiteral("/installLog.txt"));
    qInfo("%s", qPrintable(output));
    QCOMPARE(exit, exitCode);
    QCOMPARE(filesUnder(outside.path()), outsideBefore);
    // Nothing read through a link reached the machine's folders, the backups least of all.
    const QMap<QString, QByteArray> machineFiles = filesUnder(machine.root);
    for (auto file = machineFiles.cbegin(); file != machineFiles.cend(); ++file)
        QVERIFY2(!file.value().contains("only the administrator"), qPrintable(file.key()));
#ifndef Q_OS_WIN
    QVERIFY(QFileInfo(planted).isSymLink());
#endif
    if (exitCode != 0)
        QVERIFY2(report.contains(QDir::toNativeSeparators(planted).toUtf8() + " is a link: it was left as it is."), report.constData());
}

// The install record lies where others may have written it: a damaged one removes nothing and
// says so; rows that name anything outside the JAWS installation and its settings are refused;
// a backup changed since is not put back whole.
namespace {

// A record of this program as earlier programs wrote it.
QByteArray asEarlierProgramWrote(const QByteArray &record, const TestMachine &machine)
{
    const auto blake = [](const QString &path) { return QCryptographicHash::hash(TextFiles::read(path), QCryptographicHash::Blake2b_256).toHex(); };
    QByteArray earlier;
    QByteArray section;
    for (QByteArray line : record.split('\n')) {
        line = line.trimmed();
        if (line.startsWith('[')) {
            section = line;
            earlier += line + "\r\n";
            continue;
        }
        if (line.isEmpty() || line.startsWith("Rows="))
            continue;
        line.replace("<JAWS>", QDir::toNativeSeparators(machine.jawsFolder).toUtf8())
            .replace("<SHARED>", QDir::toNativeSeparators(machine.sharedSettings).toUtf8());
        QList<QByteArray> fields = line.split('|');
        const QString path = QString::fromUtf8(fields.first().mid(fields.first().indexOf('=') + 1));
        if (section == "[Files]") {
            fields[2] = blake(path);
            fields[5].clear();
        } else if (section == "[Settings]") {
            fields[3] = blake(path);
            fields[4].clear();
        } else if (section == "[KeyMaps]") {
            fields[2].clear();
        }
        earlier += fields.join('|') + "\r\n";
    }
    return earlier;
}

} // namespace

void tst_Installation::recordAsInput_data()
{
    QTest::addColumn<QString>("tampering");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("reportLine"); // what the report must hold

    const QString damaged = QStringLiteral("is damaged or cannot be read: nothing was removed.");
    QTest::newRow("empty") << "empty" << 1 << damaged;
    QTest::newRow("random bytes") << "random" << 1 << damaged;
    QTest::newRow("cut short") << "truncated" << 1 << damaged;
    QTest::newRow("a folder in its place") << "folder" << 1 << damaged;
    QTest::newRow("a format this program does not know") << "format 2" << 1 << damaged;
    QTest::newRow("a row's field cut") << "short row" << 1 << damaged;
    QTest::newRow("a file outside JAWS") << "outside" << 1 << QStringLiteral("which lies outside this JAWS installation and its settings");
    QTest::newRow("a path that climbs out") << "climbs" << 1 << QStringLiteral("which lies outside this JAWS installation and its settings");
    QTest::newRow("a relative path") << "relative" << 1 << QStringLiteral("which lies outside this JAWS installation and its settings");
    QTest::newRow("a settings backup emptied") << "empty backup" << 0 << QStringLiteral("was restored value by value instead");
    QTest::newRow("an unfinished mark this program does not know") << "unfinished 2" << 1 << damaged;
    // As earlier programs wrote it: no row count, whole paths, BLAKE2b-256 hashes, no backup's.
    QTest::newRow("a record of an earlier program") << "earlier program" << 0 << QStringLiteral("OK : The values the installation wrote in ");
}

void tst_Installation::recordAsInput()
{
    if (qEnvironmentVariableIsSet("IQO_SKIP_UNATTENDED"))
        QSKIP("run on its own, as tst_installation_hostile");
    QFETCH(QString, tampering);
    QFETCH(int, exitCode);
    QFETCH(QString, reportLine);
    QTemporaryDir root;
    QTemporaryDir outside;
    TestMachine machine(root.path());
    QVERIFY(machine.make());
    const QString program = machine.addProgram(QStringLiteral("InstallQuorOlma"));
    QVERIFY(!program.isEmpty());
    QString output;
    QVERIFY2(runProgram(machine, program, { "--unattended", "--jaws", QDir::toNativeSeparators(machine.jawsFolder), "--display", "QUOR" }, &output) == 0,
             qPrintable(output));
    const QString recordPath = machine.jawsFolder + QStringLiteral("/Drivers/Braille/quorolma/QuorOlmaRecord.ini");
    QByteArray record = TextFiles::read(recordPath);
    QVERIFY(record.contains("[Files]"));
    // A file outside JAWS, of the very size and fingerprint that a forged row names.
    const QString victim = outside.filePath(QStringLiteral("budget.txt"));
    QVERIFY(QFile::copy(machine.jawsFolder + QStringLiteral("/notes.chm"), victim));
    const QByteArray notesRow = record.mid(record.indexOf("=<JAWS>") + 1).split('\r').constFirst();
    const QString userFile = machine.userSettings + QStringLiteral("/enu/default.jcf");
    if (tampering == QLatin1String("empty"))
        record.clear();
    else if (tampering == QLatin1String("random"))
        record = QByteArray::fromHex("9f8e00ff12ab5c5c0d0a7f");
    else if (tampering == QLatin1String("truncated"))
        record.truncate(record.lastIndexOf("\r\n[KeyMaps]") > 0 ? record.lastIndexOf("\r\n", record.lastIndexOf("\r\n[Sections]") - 2) : record.size() / 2);
    else if (tampering == QLatin1String("format 2"))
        record.replace("Format=1", "Format=2");
    else if (tampering == QLatin1String("short row"))
        record.replace(notesRow, notesRow.left(notesRow.indexOf('|')));
    else if (tampering == QLatin1String("outside"))
        record.replace(notesRow, QDir::toNativeSeparators(victim).toUtf8() + notesRow.mid(notesRow.indexOf('|')));
    else if (tampering == QLatin1String("climbs"))
        record.replace(notesRow, QByteArray(notesRow).replace("<JAWS>", "<JAWS>/../../" + QDir(machine.root).relativeFilePath(victim).toUtf8()).replace("/notes.chm", "").replace("\\notes.chm", ""));
    else if (tampering == QLatin1String("relative"))
        record.replace(notesRow, QByteArray(notesRow).replace("<JAWS>" + QDir::toNativeSeparators(QStringLiteral("/")).toLatin1(), ""));
    else if (tampering == QLatin1String("empty backup"))
        QVERIFY(TextFiles::write(userFile + QStringLiteral(".001"), QByteArray()));
    else if (tampering == QLatin1String("unfinished 2"))
        record.replace("Format=1\r\n", "Format=1\r\nUnfinished=2\r\n");
    else if (tampering == QLatin1String("earlier program"))
        record = asEarlierProgramWrote(record, machine);
    if (tampering == QLatin1String("folder"))
        QVERIFY(QFile::remove(recordPath) && QDir().mkpath(recordPath));
    else
        QVERIFY(TextFiles::write(recordPath, record));
    const QByteArray victimBefore = TextFiles::read(victim);
    QVERIFY(!victimBefore.isEmpty());
    const QByteArray driverBefore = TextFiles::read(machine.jawsFolder + QStringLiteral("/QuorOlma.jlb"));

    const int exit = runProgram(machine, program, { "--unattended", "--remove", "--jaws", machine.jawsFolder }, &output);
    const QByteArray report = TextFiles::read(machine.jawsFolder + QStringLiteral("/installLog.txt"));
    QVERIFY2(report.contains(reportLine.toUtf8()), report.constData());
    QCOMPARE(exit, exitCode);
    QCOMPARE(TextFiles::read(victim), victimBefore);
    if (report.contains("is damaged or cannot be read")) {
        // Nothing was removed: the driver, the record and the entry in the list of apps stay.
        QCOMPARE(TextFiles::read(machine.jawsFolder + QStringLiteral("/QuorOlma.jlb")), driverBefore);
        QVERIFY(QFileInfo::exists(recordPath));
        QVERIFY(AppsListEntry::isRegistered(machine.jawsFolder));
    }
    if (tampering == QLatin1String("earlier program")) {
        // Removed all the same: the driver's files go, the settings are taken back value by value
        // (no backup's fingerprint to restore one whole by).
        QVERIFY(!QFileInfo::exists(machine.jawsFolder + QStringLiteral("/QuorOlma.jlb")));
        QVERIFY(!QFileInfo::exists(recordPath));
        QVERIFY(!AppsListEntry::isRegistered(machine.jawsFolder));
        QVERIFY(TextFiles::read(userFile).contains("BrailleDisplay=FOCUS"));
        QVERIFY(!TextFiles::read(machine.jawsFolder + QStringLiteral("/jfw.ini")).contains("QUOR"));
    }
    if (tampering == QLatin1String("empty backup")) {
        // Not the empty backup: the installation's values taken back, the rest of the file kept.
        const QByteArray now = TextFiles::read(userFile);
        QVERIFY2(!now.isEmpty() && now.contains("BrailleDisplay=FOCUS"), now.constData());
    }
}
