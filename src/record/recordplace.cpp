#include "recordplace.h"

#include "paths/windowspath.h"

#include <QDir>

#include <algorithm>

namespace {

// Whether `path`, as the record names it, is a whole path inside `folder`: read as text, "." and
// ".." resolved, as Windows would.
bool within(const QString &path, const QString &folder)
{
    if (folder.isEmpty() || !QDir::isAbsolutePath(QDir::fromNativeSeparators(path)))
        return false;
    return WindowsPath::isInside(path, folder);
}

} // namespace

RecordPlace::RecordPlace(const QString &jawsFolder, const QStringList &settingsFolders)
    : jawsFolder(jawsFolder)
    , settingsFolders(settingsFolders)
{
}

bool RecordPlace::inJaws(const QString &path) const
{
    return within(path, jawsFolder);
}

bool RecordPlace::inSettings(const QString &path) const
{
    return std::any_of(settingsFolders.cbegin(), settingsFolders.cend(), [&path](const QString &folder) { return within(path, folder); });
}

bool RecordPlace::keep(const QString &path, bool ok)
{
    if (!ok && !m_refused.contains(path))
        m_refused << path;
    return ok;
}
