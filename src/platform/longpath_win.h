#pragma once

#include <QString>

#include <string>

namespace Platform {

// The path in the form that the file functions take beyond MAX_PATH characters: "\\?\C:\..."
// or "\\?\UNC\server\share\...". That form is taken literally (no "." or "..", no forward
// slashes), so the path is made absolute and clean first. Windows only.
std::wstring longPath(const QString &path);

} // namespace Platform
