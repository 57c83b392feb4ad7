// What others may have put where the program reads and writes, against the command line: links
// planted by a standard user, and install records damaged or forged.
#include "support/appslistchecks.h"
#include "support/links.h"
#include "support/programruns.h"
#include "support/testmachine.h"
#include "support/textfiles.h"

#include "installer/appslistentry.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace ProgramRuns;

class tst_HostileInput : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void hostileFiles_data();
    void hostileFiles();
    void recordAsInput_data();
    void recordAsInput();
};

void tst_HostileInput::init()
{
    AppsListChecks::startWithoutEntries();
}

namespace {

// Every plain file under `folder` with its content, links neither followed nor read.
QMap<QString, QByteArray> filesUnder(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        files.insert(path, info.isSymLink() ? "link to " + info.symLinkTarget().toUtf8() : info.isDir() ? QByteArray("/") : TextFiles::read(path));
    }
    return files;
}

// A file the installing account may read and the user may not: what a planted link aims at.
const QByteArray secret = "[Options]\r\nSecret=only the administrator may read this\r\n";

} // namespace

// A standard user plants links where the program, which runs as an administrator, reads and
// writes for them (symbolic links stand for junctions): whatever they point at stays as it was,
// and none of its bytes reaches a folder the user may read.
void tst_HostileInput::hostileFiles_data()
{
    QTest::addColumn<bool>("installedFirst"); // the link is planted after an installation, then removed
    QTest::addColumn<QString>("link");        // $USER, $SHARED, $JAWS or $PACKAGE, then the name planted
    QTest::addColumn<QString>("target");      // in the place outside the machine: "secret" or "foreign"
    QTest::addColumn<int>("exitCode");

    QTest::newRow("install: a dangling link as the backup's name") << false << "$USER/enu/default.jcf.001" << "created.txt" << 0;
    QTest::newRow("install: the user's settings file") << false << "$USER/enu/default.jcf" << "secret" << 1;
    QTest::newRow("install: the user's language folder") << false << "$USER/enu" << "foreign" << 1;
    QTest::newRow("install: a shared language folder") << false << "$SHARED/fra" << "foreign" << 1;
    QTest::newRow("install: a package file") << false << "$PACKAGE/notes.chm" << "secret" << 1;
    QTest::newRow("remove: the backup swapped") << true << "$USER/enu/default.jcf.001" << "secret" << 1;
    QTest::newRow("remove: the settings file swapped") << true << "$USER/enu/default.jcf" << "secret" << 1;
    QTest::newRow("remove: the language folder swapped") << true << "$USER/enu" << "foreign" << 1;
    QTest::newRow("remove: a driver file swapped") << true << "$JAWS/notes.chm" << "secret" << 1;
}

void tst_HostileInput::hostileFiles()
{
#ifdef Q_OS_WIN
    // Wine shows a link to a folder as a reparse point, as Windows shows a junction, but follows a
    // link to a file as if it were the file: those rows run natively only.
    if (!QString::fromLatin1(QTest::currentDataTag()).contains(QLatin1String("folder")))
        QSKIP("Wine makes no link to a file that its programs see as one");
#endif
    QFETCH(bool, installedFirst);
    QFETCH(QString, link);
    QFETCH(QString, target);
    QFETCH(int, exitCode);
    QTemporaryDir root;
    QTemporaryDir outside;
    TestMachine machine(root.path());
    QVERIFY(machine.make());
    const QString program = machine.addProgram(QStringLiteral("InstallQuorOlma"));
    QVERIFY(!program.isEmpty());
    QVERIFY(TextFiles::write(outside.filePath(QStringLiteral("secret")), secret));
    QVERIFY(QFile::setPermissions(outside.filePath(QStringLiteral("secret")), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QVERIFY(QDir().mkpath(outside.filePath(QStringLiteral("foreign"))));
    QVERIFY(TextFiles::write(outside.filePath(QStringLiteral("foreign/default.jcf")), "[Options]\r\nSomeoneElse=1\r\n"));
    const QStringList install{ "--unattended", "--jaws", QDir::toNativeSeparators(machine.jawsFolder), "--display", "QUOR" };
    if (installedFirst) {
        QString output;
        QVERIFY2(runProgram(machine, program, install, &output) == 0, qPrintable(output));
    }
    QString planted = link;
    planted.replace(QStringLiteral("$USER"), machine.userSettings).replace(QStringLiteral("$SHARED"), machine.sharedSettings)
        .replace(QStringLiteral("$JAWS"), machine.jawsFolder).replace(QStringLiteral("$PACKAGE"), machine.packageFolder);
    if (QFileInfo::exists(planted))
        QVERIFY(QFileInfo(planted).isDir() ? QDir(planted).removeRecursively() : QFile::remove(planted));
    QVERIFY(plantLink(outside.filePath(target), planted));
    auto unplant = qScopeGuard([&planted] { removeLink(planted); });
    const QMap<QString, QByteArray> outsideBefore = filesUnder(outside.path());

    QString output;
    const int exit = runProgram(machine, program, installedFirst ? QStringList{ "--unattended", "--remove", "--jaws", machine.jawsFolder } : install, &output);
    const QByteArray report = TextFiles::read(machine.jawsFolder + QStringLiteral("/installLog.txt"));
    qInfo("%s", qPrintable(output));
    QCOMPARE(exit, exitCode);
    QCOMPARE(filesUnder(outside.path()), outsideBefore);
    // Nothing read through a link reached the machine's folders, the backups least of all.
    const QMap<QString, QByteArray> machineFiles = filesUnder(machine.root);
    for (auto file = machineFiles.cbegin(); file != machineFiles.cend(); ++file)
        QVERIFY2(!file.value().contains("only the administrator"), qPrintable(file.key()));
#ifndef Q_OS_WIN
    QVERIFY(QFileInfo(planted).isSymLink());
#endif
    if (exitCode != 0)
        QVERIFY2(report.contains(QDir::toNativeSeparators(planted).toUtf8() + " is a link: it was left as it is."), report.constData());
}

// The install record lies where others may have written it: a damaged one removes nothing and
// says so; rows that name anything outside the JAWS installation and its settings are refused;
// a backup changed since is not put back whole.
namespace {

// A record of this program as earlier programs wrote it.
QByteArray asEarlierProgramWrote(const QByteArray &record, const TestMachine &machine)
{
    const auto blake = [](const QString &path) { return QCryptographicHash::hash(TextFiles::read(path), QCryptographicHash::Blake2b_256).toHex(); };
    QByteArray earlier;
    QByteArray section;
    for (QByteArray line : record.split('\n')) {
        line = line.trimmed();
        if (line.startsWith('[')) {
            section = line;
            // Earlier programs kept no run of its own.
            if (!section.startsWith("[Run"))
                earlier += line + "\r\n";
            continue;
        }
        if (line.isEmpty() || line.startsWith("Rows=") || line.startsWith("Runs=") || section.startsWith("[Run"))
            continue;
        line.replace("<JAWS>", QDir::toNativeSeparators(machine.jawsFolder).toUtf8())
            .replace("<SHARED>", QDir::toNativeSeparators(machine.sharedSettings).toUtf8());
        QList<QByteArray> fields = line.split('|');
        const QString path = QString::fromUtf8(fields.first().mid(fields.first().indexOf('=') + 1));
        if (section == "[Files]") {
            fields[2] = blake(path);
            fields[5].clear();
        } else if (section == "[Settings]") {
            fields[3] = blake(path);
            fields[4].clear();
        } else if (section == "[KeyMaps]") {
            fields[2].clear();
        }
        earlier += fields.join('|') + "\r\n";
    }
    return earlier;
}

} // namespace

void tst_HostileInput::recordAsInput_data()
{
    QTest::addColumn<QString>("tampering");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("reportLine"); // what the report must hold

    const QString damaged = QStringLiteral("is damaged or cannot be read: nothing was removed.");
    QTest::newRow("empty") << "empty" << 1 << damaged;
    QTest::newRow("random bytes") << "random" << 1 << damaged;
    QTest::newRow("cut short") << "truncated" << 1 << damaged;
    QTest::newRow("a folder in its place") << "folder" << 1 << damaged;
    QTest::newRow("a format this program does not know") << "format 2" << 1 << damaged;
    QTest::newRow("a row's field cut") << "short row" << 1 << damaged;
    QTest::newRow("a file outside JAWS") << "outside" << 1 << QStringLiteral("which lies outside this JAWS installation and its settings");
    QTest::newRow("a path that climbs out") << "climbs" << 1 << QStringLiteral("which lies outside this JAWS installation and its settings");
    QTest::newRow("a relative path") << "relative" << 1 << QStringLiteral("which lies outside this JAWS installation and its settings");
    QTest::newRow("a settings backup emptied") << "empty backup" << 0 << QStringLiteral("was restored value by value instead");
    QTest::newRow("an unfinished mark this program does not know") << "unfinished 2" << 1 << damaged;
    // As earlier programs wrote it: no row count, whole paths, BLAKE2b-256 hashes, no backup's.
    QTest::newRow("a record of an earlier program") << "earlier program" << 0 << QStringLiteral("OK : The values the installation wrote in ");
}

void tst_HostileInput::recordAsInput()
{
    QFETCH(QString, tampering);
    QFETCH(int, exitCode);
    QFETCH(QString, reportLine);
    QTemporaryDir root;
    QTemporaryDir outside;
    TestMachine machine(root.path());
    QVERIFY(machine.make());
    const QString program = machine.addProgram(QStringLiteral("InstallQuorOlma"));
    QVERIFY(!program.isEmpty());
    QString output;
    QVERIFY2(runProgram(machine, program, { "--unattended", "--jaws", QDir::toNativeSeparators(machine.jawsFolder), "--display", "QUOR" }, &output) == 0,
             qPrintable(output));
    const QString recordPath = machine.jawsFolder + QStringLiteral("/Drivers/Braille/quorolma/QuorOlmaRecord.ini");
    QByteArray record = TextFiles::read(recordPath);
    QVERIFY(record.contains("[Files]"));
    // A file outside JAWS, of the very size and fingerprint that a forged row names.
    const QString victim = outside.filePath(QStringLiteral("budget.txt"));
    QVERIFY(QFile::copy(machine.jawsFolder + QStringLiteral("/notes.chm"), victim));
    const QByteArray notesRow = record.mid(record.indexOf("=<JAWS>") + 1).split('\r').constFirst();
    const QString userFile = machine.userSettings + QStringLiteral("/enu/default.jcf");
    if (tampering == QLatin1String("empty"))
        record.clear();
    else if (tampering == QLatin1String("random"))
        record = QByteArray::fromHex("9f8e00ff12ab5c5c0d0a7f");
    else if (tampering == QLatin1String("truncated"))
        record.truncate(record.lastIndexOf("\r\n[KeyMaps]") > 0 ? record.lastIndexOf("\r\n", record.lastIndexOf("\r\n[Sections]") - 2) : record.size() / 2);
    else if (tampering == QLatin1String("format 2"))
        record.replace("Format=1", "Format=2");
    else if (tampering == QLatin1String("short row"))
        record.replace(notesRow, notesRow.left(notesRow.indexOf('|')));
    else if (tampering == QLatin1String("outside"))
        record.replace(notesRow, QDir::toNativeSeparators(victim).toUtf8() + notesRow.mid(notesRow.indexOf('|')));
    else if (tampering == QLatin1String("climbs"))
        record.replace(notesRow, QByteArray(notesRow).replace("<JAWS>", "<JAWS>/../../" + QDir(machine.root).relativeFilePath(victim).toUtf8()).replace("/notes.chm", "").replace("\\notes.chm", ""));
    else if (tampering == QLatin1String("relative"))
        record.replace(notesRow, QByteArray(notesRow).replace("<JAWS>" + QDir::toNativeSeparators(QStringLiteral("/")).toLatin1(), ""));
    else if (tampering == QLatin1String("empty backup"))
        QVERIFY(TextFiles::write(userFile + QStringLiteral(".001"), QByteArray()));
    else if (tampering == QLatin1String("unfinished 2"))
        record.replace("Format=1\r\n", "Format=1\r\nUnfinished=2\r\n");
    else if (tampering == QLatin1String("earlier program"))
        record = asEarlierProgramWrote(record, machine);
    if (tampering == QLatin1String("folder"))
        QVERIFY(QFile::remove(recordPath) && QDir().mkpath(recordPath));
    else
        QVERIFY(TextFiles::write(recordPath, record));
    const QByteArray victimBefore = TextFiles::read(victim);
    QVERIFY(!victimBefore.isEmpty());
    const QByteArray driverBefore = TextFiles::read(machine.jawsFolder + QStringLiteral("/QuorOlma.jlb"));

    const int exit = runProgram(machine, program, { "--unattended", "--remove", "--jaws", machine.jawsFolder }, &output);
    const QByteArray report = TextFiles::read(machine.jawsFolder + QStringLiteral("/installLog.txt"));
    QVERIFY2(report.contains(reportLine.toUtf8()), report.constData());
    QCOMPARE(exit, exitCode);
    QCOMPARE(TextFiles::read(victim), victimBefore);
    if (report.contains("is damaged or cannot be read")) {
        // Nothing was removed: the driver, the record and the entry in the list of apps stay.
        QCOMPARE(TextFiles::read(machine.jawsFolder + QStringLiteral("/QuorOlma.jlb")), driverBefore);
        QVERIFY(QFileInfo::exists(recordPath));
        QVERIFY(AppsListEntry::isRegistered(machine.jawsFolder));
    }
    if (tampering == QLatin1String("earlier program")) {
        // Removed all the same: the driver's files go, the settings are taken back value by value
        // (no backup's fingerprint to restore one whole by).
        QVERIFY(!QFileInfo::exists(machine.jawsFolder + QStringLiteral("/QuorOlma.jlb")));
        QVERIFY(!QFileInfo::exists(recordPath));
        QVERIFY(!AppsListEntry::isRegistered(machine.jawsFolder));
        QVERIFY(TextFiles::read(userFile).contains("BrailleDisplay=FOCUS"));
        QVERIFY(!TextFiles::read(machine.jawsFolder + QStringLiteral("/jfw.ini")).contains("QUOR"));
    }
    if (tampering == QLatin1String("empty backup")) {
        // Not the empty backup: the installation's values taken back, the rest of the file kept.
        const QByteArray now = TextFiles::read(userFile);
        QVERIFY2(!now.isEmpty() && now.contains("BrailleDisplay=FOCUS"), now.constData());
    }
}

QTEST_GUILESS_MAIN(tst_HostileInput)
#include "tst_hostileinput.moc"
