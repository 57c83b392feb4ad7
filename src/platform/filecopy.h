#pragma once

#include <QString>

namespace Platform {

// Copies `source` over `destination` without ever leaving a partial file there: the data goes
// to a temporary file beside the destination, which then takes the destination's place in one
// rename. False when any step fails; the destination is then exactly as it was, and no
// temporary file is left. No flush to disk: the source stays in the package, so a crash can
// always be repaired by copying again. Full paths longer than MAX_PATH work on Windows.
bool copyFileReplacing(const QString &source, const QString &destination);

// The temporary file that copyFileReplacing uses for `destination`: the destination's own name
// in a folder of the copy's own within the destination's folder. The name is never longer than
// the destination's, so a name near the file-name limit still has one; it is always the same
// for the same destination, so that the file left by a run that was killed is taken over and
// removed by the next copy of that file; and it cannot be the name of anyone else's file.
QString temporaryCopyPath(const QString &destination);
// That folder, for `destination`; it exists only while a copy is under way.
QString temporaryCopyFolder(const QString &destination);

} // namespace Platform
