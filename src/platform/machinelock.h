#pragma once

namespace Platform {

// One installation or removal at a time on a machine: two deployment agents, or an installation
// racing a removal, would otherwise each change JAWS's settings and files under the other.
//
// The lock is taken for the rest of the process and given back by the system when the process
// ends, however it ends (a kill included). On Windows a mutex in the Global namespace, which every
// session sees, open to administrators and SYSTEM alone; a mutex left by a process that ended
// without giving it back is taken over. Natively a lock (flock) on a file in the simulated
// machine's Windows folder, where only the administrator writes; without a simulated machine, in
// /run/lock.
enum class MachineLock {
    Taken,
    Busy, // another run of the program holds it
};
MachineLock takeMachineLock();
// Gives the lock back before the process ends: for a test that plays the other run.
void giveBackMachineLock();

} // namespace Platform
