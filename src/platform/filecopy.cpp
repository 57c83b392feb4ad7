#include "filecopy.h"

#include "platform/safefiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace Platform {

QString temporaryCopyFolder(const QString &destination)
{
    return QFileInfo(destination).absolutePath() + QStringLiteral("/.iqotmp");
}

QString temporaryCopyPath(const QString &destination)
{
    return temporaryCopyFolder(destination) + QLatin1Char('/') + QFileInfo(destination).fileName();
}

void removeTemporaryCopyFolders(const QStringList &destinations)
{
    QSet<QString> folders;
    for (const QString &destination : destinations)
        folders.insert(temporaryCopyFolder(destination));
    // Only when empty: a temporary file that could not be removed stays in sight.
    for (const QString &folder : std::as_const(folders))
        SafeFiles::removeEmptyFolder(folder);
}

} // namespace Platform
