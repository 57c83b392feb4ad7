#include "processhardening.h"

namespace Platform {

bool hardenProcess()
{
    // The native build follows no link where others write (see SafeFiles): nothing to ask.
    return true;
}

} // namespace Platform
