#pragma once

#include <QString>

// The one answer to "do these two paths name the same file or folder", given the way Windows
// reads a path; the native build simulates Windows and gives the same answers.
//
// Two paths are the same when, after these steps, they are equal:
// - `\` and `/` are one separator; a separator doubled (or more) counts once, and a trailing one
//   is ignored;
// - `.` is dropped and `..` takes away the folder before it, by reading the path alone (links
//   and junctions are not followed); `..` at a root stays at the root, as Windows does;
// - letters are compared without regard to case (drive letters, folder and file names alike);
// - the long-path prefixes `\\?\` and `\\.\` are dropped, and `\\?\UNC\server\share` is
//   `\\server\share`.
// A drive path `C:\…` and a network path `\\server\share\…` never name the same thing, even when
// the share maps that drive: that would take asking the system. A network path's server and
// share are its root, so `..` never climbs above them. A relative path or a drive-relative one
// (`C:folder`) is not made absolute: it is the same only as a path written the same relative
// way. An empty path names nothing: it is the same as no path, not even another empty one.
class WindowsPath
{
public:
    // The form that two paths share exactly when they are the same: for hashing and sorting.
    // Not a path to open: its case is folded and its separators are `/`.
    static QString key(const QString &path);
    static bool samePath(const QString &a, const QString &b);
    // Whether `path` lies within `folder`, at any depth; a folder is not inside itself.
    static bool isInside(const QString &path, const QString &folder);
    // The same as samePath, or inside.
    static bool isSameOrInside(const QString &path, const QString &folder);

    // The same answers for paths that exist, asked of the file system as well: the same as they
    // are written, or as it resolves them (a link, or a second name for one folder). For whether
    // two names reach one file, never for what to open: every name is opened through no link.
    static bool sameOnDisk(const QString &a, const QString &b);
    static bool isSameOrInsideOnDisk(const QString &path, const QString &folder);
};
