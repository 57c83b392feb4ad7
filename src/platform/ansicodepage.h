#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

namespace Platform {

// The code page of text files without a byte-order mark: the system's ANSI code page on
// Windows (the one its profile functions, and so JAWS, read such files in), Windows-1252
// elsewhere.
//
// Decodes `bytes` into `out`, which has room for bytes.size() units (no ANSI code page gives
// more UTF-16 units than bytes); the number of units written.
qsizetype decodeAnsi(QByteArrayView bytes, char16_t *out);
// Encodes `text`; a character the code page lacks becomes what the system makes of it (a
// close letter or "?").
QByteArray encodeAnsi(QStringView text);

} // namespace Platform
