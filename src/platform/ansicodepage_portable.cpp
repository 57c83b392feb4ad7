#include "ansicodepage.h"

namespace Platform {

namespace {

// Windows-1252: the 32 characters of 0x80..0x9F; the five bytes it leaves undefined map to the
// control characters of the same number, as the system's conversion does, so every byte
// round-trips.
const char16_t cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

qsizetype decodeAnsi(QByteArrayView bytes, char16_t *out)
{
    // Windows-1252 is Latin-1 but for 0x80..0x9F.
    const auto *in = reinterpret_cast<const uchar *>(bytes.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const uchar b = in[i];
        out[i] = (b >= 0x80 && b < 0xA0) ? cp1252High[b - 0x80] : char16_t(b);
    }
    return bytes.size();
}

QByteArray encodeAnsi(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        char b = '?';
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            b = char(u);
        } else {
            for (int k = 0; k < 32; ++k) {
                if (cp1252High[k] == u) {
                    b = char(0x80 + k);
                    break;
                }
            }
        }
        bytes[i] = b;
    }
    return bytes;
}

} // namespace Platform
