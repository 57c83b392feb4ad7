#pragma once

#include <QString>
#include <QStringList>

#include <memory>

#ifndef Q_OS_WIN
#include "portableprofilesession.h"
#endif

namespace Platform {

#ifndef Q_OS_WIN
// Without Windows the portable engine is the profile functions.
using ProfileSession = PortableProfileSession;
#else
// One ini file, read and changed through the system's profile functions (Windows) or the
// portable engine (elsewhere). Changes are made to a working copy and become the file all at
// once in commit(): at any instant the file on disk is the whole old one or the whole new one.
// A session that is destroyed without commit() leaves the file as it was.
class ProfileSession
{
public:
    explicit ProfileSession(const QString &path);
    ~ProfileSession();
    ProfileSession(const ProfileSession &) = delete;
    ProfileSession &operator=(const ProfileSession &) = delete;

    QStringList sectionNames();
    QStringList section(const QString &name);
    QString string(const QString &section, const QString &key, const QString &defaultValue);
    bool writeSection(const QString &name, const QStringList &lines);
    bool writeString(const QString &section, const QString &key, const QString &value);

    // Replaces the file by the working copy, flushed to disk first; true when nothing was
    // changed or the replacement succeeded.
    bool commit();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
#endif

} // namespace Platform
