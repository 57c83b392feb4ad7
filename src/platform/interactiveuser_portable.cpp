#include "interactiveuser.h"

#include "detachedprocess.h"
#include "registry.h"
#include "toolhelp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace Platform {

namespace {

QString machineRoot()
{
    return qEnvironmentVariable("QUOROLMA_SYSTEM_ROOT");
}

// The simulated machine's session.ini, a handful of "[Section]" and "Key=Value" lines: the
// value of `key` in `section` (either in any case), or none.
std::optional<QString> sessionValue(const QString &section, const QString &key)
{
    const QString root = machineRoot();
    QFile file(QDir(root).filePath(QStringLiteral("session.ini")));
    if (root.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QString current;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')))
            current = line.mid(1, line.size() - 2).trimmed();
        else if (const qsizetype equals = line.indexOf(QLatin1Char('=')); equals > 0 && current.compare(section, Qt::CaseInsensitive) == 0
                 && line.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return line.mid(equals + 1);
    }
    return std::nullopt;
}

// The string value, without the terminating zero the registry stores.
QString stringValue(const RegistryKey &key, const QString &name)
{
    QByteArray data;
    if (!key.queryValue(name, &data))
        return QString();
    QString text = QString::fromUtf16(reinterpret_cast<const char16_t *>(data.constData()), data.size() / 2);
    const qsizetype zero = text.indexOf(QChar(0));
    return zero >= 0 ? text.left(zero) : text;
}

// The account that runs this program, as the system names it.
QString ownAccountName()
{
    const QString name = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    return name.isEmpty() ? QStringLiteral("?") : name;
}

} // namespace

InteractiveUser interactiveUser()
{
    const std::optional<QString> name = sessionValue(QStringLiteral("InteractiveUser"), QStringLiteral("Name"));
    InteractiveUser user;
    if (name && !name->trimmed().isEmpty()) {
        const QString sid = sessionValue(QStringLiteral("InteractiveUser"), QStringLiteral("Sid")).value_or(QString()).trimmed();
        user.found = true;
        user.name = name->trimmed();
        for (const UserProfile &profile : userProfiles()) {
            if (profile.sid.compare(sid, Qt::CaseInsensitive) == 0)
                user.appDataFolder = profile.appDataFolder;
        }
        return user;
    }
    // Nobody at the machine, or a machine that does not tell: the account that runs the program,
    // with the machine's own folder.
    user.found = !name;
    user.name = ownAccountName();
    const QString root = machineRoot();
    if (!root.isEmpty())
        user.appDataFolder = QDir::toNativeSeparators(QDir(root).absoluteFilePath(QStringLiteral("AppData/Roaming")));
    return user;
}

bool startAsInteractiveUser(const QString &program, const QString &workingFolder)
{
    const QString root = machineRoot();
    // Nobody logged on: Windows would have only this program's own account, elevated or SYSTEM,
    // to start it with, and that is never done.
    if (const std::optional<QString> name = sessionValue(QStringLiteral("InteractiveUser"), QStringLiteral("Name")); name && name->trimmed().isEmpty())
        return false;
    if (!root.isEmpty()) {
        QFile record(QDir(root).filePath(QStringLiteral("started.txt")));
        if (record.open(QIODevice::WriteOnly | QIODevice::Append)) {
            const QString line = interactiveUser().name + QLatin1Char('|') + QDir::toNativeSeparators(program) + QLatin1Char('|')
                + QDir::toNativeSeparators(workingFolder) + QLatin1Char('\n');
            record.write(line.toUtf8());
        }
    }
    return startDetachedProcess(program, workingFolder);
}

bool sessionReachable(quint64 processId)
{
    const std::optional<QString> programs = sessionValue(QStringLiteral("OtherSession"), QStringLiteral("Programs"));
    if (!programs)
        return true;
    Toolhelp toolhelp;
    if (!toolhelp.load())
        return true;
    const QString path = toolhelp.imagePath(quint32(processId));
    for (const QString &program : programs->split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (!path.isEmpty() && QFileInfo(path) == QFileInfo(program.trimmed()))
            return false;
    }
    return true;
}

bool onVisibleDesktop()
{
    return sessionValue(QStringLiteral("ThisProcess"), QStringLiteral("Session")).value_or(QString()).trimmed() != QLatin1String("0");
}

QList<UserProfile> userProfiles()
{
    QList<UserProfile> profiles;
    const RegistryKey list = RegistryKey::openLocalMachine(QStringLiteral("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList"),
                                                           RegistryView::Default);
    if (!list.isOpen())
        return profiles;
    QString sid;
    for (quint32 index = 0; list.enumerateSubKey(index, &sid) == RegistryKey::Enumeration::Item; ++index) {
        const QString folder = stringValue(list.openSubKey(sid), QStringLiteral("ProfileImagePath"));
        if (folder.isEmpty())
            continue;
        UserProfile profile;
        profile.sid = sid;
        profile.profileFolder = QDir::toNativeSeparators(folder);
        profile.name = QFileInfo(QDir::fromNativeSeparators(folder)).fileName();
        profile.appDataFolder = QDir::toNativeSeparators(QDir::fromNativeSeparators(folder) + QStringLiteral("/AppData/Roaming"));
        // The interactive user, and those session.ini lists under [LoggedOn] "Sids=SID;SID".
        const QStringList loggedOn = sessionValue(QStringLiteral("LoggedOn"), QStringLiteral("Sids")).value_or(QString()).split(QLatin1Char(';'))
            << sessionValue(QStringLiteral("InteractiveUser"), QStringLiteral("Sid")).value_or(QString());
        for (const QString &logged : loggedOn)
            profile.loggedOn = profile.loggedOn || (!logged.trimmed().isEmpty() && logged.trimmed().compare(sid, Qt::CaseInsensitive) == 0);
        profiles.append(profile);
    }
    return profiles;
}

} // namespace Platform
