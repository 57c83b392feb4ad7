#include "folderremoval.h"

#include <QDir>
#include <QFileInfo>

namespace Platform {

bool removeFolderInUse(const QString &folder)
{
    return !QFileInfo::exists(folder) || QDir(folder).removeRecursively();
}

} // namespace Platform
