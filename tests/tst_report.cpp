#include "report/report.h"
#include "support/recordingmessagebox.h"
#include "support/textfiles.h"

#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

const QString separator(79, QLatin1Char('-'));

QStringList linesOf(const QString &path)
{
    QString problem;
    const QStringList lines = TextFiles::readLines(path, &problem);
    if (!problem.isEmpty())
        qWarning("%s", qUtf8Printable(problem));
    return lines;
}

} // namespace

class tst_Report : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void runHeaderAndAppendingRuns();
    void dateLayoutUsesSystemLocaleNames();
    void messageLines_data();
    void messageLines();
    void appendFile_data();
    void appendFile();
    void openFailureWarnsAndWritesNothing();

private:
    QTemporaryDir *dir = nullptr;
    RecordingMessageBox *box = nullptr;
};

void tst_Report::init()
{
    dir = new QTemporaryDir;
    QVERIFY(dir->isValid());
    box = new RecordingMessageBox;
}

void tst_Report::cleanup()
{
    delete box;
    delete dir;
}

void tst_Report::runHeaderAndAppendingRuns()
{
    const QString path = dir->filePath(QStringLiteral("installLog.txt"));
    {
        Report report;
        QVERIFY(report.open(path));
        QCOMPARE(report.fileName(), path);
        report.writeLine(QStringLiteral("first run"));
    }
    {
        Report report;
        QVERIFY(report.open(path));
        report.writeLine(QStringLiteral("second run"));
    }
    const QStringList lines = linesOf(path);
    QCOMPARE(lines.size(), 10);
    for (int run : { 0, 5 }) {
        QCOMPARE(lines.at(run + 0), QString());
        QCOMPARE(lines.at(run + 1), separator);
        QVERIFY2(lines.at(run + 2).startsWith(QStringLiteral("Installation ")), qPrintable(lines.at(run + 2)));
        QCOMPARE(lines.at(run + 3), QString());
    }
    QCOMPARE(lines.at(4), QStringLiteral("first run"));
    QCOMPARE(lines.at(9), QStringLiteral("second run"));
    QVERIFY(box->calls.isEmpty());

    // The date of the header is the time of opening, in the layout of the system locale.
    const QString stamp = lines.at(2).mid(13);
    const QString now = Report::localTextDate(QDateTime::currentDateTime());
    QCOMPARE(stamp.split(QLatin1Char(' ')).size(), now.split(QLatin1Char(' ')).size());
}

void tst_Report::dateLayoutUsesSystemLocaleNames()
{
    // Each run of this test is a process of its own with the locale set from outside; the
    // expected language says which, so that a machine without that locale fails loudly rather
    // than passing in English.
    const QString language = qEnvironmentVariable("IQO_EXPECTED_LANGUAGE", QStringLiteral("en"));
    const QDateTime tuesday(QDate(2024, 3, 5), QTime(14, 7, 9));
    if (language == QLatin1String("fr")) {
        QCOMPARE(QLocale::system().language(), QLocale::French);
        QCOMPARE(Report::localTextDate(tuesday), QStringLiteral("mar. mars 5 14:07:09 2024"));
    } else {
        QCOMPARE(Report::localTextDate(tuesday), QStringLiteral("Tue Mar 5 14:07:09 2024"));
    }
}

enum class Kind { SectionAdded, TableSelected, FolderCreated, FileCopied, FileSaved, FileDeleted };

void tst_Report::messageLines_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("reason"); // the system's, for a failure

    const QString ini = QStringLiteral("C:/Program Files/JAWS/jfw.ini");
    const QString nativeIni = QDir::toNativeSeparators(ini);
    const QString folder = QStringLiteral("C:/ProgramData/Freedom Scientific/JAWS/10.0/Settings");
    const QString nativeFolder = QDir::toNativeSeparators(folder);

    QTest::newRow("section added") << Kind::SectionAdded << true << "Quor" << "jfw.ini"
                                   << "OK : [Quor] section has been added to jfw.ini file." << QString();
    QTest::newRow("section not added") << Kind::SectionAdded << false << "Quor" << "jfw.ini"
                                       << "ERROR : Unable to add [Quor] section to jfw.ini file." << QString();
    QTest::newRow("section path native") << Kind::SectionAdded << true << "Olma" << ini
                                         << "OK : [Olma] section has been added to " + nativeIni + " file." << QString();
    QTest::newRow("table selected") << Kind::TableSelected << true << "German" << ini
                                    << "OK : 'German' Braille table selected in " + nativeIni + "." << QString();
    QTest::newRow("table not selected") << Kind::TableSelected << false << "German" << ini
                                        << "ERROR : Unable to select 'German' Braille table in " + nativeIni + "." << QString();
    QTest::newRow("folder created") << Kind::FolderCreated << true << QString() << folder
                                    << "OK : " + nativeFolder + " folder successfully created." << QString();
    QTest::newRow("folder not created") << Kind::FolderCreated << false << QString() << folder
                                        << "ERROR : Unable to create " + nativeFolder + " folder." << QString();
    QTest::newRow("file copied") << Kind::FileCopied << true << QString() << ini
                                 << "OK : " + nativeIni + " file successfully copied." << QString();
    QTest::newRow("file not copied") << Kind::FileCopied << false << QString() << ini
                                     << "ERROR : Unable to copy " + nativeIni + " file." << QString();
    QTest::newRow("file saved") << Kind::FileSaved << true << QString() << ini
                                << "OK : " + nativeIni + " file successfully saved." << QString();
    QTest::newRow("file not saved") << Kind::FileSaved << false << QString() << ini
                                    << "ERROR : Unable to save " + nativeIni + " file." << QString();
    QTest::newRow("file deleted") << Kind::FileDeleted << true << QString() << ini
                                  << "OK : " + nativeIni + " file successfully deleted." << QString();
    QTest::newRow("file not deleted") << Kind::FileDeleted << false << QString() << ini
                                      << "ERROR : Unable to delete " + nativeIni + " file." << QString();
    // The system's reason takes the place of the line's full stop, and brings its own where the
    // system writes one; a line of success takes none.
    QTest::newRow("file not copied, with the reason") << Kind::FileCopied << false << QString() << ini
                                                       << "ERROR : Unable to copy " + nativeIni + " file: Access is denied." << "Access is denied.";
    QTest::newRow("folder not created, with the reason") << Kind::FolderCreated << false << QString() << folder
                                                         << "ERROR : Unable to create " + nativeFolder + " folder: Permission denied" << "Permission denied";
    QTest::newRow("file not deleted, a percent sign in the reason") << Kind::FileDeleted << false << QString() << ini
                                                                    << "ERROR : Unable to delete " + nativeIni + " file: %1 100%" << "%1 100%";
    QTest::newRow("file not saved, with the reason") << Kind::FileSaved << false << QString() << ini
                                                     << "ERROR : Unable to save " + nativeIni + " file: Disk full." << "Disk full.";
    QTest::newRow("file saved: a reason is no success's") << Kind::FileSaved << true << QString() << ini
                                                         << "OK : " + nativeIni + " file successfully saved." << "Disk full.";
    // A percent sign in a name is text, not a placeholder.
    QTest::newRow("percent in name") << Kind::SectionAdded << true << "100%" << "a.ini"
                                     << "OK : [100%] section has been added to a.ini file." << QString();
}

void tst_Report::messageLines()
{
    QFETCH(Kind, kind);
    QFETCH(bool, ok);
    QFETCH(QString, name);
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QFETCH(QString, reason);

    const QString file = dir->filePath(QStringLiteral("installLog.txt"));
    Report report;
    QVERIFY(report.open(file));
    switch (kind) {
    case Kind::SectionAdded: report.writeLine(Report::sectionAddedLine(name, path, ok)); break;
    case Kind::TableSelected: report.writeLine(Report::tableSelectedLine(name, path, ok)); break;
    case Kind::FolderCreated: report.writeLine(Report::folderCreatedLine(path, ok, reason)); break;
    case Kind::FileCopied: report.writeLine(Report::fileCopiedLine(path, ok, reason)); break;
    case Kind::FileSaved: report.writeLine(Report::fileSavedLine(path, ok, reason)); break;
    case Kind::FileDeleted: report.writeLine(Report::fileDeletedLine(path, ok, reason)); break;
    }
    const QStringList lines = linesOf(file);
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines.last(), expected);
}

void tst_Report::appendFile_data()
{
    QTest::addColumn<QString>("setUp"); // what lies at the earlier report's path
    QTest::addColumn<bool>("result");
    QTest::addColumn<QStringList>("appended");
    QTest::addColumn<bool>("warned");

    QTest::newRow("no earlier report") << "nothing" << true << QStringList() << false;
    QTest::newRow("earlier report") << "file" << true
                                    << QStringList{ "", separator, "Installation old", "", "old line" } << false;
    // Root can open any file whatever its mode, so "cannot be opened" is a folder at that path.
    QTest::newRow("cannot be opened") << "folder" << false << QStringList() << true;
}

void tst_Report::appendFile()
{
    QFETCH(QString, setUp);
    QFETCH(bool, result);
    QFETCH(QStringList, appended);
    QFETCH(bool, warned);

    const QString earlier = dir->filePath(QStringLiteral("earlier.txt"));
    if (setUp == QLatin1String("file"))
        QVERIFY(TextFiles::write(earlier, appended.join(QString::fromLatin1(TextFiles::nativeLineEnd()))
                                                  .toLatin1() + TextFiles::nativeLineEnd()));
    else if (setUp == QLatin1String("folder"))
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("earlier.txt")));

    const QString file = dir->filePath(QStringLiteral("installLog.txt"));
    Report report;
    QVERIFY(report.open(file));
    QCOMPARE(report.appendFile(earlier), result);

    QStringList lines = linesOf(file);
    QVERIFY(lines.size() >= 4);
    // A read text keeps its own last line end, and the report ends it once more.
    const QStringList expectedTail = appended.isEmpty() ? QStringList() : appended + QStringList{ QString() };
    QCOMPARE(lines.mid(4), expectedTail);

    if (warned) {
        QCOMPARE(box->calls.size(), 1);
        QCOMPARE(box->calls.first().first, QStringLiteral("Cannot open file %1.").arg(earlier));
        QCOMPARE(box->calls.first().second, QStringLiteral("Warning"));
    } else {
        QVERIFY(box->calls.isEmpty());
    }
}

void tst_Report::openFailureWarnsAndWritesNothing()
{
    const QString blocked = dir->filePath(QStringLiteral("installLog.txt"));
    QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("installLog.txt")));

    Report report;
    QVERIFY(!report.open(blocked));
    QCOMPARE(report.fileName(), blocked);
    QCOMPARE(box->calls.size(), 1);
    QCOMPARE(box->calls.first().first, QStringLiteral("Cannot open file %1.").arg(blocked));
    QCOMPARE(box->calls.first().second, QStringLiteral("Warning"));

    // The run goes on: later lines are dropped without a crash or a second warning.
    report.writeLine(QStringLiteral("lost"));
    report.writeLine(Report::fileCopiedLine(QStringLiteral("a/b"), true));
    QVERIFY(report.appendFile(dir->filePath(QStringLiteral("missing.txt"))));
    QCOMPARE(box->calls.size(), 1);
    QVERIFY(QFileInfo(blocked).isDir());
}

QTEST_GUILESS_MAIN(tst_Report)
#include "tst_report.moc"
