#include "registry.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QMap>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>

namespace Platform {

namespace {

// The simulated machine's registry: the text the Windows registry editor exports
// ("Windows Registry Editor Version 5.00", "[HKEY_LOCAL_MACHINE\...]" headers, "Name"="value"
// lines with \\ and \" escapes, dword: and hex: values), UTF-16LE with a byte-order mark or UTF-8.
struct Hive
{
    // Key paths below HKEY_LOCAL_MACHINE, folded for lookup -> the path as written.
    QMap<QString, QString> keys;
    // Folded key path -> folded value name -> data as stored.
    QHash<QString, QHash<QString, QByteArray>> values;
};

QString fold(const QString &path)
{
    return path.toCaseFolded();
}

QByteArray utf16WithZero(const QString &text)
{
    QByteArray bytes;
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    bytes.append(2, '\0');
    return bytes;
}

// A quoted string from `at` (just after its opening quote); `at` ends after the closing quote.
QString unquote(const QString &line, qsizetype &at)
{
    QString text;
    while (at < line.size()) {
        const QChar c = line.at(at++);
        if (c == QLatin1Char('"'))
            break;
        if (c == QLatin1Char('\\') && at < line.size())
            text += line.at(at++);
        else
            text += c;
    }
    return text;
}

QByteArray parseData(const QString &data)
{
    if (data.startsWith(QLatin1Char('"'))) {
        qsizetype at = 1;
        return utf16WithZero(unquote(data, at));
    }
    if (data.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        const quint32 value = data.mid(6).toUInt(nullptr, 16);
        QByteArray bytes(4, '\0');
        for (int i = 0; i < 4; ++i)
            bytes[i] = char((value >> (8 * i)) & 0xFF);
        return bytes;
    }
    const qsizetype colon = data.indexOf(QLatin1Char(':'));
    if (data.startsWith(QLatin1String("hex"), Qt::CaseInsensitive) && colon > 0) {
        QByteArray bytes;
        for (const QString &pair : data.mid(colon + 1).split(QLatin1Char(','), Qt::SkipEmptyParts))
            bytes.append(char(pair.trimmed().toUInt(nullptr, 16)));
        return bytes;
    }
    return {};
}

void addKey(Hive &hive, const QString &path)
{
    // Every key implies its parents.
    const QStringList parts = path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    QString prefix;
    for (const QString &part : parts) {
        prefix = prefix.isEmpty() ? part : prefix + QLatin1Char('\\') + part;
        if (!hive.keys.contains(fold(prefix)))
            hive.keys.insert(fold(prefix), prefix);
    }
}

QString hiveFilePath()
{
    const QString root = qEnvironmentVariable("QUOROLMA_SYSTEM_ROOT");
    return root.isEmpty() ? QString() : QDir(root).filePath(QStringLiteral("registry.reg"));
}

// The file as lines, with what it takes to write it back in the same encoding and line ends.
struct HiveText
{
    enum class Encoding { Utf16, Utf8, Utf8WithMark };
    QStringList lines; // without their line ends; a final line end leaves an empty last line
    QString lineEnd = QStringLiteral("\r\n");
    Encoding encoding = Encoding::Utf16; // as the registry editor exports
};

HiveText decode(const QByteArray &bytes)
{
    HiveText hive;
    QString text;
    if (bytes.startsWith("\xFF\xFE")) {
        text = QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + 2), (bytes.size() - 2) / 2);
    } else if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = QString::fromUtf8(bytes.mid(3));
        hive.encoding = HiveText::Encoding::Utf8WithMark;
    } else {
        text = QString::fromUtf8(bytes);
        hive.encoding = HiveText::Encoding::Utf8;
    }
    if (!text.contains(QLatin1String("\r\n")))
        hive.lineEnd = QStringLiteral("\n");
    hive.lines = text.split(QLatin1Char('\n'));
    for (QString &line : hive.lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return hive;
}

// The registry's text; a machine without the file starts with the editor's first line.
bool readHiveText(HiveText &hive)
{
    const QString path = hiveFilePath();
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.exists()) {
        hive = HiveText();
        hive.lines = QStringList{ QStringLiteral("Windows Registry Editor Version 5.00"), QString() };
        return true;
    }
    if (!file.open(QIODevice::ReadOnly))
        return false;
    hive = decode(file.readAll());
    return true;
}

// Replaces the file in one rename: a reader meets the old registry or the new one.
bool writeHiveText(const HiveText &hive)
{
    const QString text = hive.lines.join(hive.lineEnd);
    QByteArray bytes;
    if (hive.encoding == HiveText::Encoding::Utf16) {
        bytes = QByteArray("\xFF\xFE");
        for (QChar c : text) {
            bytes.append(char(c.unicode() & 0xFF));
            bytes.append(char(c.unicode() >> 8));
        }
    } else {
        bytes = (hive.encoding == HiveText::Encoding::Utf8WithMark ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8();
    }
    QSaveFile file(hiveFilePath());
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

const QString &machinePrefix()
{
    static const QString prefix = QStringLiteral("HKEY_LOCAL_MACHINE\\");
    return prefix;
}

// The key path below HKEY_LOCAL_MACHINE that a header line names; empty for any other line.
QString headerPath(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1Char('[')) || !trimmed.endsWith(QLatin1Char(']')))
        return QString();
    const QString path = trimmed.mid(1, trimmed.size() - 2);
    return path.startsWith(machinePrefix(), Qt::CaseInsensitive) ? path.mid(machinePrefix().size()) : QString();
}

bool isHeader(const QString &line)
{
    const QString trimmed = line.trimmed();
    return trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'));
}

qsizetype sectionEnd(const QStringList &lines, qsizetype header)
{
    qsizetype end = header + 1;
    while (end < lines.size() && !isHeader(lines.at(end)))
        ++end;
    return end;
}

// The line that heads `path`'s values, added at the end when the file has none.
qsizetype ensureSection(HiveText &hive, const QString &path)
{
    for (qsizetype i = 0; i < hive.lines.size(); ++i) {
        if (fold(headerPath(hive.lines.at(i))) == fold(path))
            return i;
    }
    while (!hive.lines.isEmpty() && hive.lines.last().trimmed().isEmpty())
        hive.lines.removeLast();
    hive.lines << QString() << QLatin1Char('[') + machinePrefix() + path + QLatin1Char(']') << QString();
    return hive.lines.size() - 2;
}

QString quoted(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// Sets one value of `path` as the registry editor writes it ("Name"=data), in place of the
// value of that name, whose continuation lines go with it.
bool writeValue(const QString &path, const QString &name, const QString &data)
{
    HiveText hive;
    if (!readHiveText(hive))
        return false;
    const qsizetype header = ensureSection(hive, path);
    const QString line = (name.isEmpty() ? QStringLiteral("@") : quoted(name)) + QLatin1Char('=') + data;
    const qsizetype end = sectionEnd(hive.lines, header);
    qsizetype insertAt = header + 1;
    for (qsizetype i = header + 1; i < end; ++i) {
        qsizetype last = i;
        while (last + 1 < end && hive.lines.at(last).trimmed().endsWith(QLatin1Char('\\')))
            ++last;
        const QString first = hive.lines.at(i).trimmed();
        if (!first.isEmpty())
            insertAt = last + 1;
        const bool named = first.startsWith(QLatin1Char('"'));
        if (named || first.startsWith(QLatin1Char('@'))) {
            qsizetype at = 1;
            const QString existing = named ? unquote(first, at) : QString();
            if (fold(existing) == fold(name)) {
                hive.lines.remove(i, last - i + 1);
                hive.lines.insert(i, line);
                return writeHiveText(hive);
            }
        }
        i = last;
    }
    hive.lines.insert(insertAt, line);
    return writeHiveText(hive);
}

Hive loadHive()
{
    Hive hive;
    const QString path = hiveFilePath();
    if (path.isEmpty())
        return hive;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return hive;
    const QStringList lines = decode(file.readAll()).lines;

    QString currentKey; // empty: outside HKEY_LOCAL_MACHINE
    QString pending;
    for (QString line : lines) {
        line = line.trimmed();
        // A value may go on over several lines, each but the last ending in "\".
        if (line.endsWith(QLatin1Char('\\')) && !line.startsWith(QLatin1Char('['))) {
            pending += line.chopped(1);
            continue;
        }
        line = pending + line;
        pending.clear();
        if (isHeader(line)) {
            currentKey = headerPath(line);
            if (!currentKey.isEmpty())
                addKey(hive, currentKey);
            continue;
        }
        if (currentKey.isEmpty() || line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        QString name;
        qsizetype at = 0;
        if (line.startsWith(QLatin1Char('@'))) {
            at = 1;
        } else if (line.startsWith(QLatin1Char('"'))) {
            at = 1;
            name = unquote(line, at);
        } else {
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='), at);
        if (equals < 0)
            continue;
        hive.values[fold(currentKey)].insert(fold(name), parseData(line.mid(equals + 1).trimmed()));
    }
    return hive;
}

// A 64-bit machine keeps what 32-bit programs write to SOFTWARE under SOFTWARE\WOW6432Node.
QString inView(const QString &path, RegistryView view)
{
    const QString software = QStringLiteral("SOFTWARE\\");
    if (view == RegistryView::Registry32 && path.startsWith(software, Qt::CaseInsensitive))
        return software + QStringLiteral("WOW6432Node\\") + path.mid(software.size());
    return path;
}

} // namespace

struct RegistryKey::Private
{
    Hive hive;
    QString path; // as written in the file
    bool writable = false;
    mutable QString nameBuffer;
};

RegistryKey::RegistryKey() = default;
RegistryKey::~RegistryKey() = default;
RegistryKey::RegistryKey(RegistryKey &&other) noexcept = default;
RegistryKey &RegistryKey::operator=(RegistryKey &&other) noexcept = default;

RegistryKey RegistryKey::openLocalMachine(const QString &path, RegistryView view)
{
    RegistryKey result;
    const QString wanted = inView(path, view);
    Hive hive = loadHive();
    const auto found = hive.keys.constFind(fold(wanted));
    if (found == hive.keys.constEnd())
        return result;
    result.d.reset(new Private);
    result.d->path = *found;
    result.d->hive = std::move(hive);
    return result;
}

RegistryKey RegistryKey::createLocalMachine(const QString &path, RegistryView view)
{
    const QString wanted = inView(path, view);
    HiveText text;
    if (!readHiveText(text))
        return RegistryKey();
    // Only a key that no header names yet (a new one, or one that only its subkeys imply) adds
    // a line: an existing key leaves the file as it is.
    const qsizetype lines = text.lines.size();
    ensureSection(text, wanted);
    if (text.lines.size() != lines && !writeHiveText(text))
        return RegistryKey();
    RegistryKey result = openLocalMachine(path, view);
    if (result.d)
        result.d->writable = true;
    return result;
}

bool RegistryKey::deleteLocalMachineKey(const QString &path, RegistryView view)
{
    const QString wanted = fold(inView(path, view));
    HiveText text;
    if (!readHiveText(text))
        return false;
    bool changed = false;
    for (qsizetype i = 0; i < text.lines.size();) {
        const QString key = fold(headerPath(text.lines.at(i)));
        if (!key.isEmpty() && (key == wanted || key.startsWith(wanted + QLatin1Char('\\')))) {
            text.lines.remove(i, sectionEnd(text.lines, i) - i);
            changed = true;
        } else {
            ++i;
        }
    }
    return !changed || writeHiveText(text);
}

RegistryKey RegistryKey::openSubKey(const QString &name) const
{
    RegistryKey result;
    if (!d)
        return result;
    const auto found = d->hive.keys.constFind(fold(d->path + QLatin1Char('\\') + name));
    if (found == d->hive.keys.constEnd())
        return result;
    result.d.reset(new Private);
    result.d->path = *found;
    result.d->hive = d->hive;
    return result;
}

bool RegistryKey::isOpen() const
{
    return d != nullptr;
}

RegistryKey::Enumeration RegistryKey::enumerateSubKey(quint32 index, QString *name) const
{
    if (!d)
        return Enumeration::NoMoreItems;
    // The registry gives subkeys in the order of their names, without regard to case.
    const QString prefix = fold(d->path) + QLatin1Char('\\');
    QStringList children;
    for (auto it = d->hive.keys.constBegin(); it != d->hive.keys.constEnd(); ++it) {
        if (it.key().startsWith(prefix) && !it.key().mid(prefix.size()).contains(QLatin1Char('\\')))
            children.append(it.value().section(QLatin1Char('\\'), -1));
    }
    std::sort(children.begin(), children.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    if (index >= quint32(children.size()))
        return Enumeration::NoMoreItems;
    // Names of 256 characters or more do not fit the caller's buffer.
    if (children.at(index).size() >= 256) {
        *name = d->nameBuffer;
        return Enumeration::Other;
    }
    d->nameBuffer = children.at(index);
    *name = d->nameBuffer;
    return Enumeration::Item;
}

bool RegistryKey::queryValue(const QString &name, QByteArray *data, int maxBytes) const
{
    if (!d)
        return false;
    const auto key = d->hive.values.constFind(fold(d->path));
    if (key == d->hive.values.constEnd())
        return false;
    const auto value = key->constFind(fold(name));
    if (value == key->constEnd() || value->size() > maxBytes)
        return false;
    *data = *value;
    return true;
}

bool RegistryKey::setStringValue(const QString &name, const QString &value)
{
    if (!d || !d->writable || !writeValue(d->path, name, quoted(value)))
        return false;
    d->hive = loadHive();
    return true;
}

bool RegistryKey::setDwordValue(const QString &name, quint32 value)
{
    if (!d || !d->writable || !writeValue(d->path, name, QStringLiteral("dword:%1").arg(value, 8, 16, QLatin1Char('0'))))
        return false;
    d->hive = loadHive();
    return true;
}

bool RegistryKey::viewsDiffer()
{
    return true; // the simulated machine is a 64-bit one
}

} // namespace Platform
