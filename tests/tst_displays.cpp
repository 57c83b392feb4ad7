#include "installer/iniprofile.h"
#include "installer/jawsinstaller.h"
#include "support/fixtures.h"
#include "support/textfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString olma = QStringLiteral("OLMA (1.71 et plus r\u00e9cent)");

QByteArray jfwIniWithSlots(const QStringList &longNames, const QStringList &names)
{
    QByteArray ini = "[Options]\r\nX=1\r\n[BrailleDisplays]\r\n";
    for (int i = 0; i < longNames.size(); ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        // jfw.ini is an ANSI file: the é of the Olma's name is one byte.
        ini += "Braille" + n + "LongName=" + longNames.at(i).toLatin1() + "\r\nBraille" + n + "Name=" + names.at(i).toLatin1()
            + "\r\nBraille" + n + "Driver=other\r\nBraille" + n + "Port=LPT1\r\n";
    }
    return ini;
}

struct Run
{
    QTemporaryDir jaws, report, shared, user;
    JawsInstaller installer;

    bool start(const QString &jfwFixture)
    {
        installer.setJawsFolder(jaws.path());
        installer.setSourceFolder(jaws.path());
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
        run.installer.registerDisplays(jfwIni);
        QStringList found;
        for (int n = 1; n < 10; ++n) {
            auto key = [&](const char *p) {
                return IniProfile::readString(QStringLiteral("BrailleDisplays"), QString::fromLatin1(p).arg(n), jfwIni, QString());
            };
            if (key("Braille%1LongName").isEmpty())
                break;
            found << QStringLiteral("%1:%2/%3/%4/%5").arg(n).arg(key("Braille%1LongName"), key("Braille%1Name"),
                                                            key("Braille%1Driver"), key("Braille%1Port"));
        }
        // A second run finds both models listed: nothing is added twice.
        QCOMPARE(found, expectedSlots);
    }
    QCOMPARE(run.lines().mid(0, expectedReport.size()), expectedReport);
    QCOMPARE(IniProfile::readString(QStringLiteral("Options"), QStringLiteral("X"), jfwIni, QString()),
             before.isNull() ? QString() : QStringLiteral("1"));
}

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
    for (const QString &root : { run.installer.sharedSettingsFolder(), run.installer.userSettingsFolder() })
        for (const QString &language : languages)
            if (!root.isEmpty())
                QVERIFY(QDir().mkpath(root + QLatin1Char('/') + language));

    run.installer.selectDefaultDevice(device);
    const QString folder = edited == QLatin1String("user") ? run.installer.userSettingsFolder() : run.installer.sharedSettingsFolder();
    const QString other = edited == QLatin1String("user") ? run.installer.sharedSettingsFolder() : run.installer.userSettingsFolder();
    QStringList expectedReport{ "" };
    if (value == QLatin1String("none"))
        expectedReport << QStringLiteral("ERROR : No Braille device of this driver was chosen: the default Braille device was not selected.");
    for (const QString &language : languages) {
        const QString jcf = QDir::toNativeSeparators(folder + QLatin1Char('/') + language + QStringLiteral("/default.jcf"));
        if (value == QLatin1String("none"))
            QVERIFY(!QFileInfo::exists(jcf));
        else
            QCOMPARE(IniProfile::readString(QStringLiteral("Options"), QStringLiteral("BrailleDisplay"), jcf, QStringLiteral("none")), value);
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
