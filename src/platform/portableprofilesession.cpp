#include "portableprofilesession.h"

#include "inidocument.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

#include <optional>

namespace Platform {

namespace {

// Parsed files, so that many reads of one file parse it once. An entry is used only while the
// file holds exactly the bytes it was parsed from: reading and comparing a file costs far less
// than parsing it, and no change from outside can go unseen, however quick or small.
struct CachedFile
{
    QByteArray bytes;
    IniDocument document;
};

QHash<QString, CachedFile> &cache()
{
    static QHash<QString, CachedFile> files;
    return files;
}

// The files in the order they were last used, the oldest first. A configuration touches each
// settings file of some forty language folders in turn, more than once: the cache holds them
// all, up to a bound on the bytes kept.
QStringList &recentlyUsed()
{
    static QStringList paths;
    return paths;
}

constexpr qsizetype cacheLimitBytes = 48 * 1024 * 1024;

void touch(const QString &path)
{
    recentlyUsed().removeOne(path);
    recentlyUsed().append(path);
}

void remember(const QString &path, const QByteArray &bytes, const IniDocument &document)
{
    cache().insert(path, { bytes, document });
    touch(path);
    qsizetype kept = 0;
    for (const CachedFile &file : std::as_const(cache()))
        kept += file.bytes.size();
    while (kept > cacheLimitBytes && recentlyUsed().size() > 1) {
        const QString oldest = recentlyUsed().takeFirst();
        kept -= cache().value(oldest).bytes.size();
        cache().remove(oldest);
    }
}

// The file's document; a missing file is an empty one. `readable` is false when the file
// exists but could not be read: writing then would replace what it holds with nothing.
IniDocument load(const QString &path, bool *readable)
{
    *readable = true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        cache().remove(path);
        recentlyUsed().removeOne(path);
        *readable = !QFileInfo::exists(path);
        return IniDocument();
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *readable = false;
        return IniDocument();
    }
    const auto found = cache().constFind(path);
    if (found != cache().constEnd() && found->bytes == bytes) {
        touch(path);
        return found->document;
    }
    const IniDocument document = IniDocument::parse(bytes);
    remember(path, bytes, document);
    return document;
}

// A file marked read-only (no write permission for anyone) is JAWS's or the user's decision: it
// is never replaced, whoever runs the installation. (Administrators on Windows, like root here,
// could otherwise replace it.)
bool markedReadOnly(const QString &path)
{
    const QFileInfo info(path);
    return info.exists()
        && !(info.permissions() & (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther));
}

} // namespace

struct PortableProfileSession::Private
{
    QString path;
    bool loaded = false;
    bool wasRead = true; // false when the file exists but could not be read
    std::optional<bool> readOnly; // looked at once for the writes, again at the commit
    IniDocument document;
    bool changed = false;

    IniDocument &doc()
    {
        if (!loaded) {
            document = load(path, &wasRead);
            loaded = true;
        }
        return document;
    }

    // Writing then would replace what the file holds with nothing.
    bool readable()
    {
        doc();
        return wasRead;
    }

    // What can be known before the commit: a file that could not be read, or is marked
    // read-only, will not be replaced.
    bool writable()
    {
        if (!readOnly)
            readOnly = markedReadOnly(path);
        return readable() && !*readOnly;
    }
};

PortableProfileSession::PortableProfileSession(const QString &path)
    : d(new Private)
{
    d->path = QFileInfo(path).absoluteFilePath();
}

PortableProfileSession::~PortableProfileSession() = default;

QStringList PortableProfileSession::sectionNames()
{
    return d->doc().sectionNames();
}

QStringList PortableProfileSession::section(const QString &name)
{
    return d->doc().sectionLines(name);
}

QString PortableProfileSession::string(const QString &section, const QString &key, const QString &defaultValue)
{
    if (const auto value = d->doc().value(section, key))
        return *value;
    // The default is read as a value would be: trailing blanks cut, quotes taken off.
    QString fallback = defaultValue;
    while (fallback.size() > 1 && fallback.endsWith(QLatin1Char(' ')))
        fallback.chop(1);
    if (fallback.size() >= 2 && (fallback.front() == QLatin1Char('"') || fallback.front() == QLatin1Char('\''))
        && fallback.back() == fallback.front())
        fallback = fallback.mid(1, fallback.size() - 2);
    return fallback;
}

// A write that changes nothing succeeds whatever the file: there is nothing to replace.
bool PortableProfileSession::writeSection(const QString &name, const QStringList &lines)
{
    if (!d->readable())
        return false;
    const bool changed = d->doc().writeSection(name, lines);
    d->changed |= changed;
    return !changed || d->writable();
}

bool PortableProfileSession::writeString(const QString &section, const QString &key, const QString &value)
{
    if (!d->readable())
        return false;
    const bool changed = d->doc().writeString(section, key, value);
    d->changed |= changed;
    return !changed || d->writable();
}

bool PortableProfileSession::commit()
{
    if (!d->changed)
        return true;
    d->changed = false;
    d->readOnly.reset();
    if (!d->writable())
        return false;
    const QByteArray bytes = d->document.serialize();
    // The new file is written beside the old one and renamed over it; QSaveFile flushes it to
    // disk before the rename, and removes it if anything fails.
    QSaveFile out(d->path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        return false;
    remember(d->path, bytes, d->document);
    return true;
}

} // namespace Platform
