#pragma once

#include "portableprofilesession.h"

namespace Platform {

// One ini file, read and changed through the portable engine, on Windows as elsewhere. The
// system's profile functions are not used: they do not understand a UTF-8 byte-order mark
// (today's default.jcf carries one: its first section becomes unreachable and a write adds a
// second one), they rewrite the whole file on every write, and a write to a working copy tells
// nothing of whether the file itself could be replaced. The engine reads and writes files
// without a mark in the system's ANSI code page, as those functions do.
using ProfileSession = PortableProfileSession;

} // namespace Platform
