#pragma once

#include <QString>
#include <QtGlobal>

namespace Platform {

// The system's file version functions, as thin as their callers need them: the size of a file's
// version resource (0 when it has none), a copy of it into a caller-owned buffer, and a value
// found in that copy by its sub-block path ("\VarFileInfo\Translation",
// "\StringFileInfo\040904b0\FileVersion"). `length` counts bytes for binary values and UTF-16
// units for text values.
quint32 fileVersionInfoSize(const QString &path);
bool fileVersionInfo(const QString &path, quint32 size, void *buffer);
bool verQueryValue(const void *block, const QString &subBlock, const void **value, quint32 *length);

} // namespace Platform
