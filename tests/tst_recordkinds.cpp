// Each kind of change in the install record, alone: which paths its rows may name, and what its
// undo does with the machine as it finds it. The record's rows, their merge and the runs are
// tested in tst_jawsinstaller; whole removals in tst_installation.
#include "record/installrecord.h"
#include "record/recordkind.h"
#include "record/recordplace.h"
#include "record/recordundo.h"
#include "support/textfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The removal as the kinds see it: it keeps what they report.
class UndoDouble : public RecordUndo
{
public:
    InstallRecord changes;
    bool stop = false;
    QStringList lines;
    bool failed = false;

    const InstallRecord &record() const override { return changes; }
    void step(const QString &) override {}
    bool stopping() override { return stop; }
    void report(StepResult::Step, const QString &text, StepResult::Outcome outcome) override
    {
        lines << text;
        failed |= outcome == StepResult::Outcome::Failed;
    }
    void report(const QList<StepResult> &results) override
    {
        for (const StepResult &result : results) {
            for (const StepResult::Line &line : result.lines())
                report(result.step(), line.text, line.outcome);
        }
    }
};

const RecordKind *kind(const QString &section)
{
    for (const RecordKind *kind : RecordKind::all()) {
        if (kind->section() == section)
            return kind;
    }
    return nullptr;
}

} // namespace

class tst_RecordKinds : public QObject
{
    Q_OBJECT

private slots:
    void confine_data();
    void confine();
    void undo_data();
    void undo();
};

// Rows are input that a user may have forged: each kind keeps only the paths it may touch.
void tst_RecordKinds::confine_data()
{
    QTest::addColumn<QString>("row");  // section: path [| second path]
    QTest::addColumn<bool>("kept");

    QTest::newRow("a driver file in JAWS") << "Files: $JAWS/QuorOlma.jlb" << true;
    QTest::newRow("a driver file outside") << "Files: $OUT/budget.txt" << false;
    QTest::newRow("a driver file in the settings") << "Files: $SETTINGS/enu/QuorOlma.jlb" << false;
    QTest::newRow("a driver file that climbs out") << "Files: $JAWS/../Elsewhere/budget.txt" << false;
    QTest::newRow("a relative driver file") << "Files: QuorOlma.jlb" << false;
    QTest::newRow("a replaced file's backup outside") << "Files: $JAWS/QuorOlma.jlb|$OUT/budget.txt" << false;
    QTest::newRow("a folder in JAWS") << "Folders: $JAWS/Drivers" << true;
    QTest::newRow("the JAWS folder itself") << "Folders: $JAWS" << false;
    QTest::newRow("a settings file in the settings") << "Settings: $SETTINGS/enu/default.jcf" << true;
    QTest::newRow("a settings file in JAWS") << "Settings: $JAWS/jfw.ini" << true;
    QTest::newRow("a settings file outside") << "Settings: $OUT/default.jcf" << false;
    QTest::newRow("a settings file's backup outside") << "Settings: $SETTINGS/enu/default.jcf|$OUT/default.jcf.001" << false;
    QTest::newRow("a value in the settings") << "Values: $SETTINGS/enu/default.jcf" << true;
    QTest::newRow("a value outside") << "Values: $OUT/default.jcf" << false;
    QTest::newRow("a section outside") << "Sections: $OUT/default.jcf" << false;
    QTest::newRow("a key map in the settings") << "KeyMaps: $SETTINGS/enu/default.jkm|$SETTINGS/enu/default.jkm.001" << true;
    QTest::newRow("a key map in JAWS") << "KeyMaps: $JAWS/default.jkm|$JAWS/default.jkm.001" << false;
    QTest::newRow("a key map's backup outside") << "KeyMaps: $SETTINGS/enu/default.jkm|$OUT/default.jkm" << false;
}

void tst_RecordKinds::confine()
{
    QFETCH(QString, row);
    QFETCH(bool, kept);
    QTemporaryDir root;
    const QString jaws = root.filePath(QStringLiteral("JAWS"));
    const QString settings = root.filePath(QStringLiteral("Settings"));
    QString text = row.section(QStringLiteral(": "), 1);
    text.replace(QStringLiteral("$JAWS"), jaws).replace(QStringLiteral("$SETTINGS"), settings).replace(QStringLiteral("$OUT"), root.filePath(QStringLiteral("Elsewhere")));
    const QString path = QDir::toNativeSeparators(text.section(QLatin1Char('|'), 0, 0));
    const QString second = QDir::toNativeSeparators(text.section(QLatin1Char('|'), 1));
    const QString section = row.section(QStringLiteral(": "), 0, 0);
    InstallRecord record;
    if (section == QLatin1String("Files"))
        record.files << InstallRecord::File{ path, 1, "-", second.isEmpty() ? InstallRecord::File::Before::Absent : InstallRecord::File::Before::Replaced,
                                             second, QByteArray() };
    else if (section == QLatin1String("Folders"))
        record.folders << path;
    else if (section == QLatin1String("Settings"))
        record.settings << InstallRecord::Settings{ path, true, second, QByteArray(), QByteArray() };
    else if (section == QLatin1String("Values"))
        record.values << InstallRecord::Value{ path, QStringLiteral("Options"), QStringLiteral("BrailleDisplay"), std::nullopt, QStringLiteral("QUOR") };
    else if (section == QLatin1String("Sections"))
        record.sections << InstallRecord::Section{ path, QStringLiteral("Korvalis") };
    else if (section == QLatin1String("KeyMaps"))
        record.keyMaps << InstallRecord::KeyMap{ path, second, QByteArray() };
    QVERIFY(kind(section));
    RecordPlace place(jaws, { settings });
    record.confine(place);
    QCOMPARE(record.isEmpty(), !kept);
    QCOMPARE(place.refused().isEmpty(), kept);
}

// What each kind's undo does with what it finds: its own change taken back, anything that
// someone else changed since left as it is.
void tst_RecordKinds::undo_data()
{
    QTest::addColumn<QString>("change"); // the recorded change
    QTest::addColumn<QString>("since");  // what happened to it since: "", "changed", "backup changed", "backup gone", "made again", "not empty"
    QTest::addColumn<QString>("after");  // the file's content after the undo, "<none>" for no file
    QTest::addColumn<bool>("failed");

    QTest::newRow("an added file: deleted") << "file added" << "" << "<none>" << false;
    QTest::newRow("an added file changed since: kept") << "file added" << "changed" << "theirs" << false;
    QTest::newRow("a replaced file: its backup back") << "file replaced" << "" << "before" << false;
    QTest::newRow("a replaced file changed since: kept") << "file replaced" << "changed" << "theirs" << false;
    QTest::newRow("a replaced file whose backup changed: kept, an error") << "file replaced" << "backup changed" << "installed" << true;
    QTest::newRow("a file there before as it is: kept") << "file same" << "" << "installed" << false;
    QTest::newRow("stopped before the file: kept") << "file added" << "stop" << "installed" << false;
    QTest::newRow("a key map: put back") << "key map" << "" << "before" << false;
    QTest::newRow("a key map made again since: theirs kept") << "key map" << "made again" << "theirs" << false;
    QTest::newRow("a key map whose backup is gone: an error") << "key map" << "backup gone" << "<none>" << true;
    QTest::newRow("a key map whose backup changed: an error") << "key map" << "backup changed" << "<none>" << true;
    QTest::newRow("a settings file as left: whole") << "settings" << "" << "[Options]\r\nBrailleDisplay=FOCUS\r\n" << false;
    QTest::newRow("a settings file changed since: value by value")
        << "settings" << "changed" << "[Options]\r\nBrailleDisplay=FOCUS\r\nSpeed=9\r\n" << false;
    QTest::newRow("a settings file whose value the user chose: kept")
        << "settings" << "value chosen" << "[Options]\r\nBrailleDisplay=ALVA\r\n" << false;
    QTest::newRow("a settings file the installation made: deleted") << "settings made" << "" << "<none>" << false;
    QTest::newRow("an empty folder: removed") << "folder" << "" << "<none>" << false;
    QTest::newRow("a folder that holds a file: kept") << "folder" << "not empty" << "<folder>" << false;
}

void tst_RecordKinds::undo()
{
    QFETCH(QString, change);
    QFETCH(QString, since);
    QFETCH(QString, after);
    QFETCH(bool, failed);
    QTemporaryDir root;
    UndoDouble undo;
    undo.stop = since == QLatin1String("stop");
    InstallRecord &record = undo.changes;
    const QString path = QDir::toNativeSeparators(root.filePath(change.startsWith(QLatin1String("settings")) ? QStringLiteral("default.jcf")
                                                                                                             : QStringLiteral("QuorOlma.jlb")));
    const QString backup = path + QStringLiteral(".001");
    const QByteArray installed = change.startsWith(QLatin1String("settings")) ? "[Options]\r\nBrailleDisplay=QUOR\r\n" : "installed";
    const QByteArray before = change.startsWith(QLatin1String("settings")) ? "[Options]\r\nBrailleDisplay=FOCUS\r\n" : "before";
    QString section;
    if (change.startsWith(QLatin1String("file"))) {
        section = QStringLiteral("Files");
        const auto was = change == QLatin1String("file added") ? InstallRecord::File::Before::Absent
            : change == QLatin1String("file same")             ? InstallRecord::File::Before::Same
                                                               : InstallRecord::File::Before::Replaced;
        record.files << InstallRecord::File{ path, installed.size(), InstallRecord::hashOf(installed), was,
                                             was == InstallRecord::File::Before::Replaced ? backup : QString(), InstallRecord::hashOf(before) };
        QVERIFY(TextFiles::write(path, since == QLatin1String("changed") ? QByteArray("theirs") : installed));
        if (was == InstallRecord::File::Before::Replaced)
            QVERIFY(TextFiles::write(backup, since == QLatin1String("backup changed") ? QByteArray("forged") : before));
    } else if (change == QLatin1String("key map")) {
        section = QStringLiteral("KeyMaps");
        record.keyMaps << InstallRecord::KeyMap{ path, backup, InstallRecord::hashOf(before) };
        if (since == QLatin1String("made again"))
            QVERIFY(TextFiles::write(path, "theirs"));
        if (since != QLatin1String("backup gone"))
            QVERIFY(TextFiles::write(backup, since == QLatin1String("backup changed") ? QByteArray("forged") : before));
    } else if (change.startsWith(QLatin1String("settings"))) {
        section = QStringLiteral("Settings");
        const bool made = change == QLatin1String("settings made");
        record.settings << InstallRecord::Settings{ path, !made, made ? QString() : backup, InstallRecord::hashOf(installed),
                                                    made ? QByteArray() : InstallRecord::hashOf(before) };
        record.values << InstallRecord::Value{ path, QStringLiteral("Options"), QStringLiteral("BrailleDisplay"),
                                               made ? std::nullopt : std::optional<QString>(QStringLiteral("FOCUS")), QStringLiteral("QUOR") };
        QByteArray now = installed;
        if (since == QLatin1String("changed"))
            now += "Speed=9\r\n";
        else if (since == QLatin1String("value chosen"))
            now = "[Options]\r\nBrailleDisplay=ALVA\r\n";
        QVERIFY(TextFiles::write(path, now));
        if (!made)
            QVERIFY(TextFiles::write(backup, before));
    } else {
        section = QStringLiteral("Folders");
        QVERIFY(QDir().mkpath(path));
        record.folders << path;
        if (since == QLatin1String("not empty"))
            QVERIFY(TextFiles::write(path + QStringLiteral("/theirs.txt"), "theirs"));
    }
    // Every kind is run, as a removal runs them: each takes back its own rows alone.
    for (const RecordKind *kind : RecordKind::inUndoOrder())
        kind->undo(undo);
    QVERIFY(kind(section));
    const QFileInfo file(path);
    const QString now = file.isDir() ? QStringLiteral("<folder>") : file.exists() ? QString::fromLatin1(TextFiles::read(path)) : QStringLiteral("<none>");
    QVERIFY2(now == after, qPrintable(now + QLatin1Char('\n') + undo.lines.join(QLatin1Char('\n'))));
    QVERIFY2(undo.failed == failed, qPrintable(undo.lines.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(tst_RecordKinds)
#include "tst_recordkinds.moc"
