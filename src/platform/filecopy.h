#pragma once

#include <QString>

namespace Platform {

// Copies `source` over `destination` without ever leaving a partial file there: the data goes
// to a temporary file in the destination's folder, which then takes the destination's name in
// one rename. False when any step fails; the destination is then exactly as it was, and no
// temporary file is left. No flush to disk: the source stays in the package, so a crash can
// always be repaired by copying again.
bool copyFileReplacing(const QString &source, const QString &destination);

} // namespace Platform
