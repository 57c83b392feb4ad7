#include "support/configured.h"
#include "support/inireads.h"
#include "installer/jawsinstaller.h"
#include "installer/shellfolders.h"
#include "support/fixtures.h"
#include "support/textfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray manifest = "[FRA_KBD_BRAILLE_TABLE]\r\nBrailleTranslationTable=xyz\r\n"
                            "[ENU_KBD_BRAILLE_TABLE]\r\nBrailleTranslationTable=enu_keys\r\n"
                            "[ENU_JBT_BRAILLE_TABLE]\r\nBrailleTranslationTable=English.jbt\r\n"
                            "[MERGE]\r\nkorvalis_default.jcf\r\n";

// A JAWS of a given version with shared and user settings (enu, fra), a package beside it.
struct Machine
{
    QTemporaryDir root, package, jaws, report;
    JawsInstaller installer{ package.path() };

    bool make(const QString &jfw, const QByteArray &list = manifest)
    {
        qputenv("QUOROLMA_SYSTEM_ROOT", root.path().toUtf8());
        if (!list.isNull() && !TextFiles::write(package.filePath(QStringLiteral("list.install")), list))
            return false;
        if (!jfw.isEmpty() && !Fixtures::copy(jfw, jaws.filePath(QStringLiteral("jfw.exe"))))
            return false;
        installer.setJawsFolder(jaws.path());
        installer.jawsConfiguration().setSelectedDevice(QStringLiteral("Korvalis Quor"));
        // Under Wine the settings folders are the prefix's own, shared by every case of a run.
        const ShellFolders shellFolders;
        for (const QString &appData : { shellFolders.commonAppDataFolder, shellFolders.appDataFolder })
            if (!appData.isEmpty())
                QDir(appData + QStringLiteral("/Freedom Scientific")).removeRecursively();
        if (!installer.computeTargetFolders())
            return false;
        installer.recorder().createTargetFolders();
        for (const QString &folder : { installer.target().sharedSettingsFolder(), installer.target().userSettingsFolder() })
            for (const QString &language : { QStringLiteral("enu"), QStringLiteral("fra") })
                if (!folder.isEmpty() && !QDir().mkpath(folder + QLatin1Char('/') + language))
                    return false;
        return installer.report().open(report.filePath(QStringLiteral("installLog.txt")));
    }
    QStringList lines() const
    {
        QString problem;
        return TextFiles::readLines(report.filePath(QStringLiteral("installLog.txt")), &problem).mid(4);
    }
    QString table(const QString &folder, const QString &language) const
    {
        return IniReads::readString(QStringLiteral("Braille"), QStringLiteral("BrailleTranslationTable"),
                                      folder + QLatin1Char('/') + language + QStringLiteral("/default.jcf"), QStringLiteral("none"));
    }
};

} // namespace

class tst_Tables : public QObject
{
    Q_OBJECT

private slots:
    void keyboardTableForTheSystemLanguage();
    void keyboardTableWithoutManifest();
    void translationTablesOnlyWhereTheManifestSays();
    void keyMapsMovedAside();
    void configureJawsByVersion_data();
    void configureJawsByVersion();
    void configureTwiceAddsNothingTwice();
};

// Each locale is a process of its own; IQO_EXPECTED_TABLE says what that locale must choose.
void tst_Tables::keyboardTableForTheSystemLanguage()
{
    const QString expected = qEnvironmentVariable("IQO_EXPECTED_TABLE", QStringLiteral("enu_keys.kbd"));
    Machine machine;
    QVERIFY(machine.make(QStringLiteral("pe/jfw_10.dll")));
    const QString korvalisIni = machine.jaws.filePath(QStringLiteral("korvalis.ini"));
    configured(machine.installer, [&](Configuration &c) { machine.installer.jawsConfiguration().selectKeyboardTable(c, korvalisIni); });
    QCOMPARE(IniReads::readString(QStringLiteral("GENERAL"), QStringLiteral("BrailleFileName"), korvalisIni, QString()), expected);
    QCOMPARE(machine.lines(), (QStringList{ "", QStringLiteral("OK : '%1' Braille table selected in %2.").arg(expected, QDir::toNativeSeparators(korvalisIni)) }));
}

void tst_Tables::keyboardTableWithoutManifest()
{
    Machine machine;
    QVERIFY(machine.make(QStringLiteral("pe/jfw_10.dll"), QByteArray()));
    const QString korvalisIni = machine.jaws.filePath(QStringLiteral("korvalis.ini"));
    configured(machine.installer, [&](Configuration &c) { machine.installer.jawsConfiguration().selectKeyboardTable(c, korvalisIni); });
    // No bare ".kbd": the driver's file stays as it was, and the run counts as failed.
    QVERIFY(!QFileInfo::exists(korvalisIni));
    QVERIFY(machine.lines().value(1).startsWith(QStringLiteral("ERROR : The installation package names no keyboard Braille table in ")));
    QVERIFY(machine.installer.hasErrors());
}

void tst_Tables::translationTablesOnlyWhereTheManifestSays()
{
    Machine machine;
    QVERIFY(machine.make(QStringLiteral("pe/jfw_10.dll")));
    const QString shared = machine.installer.target().sharedSettingsFolder();
    configured(machine.installer, [&](Configuration &c) { machine.installer.jawsConfiguration().selectTranslationTables(c, shared); });
    QCOMPARE(machine.table(shared, QStringLiteral("enu")), QStringLiteral("English.jbt"));
    QVERIFY(!QFileInfo::exists(shared + QStringLiteral("/fra/default.jcf")));
    QCOMPARE(machine.lines().size(), 2); // the empty line and one table line
    // A folder without language folders: the empty line alone.
    configured(machine.installer, [&](Configuration &c) { machine.installer.jawsConfiguration().selectTranslationTables(c, machine.package.path()); });
    QCOMPARE(machine.lines().size(), 3);
}

void tst_Tables::keyMapsMovedAside()
{
    Machine machine;
    QVERIFY(machine.make(QStringLiteral("pe/jfw_6.dll")));
    const QString user = machine.installer.target().userSettingsFolder();
    QVERIFY(TextFiles::write(user + QStringLiteral("/enu/DEFAULT.JKM"), "[Keys]\r\nA=1\r\n"));
    QVERIFY(TextFiles::write(user + QStringLiteral("/enu/DEFAULT.JKM.001"), "older"));
    QVERIFY(TextFiles::write(user + QStringLiteral("/enu/DEFAULT.JKM.002"), "older still"));
    QVERIFY(TextFiles::write(user + QStringLiteral("/fra/word.jkm"), "[Keys]\r\nB=2\r\n"));
    machine.installer.keyMaps().reset(user);
    const QString enu = QDir::toNativeSeparators(user + QStringLiteral("/enu/DEFAULT.JKM"));
    const QString fra = QDir::toNativeSeparators(user + QStringLiteral("/fra/word.jkm"));
    QCOMPARE(machine.lines(), (QStringList{ "OK : " + enu + ".003 file successfully saved.", "OK : " + enu + " file successfully deleted.",
                                            "OK : " + fra + ".001 file successfully saved.", "OK : " + fra + " file successfully deleted." }));
    QVERIFY(!QFileInfo::exists(enu) && !QFileInfo::exists(fra));
    QCOMPARE(TextFiles::read(enu + QStringLiteral(".003")), QByteArray("[Keys]\r\nA=1\r\n"));
    QCOMPARE(TextFiles::read(enu + QStringLiteral(".001")), QByteArray("older")); // a backup is never a key map
    QVERIFY(!machine.installer.hasErrors());
}

void tst_Tables::configureJawsByVersion_data()
{
    QTest::addColumn<QString>("jfw");
    QTest::addColumn<bool>("userTables");
    QTest::addColumn<bool>("keyMapsMoved");
    QTest::newRow("JAWS 10") << "pe/jfw_10.dll" << true << false;
    QTest::newRow("JAWS 6") << "pe/jfw_6.dll" << true << true;
    QTest::newRow("JAWS 5") << "pe/jfw_5.dll" << false << false;
    QTest::newRow("JAWS 2019 as 20, 0, 2014, 0") << "pe/jfw_2019_comma.dll" << true << false;
    QTest::newRow("JAWS 2025 as 26.6.24.0") << "pe/jfw_2025.dll" << true << false;
    QTest::newRow("unreadable version") << "pe/no_version.dll" << false << false;
}

void tst_Tables::configureJawsByVersion()
{
    QFETCH(QString, jfw);
    QFETCH(bool, userTables);
    QFETCH(bool, keyMapsMoved);
    Machine machine;
    QVERIFY(machine.make(jfw));
    QVERIFY(TextFiles::write(machine.package.filePath(QStringLiteral("korvalis_default.jcf")), "[Options]\r\nSpeech=1\r\n"));
    const QString user = machine.installer.target().userSettingsFolder();
    if (!user.isEmpty())
        QVERIFY(TextFiles::write(user + QStringLiteral("/enu/default.jkm"), "[Keys]\r\n"));
    QVERIFY(!machine.installer.jawsConfiguration().configureJaws());
    QCOMPARE(machine.table(machine.installer.target().sharedSettingsFolder(), QStringLiteral("enu")), QStringLiteral("English.jbt"));
    if (!user.isEmpty()) {
        QCOMPARE(machine.table(user, QStringLiteral("enu")), userTables ? QStringLiteral("English.jbt") : QString());
        QCOMPARE(QFileInfo::exists(user + QStringLiteral("/enu/default.jkm")), !keyMapsMoved);
    }
    // The settings merge reached every shared language folder; the key maps, when moved, come last.
    QCOMPARE(IniReads::readString(QStringLiteral("Options"), QStringLiteral("Speech"),
                                    machine.installer.target().sharedSettingsFolder() + QStringLiteral("/fra/default.jcf"), QString()),
             QStringLiteral("1"));
    if (keyMapsMoved)
        QVERIFY(machine.lines().last().endsWith(QStringLiteral("default.jkm file successfully deleted.")));
    QDir(machine.root.path()).removeRecursively();
}

// A second installation: each display listed once, and one numbered backup of each file, from
// the run that changed it: the second changes nothing, so it backs nothing up.
void tst_Tables::configureTwiceAddsNothingTwice()
{
    Machine machine;
    QVERIFY(machine.make(QStringLiteral("pe/jfw_10.dll")));
    QVERIFY(TextFiles::write(machine.package.filePath(QStringLiteral("korvalis_default.jcf")), "[Options]\r\nSpeech=1\r\n"));
    QVERIFY(TextFiles::write(machine.package.filePath(QStringLiteral("braille.ini")), "[Korvalis Quor]\r\nPort=USB\r\n"));
    const QString jfwIni = machine.jaws.filePath(QStringLiteral("jfw.ini"));
    const QString brailleIni = machine.jaws.filePath(QStringLiteral("braille.ini"));
    const QString jcf = machine.installer.target().sharedSettingsFolder() + QStringLiteral("/enu/default.jcf");
    QVERIFY(TextFiles::write(jfwIni, "[BrailleDisplays]\r\nBraille1LongName=Other\r\nBraille1Name=other\r\n"));
    QVERIFY(TextFiles::write(brailleIni, "[Other]\r\nPort=COM2\r\n"));
    QVERIFY(TextFiles::write(jcf, "[Options]\r\nSpeech=0\r\n"));
    const QByteArray brailleBefore = TextFiles::read(brailleIni), jcfBefore = TextFiles::read(jcf);

    QVERIFY(!machine.installer.jawsConfiguration().configureJaws());
    const QByteArray brailleAfterFirst = TextFiles::read(brailleIni), jcfAfterFirst = TextFiles::read(jcf);
    QVERIFY(!machine.installer.jawsConfiguration().configureJaws());

    QStringList longNames;
    for (int n = 1; n < 10; ++n)
        longNames << IniReads::readString(QStringLiteral("BrailleDisplays"), QStringLiteral("Braille%1LongName").arg(n), jfwIni, QString());
    QCOMPARE(longNames.mid(0, 4), (QStringList{ "Other", QStringLiteral("OLMA (1.71 et plus r\u00e9cent)"), "QUOR", "" }));
    QCOMPARE(TextFiles::read(brailleIni + QStringLiteral(".001")), brailleBefore);
    QCOMPARE(TextFiles::read(brailleIni), brailleAfterFirst);
    QVERIFY(!QFileInfo::exists(brailleIni + QStringLiteral(".002")));
    QCOMPARE(TextFiles::read(jcf + QStringLiteral(".001")), jcfBefore);
    QCOMPARE(TextFiles::read(jcf), jcfAfterFirst);
    QVERIFY(!QFileInfo::exists(jcf + QStringLiteral(".002")));
    QDir(machine.root.path()).removeRecursively();
}

QTEST_GUILESS_MAIN(tst_Tables)
#include "tst_tables.moc"
