#include "rowcodec.h"

#include "installer/contenthash.h"
#include "paths/windowspath.h"

#include <QDir>
#include <QUrl>

#include <utility>

namespace {

const QString jawsToken = QStringLiteral("<JAWS>");
const QString sharedToken = QStringLiteral("<SHARED>");

} // namespace

QString RowCodec::encode(const QString &text)
{
    const auto plain = [&text](qsizetype i) {
        const char16_t c = text.at(i).unicode();
        return c != '%' && c != '|' && c >= 0x20 && c <= 0x7e && !(c == ' ' && (i == 0 || i == text.size() - 1));
    };
    // Most values need no encoding at all: a record holds thousands of them.
    qsizetype i = 0;
    while (i < text.size() && plain(i))
        ++i;
    if (i == text.size())
        return text;
    static constexpr char hex[] = "0123456789ABCDEF";
    const QByteArray bytes = text.toUtf8();
    QByteArray encoded;
    encoded.reserve(bytes.size() + 16);
    for (qsizetype b = 0; b < bytes.size(); ++b) {
        const uchar c = uchar(bytes.at(b));
        const bool edgeBlank = c == ' ' && (b == 0 || b == bytes.size() - 1);
        if (c == '%' || c == '|' || c < 0x20 || c > 0x7e || edgeBlank)
            encoded.append('%').append(hex[c >> 4]).append(hex[c & 0xF]);
        else
            encoded.append(char(c));
    }
    return QString::fromLatin1(encoded);
}

QString RowCodec::decode(const QString &field)
{
    return QUrl::fromPercentEncoding(field.toLatin1());
}

QString RowCodec::encodeOptional(const std::optional<QString> &text)
{
    return text ? QLatin1Char('=') + encode(*text) : QStringLiteral("-");
}

std::optional<QString> RowCodec::decodeOptional(const QString &field)
{
    if (field != QLatin1String("-") && !field.startsWith(QLatin1Char('=')))
        m_whole = false;
    if (!field.startsWith(QLatin1Char('=')))
        return std::nullopt;
    return decode(field.mid(1));
}

QString RowCodec::path(const QString &path)
{
    auto found = encodedPaths.constFind(path);
    if (found != encodedPaths.constEnd())
        return *found;
    QString encoded;
    if (!path.isEmpty()) {
        encoded = encode(QDir::toNativeSeparators(path));
        for (const auto &[root, token] : { std::make_pair(roots.jaws, jawsToken), std::make_pair(roots.sharedSettings, sharedToken) }) {
            if (root.isEmpty() || !WindowsPath::isInside(path, root))
                continue;
            const QString cleanRoot = QDir::toNativeSeparators(QDir::cleanPath(QDir::fromNativeSeparators(root)));
            const QString clean = QDir::toNativeSeparators(QDir::cleanPath(QDir::fromNativeSeparators(path)));
            if (clean.size() > cleanRoot.size() && WindowsPath::samePath(clean.left(cleanRoot.size()), cleanRoot)) {
                encoded = encode(token + clean.mid(cleanRoot.size()));
                break;
            }
        }
    }
    return *encodedPaths.insert(path, encoded);
}

QString RowCodec::decodePath(const QString &field, bool mayBeEmpty)
{
    QString path = decode(field);
    for (const auto &[root, token] : { std::make_pair(roots.jaws, jawsToken), std::make_pair(roots.sharedSettings, sharedToken) }) {
        if (path.startsWith(token)) {
            path = root.isEmpty() ? QString() : QDir::toNativeSeparators(root) + path.mid(token.size());
            break;
        }
    }
    if (path.isEmpty() && !mayBeEmpty)
        m_whole = false;
    return path;
}

QByteArray RowCodec::hash(const QString &field)
{
    const QByteArray hash = field.toLatin1();
    if (!hash.isEmpty() && !ContentHash::isOne(hash))
        m_whole = false;
    return hash;
}

bool RowCodec::flag(const QString &field)
{
    if (field != QLatin1String("1") && field != QLatin1String("0"))
        m_whole = false;
    return field == QLatin1String("1");
}

QString RowCodec::key(const QString &path)
{
    return WindowsPath::key(path);
}

QString RowCodec::key(const QString &path, const QString &section, const QString &key)
{
    return WindowsPath::key(path) + QLatin1Char('\n') + section.toCaseFolded() + QLatin1Char('\n') + key.toCaseFolded();
}
