// Start-up as a user meets it: the program in a folder of its own, started from elsewhere,
// under a given system locale, with or without catalogues beside it.
#include "support/fixtures.h"
#include "support/textfiles.h"

#include <QDir>
#include <QFile>
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
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const QString unixLocale = locale + QStringLiteral(".UTF-8");
        environment.insert(QStringLiteral("LC_ALL"), unixLocale);
        environment.insert(QStringLiteral("LANG"), unixLocale);
        environment.insert(QStringLiteral("LANGUAGE"), locale);
        QMap<QString, QStringList> printed;
        if (!Fixtures::runProbe(probe, environment, workingFolder.path(), printed, 60000))
            return false;
        for (auto value = printed.cbegin(); value != printed.cend(); ++value)
            seen.insert(value.key(), value.value().constLast());
        return true;
    }

    static bool fail(const QString &why)
    {
        qWarning("%s", qPrintable(why));
        return false;
    }
};

// A text of pages 1, 2 and 3, then one report line of each kind as the probe writes them.
QMap<QString, QStringList> expectedTexts()
{
    return {
        { "en", { "Please select Jaws installation folder and your Braille device.", "Installation in progress...", "Ending process",
                  "ERROR : Unable to copy JAWS/jfw.ini file.", "OK : JAWS/MANUALS folder successfully created.",
                  "OK : [Quor] section has been added to jfw.ini file.",
                  "ERROR : Unable to select 'French.jbt' Braille table in default.jcf.",
                  "OK : JAWS/braille.ini.001 file successfully saved.", "ERROR : Unable to delete JAWS/default.jkm file." } },
        { "fr", { "Veuillez sélectionner le dossier d'installation de Jaws et votre afficheur braille.", "Installation en cours...",
                  "Fin de l'installation", "ERREUR : impossible de copier le fichier JAWS/jfw.ini.",
                  "OK : dossier JAWS/MANUALS créé avec succès.", "OK : la section [Quor] a été ajoutée au fichier jfw.ini.",
                  "ERREUR : impossible de sélectionner la table braille 'French.jbt' dans default.jcf.",
                  "OK : fichier JAWS/braille.ini.001 enregistré avec succès.", "ERREUR : impossible de supprimer le fichier JAWS/default.jkm." } },
        { "de", { "Bitte wählen Sie den Jaws-Installationsordner und Ihre Braillezeile aus.", "Installation läuft...",
                  "Abschluss der Installation", "FEHLER : Datei JAWS/jfw.ini konnte nicht kopiert werden.",
                  "OK : Ordner JAWS/MANUALS erfolgreich erstellt.", "OK : Abschnitt [Quor] wurde der Datei jfw.ini hinzugefügt.",
                  "FEHLER : Braille-Tabelle 'French.jbt' konnte in default.jcf nicht ausgewählt werden.",
                  "OK : Datei JAWS/braille.ini.001 erfolgreich gespeichert.", "FEHLER : Datei JAWS/default.jkm konnte nicht gelöscht werden." } },
        { "it", { "Selezionare la cartella di installazione di Jaws e il display braille.", "Installazione in corso...",
                  "Fine dell'installazione", "ERRORE : impossibile copiare il file JAWS/jfw.ini.",
                  "OK : cartella JAWS/MANUALS creata correttamente.", "OK : la sezione [Quor] è stata aggiunta al file jfw.ini.",
                  "ERRORE : impossibile selezionare la tabella braille 'French.jbt' in default.jcf.",
                  "OK : file JAWS/braille.ini.001 salvato correttamente.", "ERRORE : impossibile eliminare il file JAWS/default.jkm." } },
        { "sv", { "Välj installationsmappen för Jaws och din punktskriftsdisplay.", "Installationen pågår...", "Installationen avslutas",
                  "FEL : det gick inte att kopiera filen JAWS/jfw.ini.", "OK : mappen JAWS/MANUALS har skapats.",
                  "OK : avsnittet [Quor] har lagts till i filen jfw.ini.",
                  "FEL : det gick inte att välja punktskriftstabellen 'French.jbt' i default.jcf.",
                  "OK : filen JAWS/braille.ini.001 har sparats.", "FEL : det gick inte att ta bort filen JAWS/default.jkm." } },
    };
}

// The choice page's two lists as a screen reader names them: their labels' texts without the "&".
QMap<QString, QString> expectedListNames()
{
    return {
        { "en", "Jaws folders:|Braille devices:" },
        { "fr", "Dossiers Jaws :|Afficheurs braille :" },
        { "de", "Jaws-Ordner:|Braillezeilen:" },
        { "it", "Cartelle di Jaws:|Display braille:" },
        { "sv", "Jaws-mappar:|Punktskriftsdisplayer:" },
    };
}

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
    QTest::addColumn<QString>("language"); // of the page texts and the report lines

    const QString enTitle = QStringLiteral("Korvalis driver for Jaws");
    const QString frTitle = QStringLiteral("Pilote Korvalis pour Jaws");
    const QString deTitle = QStringLiteral("Korvalis-Treiber für Jaws");
    const QString itTitle = QStringLiteral("Driver Korvalis per Jaws");

    QTest::newRow("fr_FR") << "fr_FR" << QStringList() << frTitle << "&Suivant>" << "&Terminer" << "Annuler"
                           << "Avertissement" << "fr";
    QTest::newRow("fr_CA falls back to fr") << "fr_CA" << QStringList() << frTitle << "&Suivant>" << "&Terminer"
                                            << "Annuler" << "Avertissement" << "fr";
    QTest::newRow("de_DE") << "de_DE" << QStringList() << deTitle << "&Weiter>" << "Ab&schließen" << "Abbrechen"
                           << "Warning" << "de";
    QTest::newRow("de_CH") << "de_CH" << QStringList() << deTitle << "&Weiter>" << "Ab&schließen" << "Abbrechen"
                           << "Warning" << "de";
    QTest::newRow("sv_SE") << "sv_SE" << QStringList() << "Korvalis-drivrutin för Jaws" << "&Nästa>" << "&Färdig"
                           << "Avbryt" << "Warning" << "sv";
    QTest::newRow("it_IT, toolkit in English") << "it_IT" << QStringList() << itTitle << "&Avanti>" << "&Finish"
                                               << "Cancel" << "Warning" << "it";
    QTest::newRow("it_IT, qt_it.qm beside") << "it_IT" << QStringList{ "qt_it.qm:qt_it.qm" } << itTitle
                                            << "&Avanti>" << "&Fine" << "Annulla" << "Warning" << "it";
    QTest::newRow("en_US") << "en_US" << QStringList() << enTitle << "&Next>" << "&Finish" << "Cancel"
                           << "Warning" << "en";
    QTest::newRow("es_ES") << "es_ES" << QStringList() << enTitle << "&Next>" << "&Finish" << "Cancel"
                           << "Warning" << "en";
    QTest::newRow("fi_FI") << "fi_FI" << QStringList() << enTitle << "&Next>" << "&Finish" << "Cancel"
                           << "Warning" << "en";
    // A catalogue beside the program replaces the built-in one whole.
    QTest::newRow("de_DE, own catalogue beside") << "de_DE"
        << QStringList{ "installquorolma_override.qm:installquorolma_de.qm" }
        << "Korvalis-Treiber (eigener Katalog)" << "&Next>" << "Ab&schließen" << "Abbrechen" << "Warning" << "en";
    QTest::newRow("de_DE, corrupt catalogue beside") << "de_DE"
        << QStringList{ "corrupt.qm:installquorolma_de.qm" }
        << deTitle << "&Weiter>" << "Ab&schließen" << "Abbrechen" << "Warning" << "de";
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
    QFETCH(QString, language);

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
    // The header (with the line that names whose settings change), then this run's lines.
    QCOMPARE(lines.size(), 11);
    const QStringList expected = expectedTexts().value(language);
    QCOMPARE(QStringList({ run.seen.value("page1"), run.seen.value("page2"), run.seen.value("page3") }), expected.mid(0, 3));
    QCOMPARE(run.seen.value(QStringLiteral("lists")), expectedListNames().value(language));
    QString native = expected.mid(3).join(QLatin1Char('\n'));
    native.replace(QStringLiteral("JAWS/"), QDir::toNativeSeparators(QStringLiteral("JAWS/")));
    QCOMPARE(lines.mid(5), native.split(QLatin1Char('\n')));

    // Alt+letter reaches one thing only on each page.
    for (int page = 0; page < 4; ++page) {
        const QString letters = run.seen.value(QStringLiteral("mnemonics%1").arg(page));
        for (const QChar letter : letters)
            QVERIFY2(letters.count(letter) == 1, qPrintable(QStringLiteral("page %1: %2").arg(page).arg(letters)));
    }
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
