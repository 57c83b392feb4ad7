#include "fileversionreader.h"

#include "platform/versioninfo.h"

#include <QStringList>

#include <memory>

namespace FileVersionReader {

namespace {

QString stringFileInfoPath(const QString &key)
{
    return QStringLiteral("\\StringFileInfo\\%1\\FileVersion").arg(key);
}

QString chooseSubBlock(const QStringList &langCodePageList, const QString &langCodePage)
{
    static const char *const fallbacks[] = { "040C04B0", "040704B0", "041004B0", "080904B0" };
    if (langCodePageList.contains(langCodePage, Qt::CaseInsensitive))
        return stringFileInfoPath(langCodePage);
    for (const char *fallback : fallbacks) {
        const QString key = QString::fromLatin1(fallback);
        if (langCodePageList.contains(key, Qt::CaseInsensitive))
            return stringFileInfoPath(key);
    }
    return stringFileInfoPath(langCodePageList.first());
}

} // namespace

QString fileVersion(const QString &filePath, const QString &langCodePage)
{
    const quint32 size = Platform::fileVersionInfoSize(filePath);
    if (size == 0)
        return QString();
    std::unique_ptr<quint8[]> buffer(new quint8[size]);
    if (!Platform::fileVersionInfo(filePath, size, buffer.get()))
        return QString();

    // The system hands back the stored lengths unchecked: what a damaged file claims is cut to
    // what the buffer holds.
    const quint8 *const end = buffer.get() + size;
    auto bytesLeft = [&](const void *value) -> quint32 {
        const auto *p = static_cast<const quint8 *>(value);
        return p >= buffer.get() && p < end ? quint32(end - p) : 0;
    };

    QStringList langCodePageList;
    const void *table = nullptr;
    quint32 tableBytes = 0;
    if (Platform::verQueryValue(buffer.get(), QStringLiteral("\\VarFileInfo\\Translation"), &table, &tableBytes)
        && table) {
        tableBytes = qMin(tableBytes, bytesLeft(table));
        const auto *words = static_cast<const quint16 *>(table);
        for (quint32 p = 0; p + 1 < tableBytes / 2; p += 2) {
            langCodePageList.append(QStringLiteral("%1%2")
                                        .arg(words[p], 4, 16, QLatin1Char('0'))
                                        .arg(words[p + 1], 4, 16, QLatin1Char('0')));
        }
    }
    if (langCodePageList.isEmpty())
        return QString();

    const void *text = nullptr;
    quint32 units = 0;
    if (!Platform::verQueryValue(buffer.get(), chooseSubBlock(langCodePageList, langCodePage), &text, &units)
        || !text)
        return QString();
    // The value's length bounds the read, so a value stored without its terminating zero cannot
    // run into the bytes after it.
    units = qMin(units, bytesLeft(text) / 2);
    const auto *characters = static_cast<const char16_t *>(text);
    quint32 length = 0;
    while (length < units && characters[length] != 0)
        ++length;
    return QString::fromUtf16(characters, qsizetype(length));
}

QString dottedFileVersion(const QString &filePath, const QString &langCodePage)
{
    QString version = fileVersion(filePath, langCodePage);
    version.replace(QLatin1Char(','), QLatin1Char('.'));
    version.remove(QLatin1Char(' '));
    return version;
}

QString fileVersionField(const QString &filePath, int index, const QString &langCodePage)
{
    QString result = QLatin1String("");
    const QString version = fileVersion(filePath, langCodePage);
    if (!version.isEmpty() && index >= 1 && index <= 4)
        result = version.section(QLatin1Char(','), index - 1, index - 1).trimmed();
    return result;
}

} // namespace FileVersionReader
