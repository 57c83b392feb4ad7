#pragma once

#include <QString>

// Symbolic links as a standard user plants them where the program reads and writes for them
// (they stand for junctions). Under Wine, which makes no symbolic link itself, they are made
// with the system's own commands on the Unix names of the paths; Wine shows a link to a folder
// as a reparse point, and follows a link to a file as if it were the file.

// A symbolic link at `link` to `target`.
bool plantLink(const QString &target, const QString &link);
// Takes the link away, not what it points at: under Wine a folder that holds one cannot be
// cleared by the next case.
bool removeLink(const QString &link);
