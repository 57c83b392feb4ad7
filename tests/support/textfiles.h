#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace TextFiles {

// The line end the program writes in text mode: CR LF on Windows, LF elsewhere.
QByteArray nativeLineEnd();

// The lines of a file written in text mode, decoded from the system code page. Fails the
// calling test (returns an empty list) when a line end is not the native one or the last
// line is not ended.
QStringList readLines(const QString &path, QString *problem);

bool write(const QString &path, const QByteArray &bytes);
// Gives the file `existing` a second name (a hard link), as a backup tool or a user may have.
bool hardLink(const QString &existing, const QString &link);
QByteArray read(const QString &path);

} // namespace TextFiles
