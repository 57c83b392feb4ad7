#pragma once

namespace Platform {

// Asks the system to refuse, for this process, what an elevated program among others' files
// should never do. On Windows 11 and Windows 10 22H2 and later: follow a junction or link that a
// process without administrator rights made (the RedirectionGuard mitigation). Where the system
// does not know it (older Windows, Wine), the run goes on: the program's own checks of every
// path stay in force either way. True when the system took it; natively there is nothing to ask.
bool hardenProcess();

} // namespace Platform
