#include "installrecord.h"

#include "ini/inidocument.h"
#include "ini/inifile.h"
#include "ini/settingssession.h"
#include "installer/contenthash.h"
#include "platform/safefiles.h"
#include "record/recordkind.h"
#include "record/rowcodec.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace {

const QString formatSection = QStringLiteral("Record");
const QString runsKey = QStringLiteral("Runs");

// Each run's own rows, in a section of its own, each row named by its kind.
QString runSection(qsizetype index)
{
    return QStringLiteral("Run%1").arg(index + 1);
}

QStringList numbered(const QList<QStringList> &rows)
{
    QStringList lines;
    for (qsizetype i = 0; i < rows.size(); ++i)
        lines << QString::number(i + 1) + QLatin1Char('=') + rows.at(i).join(QLatin1Char('|'));
    return lines;
}

// The numbered rows of a section, each split into its fields; a row without `fields` fields
// is not whole.
QList<QStringList> rowsIn(IniFile &file, const QString &section, qsizetype fields, RowCodec &codec)
{
    QList<QStringList> found;
    for (const QString &line : file.section(section)) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        const QStringList row = equals > 0 ? line.mid(equals + 1).split(QLatin1Char('|')) : QStringList();
        if (row.size() < fields) {
            codec.notWhole();
            continue;
        }
        found << row;
    }
    return found;
}

const RecordKind *kindNamed(const QString &word)
{
    for (const RecordKind *kind : RecordKind::all()) {
        if (kind->word() == word)
            return kind;
    }
    return nullptr;
}

// The named keys of a document's section that have a value, each once.
QStringList keysOf(const IniDocument &document, const QString &section)
{
    QStringList keys;
    QSet<QString> seen;
    for (const QString &line : document.sectionLines(section)) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        const QString key = line.left(equals);
        if (equals <= 0 || seen.contains(key.toCaseFolded()))
            continue;
        seen.insert(key.toCaseFolded());
        keys << key;
    }
    return keys;
}

} // namespace

QString InstallRecord::fileName()
{
    return QStringLiteral("QuorOlmaRecord.ini");
}

QString InstallRecord::pathIn(const QString &driverFolder)
{
    return driverFolder + QDir::separator() + fileName();
}

QByteArray InstallRecord::hashOf(const QByteArray &bytes)
{
    return ContentHash::of(bytes);
}

QByteArray InstallRecord::hashOf(IniFile &file)
{
    ContentHash hash;
    file.forEachCurrentByteRun([&hash](QByteArrayView bytes) { hash.addData(bytes); });
    return hash.result();
}

QByteArray InstallRecord::hashOfFile(const QString &path)
{
    // Never through a link: a file the record names is judged by what is there under its name.
    QFile file;
    if (Platform::SafeFiles::open(path, file, QIODevice::ReadOnly) != Platform::SafeFiles::Status::Done)
        return QByteArray();
    ContentHash hash;
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 read = file.read(buffer.data(), buffer.size());
        if (read < 0)
            return QByteArray();
        if (read == 0)
            return hash.result();
        hash.addData(QByteArrayView(buffer.constData(), read));
    }
}

bool InstallRecord::fileHasHash(const QString &path, const QByteArray &recorded)
{
    if (ContentHash::isOne(recorded))
        return hashOfFile(path) == recorded;
    QFile file;
    QCryptographicHash hash(QCryptographicHash::Blake2b_256);
    return Platform::SafeFiles::open(path, file, QIODevice::ReadOnly) == Platform::SafeFiles::Status::Done && hash.addData(&file) && file.error() == QFileDevice::NoError
        && hash.result().toHex() == recorded;
}

bool InstallRecord::isEmpty() const
{
    return files.isEmpty() && folders.isEmpty() && settings.isEmpty() && values.isEmpty() && sections.isEmpty() && keyMaps.isEmpty();
}

InstallRecord::Reading InstallRecord::read(IniFile &file, const Roots &roots)
{
    *this = InstallRecord();
    if (!file.existed())
        return Reading::Absent;
    if (!file.readable() || file.string(formatSection, QStringLiteral("Format"), QString()) != QLatin1String("1"))
        return Reading::Damaged;
    // Every line of a section is a row, numbered, its fields whole: a record cut short or
    // written over by something else is not half believed.
    RowCodec codec(roots);
    qsizetype rowCount = 0;
    for (const RecordKind *kind : RecordKind::all()) {
        const QList<QStringList> rows = rowsIn(file, kind->section(), kind->fields(), codec);
        rowCount += rows.size();
        for (const QStringList &row : rows)
            kind->readRow(*this, row, codec);
    }
    // Records of this program count their rows: a record cut short at a line's end is told too.
    const QString counted = file.string(formatSection, QStringLiteral("Rows"), QString());
    if (!counted.isEmpty() && counted != QString::number(rowCount))
        codec.notWhole();
    const QString unfinishedField = file.string(formatSection, QStringLiteral("Unfinished"), QString());
    if (!unfinishedField.isEmpty() && unfinishedField != QLatin1String("1"))
        codec.notWhole();
    unfinished = unfinishedField == QLatin1String("1");

    // An earlier program that wrote over the record left no count of runs: its rows are then one
    // run that nobody can name.
    const QString runCount = file.string(formatSection, runsKey, QString());
    bool counts = false;
    const int runsRecorded = runCount.toInt(&counts);
    if (!runCount.isEmpty() && (!counts || runsRecorded < 0 || runsRecorded > 100000))
        codec.notWhole();
    // A record of one run, the first, says so instead of holding its rows twice.
    if (runsRecorded == 1 && file.string(runSection(0), QStringLiteral("Whole"), QString()) == QLatin1String("1")) {
        auto run = std::make_shared<InstallRecord>(*this);
        run->unfinished = file.string(runSection(0), QStringLiteral("Unfinished"), QString()) == QLatin1String("1");
        for (const QString &line : file.section(runSection(0))) {
            const QString key = line.left(line.indexOf(QLatin1Char('=')));
            if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1Char(';')) && key != QLatin1String("Id") && key != QLatin1String("Whole")
                && key != QLatin1String("Unfinished"))
                codec.notWhole();
        }
        runs << Run{ RowCodec::decode(file.string(runSection(0), QStringLiteral("Id"), QString())), run };
        if (!runs.constLast().id.isEmpty() && !isValidRunId(runs.constLast().id))
            codec.notWhole();
    } else {
        for (int index = 0; codec.whole() && index < runsRecorded; ++index)
            readRun(file, runSection(index), codec);
    }
    if (!codec.whole()) {
        *this = InstallRecord();
        return Reading::Damaged;
    }
    if (runCount.isEmpty() && !isEmpty())
        runs << Run{ QString(), std::make_shared<InstallRecord>(*this) };
    return Reading::Read;
}

void InstallRecord::readRun(IniFile &file, const QString &section, RowCodec &codec)
{
    auto run = std::make_shared<InstallRecord>();
    qsizetype rowCount = 0;
    for (const QString &line : file.section(section)) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        const QString key = line.left(equals);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char(';')) || key == QLatin1String("Id") || key == QLatin1String("Rows")
            || key == QLatin1String("Unfinished"))
            continue;
        QStringList row = equals > 0 ? line.mid(equals + 1).split(QLatin1Char('|')) : QStringList();
        const RecordKind *kind = kindNamed(row.isEmpty() ? QString() : row.takeFirst());
        if (!kind || row.size() < kind->fields()) {
            codec.notWhole();
            return;
        }
        kind->readRow(*run, row, codec);
        ++rowCount;
    }
    const QString id = RowCodec::decode(file.string(section, QStringLiteral("Id"), QString()));
    const QString runUnfinished = file.string(section, QStringLiteral("Unfinished"), QString());
    if ((!id.isEmpty() && !isValidRunId(id)) || file.string(section, QStringLiteral("Rows"), QString()) != QString::number(rowCount)
        || (!runUnfinished.isEmpty() && runUnfinished != QLatin1String("1")))
        codec.notWhole();
    run->unfinished = runUnfinished == QLatin1String("1");
    runs << Run{ id, run };
}

bool InstallRecord::write(IniFile &file, const Roots &roots) const
{
    RowCodec codec(roots);
    QList<QList<QStringList>> rows;
    qsizetype rowCount = 0;
    for (const RecordKind *kind : RecordKind::all()) {
        rows << kind->rows(*this, codec);
        rowCount += rows.constLast().size();
    }
    QStringList format{ QStringLiteral("Format=1"), QStringLiteral("Rows=%1").arg(rowCount) };
    if (unfinished)
        format << QStringLiteral("Unfinished=1");
    // Read by this program only: earlier programs read the merged rows and keep no runs.
    format << QStringLiteral("%1=%2").arg(runsKey).arg(runs.size());
    bool written = file.writeSection(formatSection, format);
    for (qsizetype k = 0; k < RecordKind::all().size(); ++k)
        written &= file.writeSection(RecordKind::all().at(k)->section(), numbered(rows.at(k)));
    for (qsizetype index = 0; index < runs.size(); ++index) {
        const InstallRecord &run = *runs.at(index).changes;
        QStringList lines{ QStringLiteral("Id=") + RowCodec::encode(runs.at(index).id) };
        if (run.unfinished)
            lines << QStringLiteral("Unfinished=1");
        // One run alone is every row above (the rows are the runs merged, and it merged into
        // nothing): said in a line, the record of a first installation is no larger, and no
        // slower to write, than before runs were kept.
        if (runs.size() == 1) {
            lines << QStringLiteral("Whole=1");
        } else {
            QList<QStringList> runRows;
            for (const RecordKind *kind : RecordKind::all()) {
                for (QStringList row : kind->rows(run, codec)) {
                    row.prepend(kind->word());
                    runRows << row;
                }
            }
            lines << QStringLiteral("Rows=%1").arg(runRows.size()) << numbered(runRows);
        }
        written &= file.writeSection(runSection(index), lines);
    }
    // The runs of a longer record that this one replaces.
    static const QRegularExpression runName(QStringLiteral("^Run(\\d+)$"), QRegularExpression::CaseInsensitiveOption);
    for (const QString &section : file.sectionNames()) {
        const QRegularExpressionMatch match = runName.match(section);
        if (match.hasMatch() && match.captured(1).toLongLong() > runs.size())
            written &= file.removeSection(section);
    }
    return written;
}

QByteArray InstallRecord::unknownContent()
{
    return QByteArrayLiteral("-");
}

void InstallRecord::merge(const InstallRecord &later)
{
    for (const RecordKind *kind : RecordKind::all())
        kind->merge(*this, later);
    // The record is as finished as its last run.
    unfinished = later.unfinished;
}

void InstallRecord::confine(RecordPlace &place)
{
    for (const RecordKind *kind : RecordKind::all())
        kind->confine(*this, place);
}

InstallRecord InstallRecord::ofSettingsChanges(SettingsSession &session, const QStringList &left)
{
    InstallRecord record;
    QSet<QString> leftKeys;
    for (const QString &path : left)
        leftKeys.insert(RowCodec::key(QFileInfo(path).absoluteFilePath()));
    for (const QString &path : session.changedFiles()) {
        if (leftKeys.contains(RowCodec::key(path)))
            continue;
        IniFile &file = session.file(path);
        const bool existed = file.existed();
        record.settings << Settings{ path, existed, existed ? session.keepBackup(path) : QString(), hashOf(file),
                                     existed ? hashOf(file.originalBytes()) : QByteArray() };
        // Only the sections the steps read or wrote can differ: the others are the file's bytes.
        // A large settings file has thousands of sections, and most files are changed in one:
        // each of those is compared with its bytes as read, the file not parsed again.
        const IniDocument &now = file.currentDocument();
        QSet<QString> seen;
        for (const QString &section : file.touchedSectionNames()) {
            const QString folded = section.toCaseFolded();
            if (section.isEmpty() || seen.contains(folded))
                continue; // the text before the first section holds no setting
            seen.insert(folded);
            const IniDocument old = existed ? file.sectionAsRead(section) : IniDocument();
            const bool existedBefore = old.hasSection(section);
            if (!existedBefore)
                record.sections << Section{ path, section };
            if (existedBefore && old.sectionLines(section) == now.sectionLines(section))
                continue; // only read
            for (const QString &key : keysOf(now, section)) {
                const std::optional<QString> before = old.value(section, key);
                const std::optional<QString> value = now.value(section, key);
                if (before != value)
                    record.values << Value{ path, section, key, before, value };
            }
            // Keys the installation took away (a section the merge replaced as a whole).
            if (!existedBefore)
                continue;
            for (const QString &key : keysOf(old, section)) {
                if (!now.value(section, key))
                    record.values << Value{ path, section, key, old.value(section, key), std::nullopt };
            }
        }
    }
    return record;
}

void InstallRecord::addRun(const QString &id, const InstallRecord &changes)
{
    merge(changes);
    if (!runs.isEmpty() && !id.isEmpty() && runs.constLast().id == id) {
        auto joined = std::make_shared<InstallRecord>(*runs.constLast().changes);
        joined->merge(changes);
        joined->runs.clear();
        runs.last().changes = joined;
        return;
    }
    if (changes.changesNothing())
        return;
    auto own = std::make_shared<InstallRecord>(changes);
    own->runs.clear();
    runs << Run{ id, own };
}

qsizetype InstallRecord::runIndex(const QString &id) const
{
    for (qsizetype i = 0; i < runs.size(); ++i) {
        if (!id.isEmpty() && runs.at(i).id == id)
            return i;
    }
    return -1;
}

InstallRecord InstallRecord::withoutLastRun() const
{
    InstallRecord earlier;
    for (qsizetype i = 0; i + 1 < runs.size(); ++i)
        earlier.addRun(runs.at(i).id, *runs.at(i).changes);
    return earlier;
}

bool InstallRecord::changesNothing() const
{
    return std::all_of(files.cbegin(), files.cend(), [](const File &file) { return file.before == File::Before::Same; }) && folders.isEmpty()
        && settings.isEmpty() && values.isEmpty() && sections.isEmpty() && keyMaps.isEmpty();
}

QString InstallRecord::newRunId()
{
    return QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")) + QLatin1Char('-')
        + QString::number(QRandomGenerator::system()->generate(), 16).rightJustified(8, QLatin1Char('0'));
}

bool InstallRecord::isValidRunId(const QString &id)
{
    static const QRegularExpression allowed(QStringLiteral("^[A-Za-z0-9_.{}-]{1,64}$"));
    return allowed.match(id).hasMatch();
}
