#pragma once

#include <QString>
#include <QStringList>

#include <memory>

namespace Platform {

// The portable ini engine as a profile session: the same contract as ProfileSession (see
// profile.h), on IniDocument, with the working copy kept in memory and written once, through
// QSaveFile, at commit. Parsed files are cached and reused while their bytes are unchanged.
// Built on every system: it is the stand-in for the profile functions where Windows is missing,
// and a reference to measure the system's functions against on Windows.
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
    bool writeSection(const QString &name, const QStringList &lines);
    bool writeString(const QString &section, const QString &key, const QString &value);
    bool commit();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace Platform
