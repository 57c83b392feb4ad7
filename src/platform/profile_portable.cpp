#include "profile.h"

#include "portableprofilesession.h"

namespace Platform {

struct ProfileSession::Private
{
    explicit Private(const QString &path) : session(path) {}
    PortableProfileSession session;
};

ProfileSession::ProfileSession(const QString &path)
    : d(new Private(path))
{
}

ProfileSession::~ProfileSession() = default;

QStringList ProfileSession::sectionNames()
{
    return d->session.sectionNames();
}

QStringList ProfileSession::section(const QString &name)
{
    return d->session.section(name);
}

QString ProfileSession::string(const QString &section, const QString &key, const QString &defaultValue)
{
    return d->session.string(section, key, defaultValue);
}

bool ProfileSession::writeSection(const QString &name, const QStringList &lines)
{
    return d->session.writeSection(name, lines);
}

bool ProfileSession::writeString(const QString &section, const QString &key, const QString &value)
{
    return d->session.writeString(section, key, value);
}

bool ProfileSession::commit()
{
    return d->session.commit();
}

} // namespace Platform
