#include "windowspath.h"

#include <QFileInfo>
#include <QStringList>

namespace {

// Splits the root off `path` (separators already `/`): "c:/", "c:", "//server/share", "/" or
// nothing, and returns the rest.
QString takeRoot(const QString &path, QString *root)
{
    QString rest = path;
    if (rest.startsWith(QLatin1String("//?/")) || rest.startsWith(QLatin1String("//./"))) {
        rest = rest.mid(4);
        if (rest.startsWith(QLatin1String("UNC/"), Qt::CaseInsensitive))
            rest = QStringLiteral("//") + rest.mid(4);
    }
    if (rest.startsWith(QLatin1String("//"))) {
        // A network path: its server and its share, however many separators lie around them.
        QStringList parts = rest.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        *root = QStringLiteral("//") + parts.mid(0, 2).join(QLatin1Char('/'));
        return parts.mid(2).join(QLatin1Char('/'));
    }
    if (rest.size() >= 2 && rest.at(1) == QLatin1Char(':') && rest.at(0).isLetter()) {
        const bool absolute = rest.size() > 2 && rest.at(2) == QLatin1Char('/');
        *root = rest.left(2) + (absolute ? QStringLiteral("/") : QString());
        return rest.mid(absolute ? 3 : 2);
    }
    if (rest.startsWith(QLatin1Char('/'))) {
        *root = QStringLiteral("/");
        return rest.mid(1);
    }
    root->clear();
    return rest;
}

} // namespace

QString WindowsPath::key(const QString &path)
{
    if (path.isEmpty())
        return QString();
    QString slashed = path;
    slashed.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString root;
    const QString rest = takeRoot(slashed, &root);
    const bool relative = root.isEmpty() || (root.size() == 2 && root.at(1) == QLatin1Char(':'));
    QStringList names;
    for (const QString &name : rest.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (name == QLatin1String("."))
            continue;
        if (name == QLatin1String("..")) {
            if (!names.isEmpty() && names.last() != QLatin1String(".."))
                names.removeLast();
            else if (relative)
                names.append(name); // nothing to climb out of yet: it stays
            continue;
        }
        names.append(name);
    }
    QString joined = root;
    if (!names.isEmpty()) {
        // After a share ("//server/share/…"), not after a drive-relative "c:" ("c:folder").
        if (joined.startsWith(QLatin1String("//")))
            joined += QLatin1Char('/');
        joined += names.join(QLatin1Char('/'));
    }
    if (joined.isEmpty())
        joined = QStringLiteral("."); // "." or "a/..": the current folder, not nothing
    return joined.toCaseFolded();
}

bool WindowsPath::samePath(const QString &a, const QString &b)
{
    return !a.isEmpty() && !b.isEmpty() && key(a) == key(b);
}

bool WindowsPath::isInside(const QString &path, const QString &folder)
{
    if (path.isEmpty() || folder.isEmpty())
        return false;
    const QString inner = key(path);
    QString outer = key(folder);
    if (!outer.endsWith(QLatin1Char('/')))
        outer += QLatin1Char('/');
    return inner.size() > outer.size() && inner.startsWith(outer);
}

bool WindowsPath::isSameOrInside(const QString &path, const QString &folder)
{
    return samePath(path, folder) || isInside(path, folder);
}

bool WindowsPath::sameOnDisk(const QString &a, const QString &b)
{
    return samePath(a, b) || samePath(QFileInfo(a).canonicalFilePath(), QFileInfo(b).canonicalFilePath());
}

bool WindowsPath::isSameOrInsideOnDisk(const QString &path, const QString &folder)
{
    return isSameOrInside(path, folder) || isSameOrInside(QFileInfo(path).canonicalFilePath(), QFileInfo(folder).canonicalFilePath());
}
