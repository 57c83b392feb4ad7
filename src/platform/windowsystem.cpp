#include "windowsystem.h"

namespace Platform {

WindowSystem &systemWindowSystem();

namespace {
WindowSystem *installed = nullptr;
}

WindowSystem &windowSystem()
{
    return installed ? *installed : systemWindowSystem();
}

void installWindowSystem(WindowSystem *system)
{
    installed = system;
}

} // namespace Platform
