#include "filecopy.h"

#include "platform/safefiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace Platform {

SafeFiles::Result copyReplacing(const QString &source, const QString &destination);

bool copyFileReplacing(const QString &source, const QString &destination, QString *reason)
{
    const SafeFiles::Result result = copyReplacing(source, destination);
    if (result != SafeFiles::Status::Done)
        // What a failed copy left: nothing more to do when it cannot go, the next copy tries again.
        (void)SafeFiles::remove(temporaryCopyPath(destination));
    if (reason)
        *reason = result.reason();
    return result == SafeFiles::Status::Done;
}

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
