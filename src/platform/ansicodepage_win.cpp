#include "ansicodepage.h"

#include <windows.h>

namespace Platform {

// The same conversions as the system's profile functions make, with the same flags: what they
// write, JAWS reads back the same way.
qsizetype decodeAnsi(QByteArrayView bytes, char16_t *out)
{
    if (bytes.isEmpty())
        return 0;
    // The calls take int sizes: a longer text goes in pieces cut after a line end (which no
    // ANSI code page uses inside a character).
    qsizetype done = 0, written = 0;
    while (done < bytes.size()) {
        qsizetype piece = qMin<qsizetype>(bytes.size() - done, 1 << 30);
        if (done + piece < bytes.size()) {
            while (piece > 1 && bytes.at(done + piece - 1) != '\n')
                --piece;
        }
        const int units = MultiByteToWideChar(CP_ACP, 0, bytes.data() + done, int(piece),
                                              reinterpret_cast<wchar_t *>(out + written), int(piece));
        written += units;
        done += piece;
    }
    return written;
}

QByteArray encodeAnsi(QStringView text)
{
    if (text.isEmpty())
        return QByteArray();
    const auto *in = reinterpret_cast<const wchar_t *>(text.utf16());
    const int size = WideCharToMultiByte(CP_ACP, 0, in, int(text.size()), nullptr, 0, nullptr, nullptr);
    QByteArray bytes(size, Qt::Uninitialized);
    WideCharToMultiByte(CP_ACP, 0, in, int(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

} // namespace Platform
