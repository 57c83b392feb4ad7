#include "registry.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QMap>
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

Hive loadHive()
{
    Hive hive;
    const QString root = qEnvironmentVariable("QUOROLMA_SYSTEM_ROOT");
    if (root.isEmpty())
        return hive;
    QFile file(QDir(root).filePath(QStringLiteral("registry.reg")));
    if (!file.open(QIODevice::ReadOnly))
        return hive;
    const QByteArray bytes = file.readAll();
    QString text;
    if (bytes.startsWith("\xFF\xFE"))
        text = QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + 2), (bytes.size() - 2) / 2);
    else
        text = QString::fromUtf8(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);

    const QString machine = QStringLiteral("HKEY_LOCAL_MACHINE\\");
    QString currentKey; // empty: outside HKEY_LOCAL_MACHINE
    QString pending;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        // A value may go on over several lines, each but the last ending in "\".
        if (line.endsWith(QLatin1Char('\\')) && !line.startsWith(QLatin1Char('['))) {
            pending += line.chopped(1);
            continue;
        }
        line = pending + line;
        pending.clear();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            const QString path = line.mid(1, line.size() - 2);
            currentKey = path.startsWith(machine, Qt::CaseInsensitive) ? path.mid(machine.size()) : QString();
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

} // namespace

struct RegistryKey::Private
{
    Hive hive;
    QString path; // as written in the file
    mutable QString nameBuffer;
};

RegistryKey::RegistryKey() = default;
RegistryKey::~RegistryKey() = default;
RegistryKey::RegistryKey(RegistryKey &&other) noexcept = default;
RegistryKey &RegistryKey::operator=(RegistryKey &&other) noexcept = default;

RegistryKey RegistryKey::openLocalMachine(const QString &path, RegistryView view)
{
    RegistryKey result;
    QString wanted = path;
    // A 64-bit machine keeps what 32-bit programs write to SOFTWARE under SOFTWARE\WOW6432Node.
    const QString software = QStringLiteral("SOFTWARE\\");
    if (view == RegistryView::Registry32 && wanted.startsWith(software, Qt::CaseInsensitive))
        wanted = software + QStringLiteral("WOW6432Node\\") + wanted.mid(software.size());
    Hive hive = loadHive();
    const auto found = hive.keys.constFind(fold(wanted));
    if (found == hive.keys.constEnd())
        return result;
    result.d.reset(new Private);
    result.d->path = *found;
    result.d->hive = std::move(hive);
    return result;
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

bool RegistryKey::queryValue(const QString &name, QByteArray *data) const
{
    if (!d)
        return false;
    const auto key = d->hive.values.constFind(fold(d->path));
    if (key == d->hive.values.constEnd())
        return false;
    const auto value = key->constFind(fold(name));
    if (value == key->constEnd() || value->size() > 256)
        return false;
    *data = *value;
    return true;
}

bool RegistryKey::viewsDiffer()
{
    return true; // the simulated machine is a 64-bit one
}

} // namespace Platform
