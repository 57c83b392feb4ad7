#include "filecopy.h"

#include <QFileInfo>

namespace Platform {

QString temporaryCopyFolder(const QString &destination)
{
    return QFileInfo(destination).absolutePath() + QStringLiteral("/.iqotmp");
}

QString temporaryCopyPath(const QString &destination)
{
    return temporaryCopyFolder(destination) + QLatin1Char('/') + QFileInfo(destination).fileName();
}

} // namespace Platform
