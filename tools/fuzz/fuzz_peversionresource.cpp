// libFuzzer target: the PE version reader must answer any bytes without reading outside them.
#include "platform/peversionresource.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace {

void queryAll(const uchar *block)
{
    const void *value = nullptr;
    quint32 length = 0;
    PeVersionResource::queryValue(block, QStringLiteral("\\"), &value, &length);
    if (!PeVersionResource::queryValue(block, QStringLiteral("\\VarFileInfo\\Translation"), &value, &length))
        return;
    const auto *words = static_cast<const quint16 *>(value);
    for (quint32 p = 0; p + 1 < length / 2; p += 2) {
        const QString key = QStringLiteral("%1%2").arg(words[p], 4, 16, QLatin1Char('0')).arg(words[p + 1], 4, 16, QLatin1Char('0'));
        const void *text = nullptr;
        quint32 units = 0;
        if (PeVersionResource::queryValue(block, QStringLiteral("\\StringFileInfo\\%1\\FileVersion").arg(key), &text, &units)) {
            volatile char16_t sink = 0;
            for (quint32 i = 0; i < units; ++i)
                sink = sink + static_cast<const char16_t *>(text)[i];
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray block = PeVersionResource::extractVersionBlock(data, qint64(size), 0x0409);
    if (!block.isEmpty())
        queryAll(reinterpret_cast<const uchar *>(block.constData()));
    // The tree walk on its own, over any block whose stated length fits the input.
    if (size >= 6 && size_t(data[0] | (data[1] << 8)) <= size) {
        const QByteArray copy(reinterpret_cast<const char *>(data), qsizetype(size)); // exact bounds for ASan
        queryAll(reinterpret_cast<const uchar *>(copy.constData()));
    }
    return 0;
}
