#include "randomini.h"

const char *const RandomIni::m_sections[] = { "Options", "options", "OPTIONS", "Braille", "Quor Olma", "x", nullptr };
const char *const RandomIni::m_keys[] = { "key", "Key", "KEY", "Port", "Device Name", "a", "b", nullptr };
const char *const RandomIni::m_values[] = { "1", "two words", "\"quoted\"", "'single'", "x=y", "", "caf\xc3\xa9", "\"", nullptr };

QString RandomIni::pick(const char *const *pool)
{
    int size = 0;
    while (pool[size])
        ++size;
    return QString::fromUtf8(pool[m_random.bounded(size)]);
}

QStringList RandomIni::sectionLines()
{
    QStringList lines;
    const int count = bounded(4);
    for (int i = 0; i < count; ++i)
        lines.append(bounded(6) == 0 ? keyName() : keyName() + QLatin1Char('=') + value());
    return lines;
}

QString RandomIni::line()
{
    switch (bounded(10)) {
    case 0: return QString();
    case 1: return QStringLiteral("; comment ") + value();
    case 2: return keyName(); // a line without "="
    case 3: return QStringLiteral("  ") + keyName() + QStringLiteral(" = ") + value();
    case 4: return QLatin1Char('[') + sectionName() + QLatin1Char(']');
    case 5: return QStringLiteral(" [ ") + sectionName() + QStringLiteral(" ] ");
    default: return keyName() + QLatin1Char('=') + value();
    }
}

QByteArray RandomIni::encode(const QString &text, int encoding) const
{
    if (encoding == 1)
        return text.toUtf8();
    if (encoding == 2) {
        QByteArray bytes;
        for (QChar c : text) {
            bytes.append(char(c.unicode() & 0xFF));
            bytes.append(char(c.unicode() >> 8));
        }
        return bytes;
    }
    return text.toLatin1(); // the pools hold nothing beyond Latin-1, which Windows-1252 extends
}

QByteArray RandomIni::file()
{
    const int encoding = bounded(5) == 0 ? 1 + bounded(2) : 0;
    QByteArray bytes = encoding == 1 ? QByteArray("\xEF\xBB\xBF") : encoding == 2 ? QByteArray("\xFF\xFE") : QByteArray();
    const int lines = bounded(14);
    const bool crlf = bounded(2) == 0;
    for (int i = 0; i < lines; ++i) {
        bytes += encode(line(), encoding);
        if (i + 1 < lines || bounded(4) != 0)
            bytes += encode(crlf || bounded(5) == 0 ? QStringLiteral("\r\n") : QStringLiteral("\n"), encoding);
    }
    return bytes;
}
