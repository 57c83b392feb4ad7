#pragma once

#include <QString>
#include <QStringList>

#include <memory>

namespace Platform {

// One ini file, read and changed through IniDocument. Changes are made to a copy in memory and
// become the file all at once in commit(): at any instant the file on disk is the whole old one
// or the whole new one. A session that is destroyed without commit() leaves the file as it was.
// Parsed files are cached and reused while their bytes are unchanged.
class PortableProfileSession
{
public:
    explicit PortableProfileSession(const QString &path);
    ~PortableProfileSession();
    PortableProfileSession(const PortableProfileSession &) = delete;
    PortableProfileSession &operator=(const PortableProfileSession &) = delete;

    QStringList sectionNames();
    QStringList section(const QString &name);
    QString string(const QString &section, const QString &key, const QString &defaultValue);
    // False when the file will not be replaced: it exists but could not be read, or it is
    // marked read-only. True says only that the change is made in memory: commit() decides.
    bool writeSection(const QString &name, const QStringList &lines);
    bool writeString(const QString &section, const QString &key, const QString &value);
    // Replaces the file by the changed copy, flushed to disk first; true when nothing was
    // changed or the replacement succeeded. False leaves the file as it was.
    bool commit();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace Platform
