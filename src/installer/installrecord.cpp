#include "installrecord.h"

#include "ini/inidocument.h"
#include "ini/inifile.h"
#include "ini/settingssession.h"
#include "installer/contenthash.h"
#include "paths/windowspath.h"
#include "platform/safefiles.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QHash>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QUrl>

namespace {

const QString formatSection = QStringLiteral("Record");
const QString filesSection = QStringLiteral("Files");
const QString foldersSection = QStringLiteral("Folders");
const QString settingsSection = QStringLiteral("Settings");
const QString valuesSection = QStringLiteral("Values");
const QString sectionsSection = QStringLiteral("Sections");
const QString keyMapsSection = QStringLiteral("KeyMaps");

// Readable, yet safe to read back: "%", "|", control characters, anything beyond ASCII and
// blanks at either end (which reading the ini file would trim) are percent-encoded.
QString encode(const QString &text)
{
    const auto plain = [&text](qsizetype i) {
        const char16_t c = text.at(i).unicode();
        return c != '%' && c != '|' && c >= 0x20 && c <= 0x7e && !(c == ' ' && (i == 0 || i == text.size() - 1));
    };
    // Most values need no encoding at all: a record holds thousands of them.
    qsizetype i = 0;
    while (i < text.size() && plain(i))
        ++i;
    if (i == text.size())
        return text;
    static constexpr char hex[] = "0123456789ABCDEF";
    const QByteArray bytes = text.toUtf8();
    QByteArray encoded;
    encoded.reserve(bytes.size() + 16);
    for (qsizetype b = 0; b < bytes.size(); ++b) {
        const uchar c = uchar(bytes.at(b));
        const bool edgeBlank = c == ' ' && (b == 0 || b == bytes.size() - 1);
        if (c == '%' || c == '|' || c < 0x20 || c > 0x7e || edgeBlank)
            encoded.append('%').append(hex[c >> 4]).append(hex[c & 0xF]);
        else
            encoded.append(char(c));
    }
    return QString::fromLatin1(encoded);
}

QString decode(const QString &text)
{
    return QUrl::fromPercentEncoding(text.toLatin1());
}

const QString jawsToken = QStringLiteral("<JAWS>");
const QString sharedToken = QStringLiteral("<SHARED>");

// Paths as the system writes them; within a root, relative to it behind the root's token (no
// Windows path holds "<" or ">").
QString encodePath(const QString &path, const InstallRecord::Roots &roots)
{
    if (path.isEmpty())
        return QString();
    const QString native = QDir::toNativeSeparators(path);
    for (const auto &[root, token] : { std::make_pair(roots.jaws, jawsToken), std::make_pair(roots.sharedSettings, sharedToken) }) {
        if (!root.isEmpty() && WindowsPath::isInside(path, root)) {
            const QString cleanRoot = QDir::toNativeSeparators(QDir::cleanPath(QDir::fromNativeSeparators(root)));
            const QString clean = QDir::toNativeSeparators(QDir::cleanPath(QDir::fromNativeSeparators(path)));
            if (clean.size() > cleanRoot.size() && WindowsPath::samePath(clean.left(cleanRoot.size()), cleanRoot))
                return encode(token + clean.mid(cleanRoot.size()));
        }
    }
    return encode(native);
}

// A recorded path under the roots derived now; one without a root token is taken as written
// (records of earlier programs hold whole paths). The caller confines it.
QString decodePath(const QString &field, const InstallRecord::Roots &roots)
{
    const QString path = decode(field);
    for (const auto &[root, token] : { std::make_pair(roots.jaws, jawsToken), std::make_pair(roots.sharedSettings, sharedToken) }) {
        if (path.startsWith(token))
            return root.isEmpty() ? QString() : QDir::toNativeSeparators(root) + path.mid(token.size());
    }
    return path;
}

// A field that may be none: "-" for none, else "=" and the text.
QString encodeOptional(const std::optional<QString> &text)
{
    return text ? QLatin1Char('=') + encode(*text) : QStringLiteral("-");
}

std::optional<QString> decodeOptional(const QString &field)
{
    if (!field.startsWith(QLatin1Char('=')))
        return std::nullopt;
    return decode(field.mid(1));
}

QStringList numbered(const QList<QStringList> &rows)
{
    QStringList lines;
    for (qsizetype i = 0; i < rows.size(); ++i)
        lines << QString::number(i + 1) + QLatin1Char('=') + rows.at(i).join(QLatin1Char('|'));
    return lines;
}

QString keyOf(const QString &path)
{
    return WindowsPath::key(path);
}

QString keyOf(const QString &path, const QString &section, const QString &key = QString())
{
    return WindowsPath::key(path) + QLatin1Char('\n') + section.toCaseFolded() + QLatin1Char('\n') + key.toCaseFolded();
}

QString beforeName(InstallRecord::File::Before before)
{
    switch (before) {
    case InstallRecord::File::Before::Absent:
        return QStringLiteral("added");
    case InstallRecord::File::Before::Replaced:
        return QStringLiteral("replaced");
    case InstallRecord::File::Before::Same:
        return QStringLiteral("same");
    }
    return QString();
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
    bool whole = true;
    qsizetype rowCount = 0;
    const auto rows = [&](const QString &section, qsizetype fields) {
        QList<QStringList> found;
        for (const QString &line : file.section(section)) {
            const qsizetype equals = line.indexOf(QLatin1Char('='));
            if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char(';')))
                continue;
            const QStringList row = equals > 0 ? line.mid(equals + 1).split(QLatin1Char('|')) : QStringList();
            if (row.size() < fields) {
                whole = false;
                continue;
            }
            found << row;
        }
        rowCount += found.size();
        return found;
    };
    const auto hashField = [&whole](const QStringList &row, qsizetype at) {
        const QByteArray hash = row.value(at).toLatin1();
        if (!hash.isEmpty() && !ContentHash::isOne(hash))
            whole = false;
        return hash;
    };
    const auto pathField = [&](const QStringList &row, qsizetype at, bool mayBeEmpty) {
        const QString path = decodePath(row.at(at), roots);
        if (path.isEmpty() && !mayBeEmpty)
            whole = false;
        return path;
    };
    for (const QStringList &row : rows(filesSection, 5)) {
        bool number = false;
        File entry{ pathField(row, 0, false), row.at(1).toLongLong(&number), row.at(2).toLatin1(), File::Before::Absent,
                    pathField(row, 4, true), hashField(row, 5) };
        if (row.at(3) == QLatin1String("replaced"))
            entry.before = File::Before::Replaced;
        else if (row.at(3) == QLatin1String("same"))
            entry.before = File::Before::Same;
        else if (row.at(3) != QLatin1String("added"))
            whole = false;
        whole &= number && entry.size >= 0 && !entry.hash.isEmpty() && (entry.before != File::Before::Replaced || !entry.backup.isEmpty());
        files << entry;
    }
    for (const QStringList &row : rows(foldersSection, 1))
        folders << pathField(row, 0, false);
    for (const QStringList &row : rows(settingsSection, 4)) {
        whole &= row.at(1) == QLatin1String("1") || row.at(1) == QLatin1String("0");
        settings << Settings{ pathField(row, 0, false), row.at(1) == QLatin1String("1"), pathField(row, 2, true), row.at(3).toLatin1(),
                              hashField(row, 4) };
    }
    for (const QStringList &row : rows(valuesSection, 5)) {
        for (qsizetype at : { 3, 4 })
            whole &= row.at(at) == QLatin1String("-") || row.at(at).startsWith(QLatin1Char('='));
        values << Value{ pathField(row, 0, false), decode(row.at(1)), decode(row.at(2)), decodeOptional(row.at(3)), decodeOptional(row.at(4)) };
    }
    for (const QStringList &row : rows(sectionsSection, 2))
        sections << Section{ pathField(row, 0, false), decode(row.at(1)) };
    for (const QStringList &row : rows(keyMapsSection, 2))
        keyMaps << KeyMap{ pathField(row, 0, false), pathField(row, 1, false), hashField(row, 2) };
    // Records of this program count their rows: a record cut short at a line's end is told too.
    const QString counted = file.string(formatSection, QStringLiteral("Rows"), QString());
    if (!counted.isEmpty() && counted != QString::number(rowCount))
        whole = false;
    const QString unfinishedField = file.string(formatSection, QStringLiteral("Unfinished"), QString());
    whole &= unfinishedField.isEmpty() || unfinishedField == QLatin1String("1");
    unfinished = unfinishedField == QLatin1String("1");
    if (!whole) {
        *this = InstallRecord();
        return Reading::Damaged;
    }
    return Reading::Read;
}

bool InstallRecord::write(IniFile &file, const Roots &roots) const
{
    // Thousands of rows name the same few files: each path is made relative once.
    QHash<QString, QString> encoded;
    const auto path = [&roots, &encoded](const QString &p) {
        auto found = encoded.constFind(p);
        if (found == encoded.constEnd())
            found = encoded.insert(p, encodePath(p, roots));
        return *found;
    };
    QList<QStringList> fileRows, folderRows, settingsRows, valueRows, sectionRows, keyMapRows;
    for (const File &entry : files)
        fileRows << QStringList{ path(entry.path), QString::number(entry.size), QString::fromLatin1(entry.hash), beforeName(entry.before),
                                 path(entry.backup), QString::fromLatin1(entry.backupHash) };
    for (const QString &folder : folders)
        folderRows << QStringList{ path(folder) };
    for (const Settings &entry : settings)
        settingsRows << QStringList{ path(entry.path), entry.existed ? QStringLiteral("1") : QStringLiteral("0"), path(entry.backup),
                                     QString::fromLatin1(entry.hash), QString::fromLatin1(entry.backupHash) };
    for (const Value &entry : values)
        valueRows << QStringList{ path(entry.path), encode(entry.section), encode(entry.key), encodeOptional(entry.before), encodeOptional(entry.after) };
    for (const Section &entry : sections)
        sectionRows << QStringList{ path(entry.path), encode(entry.section) };
    for (const KeyMap &entry : keyMaps)
        keyMapRows << QStringList{ path(entry.path), path(entry.backup), QString::fromLatin1(entry.backupHash) };
    const qsizetype rowCount = fileRows.size() + folderRows.size() + settingsRows.size() + valueRows.size() + sectionRows.size() + keyMapRows.size();
    QStringList format{ QStringLiteral("Format=1"), QStringLiteral("Rows=%1").arg(rowCount) };
    if (unfinished)
        format << QStringLiteral("Unfinished=1");
    bool written = file.writeSection(formatSection, format);
    written &= file.writeSection(filesSection, numbered(fileRows));
    written &= file.writeSection(foldersSection, numbered(folderRows));
    written &= file.writeSection(settingsSection, numbered(settingsRows));
    written &= file.writeSection(valuesSection, numbered(valueRows));
    written &= file.writeSection(sectionsSection, numbered(sectionRows));
    written &= file.writeSection(keyMapsSection, numbered(keyMapRows));
    return written;
}

QByteArray InstallRecord::unknownContent()
{
    return QByteArrayLiteral("-");
}

void InstallRecord::merge(const InstallRecord &later)
{
    QHash<QString, qsizetype> known;
    for (qsizetype i = 0; i < files.size(); ++i)
        known.insert(keyOf(files.at(i).path), i);
    for (const File &entry : later.files) {
        const auto found = known.constFind(keyOf(entry.path));
        if (found == known.constEnd()) {
            known.insert(keyOf(entry.path), files.size());
            files << entry;
            continue;
        }
        File &earlier = files[*found];
        // The later installation replaced what it found (or, unfinished, was about to). Found as
        // the earlier ones had left it, the first "before" stays; found otherwise, someone else
        // had put it there, and its backup (theirs) is what a removal puts back. So too for a file
        // that was there before the first installation with what it installed: the later backup
        // holds that content. Without a fingerprint of the kind made now (records of earlier
        // programs, a run that never finished) it cannot be told: the first "before" stays.
        const bool foundAsLeft = !ContentHash::isOne(earlier.hash) || entry.backupHash == earlier.hash;
        if (entry.before == File::Before::Replaced && (earlier.before == File::Before::Same || !foundAsLeft)) {
            earlier.before = File::Before::Replaced;
            earlier.backup = entry.backup;
            earlier.backupHash = entry.backupHash;
        }
        earlier.size = entry.size;
        earlier.hash = entry.hash;
    }
    QSet<QString> knownFolders;
    for (const QString &folder : std::as_const(folders))
        knownFolders.insert(keyOf(folder));
    for (const QString &folder : later.folders) {
        if (!knownFolders.contains(keyOf(folder))) {
            knownFolders.insert(keyOf(folder));
            folders << folder;
        }
    }
    known.clear();
    for (qsizetype i = 0; i < settings.size(); ++i)
        known.insert(keyOf(settings.at(i).path), i);
    for (const Settings &entry : later.settings) {
        const auto found = known.constFind(keyOf(entry.path));
        if (found == known.constEnd()) {
            settings << entry;
            continue;
        }
        // The backup holds the file from before the first installation. It may come back whole
        // only while each installation found the file byte for byte as the one before had left
        // it: whatever anyone else changed in between would be lost with it. Once not, never
        // again: the file is restored value by value.
        Settings &earlier = settings[*found];
        const bool foundAsLeft = entry.existed && ContentHash::isOne(earlier.hash) && entry.backupHash == earlier.hash;
        earlier.hash = foundAsLeft ? entry.hash : QByteArray();
    }
    known.clear();
    for (qsizetype i = 0; i < values.size(); ++i)
        known.insert(keyOf(values.at(i).path, values.at(i).section, values.at(i).key), i);
    for (const Value &entry : later.values) {
        const auto found = known.constFind(keyOf(entry.path, entry.section, entry.key));
        if (found == known.constEnd()) {
            values << entry;
            continue;
        }
        // Found as the earlier installations set it: the value from before them stays the one a
        // removal brings back. Found otherwise, someone else chose it in between (the user, a
        // JAWS update): their value is the one it comes back to, not the one before the first
        // installation, which they had replaced themselves.
        Value &earlier = values[*found];
        if (entry.before != earlier.after)
            earlier.before = entry.before;
        earlier.after = entry.after;
    }
    QSet<QString> knownSections;
    for (const Section &entry : std::as_const(sections))
        knownSections.insert(keyOf(entry.path, entry.section));
    for (const Section &entry : later.sections) {
        if (!knownSections.contains(keyOf(entry.path, entry.section)))
            sections << entry;
    }
    // A key map moved aside again (made anew since) keeps the first backup: the user's own.
    QSet<QString> knownKeyMaps;
    for (const KeyMap &entry : std::as_const(keyMaps))
        knownKeyMaps.insert(keyOf(entry.path));
    for (const KeyMap &entry : later.keyMaps) {
        if (!knownKeyMaps.contains(keyOf(entry.path)))
            keyMaps << entry;
    }
    // The record is as finished as its last run.
    unfinished = later.unfinished;
}

InstallRecord InstallRecord::ofSettingsChanges(SettingsSession &session, const QStringList &left)
{
    InstallRecord record;
    QSet<QString> leftKeys;
    for (const QString &path : left)
        leftKeys.insert(keyOf(QFileInfo(path).absoluteFilePath()));
    for (const QString &path : session.changedFiles()) {
        if (leftKeys.contains(keyOf(path)))
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
