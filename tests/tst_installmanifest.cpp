#include "installer/jawsinstaller.h"
#include "support/fixtures.h"
#include "support/textfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A package folder and a JAWS folder made from a short description.
struct Machine
{
    QTemporaryDir package;
    QTemporaryDir jaws;

    bool make(const QByteArray &manifest, const QStringList &packageEntries, const QStringList &manualFolders,
              const QString &jfwFixture)
    {
        if (!manifest.isNull() && !TextFiles::write(package.filePath(QStringLiteral("list.install")), manifest))
            return false;
        for (const QString &entry : packageEntries) {
            // "name/" is a folder, anything else a file.
            const bool folder = entry.endsWith(QLatin1Char('/'));
            if (folder ? !QDir(package.path()).mkpath(entry) : !TextFiles::write(package.filePath(entry), entry.toUtf8()))
                return false;
        }
        for (const QString &language : manualFolders) {
            if (!QDir(jaws.path()).mkpath(QStringLiteral("MANUALS/") + language))
                return false;
        }
        return Fixtures::copy(jfwFixture, jaws.filePath(QStringLiteral("jfw.exe")));
    }

    // The destinations relative to the JAWS folder, with forward slashes; checks that each
    // source is the package's file of the same name.
    QStringList destinations(const JawsInstaller &installer) const
    {
        QStringList relative;
        const QStringList sources = installer.copyPlan().sourceFiles();
        const QStringList targets = installer.copyPlan().destinationFiles();
        if (sources.size() != targets.size())
            return { QStringLiteral("<lists not parallel>") };
        for (qsizetype i = 0; i < targets.size(); ++i) {
            const QString target = QDir::fromNativeSeparators(targets.at(i));
            const QString name = target.section(QLatin1Char('/'), -1);
            if (QDir::fromNativeSeparators(sources.at(i)) != package.path() + QLatin1Char('/') + name)
                return { QStringLiteral("<wrong source %1>").arg(sources.at(i)) };
            relative.append(target.mid(jaws.path().size() + 1));
        }
        return relative;
    }
};

const QByteArray manifest = "[COPY]\r\nQuorOlma.jlb\r\n*.CHM\r\n[DRIVERS_COPY]\r\nQuorOlma.jlb\r\n*.JBS\r\n"
                            "[MERGE]\r\nkorvalis_*.jcf\r\n[FRA_MANUALS_COPY]\r\nmanual_fr.txt\r\n"
                            "[ENU_MANUALS_COPY]\r\nmanual_en.txt\r\n[DEU_MANUALS_COPY]\r\nmanual_?e.txt\r\n"
                            "[copy]\r\nlower.txt\r\n[Ita_Kbd_Braille_Table]\r\nBrailleTranslationTable=it.jbt\r\n";
const QStringList packageFiles{ "QuorOlma.jlb", "help.chm", "Guide.CHM", "table.jbs", "other.JBS/", "manual_fr.txt",
                                "manual_en.txt", "manual_de.txt", "lower.txt", "korvalis_b.jcf", "Korvalis_A.JCF" };

} // namespace

class tst_InstallManifest : public QObject
{
    Q_OBJECT

private slots:
    void prepareCopy_data();
    void prepareCopy();
    void missingJawsFolderListsNothing();
    void mergeFileNames_data();
    void mergeFileNames();
};

void tst_InstallManifest::prepareCopy_data()
{
    QTest::addColumn<QByteArray>("manifest");
    QTest::addColumn<QStringList>("manualFolders");
    QTest::addColumn<QString>("jfw");
    QTest::addColumn<QStringList>("expected");

    const QString driver = QStringLiteral("Drivers/Braille/quorolma/");
    QTest::newRow("JAWS 10: copy, drivers, manuals in case-sensitive folder order")
        << manifest << QStringList{ "fra", "Enu", "deu", "ita" } << "pe/jfw_10.dll"
        << QStringList{ "Guide.CHM", "help.chm", "QuorOlma.jlb", driver + "QuorOlma.jlb", driver + "table.jbs",
                        "MANUALS/Enu/manual_en.txt", "MANUALS/deu/manual_de.txt", "MANUALS/fra/manual_fr.txt" };
    QTest::newRow("JAWS 5: same pair twice") << manifest << QStringList() << "pe/jfw_5.dll"
        << QStringList{ "Guide.CHM", "help.chm", "QuorOlma.jlb", "QuorOlma.jlb", "table.jbs" };
    QTest::newRow("only FRA section: enu gets nothing")
        << QByteArray("[FRA_MANUALS_COPY]\nmanual_fr.txt\n") << QStringList{ "enu", "fra" } << "pe/jfw_10.dll"
        << QStringList{ "MANUALS/fra/manual_fr.txt" };
    QTest::newRow("no manifest") << QByteArray() << QStringList{ "enu" } << "pe/jfw_10.dll" << QStringList();
    QTest::newRow("lower-case copy lists nothing") << QByteArray("[copy]\nlower.txt\n") << QStringList()
                                                   << "pe/jfw_10.dll" << QStringList();
    QTest::newRow("a file matched twice is listed once") << QByteArray("[COPY]\nhelp.chm\n*.chm\nHELP.CHM\n")
                                                         << QStringList() << "pe/jfw_10.dll" << QStringList{ "Guide.CHM", "help.chm" };
}

void tst_InstallManifest::prepareCopy()
{
    QFETCH(QByteArray, manifest);
    QFETCH(QStringList, manualFolders);
    QFETCH(QString, jfw);
    QFETCH(QStringList, expected);

    Machine machine;
    QVERIFY(machine.make(manifest, packageFiles, manualFolders, jfw));
    JawsInstaller installer(machine.package.path());
    installer.setJawsFolder(machine.jaws.path());
    QVERIFY(installer.copyPlan().prepare());
    QCOMPARE(machine.destinations(installer), expected);
    // Listed, not made: the install record names the folders before they are made.
    QVERIFY(!QFileInfo::exists(installer.target().driverFolder()) || QFileInfo(installer.target().driverFolder()).absoluteFilePath() == QFileInfo(installer.jawsFolder()).absoluteFilePath());

    // A second run lists everything again, after what the first listed.
    QVERIFY(installer.copyPlan().prepare());
    QCOMPARE(machine.destinations(installer), expected + expected);
}

void tst_InstallManifest::missingJawsFolderListsNothing()
{
    Machine machine;
    QVERIFY(machine.make(manifest, packageFiles, {}, QStringLiteral("pe/jfw_10.dll")));
    JawsInstaller installer(machine.package.path());
    installer.setJawsFolder(machine.jaws.filePath(QStringLiteral("gone")));
    QVERIFY(!installer.copyPlan().prepare());
    QVERIFY(installer.copyPlan().sourceFiles().isEmpty() && installer.copyPlan().destinationFiles().isEmpty());
}

void tst_InstallManifest::mergeFileNames_data()
{
    QTest::addColumn<QByteArray>("manifest");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("pattern without case, sorted without case") << manifest
                                                               << QStringList{ "Korvalis_A.JCF", "korvalis_b.jcf" };
    QTest::newRow("no manifest") << QByteArray() << QStringList{ "untouched" };
    QTest::newRow("manifest without MERGE") << QByteArray("[COPY]\nhelp.chm\n") << QStringList();
}

void tst_InstallManifest::mergeFileNames()
{
    QFETCH(QByteArray, manifest);
    QFETCH(QStringList, expected);
    Machine machine;
    QVERIFY(machine.make(manifest, packageFiles, {}, QStringLiteral("pe/jfw_10.dll")));
    JawsInstaller installer(machine.package.path());
    QStringList names{ "untouched" };
    installer.package().mergeFileNames(names);
    QCOMPARE(names, expected);
}

QTEST_GUILESS_MAIN(tst_InstallManifest)
#include "tst_installmanifest.moc"
