#pragma once

#include "record/installrecord.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

// How the fields of the install record's rows are written and read back: plain ASCII, every
// field percent-encoded where needed, paths in the JAWS folder and the shared settings relative
// to them. Reading notes whatever is not whole instead of half believing it.
class RowCodec
{
public:
    explicit RowCodec(const InstallRecord::Roots &roots)
        : roots(roots)
    {
    }

    // Readable, yet safe to read back: "%", "|", control characters, anything beyond ASCII and
    // blanks at either end (which reading the ini file would trim) are percent-encoded.
    static QString encode(const QString &text);
    static QString decode(const QString &field);
    // A field that may be none: "-" for none, else "=" and the text.
    static QString encodeOptional(const std::optional<QString> &text);
    // Not whole unless "-" or "=" and a text.
    std::optional<QString> decodeOptional(const QString &field);

    // A path as the system writes it; within a root, relative to it behind the root's token (no
    // Windows path holds "<" or ">"). Thousands of rows name the same few files: each path is
    // made relative once.
    QString path(const QString &path);
    // A recorded path under the roots derived now; one without a root token is taken as written
    // (records of earlier programs hold whole paths). The caller confines it. Not whole when
    // empty and `mayBeEmpty` is false.
    QString decodePath(const QString &field, bool mayBeEmpty = false);
    // A fingerprint, or none; not whole when it is something else.
    QByteArray hash(const QString &field);
    // A flag written "1" or "0".
    bool flag(const QString &field);

    // Whether every field read so far was whole.
    bool whole() const { return m_whole; }
    void notWhole() { m_whole = false; }

    // The same for every spelling of a path, and of a path's section and key: what merging
    // compares.
    static QString key(const QString &path);
    static QString key(const QString &path, const QString &section, const QString &key = QString());

private:
    InstallRecord::Roots roots;
    QHash<QString, QString> encodedPaths;
    bool m_whole = true;
};
