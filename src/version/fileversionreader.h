#pragma once

#include <QString>

// The "FileVersion" string of a Windows executable's or driver's version resource. Stateless;
// every failure gives an empty string.
namespace FileVersionReader {

// The FileVersion text as stored, from the string table of `langCodePage` (for example
// "000004b0"), else of French, German, Italian or British English, else of the file's first
// translation.
QString fileVersion(const QString &filePath, const QString &langCodePage);

// The FileVersion as one dotted number, "3, 2, 0, 7" read as "3.2.0.7": what the user and the
// deployment tools are shown.
QString dottedFileVersion(const QString &filePath, const QString &langCodePage);

// Field `index` (1 = major, up to 4) of the comma-separated FileVersion, without surrounding
// white space; empty when unknown or `index` is out of range.
QString fileVersionField(const QString &filePath, int index, const QString &langCodePage);

} // namespace FileVersionReader
