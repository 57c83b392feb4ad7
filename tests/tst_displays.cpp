#include "support/configured.h"
#include "support/inireads.h"
#include "installer/jawsinstaller.h"
#include "support/fixtures.h"
#include "support/textfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

const QString olma = QStringLiteral("OLMA (1.71 et plus r\u00e9cent)");

// Slots of other displays, whose driver is "other" unless `drivers` says otherwise.
QByteArray jfwIniWithSlots(const QStringList &longNames, const QStringList &names, const QStringList &drivers = {})
{
    QByteArray ini = "[Options]\r\nX=1\r\n[BrailleDisplays]\r\n";
    for (int i = 0; i < longNames.size(); ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        // jfw.ini is an ANSI file: the é of the Olma's name is one byte.
        ini += "Braille" + n + "LongName=" + longNames.at(i).toLatin1() + "\r\nBraille" + n + "Name=" + names.at(i).toLatin1()
            + "\r\nBraille" + n + "Driver=" + drivers.value(i, QStringLiteral("other")).toLatin1() + "\r\nBraille" + n
            + "Port=LPT1\r\n";
    }
    return ini;
}

// The slots of jfw.ini as "N:LongName/Name/Driver/Port", up to the first free one.
QStringList slotsOf(const QString &jfwIni)
{
    QStringList found;
    for (int n = 1; n < 10; ++n) {
        auto key = [&](const char *p) {
            return IniReads::readString(QStringLiteral("BrailleDisplays"), QString::fromLatin1(p).arg(n), jfwIni, QString());
        };
        if (key("Braille%1LongName").isEmpty())
            break;
        found << QStringLiteral("%1:%2/%3/%4/%5").arg(n).arg(key("Braille%1LongName"), key("Braille%1Name"),
                                                        key("Braille%1Driver"), key("Braille%1Port"));
    }
    return found;
}

struct Run
{
    QTemporaryDir jaws, report, shared, user;
    JawsInstaller installer{ jaws.path() };

    bool start(const QString &jfwFixture)
    {
        installer.setJawsFolder(jaws.path());
        if (!jfwFixture.isEmpty() && !Fixtures::copy(jfwFixture, jaws.filePath(QStringLiteral("jfw.exe"))))
            return false;
        return installer.report().open(report.filePath(QStringLiteral("installLog.txt")));
    }
    QStringList lines() const
    {
        QString problem;
        return TextFiles::readLines(report.filePath(QStringLiteral("installLog.txt")), &problem).mid(4);
    }
};

} // namespace

class tst_Displays : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void registerDisplays_data();
    void registerDisplays();
    void jfwIniNotReplaced_data();
    void jfwIniNotReplaced();
    void displayListsByVersion_data();
    void displayListsByVersion();
#ifdef Q_OS_WIN
    void greekSystemRunTwice();
#endif
    void selectDefaultDevice_data();
    void selectDefaultDevice();

private:
    std::unique_ptr<QTemporaryDir> machine;
};

// A simulated machine of its own for each case: its application data folders hold the
// settings of JAWS 6 and later (on Windows, the real ones of the fresh Wine prefix).
void tst_Displays::init()
{
    machine.reset(new QTemporaryDir);
    qputenv("QUOROLMA_SYSTEM_ROOT", machine->path().toUtf8());
}

void tst_Displays::registerDisplays_data()
{
    QTest::addColumn<QByteArray>("before"); // null: no jfw.ini
    QTest::addColumn<QStringList>("expectedSlots"); // "N:LongName/Name/Driver/Port"
    QTest::addColumn<QStringList>("expectedReport");

    const QString added = QStringLiteral("OK : [%1] section has been added to jfw.ini file.");
    const QString rewritten = QStringLiteral("Key 'BrailleName' OLMA has been changed into OLMA171 in jfw.ini file.");
    QTest::newRow("no jfw.ini") << QByteArray() << QStringList{ "1:" + olma + "/OLMA171/quorolma/COM1:9600,e,8,1", "2:QUOR/QUOR/quorolma/USB" }
                                << QStringList{ "", added.arg(olma), added.arg("Quor") };
    QTest::newRow("slots 1-3 taken") << jfwIniWithSlots({ "A", "B", "C" }, { "a", "b", "c" })
                                     << QStringList{ "1:A/a/other/LPT1", "2:B/b/other/LPT1", "3:C/c/other/LPT1",
                                                     "4:" + olma + "/OLMA171/quorolma/COM1:9600,e,8,1", "5:QUOR/QUOR/quorolma/USB" }
                                     << QStringList{ "", added.arg(olma), added.arg("Quor") };
    QTest::newRow("old OLMA name rewritten") << jfwIniWithSlots({ "A", olma }, { "a", "OLMA" })
                                             << QStringList{ "1:A/a/other/LPT1", "2:" + olma + "/OLMA171/other/LPT1", "3:QUOR/QUOR/quorolma/USB" }
                                             << QStringList{ "", rewritten, added.arg("Quor") };
    QTest::newRow("both listed: only the rewrite") << jfwIniWithSlots({ "QUOR", olma }, { "QUOR", "OLMA171" })
                                                   << QStringList{ "1:QUOR/QUOR/other/LPT1", "2:" + olma + "/OLMA171/other/LPT1" }
                                                   << QStringList{ "", rewritten };
    QTest::newRow("only QUOR listed") << jfwIniWithSlots({ "QUOR" }, { "QUOR" })
                                      << QStringList{ "1:QUOR/QUOR/other/LPT1", "2:" + olma + "/OLMA171/quorolma/COM1:9600,e,8,1" }
                                      << QStringList{ "", added.arg(olma) };
    // A code page without the "e" acute spelt the Olma's long name otherwise: its driver and
    // name still say it is listed, under the current name or the one earlier drivers gave it.
    const QString otherSpelling = QStringLiteral("OLMA (1.71 et plus r?cent)");
    QTest::newRow("Olma under another spelling") << jfwIniWithSlots({ otherSpelling }, { "OLMA171" }, { "quorolma" })
        << QStringList{ "1:" + otherSpelling + "/OLMA171/quorolma/LPT1", "2:QUOR/QUOR/quorolma/USB" }
        << QStringList{ "", rewritten, added.arg("Quor") };
    QTest::newRow("Olma under another spelling and its old name") << jfwIniWithSlots({ "OLMA (1.71 et plus recent)" }, { "olma" }, { "QuorOlma" })
        << QStringList{ "1:OLMA (1.71 et plus recent)/OLMA171/QuorOlma/LPT1", "2:QUOR/QUOR/quorolma/USB" }
        << QStringList{ "", rewritten, added.arg("Quor") };
    // Conservatively: a name alone, or a driver alone, could be another display's.
    QTest::newRow("same name, another driver") << jfwIniWithSlots({ "Quor of another maker", otherSpelling }, { "QUOR", "OLMA171" })
        << QStringList{ "1:Quor of another maker/QUOR/other/LPT1", "2:" + otherSpelling + "/OLMA171/other/LPT1",
                        "3:" + olma + "/OLMA171/quorolma/COM1:9600,e,8,1", "4:QUOR/QUOR/quorolma/USB" }
        << QStringList{ "", added.arg(olma), added.arg("Quor") };
    QTest::newRow("our driver, another name") << jfwIniWithSlots({ "Prototype" }, { "PROTO" }, { "quorolma" })
        << QStringList{ "1:Prototype/PROTO/quorolma/LPT1", "2:" + olma + "/OLMA171/quorolma/COM1:9600,e,8,1", "3:QUOR/QUOR/quorolma/USB" }
        << QStringList{ "", added.arg(olma), added.arg("Quor") };
}

void tst_Displays::registerDisplays()
{
    QFETCH(QByteArray, before);
    QFETCH(QStringList, expectedSlots);
    QFETCH(QStringList, expectedReport);

    Run run;
    QVERIFY(run.start(QString()));
    const QString jfwIni = run.jaws.filePath(QStringLiteral("jfw.ini"));
    if (!before.isNull())
        QVERIFY(TextFiles::write(jfwIni, before));
    for (int pass = 0; pass < 2; ++pass) {
        configured(run.installer, [&](Configuration &c) { run.installer.jawsConfiguration().registerDisplays(c, { jfwIni }); });
        // A second run finds both models listed: nothing is added twice.
        QCOMPARE(slotsOf(jfwIni), expectedSlots);
    }
    QVERIFY(!run.installer.hasErrors());
    QCOMPARE(run.lines().mid(0, expectedReport.size()), expectedReport);
    QCOMPARE(IniReads::readString(QStringLiteral("Options"), QStringLiteral("X"), jfwIni, QString()),
             before.isNull() ? QString() : QStringLiteral("1"));
}

void tst_Displays::jfwIniNotReplaced_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("expectedReport");
    QTest::addColumn<bool>("error");

    const QString notAdded = QStringLiteral("ERROR : Unable to add [%1] section to jfw.ini file.");
    QTest::newRow("neither listed") << jfwIniWithSlots({ "A" }, { "a" }) << QStringList{ "", notAdded.arg(olma), notAdded.arg("Quor") } << true;
    QTest::newRow("Olma under its old name") << jfwIniWithSlots({ olma, "QUOR" }, { "OLMA", "QUOR" })
        << QStringList{ "", "ERROR : Unable to change key 'BrailleName' OLMA into OLMA171 in jfw.ini file." } << true;
    // Nothing to change: a read-only file is no failure then.
    QTest::newRow("both listed already") << jfwIniWithSlots({ olma, "QUOR" }, { "OLMA171", "QUOR" })
        << QStringList{ "", "Key 'BrailleName' OLMA has been changed into OLMA171 in jfw.ini file." } << false;
}

// A jfw.ini marked read-only (which binds administrators on Windows, and root here too): no
// line says a change was made, the file keeps its bytes, no temporary file is left, and a
// display that could not be registered is an error of the installation.
void tst_Displays::jfwIniNotReplaced()
{
    QFETCH(QByteArray, before);
    QFETCH(QStringList, expectedReport);
    QFETCH(bool, error);

    Run run;
    QVERIFY(run.start(QString()));
    const QString jfwIni = run.jaws.filePath(QStringLiteral("jfw.ini"));
    QVERIFY(TextFiles::write(jfwIni, before));
    QVERIFY(QFile::setPermissions(jfwIni, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    configured(run.installer, [&](Configuration &c) { run.installer.jawsConfiguration().registerDisplays(c, { jfwIni }); });
    QVERIFY(QFile::setPermissions(jfwIni, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(TextFiles::read(jfwIni), before);
    QCOMPARE(run.lines(), expectedReport);
    QCOMPARE(run.installer.hasErrors(), error);
    QCOMPARE(QDir(run.jaws.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{ "jfw.ini" });
}

void tst_Displays::displayListsByVersion_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QStringList>("present"); // program, shared, init: where a jfw.ini is found
    QTest::addColumn<QStringList>("edited");
    QTest::newRow("10: program folder first") << "pe/jfw_10.dll" << QStringList{ "program", "shared" } << QStringList{ "program" };
    QTest::newRow("10: INIT when alone") << "pe/jfw_10.dll" << QStringList{ "init" } << QStringList{ "init" };
    QTest::newRow("10: made in the program folder") << "pe/jfw_10.dll" << QStringList() << QStringList{ "program" };
    QTest::newRow("2025: INIT and the program folder") << "pe/jfw_2025.dll" << QStringList{ "program", "init" }
                                                         << QStringList{ "init", "program" };
    QTest::newRow("2025: INIT before the shared folder") << "pe/jfw_2025.dll" << QStringList{ "shared", "Init" } << QStringList{ "Init" };
    QTest::newRow("2025: the program folder alone") << "pe/jfw_2025.dll" << QStringList{ "program" } << QStringList{ "program" };
    QTest::newRow("2025: made in the program folder") << "pe/jfw_2025.dll" << QStringList() << QStringList{ "program" };
}

// JAWS 2018 and later read the shared settings' INIT jfw.ini; a program folder's may still be
// read: both list the displays, once, however often the installation runs.
void tst_Displays::displayListsByVersion()
{
    QFETCH(QString, version);
    QFETCH(QStringList, present);
    QFETCH(QStringList, edited);
    Run run;
    QVERIFY(run.start(version));
    QVERIFY(run.installer.computeTargetFolders());
    const QString shared = run.installer.target().sharedSettingsFolder();
    // Under Wine the settings folders are the prefix's own, and outlive the row before.
    QVERIFY(QDir(shared).removeRecursively());
    auto pathOf = [&](const QString &where) {
        if (where == QLatin1String("program"))
            return run.installer.programFolder() + QStringLiteral("/jfw.ini");
        if (where == QLatin1String("shared"))
            return shared + QStringLiteral("/jfw.ini");
        return shared + QLatin1Char('/') + (where == QLatin1String("init") ? QStringLiteral("INIT") : where) + QStringLiteral("/jfw.ini");
    };
    const QByteArray other = jfwIniWithSlots({ "A" }, { "a" });
    for (const QString &where : present) {
        QVERIFY(QDir().mkpath(QFileInfo(pathOf(where)).absolutePath()));
        QVERIFY(TextFiles::write(pathOf(where), other));
    }
    QStringList expected;
    for (const QString &where : edited)
        expected << QFileInfo(pathOf(where)).absoluteFilePath();
    QStringList paths;
    for (const QString &path : run.installer.target().displayListPaths())
        paths << QFileInfo(path).absoluteFilePath();
    QCOMPARE(paths, expected);

    for (int pass = 0; pass < 2; ++pass)
        configured(run.installer, [&](Configuration &c) { run.installer.jawsConfiguration().registerDisplays(c, run.installer.target().displayListPaths()); });
    QVERIFY(!run.installer.hasErrors());
    for (const QString &where : QStringList{ "program", "shared", "init", "Init" }) {
        const QString path = pathOf(where);
        if (edited.contains(where))
            QCOMPARE(slotsOf(path).size(), present.contains(where) ? 3 : 2);
        else if (present.contains(where))
            QCOMPARE(TextFiles::read(path), other);
    }
}

#ifdef Q_OS_WIN
// A jfw.ini in the code page of a Greek Windows (1253), which has no "e" acute: the Olma's long
// name cannot be written as it is, and a second run must still find it. Run in a Greek locale
// by the test tst_displays_el_GR; skipped in other locales.
void tst_Displays::greekSystemRunTwice()
{
    if (GetACP() != 1253) {
        if (qEnvironmentVariableIsSet("IQO_EXPECT_GREEK"))
            QFAIL(qPrintable(QStringLiteral("The system code page is %1, not 1253.").arg(GetACP())));
        QSKIP("Needs the Greek code page (tst_displays_el_GR).");
    }
    Run run;
    QVERIFY(run.start(QString()));
    const QString jfwIni = run.jaws.filePath(QStringLiteral("jfw.ini"));
    // "Ελληνική" in code page 1253, and a comment in Greek that no write may touch.
    const QByteArray greek = "\xC5\xEB\xEB\xE7\xED\xE9\xEA\xDE";
    const QByteArray before = "; \xF1\xF5\xE8\xEC\xDF\xF3\xE5\xE9\xF2\r\n[BrailleDisplays]\r\nBraille1LongName=" + greek
        + "\r\nBraille1Name=GR\r\nBraille1Driver=greek\r\nBraille1Port=USB\r\n";
    QVERIFY(TextFiles::write(jfwIni, before));
    configured(run.installer, [&](Configuration &c) { run.installer.jawsConfiguration().registerDisplays(c, { jfwIni }); });
    const QByteArray afterFirst = TextFiles::read(jfwIni);
    configured(run.installer, [&](Configuration &c) { run.installer.jawsConfiguration().registerDisplays(c, { jfwIni }); });

    QVERIFY2(afterFirst.startsWith(before), afterFirst.constData());
    QCOMPARE(TextFiles::read(jfwIni), afterFirst);
    const QStringList found = slotsOf(jfwIni);
    QCOMPARE(found.size(), 3);
    QCOMPARE(found.at(0), QStringLiteral("1:\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ae/GR/greek/USB"));
    QVERIFY2(found.at(1).startsWith(QStringLiteral("2:OLMA (1.71 et plus r")) && found.at(1).endsWith(QStringLiteral("cent)/OLMA171/quorolma/COM1:9600,e,8,1")),
             qPrintable(found.at(1)));
    QCOMPARE(found.at(2), QStringLiteral("3:QUOR/QUOR/quorolma/USB"));
    QVERIFY(!run.installer.hasErrors());
}
#endif

void tst_Displays::selectDefaultDevice_data()
{
    QTest::addColumn<QString>("jfw");
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("edited"); // shared | user | none
    QTest::addColumn<QString>("value");

    QTest::newRow("JAWS 10: user folders, short name") << "pe/jfw_10.dll" << "Korvalis Quor" << "user" << "QUOR";
    QTest::newRow("JAWS 6: user folders") << "pe/jfw_6.dll" << "Korvalis Olma (1.71 et plus r\u00e9cent)" << "user" << "OLMA171";
    QTest::newRow("JAWS 5: shared folders, slot alias") << "pe/jfw_5.dll" << "Korvalis Olma (1.71 et plus r\u00e9cent)" << "shared"
                                                        << "Braille3";
    QTest::newRow("JAWS 5: no slot of that name") << "pe/jfw_5.dll" << "Korvalis Quor" << "shared" << "QUOR";
    // Never an empty BrailleDisplay=, which would leave JAWS without a display.
    QTest::newRow("unknown device: nothing written") << "pe/jfw_10.dll" << "Other" << "user" << "none";
}

void tst_Displays::selectDefaultDevice()
{
    QFETCH(QString, jfw);
    QFETCH(QString, device);
    QFETCH(QString, edited);
    QFETCH(QString, value);

    Run run;
    QVERIFY(run.start(jfw));
    QVERIFY(TextFiles::write(run.jaws.filePath(QStringLiteral("jfw.ini")),
                             jfwIniWithSlots({ "A", "B", olma }, { "a", "b", "OLMA171" })));
    QVERIFY(run.installer.computeTargetFolders());
    // Language folders in both settings folders; the JAWS 5 layout keeps its own.
    QStringList languages{ "enu", "Fra", "sve" };
    for (const QString &root : { run.installer.target().sharedSettingsFolder(), run.installer.target().userSettingsFolder() })
        for (const QString &language : languages)
            if (!root.isEmpty())
                QVERIFY(QDir().mkpath(root + QLatin1Char('/') + language));

    // The user's display as it was, to be kept when no display of ours is chosen.
    const QByteArray usersJcf("[Options]\r\nBrailleDisplay=FOCUS\r\n");
    const QString edits = edited == QLatin1String("user") ? run.installer.target().userSettingsFolder() : run.installer.target().sharedSettingsFolder();
    if (value == QLatin1String("none"))
        for (const QString &language : languages)
            QVERIFY(TextFiles::write(edits + QLatin1Char('/') + language + QStringLiteral("/default.jcf"), usersJcf));

    configured(run.installer, [&](Configuration &c) { run.installer.jawsConfiguration().selectDefaultDevice(c, device); });
    const QString folder = edited == QLatin1String("user") ? run.installer.target().userSettingsFolder() : run.installer.target().sharedSettingsFolder();
    const QString other = edited == QLatin1String("user") ? run.installer.target().sharedSettingsFolder() : run.installer.target().userSettingsFolder();
    QStringList expectedReport{ "" };
    if (value == QLatin1String("none"))
        expectedReport << QStringLiteral("ERROR : No Braille device of this driver was chosen: the default Braille device was not selected.");
    for (const QString &language : languages) {
        const QString jcf = QDir::toNativeSeparators(folder + QLatin1Char('/') + language + QStringLiteral("/default.jcf"));
        if (value == QLatin1String("none"))
            QCOMPARE(TextFiles::read(jcf), usersJcf);
        else
            QCOMPARE(IniReads::readString(QStringLiteral("Options"), QStringLiteral("BrailleDisplay"), jcf, QStringLiteral("none")), value);
        if (value != QLatin1String("none"))
            expectedReport << QStringLiteral("'%1' Braille device selected in %2.").arg(value, jcf);
        if (!other.isEmpty())
            QVERIFY(!QFileInfo::exists(other + QLatin1Char('/') + language + QStringLiteral("/default.jcf")));
    }
    QCOMPARE(run.lines(), expectedReport);
    QCOMPARE(run.installer.hasErrors(), value == QLatin1String("none"));
}

QTEST_GUILESS_MAIN(tst_Displays)
#include "tst_displays.moc"
