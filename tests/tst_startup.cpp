// Start-up as a user meets it: the program in a folder of its own, started from elsewhere,
// under a given system locale, with or without catalogues beside it.
#include "support/textfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString probeName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("startupprobe.exe");
#else
    return QStringLiteral("startupprobe");
#endif
}

QString fixture(const QString &name)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/fixtures/") + name;
}

} // namespace

class tst_Startup : public QObject
{
    Q_OBJECT

private slots:
    void catalogueChoice_data();
    void catalogueChoice();
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

    QTemporaryDir programFolder;
    QTemporaryDir workingFolder;
    QVERIFY(programFolder.isValid() && workingFolder.isValid());
    const QString probe = programFolder.filePath(probeName());
    QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + QLatin1Char('/') + probeName(), probe));
    for (const QString &entry : besideProgram) {
        const QStringList names = entry.split(QLatin1Char(':'));
        QVERIFY2(QFile::copy(fixture(names.at(0)), programFolder.filePath(names.at(1))), qPrintable(entry));
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
    QVERIFY2(process.waitForFinished(60000), qPrintable(process.errorString()));
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0, qPrintable(err));

    QMap<QString, QString> seen;
    const QStringList out = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (QString line : out) {
        line.remove(QLatin1Char('\r'));
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq > 0)
            seen.insert(line.left(eq), line.mid(eq + 1));
    }
    QVERIFY2(seen.value(QStringLiteral("locale")).startsWith(locale.left(2)), qPrintable(seen.value("locale")));
    QCOMPARE(seen.value(QStringLiteral("title")), title);
    QCOMPARE(seen.value(QStringLiteral("next")), next);
    QCOMPARE(seen.value(QStringLiteral("finish")), finish);
    QCOMPARE(seen.value(QStringLiteral("cancel")), cancel);
    QCOMPARE(seen.value(QStringLiteral("warning")), warning);
    QCOMPARE(seen.value(QStringLiteral("exit")), QStringLiteral("0"));

    // The program's folder is the executable's, not the working folder.
    const QString expectedFolder = QFileInfo(probe).canonicalPath();
    QCOMPARE(QFileInfo(seen.value(QStringLiteral("sourceFolder"))).canonicalFilePath(), expectedFolder);
    const QString report = programFolder.filePath(QStringLiteral("installLog.txt"));
    QCOMPARE(QFileInfo(seen.value(QStringLiteral("reportPath"))).canonicalFilePath(),
             QFileInfo(report).canonicalFilePath());
    QVERIFY(!QFileInfo::exists(workingFolder.filePath(QStringLiteral("installLog.txt"))));

    QString problem;
    const QStringList lines = TextFiles::readLines(report, &problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines.at(4), copyError.arg(QDir::toNativeSeparators(QStringLiteral("JAWS/jfw.ini"))));
}

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_startup.moc"
