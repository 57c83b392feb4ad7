#include "installer/jawsinstaller.h"
#include "support/testtargetfolders.h"
#include "platform/safefiles.h"
#include "support/configured.h"
#include "support/inireads.h"
#include "support/textfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#endif

namespace {

// A package folder and a shared settings folder with language folders, each file given as
// "relative/path" -> content.
struct Tree
{
    QTemporaryDir package;
    QTemporaryDir jaws;
    QTemporaryDir settings;
    QTemporaryDir reportDir;
    JawsInstaller installer{ package.path() };

    bool make(const QMap<QString, QByteArray> &packageFiles, const QMap<QString, QByteArray> &settingsFiles)
    {
        for (auto it = packageFiles.cbegin(); it != packageFiles.cend(); ++it)
            if (!TextFiles::write(package.filePath(it.key()), it.value()))
                return false;
        for (auto it = settingsFiles.cbegin(); it != settingsFiles.cend(); ++it) {
            const QString path = settings.filePath(it.key());
            QDir().mkpath(QFileInfo(path).absolutePath());
            if (!it.key().endsWith(QLatin1Char('/')) && !TextFiles::write(path, it.value()))
                return false;
        }
        installer.setJawsFolder(jaws.path());
        TestTargetFolders::setShared(installer.target(), settings.path());
        return installer.report().open(reportDir.filePath(QStringLiteral("installLog.txt")));
    }

    // The run's report lines, after the header.
    QStringList reportLines() const
    {
        QString problem;
        return TextFiles::readLines(reportDir.filePath(QStringLiteral("installLog.txt")), &problem).mid(4);
    }

    QString native(const QString &relative) const { return QDir::toNativeSeparators(settings.filePath(relative)); }
};

} // namespace

class tst_IniMerge : public QObject
{
    Q_OBJECT

private slots:
    void backupFileName_data();
    void backupFileName();
    void settingsMergeOrderAndBackups();
    void sectionMergeRules();
    void noLanguageFoldersDoesNothing();
    void backupThatFailsIsReported_data();
    void backupThatFailsIsReported();
    void brailleIniBackedUpAndMergedSilently();
    void brailleIniNotMergedIsAnError();
};

void tst_IniMerge::backupFileName_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none yet") << QStringList() << "default.jcf.001";
    QTest::newRow("after .001 and .002") << QStringList{ "default.jcf.001", "default.jcf.002" } << "default.jcf.003";
    QTest::newRow("a gap is filled") << QStringList{ "default.jcf.002" } << "default.jcf.001";
}

void tst_IniMerge::backupFileName()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    for (const QString &name : existing)
        QVERIFY(TextFiles::write(dir.filePath(name), "x"));
    JawsInstaller installer;
    QCOMPARE(SettingsSession::backupFileName(dir.filePath(QStringLiteral("default.jcf"))), dir.filePath(expected));
}

void tst_IniMerge::settingsMergeOrderAndBackups()
{
    Tree tree;
    QVERIFY(tree.make({ { "korvalis_default.jcf", "[Braille]\r\nTable=new\r\n" }, { "korvalis_jfw.jkm", "[Keys]\r\nA=1\r\n" } },
                      { { "fra/default.jcf", "[Braille]\r\nTable=old\r\n" },
                        { "fra/default.jcf.001", "older" },
                        { "fra/default.jcf.002", "older still" },
                        { "enu/default.jcf", "[Braille]\r\nTable=old\r\n" },
                        { "enu/jfw.jkm", "[Keys]\r\nB=2\r\n" } }));
    configured(tree.installer, [&](Configuration &c) { tree.installer.settingsMerge().mergeSettingsFiles(c, { QStringLiteral("korvalis_default.jcf"), QStringLiteral("korvalis_jfw.jkm") }); });
    QCOMPARE(tree.reportLines(), (QStringList{ "OK : " + tree.native("enu/default.jcf.001") + " file successfully saved.",
                                               "OK : " + tree.native("enu/jfw.jkm.001") + " file successfully saved.",
                                               "OK : " + tree.native("fra/default.jcf.003") + " file successfully saved." }));
    QCOMPARE(TextFiles::read(tree.settings.filePath(QStringLiteral("fra/default.jcf.003"))), QByteArray("[Braille]\r\nTable=old\r\n"));
    QCOMPARE(IniReads::readString(QStringLiteral("Braille"), QStringLiteral("Table"), tree.settings.filePath(QStringLiteral("fra/default.jcf")), QString()),
             QStringLiteral("new"));
    // No jfw.jkm in fra: created by the merge, without a backup.
    QCOMPARE(IniReads::readSection(QStringLiteral("Keys"), tree.settings.filePath(QStringLiteral("fra/jfw.jkm"))), QStringList{ "A=1" });
    QVERIFY(!tree.installer.hasErrors());
}

void tst_IniMerge::sectionMergeRules()
{
    Tree tree;
    QVERIFY(tree.make({ { "default.jcf", "[Shared]\r\nKept=source\r\n[Emptied]\r\n[Added]\r\nNew=1\r\n" } },
                      { { "enu/default.jcf", "[Shared]\r\nKept=target\r\nGone=1\r\n[Emptied]\r\nX=1\r\n[Untouched]\r\nU=1\r\n" } }));
    configured(tree.installer, [&](Configuration &c) { tree.installer.settingsMerge().mergeSettingsFiles(c, { QStringLiteral("default.jcf") }); }); // no "korvalis_": the same name
    const QString target = tree.settings.filePath(QStringLiteral("enu/default.jcf"));
    QCOMPARE(IniReads::readSectionNames(target), (QStringList{ "Shared", "Emptied", "Untouched", "Added" }));
    QCOMPARE(IniReads::readSection(QStringLiteral("Shared"), target), QStringList{ "Kept=source" });
    QCOMPARE(IniReads::readSection(QStringLiteral("Emptied"), target), QStringList());
    QCOMPARE(IniReads::readSection(QStringLiteral("Untouched"), target), QStringList{ "U=1" });
    QCOMPARE(IniReads::readSection(QStringLiteral("Added"), target), QStringList{ "New=1" });
}

void tst_IniMerge::noLanguageFoldersDoesNothing()
{
    Tree tree;
    QVERIFY(tree.make({ { "korvalis_default.jcf", "[S]\r\nk=v\r\n" } }, {}));
    configured(tree.installer, [&](Configuration &c) { tree.installer.settingsMerge().mergeSettingsFiles(c, { QStringLiteral("korvalis_default.jcf") }); });
    QCOMPARE(tree.reportLines(), QStringList());
    // Nor with no settings folder at all, which must not mean the working folder.
    TestTargetFolders::setShared(tree.installer.target(), QString());
    configured(tree.installer, [&](Configuration &c) { tree.installer.settingsMerge().mergeSettingsFiles(c, { QStringLiteral("korvalis_default.jcf") }); });
    QCOMPARE(tree.reportLines(), QStringList());
}

void tst_IniMerge::backupThatFailsIsReported_data()
{
    QTest::addColumn<bool>("folderInTheWay");
    QTest::addColumn<QString>("backup");
    // A folder stands where the target file is: its backup cannot be made.
    QTest::newRow("a folder in the way of the file") << true << ".001";
    // Every numbered name is taken: the last one is never overwritten, and without its backup
    // the file is left as it was.
    QTest::newRow("every backup name taken") << false << ".1000";
}

void tst_IniMerge::backupThatFailsIsReported()
{
    QFETCH(bool, folderInTheWay);
    QFETCH(QString, backup);
    Tree tree;
    const QByteArray before = "[One]\r\nold=1\r\n";
    QVERIFY(tree.make({ { "korvalis_default.jcf", "[One]\r\na=1\r\n[Two]\r\nb=2\r\n" } },
                      { { folderInTheWay ? "enu/default.jcf/" : "enu/default.jcf", before } }));
    const QString target = tree.native("enu/default.jcf");
    if (!folderInTheWay) {
        for (int i = 1; i <= 1000; ++i)
            QVERIFY(TextFiles::write(target + QStringLiteral(".%1").arg(i, 3, 10, QLatin1Char('0')), "older"));
    }
    configured(tree.installer, [&](Configuration &c) { tree.installer.settingsMerge().mergeSettingsFiles(c, { QStringLiteral("korvalis_default.jcf") }); });
    // The last name is taken: the system's reason says so.
#ifdef Q_OS_WIN
    const QString exists = Platform::SafeFiles::errorText(ERROR_FILE_EXISTS);
#else
    const QString exists = Platform::SafeFiles::errorText(EEXIST);
#endif
    QStringList expected{ "ERROR : Unable to save " + target + backup + " file: " + exists, "Error while merging 'One' section of " + target + ".",
                          "Error while merging 'Two' section of " + target + "." };
    // A folder is no settings file: it is named as left alone, and nothing of it changed needs
    // a backup.
    if (folderInTheWay) {
        expected.removeFirst();
        expected << "ERROR : " + target + " is not a plain file: it was left as it is.";
    }
    QCOMPARE(tree.reportLines(), expected);
    QVERIFY(tree.installer.hasErrors());
    if (!folderInTheWay) {
        QCOMPARE(TextFiles::read(target), before);
        QCOMPARE(TextFiles::read(target + backup), QByteArray("older"));
    }
}

void tst_IniMerge::brailleIniBackedUpAndMergedSilently()
{
    Tree tree;
    QVERIFY(tree.make({ { "braille.ini", "[Quor]\r\nPort=USB\r\n" } }, {}));
    QVERIFY(TextFiles::write(tree.jaws.filePath(QStringLiteral("braille.ini")), "[Other]\r\nPort=COM1\r\n"));
    configured(tree.installer, [&](Configuration &c) { tree.installer.settingsMerge().mergeBrailleIni(c); });
    configured(tree.installer, [&](Configuration &c) { tree.installer.settingsMerge().mergeBrailleIni(c); });
    const QString target = tree.jaws.filePath(QStringLiteral("braille.ini"));
    QCOMPARE(TextFiles::read(target + QStringLiteral(".001")), QByteArray("[Other]\r\nPort=COM1\r\n"));
    // The second merge changed nothing: no second backup.
    QVERIFY(!QFileInfo::exists(target + QStringLiteral(".002")));
    QCOMPARE(IniReads::readSectionNames(target), (QStringList{ "Other", "Quor" }));
    QCOMPARE(tree.reportLines(), QStringList());
    QVERIFY(!tree.installer.hasErrors());
}

// Without the driver's sections JAWS cannot use the display: a braille.ini that could not be
// replaced (marked read-only, which binds root too) is reported and is an error.
void tst_IniMerge::brailleIniNotMergedIsAnError()
{
    Tree tree;
    QVERIFY(tree.make({ { "braille.ini", "[Quor]\r\nPort=USB\r\n" } }, {}));
    const QString target = tree.jaws.filePath(QStringLiteral("braille.ini"));
    QVERIFY(TextFiles::write(target, "[Other]\r\nPort=COM1\r\n"));
    QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    configured(tree.installer, [&](Configuration &c) { tree.installer.settingsMerge().mergeBrailleIni(c); });
    QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(TextFiles::read(target), QByteArray("[Other]\r\nPort=COM1\r\n"));
    QCOMPARE(tree.reportLines(), QStringList{ "Error while merging 'Quor' section of " + QDir::toNativeSeparators(target) + "." });
    QVERIFY(tree.installer.hasErrors());
    QCOMPARE(QDir(tree.jaws.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{ "braille.ini", "braille.ini.001" }));
}

QTEST_GUILESS_MAIN(tst_IniMerge)
#include "tst_inimerge.moc"
