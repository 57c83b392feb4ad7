#include "installer/jawsinstaller.h"
#include "installer/shellfolders.h"
#include "support/fixtures.h"
#include "support/testmachine.h"
#include "support/textfiles.h"

#include <QDir>
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
    QTest::addColumn<QString>("jfwExe"); // fixture copied as jfw.exe; empty: none
    QTest::addColumn<QString>("driverSuffix");
    QTest::addColumn<QString>("settingsVersion"); // empty: the folder layout before JAWS 6

    QTest::newRow("10, 0, 1154, 0") << "pe/jfw_10.dll" << "/Drivers/Braille/quorolma" << "10.0";
    QTest::newRow("7, 0, 0, 0") << "pe/jfw_7.dll" << "/Drivers/Braille/quorolma" << "7.0";
    QTest::newRow("6, 10, 0, 0") << "pe/jfw_6.dll" << "" << "6.10";
    QTest::newRow("5, 0, 0, 0") << "pe/jfw_5.dll" << "" << "";
    QTest::newRow("major not a number") << "pe/jfw_text.dll" << "" << "";
    QTest::newRow("no version resource") << "pe/no_version.dll" << "" << "";
    QTest::newRow("no jfw.exe") << "" << "" << "";
}

void tst_JawsInstaller::targetFoldersByVersion()
{
    QFETCH(QString, jfwExe);
    QFETCH(QString, driverSuffix);
    QFETCH(QString, settingsVersion);

    QTemporaryDir jawsDir;
    const QString jaws = jawsDir.path();
    if (!jfwExe.isEmpty())
        QVERIFY(Fixtures::copy(jfwExe, jaws + QStringLiteral("/jfw.exe")));

    JawsInstaller installer;
    installer.setSourceFolder(package.path());
    installer.setJawsFolder(jaws);
    QVERIFY(installer.computeTargetFolders());

    QCOMPARE(installer.programFolder(), jaws);
    QCOMPARE(installer.driverFolder(), jaws + driverSuffix);
    QCOMPARE(installer.manualsFolder(), jaws + QStringLiteral("/MANUALS"));
    const ShellFolders shellFolders;
    if (settingsVersion.isEmpty()) {
        QCOMPARE(installer.sharedSettingsFolder(), jaws + QStringLiteral("/SETTINGS"));
        QCOMPARE(installer.userSettingsFolder(), QString());
    } else {
        const QString suffix = QStringLiteral("/Freedom Scientific/JAWS/%1/Settings").arg(settingsVersion);
        QVERIFY(!shellFolders.commonAppDataFolder.isEmpty() && !shellFolders.appDataFolder.isEmpty());
        QCOMPARE(installer.sharedSettingsFolder(), shellFolders.commonAppDataFolder + suffix);
        QCOMPARE(installer.userSettingsFolder(), shellFolders.appDataFolder + suffix);
    }

    const QStringList before = QDir::current().entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    installer.createTargetFolders();
    for (const QString &folder : { installer.driverFolder(), installer.manualsFolder(),
                                   installer.sharedSettingsFolder(), installer.userSettingsFolder() }) {
        if (!folder.isEmpty())
            QVERIFY2(QFileInfo(folder).isDir(), qPrintable(folder));
    }
    // An empty user settings folder creates nothing, in the working folder or elsewhere.
    QCOMPARE(QDir::current().entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    if (!settingsVersion.isEmpty()) {
        QDir(shellFolders.commonAppDataFolder + QStringLiteral("/Freedom Scientific")).removeRecursively();
        QDir(shellFolders.appDataFolder + QStringLiteral("/Freedom Scientific")).removeRecursively();
    }
}

void tst_JawsInstaller::missingFoldersChangeNothing()
{
    QTemporaryDir jawsDir;
    QVERIFY(Fixtures::copy(QStringLiteral("pe/jfw_5.dll"), jawsDir.filePath(QStringLiteral("jfw.exe"))));
    JawsInstaller installer;
    installer.setSourceFolder(package.path());
    installer.setJawsFolder(jawsDir.path());
    QVERIFY(installer.computeTargetFolders());

    installer.setJawsFolder(jawsDir.filePath(QStringLiteral("gone")));
    QVERIFY(!installer.computeTargetFolders());
    QCOMPARE(installer.programFolder(), jawsDir.path());
    QCOMPARE(installer.sharedSettingsFolder(), jawsDir.path() + QStringLiteral("/SETTINGS"));

    installer.setJawsFolder(jawsDir.path());
    installer.setSourceFolder(package.filePath(QStringLiteral("gone")));
    QVERIFY(!installer.computeTargetFolders());
}

void tst_JawsInstaller::resetForgetsOnlyTheChosenInstallation()
{
    QTemporaryDir jawsDir;
    QVERIFY(Fixtures::copy(QStringLiteral("pe/jfw_10.dll"), jawsDir.filePath(QStringLiteral("jfw.exe"))));
    JawsInstaller installer;
    installer.setSourceFolder(package.path());
    installer.setJawsFolder(jawsDir.path());
    installer.setSelectedDevice(QStringLiteral("Quor"));
    installer.setHasErrors(true);
    installer.setReportPath(QStringLiteral("C:/report.txt"));
    QVERIFY(installer.computeTargetFolders());

    installer.reset();
    for (const QString &cleared : { installer.jawsFolder(), installer.programFolder(), installer.driverFolder(),
                                    installer.manualsFolder(), installer.sharedSettingsFolder(),
                                    installer.userSettingsFolder(), installer.selectedDevice() })
        QVERIFY(cleared.isEmpty());
    QCOMPARE(installer.sourceFolder(), package.path());
    QVERIFY(installer.hasErrors());
    QCOMPARE(installer.reportPath(), QStringLiteral("C:/report.txt"));
}

void tst_JawsInstaller::cleanUpTakesOnlyDeliveredFiles_data()
{
    QTest::addColumn<QStringList>("failedCopies"); // destinations, relative to the JAWS folder
    QTest::addColumn<QString>("laterStep");        // "", "error" or "failure without the error flag"
    QTest::addColumn<QString>("packageFolder");    // relative to the machine, when not its own
    QTest::addColumn<QStringList>("removed");
    // QuorOlma.chm is only matched by "*.chm", like the user's notes.chm: both stay.
    const QStringList delivered{ "manual_en.txt", "manual_fr.txt", "QuorOlma.jlb" };
    const QStringList everyRun{ "braille.ini", "installquorolma_fr.qm", "list.install" };
    QStringList everything = delivered + everyRun;
    everything.sort(Qt::CaseInsensitive);
    QTest::newRow("everything delivered") << QStringList() << "" << "" << everything;
    QTest::newRow("one copy failed") << QStringList{ "MANUALS/enu/manual_en.txt" } << "" << ""
                                     << QStringList{ "manual_fr.txt", "QuorOlma.jlb" };
    // The driver goes to two folders: one failure is enough to keep it.
    QTest::newRow("one of two copies failed") << QStringList{ "Drivers/Braille/quorolma/QuorOlma.jlb" } << "" << ""
                                              << QStringList{ "manual_en.txt", "manual_fr.txt" };
    QTest::newRow("a later step failed") << QStringList() << "error" << "" << delivered;
    QTest::newRow("a later failure without the error flag") << QStringList() << "failure" << "" << delivered;
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
    JawsInstaller installer;
    installer.setSourceFolder(machine.packageFolder);
    installer.setJawsFolder(machine.jawsFolder);
    QVERIFY(installer.prepareCopy());
    for (const QString &destination : installer.destinationFiles()) {
        const QString relative = QDir(machine.jawsFolder).relativeFilePath(destination);
        installer.recordCopy(QDir::toNativeSeparators(destination), !failedCopies.contains(relative));
    }
    installer.addOwnPackageFile(machine.packageFolder + QStringLiteral("/installquorolma_fr.qm"));
    if (laterStep == QLatin1String("failure"))
        installer.report().noteFailure();
    installer.setHasErrors(laterStep == QLatin1String("error") || !failedCopies.isEmpty());
    QStringList names;
    for (const QString &file : installer.removablePackageFiles())
        names << QFileInfo(file).fileName();
    names.sort(Qt::CaseInsensitive);
    QCOMPARE(names, removed);

    installer.endReport();
    for (const QString &name : QDir(machine.packageFolder).entryList(QDir::Files))
        QVERIFY2(!removed.contains(name), qPrintable(name));
    for (const QString &name : std::as_const(machine.strangerFiles))
        QVERIFY(QFileInfo::exists(machine.packageFolder + QLatin1Char('/') + name));
}

QTEST_GUILESS_MAIN(tst_JawsInstaller)
#include "tst_jawsinstaller.moc"
