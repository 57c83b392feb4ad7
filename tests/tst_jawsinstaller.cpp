#include "ini/inifile.h"
#include "installer/contenthash.h"
#include "record/installrecord.h"
#include "installer/jawsinstaller.h"
#include "installer/shellfolders.h"
#include "support/fixtures.h"
#include "support/testmachine.h"
#include "support/testregistry.h"
#include "support/textfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

class tst_JawsInstaller : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void targetFoldersByVersion_data();
    void targetFoldersByVersion();
    void missingFoldersChangeNothing();
    void resetForgetsOnlyTheChosenInstallation();
    void cleanUpTakesOnlyDeliveredFiles_data();
    void cleanUpTakesOnlyDeliveredFiles();
    void fileHashes_data();
    void fileHashes();
    void recordOfSeveralInstallations_data();
    void recordOfSeveralInstallations();
    void unfinishedRecordReadsBack();
    void recordRuns_data();
    void recordRuns();

private:
    QTemporaryDir systemRoot;
    QTemporaryDir package;
};

void tst_JawsInstaller::initTestCase()
{
    // On Linux the application data folders are those of a simulated Windows machine.
    qputenv("QUOROLMA_SYSTEM_ROOT", systemRoot.path().toUtf8());
    QVERIFY(systemRoot.isValid() && package.isValid());
}

void tst_JawsInstaller::targetFoldersByVersion_data()
{
    QTest::addColumn<QString>("jfwExe");        // fixture copied as jfw.exe; empty: none
    QTest::addColumn<QString>("registryKey");   // the record naming the folder; empty: none
    QTest::addColumn<QString>("folderName");    // the program folder's own name
    QTest::addColumn<QStringList>("existing");  // settings folders under both "Freedom Scientific/JAWS"
    QTest::addColumn<QString>("driverSuffix");
    QTest::addColumn<QString>("settings");      // under "Freedom Scientific/JAWS"; empty: the layout before JAWS 6
    QTest::addColumn<QString>("steps");         // the version-dependent steps

    const QString drivers = QStringLiteral("/Drivers/Braille/quorolma");
    const QStringList none;
    QTest::newRow("10, 0, 1154, 0") << "pe/jfw_10.dll" << "" << "jaws" << none << drivers << "10.0/Settings" << "user tables";
    QTest::newRow("10.0 present") << "pe/jfw_10.dll" << "" << "jaws" << QStringList{ "10.0/Settings" } << drivers
                                  << "10.0/Settings" << "user tables";
    QTest::newRow("7, 0, 0, 0") << "pe/jfw_7.dll" << "" << "jaws" << none << drivers << "7.0/Settings" << "user tables";
    QTest::newRow("6, 10, 0, 0") << "pe/jfw_6.dll" << "" << "jaws" << none << "" << "6.10/Settings" << "user tables, key maps";
    QTest::newRow("5, 0, 0, 0") << "pe/jfw_5.dll" << "" << "jaws" << none << "" << "" << "slot alias";
    QTest::newRow("17, 0, 1377, 0") << "pe/jfw_17.dll" << "" << "17.0" << none << drivers << "17.0/Settings" << "user tables";
    QTest::newRow("18, 0, 2324, 0") << "pe/jfw_18.dll" << "" << "18.0" << none << drivers << "18.0/Settings" << "user tables";
    // JAWS 18 and JAWS 2018 are two releases that can be installed side by side.
    QTest::newRow("18.0 missing, 2018 present: not taken") << "pe/jfw_18.dll" << "" << "18.0" << QStringList{ "2018/Settings" }
                                                           << drivers << "18.0/Settings" << "user tables";
    QTest::newRow("2019 as 20.0.2014.0") << "pe/jfw_2019.dll" << "" << "2019" << QStringList{ "2019/Settings" } << drivers
                                         << "2019/Settings" << "user tables";
    QTest::newRow("2019 as 20, 0, 2014, 0") << "pe/jfw_2019_comma.dll" << "" << "2019" << none << drivers << "2019/Settings"
                                            << "user tables";
    QTest::newRow("2025 as 26.6.24.0, SETTINGS in capitals") << "pe/jfw_2025.dll" << "2025" << "2025"
                                                              << QStringList{ "2025/SETTINGS" } << drivers << "2025/SETTINGS"
                                                              << "user tables";
    QTest::newRow("2025, only 2025.0 present") << "pe/jfw_2025.dll" << "" << "2025" << QStringList{ "2024/Settings", "2025.0/Settings" }
                                               << drivers << "2025.0/Settings" << "user tables";
    QTest::newRow("2025.0 read, only 2025 present") << "pe/jfw_2025_year.dll" << "" << "jaws" << QStringList{ "2025/Settings" }
                                                    << drivers << "2025/Settings" << "user tables";
    QTest::newRow("2025 folder without settings: not taken") << "pe/jfw_2025.dll" << "" << "2025"
                                                             << QStringList{ "2025/Scripts", "2025.0/Settings" } << drivers
                                                             << "2025.0/Settings" << "user tables";
    QTest::newRow("unreadable jfw.exe, registry key 2025") << "pe/no_version.dll" << "2025" << "jaws" << none << drivers
                                                           << "2025/Settings" << "user tables";
    QTest::newRow("no jfw.exe, program folder 2025") << "" << "" << "2025" << none << drivers << "2025/Settings" << "user tables";
    QTest::newRow("no jfw.exe, program folder JAWS10.0") << "" << "" << "JAWS10.0" << none << drivers << "10.0/Settings"
                                                         << "user tables";
    QTest::newRow("registry key Common names no version") << "pe/no_version.dll" << "Common" << "jaws" << none << "" << "" << "";
    QTest::newRow("major not a number") << "pe/jfw_text.dll" << "" << "jaws" << none << "" << "" << "";
    QTest::newRow("no version resource") << "pe/no_version.dll" << "" << "jaws" << none << "" << "" << "";
    QTest::newRow("no jfw.exe") << "" << "" << "jaws" << none << "" << "" << "";
}

void tst_JawsInstaller::targetFoldersByVersion()
{
    QFETCH(QString, jfwExe);
    QFETCH(QString, registryKey);
    QFETCH(QString, folderName);
    QFETCH(QStringList, existing);
    QFETCH(QString, driverSuffix);
    QFETCH(QString, settings);
    QFETCH(QString, steps);

    QTemporaryDir jawsDir;
    const QString jaws = jawsDir.filePath(folderName);
    QVERIFY(QDir().mkpath(jaws));
    if (!jfwExe.isEmpty())
        QVERIFY(Fixtures::copy(jfwExe, jaws + QStringLiteral("/jfw.exe")));
    QList<TestRegistry::Record> records{ { QStringLiteral("Registration"), std::nullopt } };
    if (!registryKey.isEmpty())
        records.append({ registryKey, QDir::toNativeSeparators(jaws) + QDir::separator() });
    QVERIFY(TestRegistry::writeJawsRecords(records, systemRoot.path()));
    const ShellFolders shellFolders;
    QVERIFY(!shellFolders.commonAppDataFolder.isEmpty() && !shellFolders.appDataFolder.isEmpty());
    const QStringList appData{ QDir::fromNativeSeparators(shellFolders.commonAppDataFolder),
                               QDir::fromNativeSeparators(shellFolders.appDataFolder) };
    for (const QString &root : appData) {
        QDir(root + QStringLiteral("/Freedom Scientific")).removeRecursively();
        for (const QString &folder : existing)
            QVERIFY(QDir().mkpath(root + QStringLiteral("/Freedom Scientific/JAWS/") + folder));
    }
    auto tree = [&] {
        QStringList folders;
        for (const QString &root : appData) {
            QDirIterator it(root + QStringLiteral("/Freedom Scientific"), QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
            while (it.hasNext())
                folders << it.next();
        }
        folders.sort();
        return folders;
    };
    const QStringList treeBefore = tree();

    JawsInstaller installer(package.path());
    installer.setJawsFolder(jaws);
    QVERIFY(installer.computeTargetFolders());

    QCOMPARE(installer.programFolder(), jaws);
    QCOMPARE(installer.target().driverFolder(), jaws + driverSuffix);
    QCOMPARE(installer.target().manualsFolder(), jaws + QStringLiteral("/MANUALS"));
#ifdef Q_OS_WIN
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive; // "SETTINGS" is "Settings" there
#else
    const Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    if (settings.isEmpty()) {
        QCOMPARE(installer.target().sharedSettingsFolder(), jaws + QStringLiteral("/SETTINGS"));
        QCOMPARE(installer.target().userSettingsFolder(), QString());
    } else {
        const QString shared = appData.at(0) + QStringLiteral("/Freedom Scientific/JAWS/") + settings;
        const QString user = appData.at(1) + QStringLiteral("/Freedom Scientific/JAWS/") + settings;
        QVERIFY2(QDir::fromNativeSeparators(installer.target().sharedSettingsFolder()).compare(shared, cs) == 0,
                 qPrintable(installer.target().sharedSettingsFolder()));
        QVERIFY2(QDir::fromNativeSeparators(installer.target().userSettingsFolder()).compare(user, cs) == 0,
                 qPrintable(installer.target().userSettingsFolder()));
    }
    const JawsVersion version = installer.target().jawsVersion();
    QStringList actualSteps;
    if (version.hasUserTables())
        actualSteps << QStringLiteral("user tables");
    if (version.hidesSharedKeyMaps())
        actualSteps << QStringLiteral("key maps");
    if (version.namesDisplayBySlot())
        actualSteps << QStringLiteral("slot alias");
    QCOMPARE(actualSteps.join(QStringLiteral(", ")), steps);

    const QStringList before = QDir::current().entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    installer.recorder().createTargetFolders();
    for (const QString &folder : { installer.target().driverFolder(), installer.target().manualsFolder() })
        QVERIFY2(QFileInfo(folder).isDir(), qPrintable(folder));
    // Settings folders are JAWS's: none is made, for a version that has none least of all.
    QCOMPARE(tree(), treeBefore);
    QCOMPARE(QFileInfo::exists(jaws + QStringLiteral("/SETTINGS")), false);
    // An empty user settings folder creates nothing, in the working folder or elsewhere.
    QCOMPARE(QDir::current().entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    for (const QString &root : appData)
        QDir(root + QStringLiteral("/Freedom Scientific")).removeRecursively();
}

void tst_JawsInstaller::missingFoldersChangeNothing()
{
    QTemporaryDir jawsDir;
    QVERIFY(Fixtures::copy(QStringLiteral("pe/jfw_5.dll"), jawsDir.filePath(QStringLiteral("jfw.exe"))));
    JawsInstaller installer(package.path());
    installer.setJawsFolder(jawsDir.path());
    QVERIFY(installer.computeTargetFolders());

    installer.setJawsFolder(jawsDir.filePath(QStringLiteral("gone")));
    QVERIFY(!installer.computeTargetFolders());
    QCOMPARE(installer.programFolder(), jawsDir.path());
    QCOMPARE(installer.target().sharedSettingsFolder(), jawsDir.path() + QStringLiteral("/SETTINGS"));

    JawsInstaller withoutPackage(package.filePath(QStringLiteral("gone")));
    withoutPackage.setJawsFolder(jawsDir.path());
    QVERIFY(!withoutPackage.computeTargetFolders());
    QVERIFY(withoutPackage.programFolder().isEmpty());
}

void tst_JawsInstaller::resetForgetsOnlyTheChosenInstallation()
{
    QTemporaryDir jawsDir;
    QVERIFY(Fixtures::copy(QStringLiteral("pe/jfw_10.dll"), jawsDir.filePath(QStringLiteral("jfw.exe"))));
    JawsInstaller installer(package.path());
    installer.setJawsFolder(jawsDir.path());
    installer.jawsConfiguration().setSelectedDevice(QStringLiteral("Quor"));
    installer.record(StepResult::Step::Copy, QStringLiteral("ERROR : a copy failed"), StepResult::Outcome::Failed);
    QTemporaryDir reportDir;
    installer.runReport().start(Report::Run::Installation, reportDir.path(), QString());
    const QString reportPath = reportDir.path() + QDir::separator() + QStringLiteral("installLog.txt");
    QCOMPARE(installer.runReport().reportPath(), reportPath);
    QVERIFY(installer.computeTargetFolders());
    // The run's identifier and whose settings change hold for every installation of the run.
    installer.target().setAllUsers(true);
    const QString runId = installer.recorder().runId();

    installer.reset();
    QCOMPARE(installer.recorder().runId(), runId);
    QVERIFY(installer.target().allUsers());
    for (const QString &cleared : { installer.jawsFolder(), installer.programFolder(), installer.target().driverFolder(),
                                    installer.target().manualsFolder(), installer.target().sharedSettingsFolder(),
                                    installer.target().userSettingsFolder(), installer.jawsConfiguration().selectedDevice() })
        QVERIFY(cleared.isEmpty());
    QCOMPARE(installer.package().folder(), package.path());
    QVERIFY(installer.hasErrors());
    QCOMPARE(installer.runReport().reportPath(), reportPath);
}

void tst_JawsInstaller::cleanUpTakesOnlyDeliveredFiles_data()
{
    QTest::addColumn<QStringList>("failedCopies"); // destinations, relative to the JAWS folder
    QTest::addColumn<QString>("laterStep");        // "" or "error"
    QTest::addColumn<QString>("packageFolder");    // relative to the machine, when not its own
    QTest::addColumn<QStringList>("removed");
    // QuorOlma.chm is only matched by "*.chm", like the user's notes.chm: both stay.
    // The driver, like the manifest, its braille.ini and the catalogues, is needed by every run.
    const QStringList delivered{ "manual_en.txt", "manual_fr.txt" };
    const QStringList everyRun{ "braille.ini", "installquorolma_fr.qm", "list.install", "QuorOlma.jlb" };
    QStringList everything = delivered + everyRun;
    everything.sort(Qt::CaseInsensitive);
    QTest::newRow("everything delivered") << QStringList() << "" << "" << everything;
    QTest::newRow("one copy failed") << QStringList{ "MANUALS/enu/manual_en.txt" } << "" << ""
                                     << QStringList{ "manual_fr.txt" };
    // The driver goes to two folders: one failure is enough to keep it.
    QTest::newRow("one of two copies failed") << QStringList{ "Drivers/Braille/quorolma/QuorOlma.jlb" } << "" << ""
                                              << QStringList{ "manual_en.txt", "manual_fr.txt" };
    QTest::newRow("a later step failed") << QStringList() << "error" << "" << delivered;
    QTest::newRow("package inside the JAWS folder") << QStringList() << "" << "Program Files/JAWS10/setup" << QStringList();
    QTest::newRow("package in another JAWS's folder") << QStringList() << "" << "Program Files/JAWS6" << QStringList();
}

// What a second run needs stays until everything is delivered; the user's files, and files the
// installation did not deliver, always stay; nothing goes from a folder of JAWS.
void tst_JawsInstaller::cleanUpTakesOnlyDeliveredFiles()
{
    QFETCH(QStringList, failedCopies);
    QFETCH(QString, laterStep);
    QFETCH(QString, packageFolder);
    QFETCH(QStringList, removed);
    QTemporaryDir root;
    TestMachine machine(root.path());
    if (!packageFolder.isEmpty())
        machine.packageFolder = root.filePath(packageFolder);
    QVERIFY(machine.make());
    if (packageFolder.endsWith(QLatin1String("JAWS6")))
        QVERIFY(Fixtures::copy(QStringLiteral("pe/jfw_6.dll"), machine.packageFolder + QStringLiteral("/JFW.EXE")));
    QVERIFY(TextFiles::write(machine.packageFolder + QStringLiteral("/installquorolma_fr.qm"), "catalogue"));
    QVERIFY(TextFiles::write(machine.packageFolder + QStringLiteral("/installquorolma_de.qm"), "not loaded"));
    JawsInstaller installer(machine.packageFolder);
    installer.setJawsFolder(machine.jawsFolder);
    QVERIFY(installer.copyPlan().prepare());
    for (const QString &destination : installer.copyPlan().destinationFiles()) {
        const QString relative = QDir(machine.jawsFolder).relativeFilePath(destination);
        installer.recorder().recordCopy(QDir::toNativeSeparators(destination), !failedCopies.contains(relative));
    }
    installer.package().addOwnFile(machine.packageFolder + QStringLiteral("/installquorolma_fr.qm"));
    if (laterStep == QLatin1String("error"))
        installer.record(StepResult::Step::TranslationTables, QStringLiteral("ERROR : a table"), StepResult::Outcome::Failed);
    QStringList names;
    for (const QString &file : installer.package().removableFiles(installer.target()))
        names << QFileInfo(file).fileName();
    names.sort(Qt::CaseInsensitive);
    QCOMPARE(names, removed);

    installer.endReport();
    for (const QString &name : QDir(machine.packageFolder).entryList(QDir::Files))
        QVERIFY2(!removed.contains(name), qPrintable(name));
    for (const QString &name : std::as_const(machine.strangerFiles))
        QVERIFY(QFileInfo::exists(machine.packageFolder + QLatin1Char('/') + name));
}

// The record's fingerprints are xxhsum's (-H1), whatever pieces the bytes come in; a record
// written with BLAKE2b-256 is still understood.
void tst_JawsInstaller::fileHashes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("nothing") << QByteArray() << QByteArray("xxh64:ef46db3751d8e999");
    QTest::newRow("under 4 bytes") << QByteArray("abc") << QByteArray("xxh64:44bc2cf5ad770999");
    QTest::newRow("one word") << QByteArray("Korvalis") << QByteArray("xxh64:63d6eb229eec80a7");
    QTest::newRow("a stripe and a word, a half and a byte") << QByteArray("0123456789abcdefghijklmnopqrstuvwxyz!")
                                                           << QByteArray("xxh64:dde9d7f125de8f22");
    QTest::newRow("three stripes and a half word") << QByteArray(100, 'a') << QByteArray("xxh64:375041e8b1decfb3");
}

void tst_JawsInstaller::fileHashes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, expected);
    QCOMPARE(ContentHash::of(bytes), expected);
    for (const qsizetype piece : { 1, 7, 31, 33 }) {
        ContentHash hash;
        for (qsizetype at = 0; at < bytes.size(); at += piece)
            hash.addData(QByteArrayView(bytes).sliced(at, qMin(piece, bytes.size() - at)));
        QCOMPARE(hash.result(), expected);
    }
    const QString path = QDir(systemRoot.path()).filePath(QStringLiteral("hashed.ini"));
    QVERIFY(TextFiles::write(path, bytes));
    QCOMPARE(InstallRecord::hashOfFile(path), expected);
    QVERIFY(InstallRecord::fileHasHash(path, expected));
    QVERIFY(InstallRecord::fileHasHash(path, QCryptographicHash::hash(bytes, QCryptographicHash::Blake2b_256).toHex()));
    QVERIFY(TextFiles::write(path, bytes + '.'));
    QVERIFY(!InstallRecord::fileHasHash(path, expected));
    QVERIFY(!InstallRecord::fileHasHash(path, QCryptographicHash::hash(bytes, QCryptographicHash::Blake2b_256).toHex()));
}

// What a second installation (found what it found, left what it left) does to the record of the
// first: the first "before" stays only for what it found as the first left it.
void tst_JawsInstaller::recordOfSeveralInstallations_data()
{
    QTest::addColumn<QString>("kind");        // settings, value or file
    QTest::addColumn<QString>("found");       // the second installation found it: "as left", "theirs", "gone"
    QTest::addColumn<QString>("expected");    // what the record then says

    QTest::newRow("settings file as left: still restored whole") << "settings" << "as left" << "whole";
    QTest::newRow("settings file changed between: value by value") << "settings" << "theirs" << "values";
    QTest::newRow("settings file deleted between: value by value") << "settings" << "gone" << "values";
    QTest::newRow("value as left: the first before") << "value" << "as left" << "FOCUS";
    QTest::newRow("value chosen between: theirs") << "value" << "theirs" << "ALVA";
    QTest::newRow("value taken away between: none") << "value" << "gone" << "-";
    QTest::newRow("driver file as left: added") << "file" << "as left" << "added";
    QTest::newRow("driver file replaced between: their backup") << "file" << "theirs" << "replaced 2";
    QTest::newRow("file that was there the same, replaced later: the later backup") << "file" << "same" << "replaced 2";
}

void tst_JawsInstaller::recordOfSeveralInstallations()
{
    QFETCH(QString, kind);
    QFETCH(QString, found);
    QFETCH(QString, expected);
    const QByteArray asFirstLeft = ContentHash::of("as the first installation left it");
    const QByteArray asSecondLeft = ContentHash::of("as the second installation left it");
    const QByteArray original = ContentHash::of("as it was before");
    const QByteArray theirs = ContentHash::of("as someone else left it");
    const QString path = QStringLiteral("C:/JAWS/settings.ini");
    InstallRecord first;
    InstallRecord second;
    first.settings << InstallRecord::Settings{ path, true, path + QStringLiteral(".001"), asFirstLeft, original };
    first.values << InstallRecord::Value{ path, QStringLiteral("Options"), QStringLiteral("BrailleDisplay"), QStringLiteral("FOCUS"), QStringLiteral("QUOR") };
    first.files << InstallRecord::File{ path, 10, asFirstLeft, found == QLatin1String("same") ? InstallRecord::File::Before::Same : InstallRecord::File::Before::Absent,
                                        QString(), QByteArray() };
    const QByteArray foundHash = found == QLatin1String("as left") ? asFirstLeft : found == QLatin1String("same") ? asFirstLeft : theirs;
    second.settings << InstallRecord::Settings{ path, found != QLatin1String("gone"), path + QStringLiteral(".002"), asSecondLeft,
                                                found == QLatin1String("gone") ? QByteArray() : foundHash };
    const std::optional<QString> value = found == QLatin1String("as left") ? std::optional<QString>(QStringLiteral("QUOR"))
        : found == QLatin1String("theirs")                                  ? std::optional<QString>(QStringLiteral("ALVA"))
                                                                            : std::nullopt;
    second.values << InstallRecord::Value{ path, QStringLiteral("options"), QStringLiteral("brailledisplay"), value, QStringLiteral("OLMA") };
    second.files << InstallRecord::File{ path, 12, asSecondLeft, InstallRecord::File::Before::Replaced, path + QStringLiteral(".002"), foundHash };
    InstallRecord record = first;
    record.merge(second);
    QCOMPARE(record.settings.size(), 1);
    QCOMPARE(record.values.size(), 1);
    QCOMPARE(record.files.size(), 1);
    QVERIFY(!record.unfinished);
    if (kind == QLatin1String("settings")) {
        // The backup from before the first stays; the file comes back whole only as left, twice.
        QCOMPARE(record.settings.constFirst().backup, path + QStringLiteral(".001"));
        QCOMPARE(record.settings.constFirst().hash, expected == QLatin1String("whole") ? asSecondLeft : QByteArray());
        // A third installation does not make it whole again.
        InstallRecord third = second;
        third.settings.first().backupHash = asSecondLeft;
        record.merge(third);
        QCOMPARE(record.settings.constFirst().hash.isEmpty(), expected != QLatin1String("whole"));
    } else if (kind == QLatin1String("value")) {
        QCOMPARE(record.values.constFirst().before.value_or(QStringLiteral("-")), expected);
        QCOMPARE(record.values.constFirst().after, std::optional<QString>(QStringLiteral("OLMA")));
    } else {
        const InstallRecord::File &file = record.files.constFirst();
        QCOMPARE(file.hash, asSecondLeft);
        QCOMPARE(file.size, 12);
        if (expected == QLatin1String("added")) {
            QCOMPARE(file.before, InstallRecord::File::Before::Absent);
        } else {
            QCOMPARE(file.before, InstallRecord::File::Before::Replaced);
            QCOMPARE(file.backup, path + QStringLiteral(".002"));
            QCOMPARE(file.backupHash, foundHash);
        }
    }
}

// The record of a run that has not finished says so, and its files rows name no content.
void tst_JawsInstaller::unfinishedRecordReadsBack()
{
    const QString jaws = QDir(systemRoot.path()).filePath(QStringLiteral("JAWS"));
    const QString path = QDir(systemRoot.path()).filePath(QStringLiteral("record.ini"));
    InstallRecord record;
    record.files << InstallRecord::File{ QDir::toNativeSeparators(jaws + QStringLiteral("/QuorOlma.jlb")), 0, InstallRecord::unknownContent(),
                                         InstallRecord::File::Before::Absent, QString(), QByteArray() };
    InstallRecord intent = record;
    intent.unfinished = true;
    record.merge(intent);
    QVERIFY(record.unfinished);
    {
        IniFile file(path);
        QVERIFY(record.write(file, { jaws, QString() }) && file.save());
    }
    QVERIFY(TextFiles::read(path).contains("Unfinished=1"));
    InstallRecord read;
    IniFile file(path);
    QCOMPARE(read.read(file, { jaws, QString() }), InstallRecord::Reading::Read);
    QVERIFY(read.unfinished);
    QCOMPARE(read.files.constFirst().hash, InstallRecord::unknownContent());
    // Completed by its run: no longer unfinished.
    read.merge(InstallRecord());
    QVERIFY(!read.unfinished);
}

// Each run's own changes are kept beside the merged rows, so that the last run can be taken back
// alone; the runs must read back whole, or the record is damaged; an earlier program's record, or
// one it wrote over, is one run that nobody can name.
void tst_JawsInstaller::recordRuns_data()
{
    QTest::addColumn<QString>("tampering"); // done to the written record before it is read back
    QTest::addColumn<int>("runs");          // read back; -1: damaged

    QTest::newRow("as written") << "" << 2;
    QTest::newRow("an earlier program's: no count of runs") << "no count" << 1;
    QTest::newRow("a run's row of an unknown kind") << "unknown kind" << -1;
    QTest::newRow("a run cut short") << "run rows" << -1;
    QTest::newRow("a run's section missing") << "run missing" << -1;
    QTest::newRow("a count of runs that is no number") << "count" << -1;
    QTest::newRow("a run named with a blank") << "id" << -1;
    QTest::newRow("a run's row short of fields") << "short row" << -1;
    QTest::newRow("the first run alone: its rows are the record's") << "first only" << 1;
    QTest::newRow("the first run alone, and a row of its own") << "first only, a row" << -1;
}

void tst_JawsInstaller::recordRuns()
{
    QFETCH(QString, tampering);
    QFETCH(int, runs);
    const QString jaws = QDir(systemRoot.path()).filePath(QStringLiteral("JAWS"));
    const QString path = QDir(package.path()).filePath(QStringLiteral("runs.ini"));
    QFile::remove(path); // an earlier row's, tampered with
    const QString settings = QDir::toNativeSeparators(jaws + QStringLiteral("/jfw.ini"));
    const QString driver = QDir::toNativeSeparators(jaws + QStringLiteral("/QuorOlma.jlb"));
    InstallRecord first;
    first.files << InstallRecord::File{ driver, 3, ContentHash::of("one"), InstallRecord::File::Before::Absent, QString(), QByteArray() };
    first.values << InstallRecord::Value{ settings, QStringLiteral("Options"), QStringLiteral("BrailleDisplay"), QStringLiteral("FOCUS"), QStringLiteral("QUOR") };
    first.folders << QDir::toNativeSeparators(jaws + QStringLiteral("/MANUALS"));
    InstallRecord second;
    second.files << InstallRecord::File{ driver, 3, ContentHash::of("two"), InstallRecord::File::Before::Replaced, driver + QStringLiteral(".001"),
                                         ContentHash::of("one") };
    second.values << InstallRecord::Value{ settings, QStringLiteral("Options"), QStringLiteral("BrailleDisplay"), QStringLiteral("QUOR"), QStringLiteral("OLMA") };
    // Found as it was to be, nothing changed: nothing of it to take back, and no run of its own.
    InstallRecord repair;
    repair.files << InstallRecord::File{ driver, 3, ContentHash::of("two"), InstallRecord::File::Before::Same, QString(), QByteArray() };

    InstallRecord record;
    record.addRun(QStringLiteral("first"), first);
    const bool firstOnly = tampering.startsWith(QLatin1String("first only"));
    if (firstOnly) {
        IniFile file(path);
        QVERIFY(record.write(file, { jaws, QString() }) && file.save());
        QByteArray bytes = TextFiles::read(path);
        QVERIFY(bytes.contains("Whole=1") && !bytes.contains("=file|"));
        if (tampering.endsWith(QLatin1String("a row")))
            QVERIFY(TextFiles::write(path, bytes.replace("Whole=1", "Whole=1\r\n1=folder|<JAWS>\\MANUALS")));
        InstallRecord read;
        IniFile again(path);
        const InstallRecord::Reading reading = read.read(again, { jaws, QString() });
        QCOMPARE(reading, runs < 0 ? InstallRecord::Reading::Damaged : InstallRecord::Reading::Read);
        if (runs > 0) {
            QCOMPARE(read.runs.size(), 1);
            QCOMPARE(read.runs.constFirst().id, QStringLiteral("first"));
            QCOMPARE(read.runs.constFirst().changes->files.size(), 1);
            QCOMPARE(read.runs.constFirst().changes->values.constFirst().before, std::optional<QString>(QStringLiteral("FOCUS")));
            QVERIFY(read.withoutLastRun().isEmpty());
        }
        return;
    }
    record.addRun(QStringLiteral("second"), second);
    record.addRun(QStringLiteral("repair"), repair);
    QCOMPARE(record.runs.size(), 2);
    QCOMPARE(record.runIndex(QStringLiteral("second")), 1);
    QCOMPARE(record.runIndex(QStringLiteral("repair")), -1);
    // The merged rows are those of the runs merged, as a record without runs had them.
    InstallRecord merged = first;
    merged.merge(second);
    merged.merge(repair);
    QCOMPARE(record.values.constFirst().before, merged.values.constFirst().before);
    QCOMPARE(record.files.constFirst().before, merged.files.constFirst().before);
    QCOMPARE(record.files.constFirst().hash, merged.files.constFirst().hash);
    {
        IniFile file(path);
        // A longer record written there before: its last run goes.
        InstallRecord longer = record;
        longer.addRun(QStringLiteral("third"), first);
        QVERIFY(longer.write(file, { jaws, QString() }));
        QVERIFY(record.write(file, { jaws, QString() }) && file.save());
    }
    QByteArray bytes = TextFiles::read(path);
    QVERIFY(bytes.contains("[Run2]") && !bytes.contains("[Run3]"));
    if (tampering == QLatin1String("no count"))
        bytes.replace("Runs=2\r\n", "");
    else if (tampering == QLatin1String("unknown kind"))
        bytes.replace("=file|", "=filed|");
    else if (tampering == QLatin1String("run rows"))
        bytes.truncate(bytes.lastIndexOf("\r\n1=") + 2);
    else if (tampering == QLatin1String("run missing"))
        bytes.replace("[Run2]", "[Later]");
    else if (tampering == QLatin1String("count"))
        bytes.replace("Runs=2", "Runs=two");
    else if (tampering == QLatin1String("id"))
        bytes.replace("Id=second", "Id=sec ond");
    else if (tampering == QLatin1String("short row"))
        bytes.replace("|=QUOR|=OLMA", "|=QUOR");
    QVERIFY(TextFiles::write(path, bytes));

    InstallRecord read;
    IniFile file(path);
    const InstallRecord::Reading reading = read.read(file, { jaws, QString() });
    if (runs < 0) {
        QCOMPARE(reading, InstallRecord::Reading::Damaged);
        return;
    }
    QCOMPARE(reading, InstallRecord::Reading::Read);
    QCOMPARE(read.runs.size(), runs);
    if (runs == 1) {
        QVERIFY(read.runs.constFirst().id.isEmpty());
        QCOMPARE(read.runIndex(QString()), -1); // nobody can name it
        QVERIFY(read.withoutLastRun().isEmpty());
        return;
    }
    QCOMPARE(read.runs.constFirst().id, QStringLiteral("first"));
    QCOMPARE(read.runs.constLast().changes->files.constFirst().backup, driver + QStringLiteral(".001"));
    // The last run taken back: the record is the first run's alone, its "before" the first.
    const InstallRecord earlier = read.withoutLastRun();
    QCOMPARE(earlier.runs.size(), 1);
    QCOMPARE(earlier.values.constFirst().before, std::optional<QString>(QStringLiteral("FOCUS")));
    QCOMPARE(earlier.values.constFirst().after, std::optional<QString>(QStringLiteral("QUOR")));
    QCOMPARE(earlier.files.constFirst().hash, ContentHash::of("one"));
    QCOMPARE(earlier.folders.size(), 1);
}

QTEST_GUILESS_MAIN(tst_JawsInstaller)
#include "tst_jawsinstaller.moc"
