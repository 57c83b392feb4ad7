#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Reads the version resource of a Windows PE image (PE32 or PE32+) without the system's help,
// giving the answers of GetFileVersionInfoW and VerQueryValueW. Every offset and length is
// checked against the image's size: a truncated, looping or lying file gives "no version", never
// a crash or a hang. Built into both builds, so that the Windows tests can compare it with the
// system's own functions.
namespace PeVersionResource {

// The VS_VERSIONINFO block of the image (resource type 16, name 1), taken from the language
// entry Windows would choose: language-neutral, then `userLanguage`, then English (United
// States), then the first. Its length is the block's own; empty when there is none.
QByteArray extractVersionBlock(const uchar *image, qint64 size, quint16 userLanguage);

// Finds a value in a block returned by extractVersionBlock by its path of keys ("\" alone is the
// root's value). Keys are compared without regard to case over their whole length. `length` is
// in bytes for binary values and in UTF-16 units for text values; a text value of length 0 is an
// empty string.
bool queryValue(const uchar *block, const QString &subBlock, const void **value, quint32 *length);

// The Windows language identifier of the system locale, for the choice of language entry.
quint16 userDefaultLanguage();

} // namespace PeVersionResource
