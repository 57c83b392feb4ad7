#include "installrecord.h"

#include "ini/inidocument.h"
#include "ini/inifile.h"
#include "ini/settingssession.h"
#include "installer/contenthash.h"
#include "paths/windowspath.h"

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

// Paths as the system writes them.
QString encodePath(const QString &path)
{
    return encode(QDir::toNativeSeparators(path));
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

// The rows of a section: each line's value split into its fields.
QList<QStringList> rowsOf(IniFile &file, const QString &section)
{
    QList<QStringList> rows;
    for (const QString &line : file.section(section)) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals >= 0)
            rows << line.mid(equals + 1).split(QLatin1Char('|'));
    }
    return rows;
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
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
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Blake2b_256);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file) && file.error() == QFileDevice::NoError
        && hash.result().toHex() == recorded;
}

bool InstallRecord::isEmpty() const
{
    return files.isEmpty() && folders.isEmpty() && settings.isEmpty() && values.isEmpty() && sections.isEmpty() && keyMaps.isEmpty();
}

bool InstallRecord::read(IniFile &file)
{
    if (file.string(formatSection, QStringLiteral("Format"), QString()) != QLatin1String("1"))
        return false;
    *this = InstallRecord();
    for (const QStringList &row : rowsOf(file, filesSection)) {
        if (row.size() < 5)
            continue;
        File entry{ decode(row.at(0)), row.at(1).toLongLong(), row.at(2).toLatin1(), File::Before::Absent, decode(row.at(4)) };
        if (row.at(3) == QLatin1String("replaced"))
            entry.before = File::Before::Replaced;
        else if (row.at(3) == QLatin1String("same"))
            entry.before = File::Before::Same;
        files << entry;
    }
    for (const QStringList &row : rowsOf(file, foldersSection))
        folders << decode(row.at(0));
    for (const QStringList &row : rowsOf(file, settingsSection)) {
        if (row.size() >= 4)
            settings << Settings{ decode(row.at(0)), row.at(1) == QLatin1String("1"), decode(row.at(2)), row.at(3).toLatin1() };
    }
    for (const QStringList &row : rowsOf(file, valuesSection)) {
        if (row.size() >= 5)
            values << Value{ decode(row.at(0)), decode(row.at(1)), decode(row.at(2)), decodeOptional(row.at(3)), decodeOptional(row.at(4)) };
    }
    for (const QStringList &row : rowsOf(file, sectionsSection)) {
        if (row.size() >= 2)
            sections << Section{ decode(row.at(0)), decode(row.at(1)) };
    }
    for (const QStringList &row : rowsOf(file, keyMapsSection)) {
        if (row.size() >= 2)
            keyMaps << KeyMap{ decode(row.at(0)), decode(row.at(1)) };
    }
    return true;
}

bool InstallRecord::write(IniFile &file) const
{
    QList<QStringList> fileRows, folderRows, settingsRows, valueRows, sectionRows, keyMapRows;
    for (const File &entry : files)
        fileRows << QStringList{ encodePath(entry.path), QString::number(entry.size), QString::fromLatin1(entry.hash), beforeName(entry.before), encodePath(entry.backup) };
    for (const QString &folder : folders)
        folderRows << QStringList{ encodePath(folder) };
    for (const Settings &entry : settings)
        settingsRows << QStringList{ encodePath(entry.path), entry.existed ? QStringLiteral("1") : QStringLiteral("0"), encodePath(entry.backup), QString::fromLatin1(entry.hash) };
    for (const Value &entry : values)
        valueRows << QStringList{ encodePath(entry.path), encode(entry.section), encode(entry.key), encodeOptional(entry.before), encodeOptional(entry.after) };
    for (const Section &entry : sections)
        sectionRows << QStringList{ encodePath(entry.path), encode(entry.section) };
    for (const KeyMap &entry : keyMaps)
        keyMapRows << QStringList{ encodePath(entry.path), encodePath(entry.backup) };
    bool written = file.writeSection(formatSection, { QStringLiteral("Format=1") });
    written &= file.writeSection(filesSection, numbered(fileRows));
    written &= file.writeSection(foldersSection, numbered(folderRows));
    written &= file.writeSection(settingsSection, numbered(settingsRows));
    written &= file.writeSection(valuesSection, numbered(valueRows));
    written &= file.writeSection(sectionsSection, numbered(sectionRows));
    written &= file.writeSection(keyMapsSection, numbered(keyMapRows));
    return written;
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
        files[*found].size = entry.size;
        files[*found].hash = entry.hash;
    }
    QSet<QString> knownFolders;
    for (const QString &folder : std::as_const(folders))
        knownFolders.insert(keyOf(folder));
    for (const QString &folder : later.folders) {
        if (!knownFolders.contains(keyOf(folder)))
            folders << folder;
    }
    known.clear();
    for (qsizetype i = 0; i < settings.size(); ++i)
        known.insert(keyOf(settings.at(i).path), i);
    for (const Settings &entry : later.settings) {
        const auto found = known.constFind(keyOf(entry.path));
        if (found == known.constEnd())
            settings << entry;
        else
            settings[*found].hash = entry.hash;
    }
    known.clear();
    for (qsizetype i = 0; i < values.size(); ++i)
        known.insert(keyOf(values.at(i).path, values.at(i).section, values.at(i).key), i);
    for (const Value &entry : later.values) {
        const auto found = known.constFind(keyOf(entry.path, entry.section, entry.key));
        if (found == known.constEnd())
            values << entry;
        else
            values[*found].after = entry.after;
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
        record.settings << Settings{ path, existed, existed ? session.keepBackup(path) : QString(), hashOf(file) };
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
