#include "inifile.h"

#include <QFile>
#include <QFileInfo>

#include "platform/safefiles.h"

namespace {

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

IniFile::IniFile(const QString &path)
    : m_path(QFileInfo(path).absoluteFilePath())
{
}

IniDocument &IniFile::document()
{
    if (m_loaded)
        return m_document;
    m_loaded = true;
    // A missing file is an empty one. One that exists but cannot be read must not be written:
    // that would replace what it holds with nothing. Nor is one reached through a link: the
    // program reads and writes for others where they can plant one.
    using Platform::SafeFiles;
    switch (SafeFiles::read(m_path, &m_bytes, &m_refusal)) {
    case SafeFiles::Status::Done:
        m_existed = true;
        m_document = IniDocument::parse(m_bytes);
        break;
    case SafeFiles::Status::Refused:
        m_existed = true;
        m_wasRead = false;
        m_bytes.clear();
        break;
    case SafeFiles::Status::Failed:
        m_existed = SafeFiles::nameTaken(m_path);
        m_wasRead = !m_existed;
        m_bytes.clear();
        break;
    }
    return m_document;
}

bool IniFile::existed()
{
    document();
    return m_existed;
}

QByteArray IniFile::originalBytes()
{
    document();
    return m_bytes;
}

bool IniFile::readable()
{
    document();
    return m_wasRead;
}

bool IniFile::writable()
{
    if (m_readOnly < 0)
        m_readOnly = markedReadOnly(m_path) ? 1 : 0;
    return readable() && m_readOnly == 0;
}

QStringList IniFile::sectionNames()
{
    return document().sectionNames();
}

QStringList IniFile::section(const QString &name)
{
    return document().sectionLines(name);
}

std::optional<QString> IniFile::value(const QString &section, const QString &key)
{
    return document().value(section, key);
}

QString IniFile::string(const QString &section, const QString &key, const QString &defaultValue)
{
    if (const auto value = document().value(section, key))
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
bool IniFile::writeSection(const QString &name, const QStringList &lines)
{
    if (!readable())
        return false;
    const bool changed = document().writeSection(name, lines);
    m_changed |= changed;
    return !changed || writable();
}

bool IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    if (!readable())
        return false;
    const bool changed = document().writeString(section, key, value);
    m_changed |= changed;
    return !changed || writable();
}

bool IniFile::removeKey(const QString &section, const QString &key)
{
    if (!readable())
        return false;
    const bool changed = document().removeKey(section, key);
    m_changed |= changed;
    return !changed || writable();
}

bool IniFile::removeSection(const QString &name)
{
    if (!readable())
        return false;
    const bool changed = document().removeSection(name);
    m_changed |= changed;
    return !changed || writable();
}

bool IniFile::replaceContent(const QByteArray &bytes)
{
    if (!readable())
        return false;
    if (currentBytes() == bytes)
        return true;
    m_document = IniDocument::parse(bytes);
    m_changed = true;
    m_replaced = true;
    return writable();
}

void IniFile::forEachCurrentByteRun(const std::function<void(QByteArrayView)> &onBytes)
{
    const IniDocument &now = document();
    if (m_changed)
        now.forEachByteRun(onBytes);
    else
        onBytes(m_bytes);
}

IniDocument IniFile::sectionAsRead(const QString &name)
{
    const IniDocument &now = document();
    return m_replaced ? IniDocument::parse(m_bytes).sectionAsRead(name) : now.sectionAsRead(name);
}

QStringList IniFile::touchedSectionNames()
{
    const IniDocument &now = document();
    return m_replaced ? now.sectionNames() : now.touchedSectionNames();
}

QByteArray IniFile::currentBytes()
{
    document();
    return m_changed ? m_document.serialize() : m_bytes;
}

bool IniFile::isChanged()
{
    if (!m_changed)
        return false;
    // Piece by piece against the bytes read: no copy of a large file is made to tell.
    qsizetype at = 0;
    bool same = true;
    m_document.forEachByteRun([&](QByteArrayView run) {
        if (!same)
            return;
        same = at + run.size() <= m_bytes.size() && QByteArrayView(m_bytes).sliced(at, run.size()) == run;
        at += run.size();
    });
    if (same && at == m_bytes.size())
        m_changed = false;
    return m_changed;
}

bool IniFile::save()
{
    if (!isChanged())
        return true;
    m_readOnly = -1;
    if (!writable())
        return false;
    // The new file is written beside the old one, flushed to disk and renamed over it; if
    // anything fails it is removed. originalBytes() stays what was read: what a backup keeps.
    using Platform::SafeFiles;
    if (SafeFiles::replace(m_path, [this](QIODevice &out) { return m_document.writeTo(out); }, &m_refusal)
        != SafeFiles::Status::Done)
        return false;
    m_changed = false;
    return true;
}
