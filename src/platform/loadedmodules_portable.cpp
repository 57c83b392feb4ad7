#include "loadedmodules.h"

#include "paths/windowspath.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace Platform {

QStringList loadedModulesIn(const QString &folder)
{
    // The files mapped into the process, as the system lists them.
    QFile maps(QStringLiteral("/proc/self/maps"));
    QStringList modules;
    QSet<QString> seen;
    if (!maps.open(QIODevice::ReadOnly | QIODevice::Text))
        return modules;
    const QString wanted = QFileInfo(folder).canonicalFilePath();
    for (const QByteArray &line : maps.readAll().split('\n')) {
        const qsizetype slash = line.indexOf('/');
        if (slash < 0)
            continue;
        const QString path = QFile::decodeName(line.mid(slash));
        if (!seen.contains(path) && WindowsPath::samePath(QFileInfo(path).absolutePath(), wanted)) {
            seen.insert(path);
            modules << path;
        }
    }
    return modules;
}

} // namespace Platform
