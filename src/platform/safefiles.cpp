#include "safefiles.h"

#include <QBuffer>
#include <QDir>
#include <QMutex>

namespace Platform {

namespace {

QMutex rootsLock;

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity fileNameCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity fileNameCase = Qt::CaseSensitive;
#endif
QStringList &rootList()
{
    static QStringList roots;
    return roots;
}

} // namespace

void SafeFiles::setTrustedRoots(const QStringList &roots)
{
    QMutexLocker locker(&rootsLock);
    rootList().clear();
    for (const QString &root : roots) {
        if (!root.isEmpty())
            rootList() << QDir::cleanPath(QDir::fromNativeSeparators(root));
    }
}

void SafeFiles::addTrustedRoot(const QString &root)
{
    if (root.isEmpty())
        return;
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(root));
    QMutexLocker locker(&rootsLock);
    if (!rootList().contains(clean))
        rootList() << clean;
}

QStringList SafeFiles::trustedRoots()
{
    QMutexLocker locker(&rootsLock);
    return rootList();
}

// The length of the part of `path` (cleaned, with '/') that is its trusted root: the longest
// trusted root that holds it, as Windows compares names; else its volume's root. `below`: a root
// that holds the path at a depth, so that the path itself (a root too) is a name to check.
qsizetype trustedRootLength(const QString &path, bool below)
{
    qsizetype best = -1;
    {
        QMutexLocker locker(&rootsLock);
        for (const QString &root : std::as_const(rootList())) {
            // Spelled as the root is, letter for letter where the file system tells case apart: a
            // folder that differs only in case is another folder, maybe a link elsewhere.
            if (root.size() > best && (below ? root.size() < path.size() : root.size() <= path.size())
                && path.startsWith(root, fileNameCase)
                && (path.size() == root.size() || path.at(root.size()) == QLatin1Char('/') || root.endsWith(QLatin1Char('/'))))
                best = root.size();
        }
    }
    if (best >= 0)
        return best;
    // A drive "C:/", a network share "//server/share", or "/".
    if (path.size() >= 3 && path.at(1) == QLatin1Char(':') && path.at(2) == QLatin1Char('/'))
        return 3;
    if (path.startsWith(QLatin1String("//"))) {
        const qsizetype server = path.indexOf(QLatin1Char('/'), 2);
        const qsizetype share = server < 0 ? -1 : path.indexOf(QLatin1Char('/'), server + 1);
        return share < 0 ? path.size() : share;
    }
    return path.startsWith(QLatin1Char('/')) ? 1 : 0;
}

SafeFiles::Result SafeFiles::replace(const QString &path, QByteArrayView bytes, Refusal *refusal)
{
    return replace(path, [bytes](QIODevice &out) { return out.write(bytes.data(), bytes.size()) == bytes.size(); }, refusal);
}

} // namespace Platform
