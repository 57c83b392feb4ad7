// Start-up as a user meets it: the program in a folder of its own, started from elsewhere,
// under a given system locale, with or without catalogues beside it.
#include "support/fixtures.h"
#include "support/textfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// One start of the probe: copied into a program folder of its own with the given files beside
// it ("fixture:name"), started from another working folder under `locale`.
struct ProbeRun
{
    QTemporaryDir programFolder;
    QTemporaryDir workingFolder;
    QMap<QString, QString> seen;

    bool start(const QString &locale, const QStringList &besideProgram)
    {
        const QString built = Fixtures::program(QStringLiteral("startupprobe"));
        const QString probe = programFolder.filePath(QFileInfo(built).fileName());
        if (!QFile::copy(built, probe))
            return fail("cannot copy the probe");
        for (const QString &entry : besideProgram) {
            const QStringList names = entry.split(QLatin1Char(':'));
            if (!Fixtures::copy(names.at(0), programFolder.filePath(names.at(1))))
                return fail("cannot copy " + entry);
        }
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const QString unixLocale = locale + QStringLiteral(".UTF-8");
        environment.insert(QStringLiteral("LC_ALL"), unixLocale);
        environment.insert(QStringLiteral("LANG"), unixLocale);
        environment.insert(QStringLiteral("LANGUAGE"), locale);
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(workingFolder.path());
        process.start(probe, QStringList());
        if (!process.waitForFinished(60000))
            return fail(process.errorString());
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
            return fail(QString::fromUtf8(process.readAllStandardError()));
        const QStringList out = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
        for (QString line : out) {
            line.remove(QLatin1Char('\r'));
            const int eq = line.indexOf(QLatin1Char('='));
            if (eq > 0)
                seen.insert(line.left(eq), line.mid(eq + 1));
        }
        return true;
    }

    static bool fail(const QString &why)
    {
        qWarning("%s", qPrintable(why));
        return false;
    }
};

} // namespace

class tst_Startup : public QObject
{
    Q_OBJECT

private slots:
    void catalogueChoice_data();
    void catalogueChoice();
    void introPageShowsDriverVersion_data();
    void introPageShowsDriverVersion();
};

void tst_Startup::catalogueChoice_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("besideProgram"); // "fixture name:name beside the program"
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("next");
    QTest::addColumn<QString>("finish");
    QTest::addColumn<QString>("cancel");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("copyError"); // %1: the path in native form

    const QString enTitle = QStringLiteral("Korvalis driver for Jaws");
    const QString enError = QStringLiteral("ERROR : Unable to copy %1 file.");
    const QString frTitle = QStringLiteral("Pilote Korvalis pour Jaws");
    const QString frError = QStringLiteral("ERREUR : impossible de copier le fichier %1.");
    const QString deTitle = QStringLiteral("Korvalis-Treiber für Jaws");
    const QString deError = QStringLiteral("FEHLER : Datei %1 konnte nicht kopiert werden.");
    const QString itTitle = QStringLiteral("Driver Korvalis per Jaws");
    const QString itError = QStringLiteral("ERRORE : impossibile copiare il file %1.");

    QTest::newRow("fr_FR") << "fr_FR" << QStringList() << frTitle << "&Suivant>" << "&Terminer" << "Annuler"
                           << "Avertissement" << frError;
    QTest::newRow("fr_CA falls back to fr") << "fr_CA" << QStringList() << frTitle << "&Suivant>" << "&Terminer"
                                            << "Annuler" << "Avertissement" << frError;
    QTest::newRow("de_DE") << "de_DE" << QStringList() << deTitle << "&Weiter>" << "Ab&schließen" << "Abbrechen"
                           << "Warning" << deError;
    QTest::newRow("de_CH") << "de_CH" << QStringList() << deTitle << "&Weiter>" << "Ab&schließen" << "Abbrechen"
                           << "Warning" << deError;
    QTest::newRow("sv_SE") << "sv_SE" << QStringList() << "Korvalis-drivrutin för Jaws" << "&Nästa>" << "&Färdig"
                           << "Avbryt" << "Warning" << "FEL : det gick inte att kopiera filen %1.";
    QTest::newRow("it_IT, toolkit in English") << "it_IT" << QStringList() << itTitle << "&Avanti>" << "&Finish"
                                               << "Cancel" << "Warning" << itError;
    QTest::newRow("it_IT, qt_it.qm beside") << "it_IT" << QStringList{ "qt_it.qm:qt_it.qm" } << itTitle
                                            << "&Avanti>" << "&Fine" << "Annulla" << "Warning" << itError;
    QTest::newRow("en_US") << "en_US" << QStringList() << enTitle << "&Next>" << "&Finish" << "Cancel"
                           << "Warning" << enError;
    QTest::newRow("es_ES") << "es_ES" << QStringList() << enTitle << "&Next>" << "&Finish" << "Cancel"
                           << "Warning" << enError;
    QTest::newRow("fi_FI") << "fi_FI" << QStringList() << enTitle << "&Next>" << "&Finish" << "Cancel"
                           << "Warning" << enError;
    // A catalogue beside the program replaces the built-in one whole.
    QTest::newRow("de_DE, own catalogue beside") << "de_DE"
        << QStringList{ "installquorolma_override.qm:installquorolma_de.qm" }
        << "Korvalis-Treiber (eigener Katalog)" << "&Next>" << "Ab&schließen" << "Abbrechen" << "Warning" << enError;
    QTest::newRow("de_DE, corrupt catalogue beside") << "de_DE"
        << QStringList{ "corrupt.qm:installquorolma_de.qm" }
        << deTitle << "&Weiter>" << "Ab&schließen" << "Abbrechen" << "Warning" << deError;
}

void tst_Startup::catalogueChoice()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, besideProgram);
    QFETCH(QString, title);
    QFETCH(QString, next);
    QFETCH(QString, finish);
    QFETCH(QString, cancel);
    QFETCH(QString, warning);
    QFETCH(QString, copyError);

    ProbeRun run;
    QVERIFY(run.start(locale, besideProgram));
    QVERIFY2(run.seen.value(QStringLiteral("locale")).startsWith(locale.left(2)), qPrintable(run.seen.value("locale")));
    QCOMPARE(run.seen.value(QStringLiteral("title")), title);
    QCOMPARE(run.seen.value(QStringLiteral("next")), next);
    QCOMPARE(run.seen.value(QStringLiteral("finish")), finish);
    QCOMPARE(run.seen.value(QStringLiteral("cancel")), cancel);
    QCOMPARE(run.seen.value(QStringLiteral("warning")), warning);
    QCOMPARE(run.seen.value(QStringLiteral("exit")), QStringLiteral("0"));

    // The program's folder is the executable's, not the working folder.
    const QString probeFolder = QFileInfo(run.programFolder.path()).canonicalFilePath();
    QCOMPARE(QFileInfo(run.seen.value(QStringLiteral("sourceFolder"))).canonicalFilePath(), probeFolder);
    const QString report = run.programFolder.filePath(QStringLiteral("installLog.txt"));
    QCOMPARE(QFileInfo(run.seen.value(QStringLiteral("reportPath"))).canonicalFilePath(),
             QFileInfo(report).canonicalFilePath());
    QVERIFY(!QFileInfo::exists(run.workingFolder.filePath(QStringLiteral("installLog.txt"))));

    QString problem;
    const QStringList lines = TextFiles::readLines(report, &problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines.at(4), copyError.arg(QDir::toNativeSeparators(QStringLiteral("JAWS/jfw.ini"))));
}

void tst_Startup::introPageShowsDriverVersion_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("besideProgram");
    QTest::addColumn<QString>("firstLine");

    QTest::newRow("commas") << "en_US" << QStringList{ "pe/driver.dll:QuorOlma.jlb" }
                            << "This wizard will install the QuorOlma Braille driver 2.1.0.7.";
    QTest::newRow("already dotted") << "en_US" << QStringList{ "pe/dotted.dll:QuorOlma.jlb" }
                                    << "This wizard will install the QuorOlma Braille driver 2.1.0.7.";
    QTest::newRow("no driver") << "en_US" << QStringList()
                               << "This wizard will install the QuorOlma Braille driver .";
    QTest::newRow("French") << "fr_FR" << QStringList{ "pe/driver.dll:QuorOlma.jlb" }
                            << "Cet assistant va installer le pilote braille QuorOlma 2.1.0.7.";
    QTest::newRow("German") << "de_DE" << QStringList{ "pe/driver.dll:QuorOlma.jlb" }
                            << "Dieser Assistent installiert den QuorOlma-Braille-Treiber 2.1.0.7.";
    QTest::newRow("Italian") << "it_IT" << QStringList{ "pe/driver.dll:QuorOlma.jlb" }
                             << "Questa procedura guidata installerà il driver braille QuorOlma 2.1.0.7.";
    QTest::newRow("Swedish") << "sv_SE" << QStringList{ "pe/driver.dll:QuorOlma.jlb" }
                             << "Den här guiden installerar punktskriftsdrivrutinen QuorOlma 2.1.0.7.";
}

void tst_Startup::introPageShowsDriverVersion()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, besideProgram);
    QFETCH(QString, firstLine);

    ProbeRun run;
    QVERIFY(run.start(locale, besideProgram));
    const QStringList intro = run.seen.value(QStringLiteral("intro")).split(QStringLiteral("\\n"));
    QCOMPARE(intro.size(), 7); // two paragraph breaks, two bullet lines
    QCOMPARE(intro.first(), firstLine);
}

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_startup.moc"
