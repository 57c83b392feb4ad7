#include "portableprofilesession.h"

#include "inidocument.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

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

} // namespace

struct PortableProfileSession::Private
{
    QString path;
    bool loaded = false;
    bool readable = true;
    IniDocument document;
    std::unique_ptr<QSaveFile> out; // the working copy, opened at the first change
    bool changed = false;

    IniDocument &doc()
    {
        if (!loaded) {
            document = load(path, &readable);
            loaded = true;
        }
        return document;
    }

    bool writable()
    {
        doc();
        if (!readable)
            return false;
        if (!out) {
            out = std::make_unique<QSaveFile>(path);
            if (!out->open(QIODevice::WriteOnly)) {
                out.reset();
                return false;
            }
        }
        return true;
    }
};

PortableProfileSession::PortableProfileSession(const QString &path)
    : d(new Private)
{
    d->path = QFileInfo(path).absoluteFilePath();
}

PortableProfileSession::~PortableProfileSession()
{
    if (d->out)
        d->out->cancelWriting();
}

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

bool PortableProfileSession::writeSection(const QString &name, const QStringList &lines)
{
    if (!d->writable())
        return false;
    d->changed |= d->doc().writeSection(name, lines);
    return true;
}

bool PortableProfileSession::writeString(const QString &section, const QString &key, const QString &value)
{
    if (!d->writable())
        return false;
    d->changed |= d->doc().writeString(section, key, value);
    return true;
}

bool PortableProfileSession::commit()
{
    if (!d->out)
        return true;
    std::unique_ptr<QSaveFile> out = std::move(d->out);
    if (!d->changed) {
        out->cancelWriting();
        return true;
    }
    const QByteArray bytes = d->document.serialize();
    // QSaveFile flushes the new file to disk before it renames it over the old one.
    if (out->write(bytes) != bytes.size() || !out->commit())
        return false;
    remember(d->path, bytes, d->document);
    d->changed = false;
    return true;
}

} // namespace Platform
