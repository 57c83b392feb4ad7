#include "textfiles.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace TextFiles {

QByteArray nativeLineEnd()
{
#ifdef Q_OS_WIN
    return QByteArrayLiteral("\r\n");
#else
    return QByteArrayLiteral("\n");
#endif
}

QStringList readLines(const QString &path, QString *problem)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *problem = QStringLiteral("cannot open ") + path;
        return {};
    }
    const QByteArray bytes = file.readAll();
    const QByteArray end = nativeLineEnd();
    if (!bytes.isEmpty() && !bytes.endsWith(end)) {
        *problem = QStringLiteral("last line not ended with the native line end");
        return {};
    }
    QList<QByteArray> raw = bytes.split('\n');
    raw.removeLast(); // what follows the last line end
    QStringList lines;
    QStringDecoder decode(QStringDecoder::System);
    for (QByteArray line : raw) {
        if (end.size() == 2) {
            if (!line.endsWith('\r')) {
                *problem = QStringLiteral("a line ends in LF alone");
                return {};
            }
            line.chop(1);
        } else if (line.endsWith('\r')) {
            *problem = QStringLiteral("a line ends in CR LF");
            return {};
        }
        lines.append(decode(line));
    }
    return lines;
}

bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool hardLink(const QString &existing, const QString &link)
{
#ifdef Q_OS_WIN
    return CreateHardLinkW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(link).utf16()),
                           reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(existing).utf16()), nullptr);
#else
    return ::link(QFile::encodeName(existing).constData(), QFile::encodeName(link).constData()) == 0;
#endif
}

} // namespace TextFiles
