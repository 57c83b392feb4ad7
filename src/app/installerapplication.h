#pragma once

#include <functional>

class InstallWizard;

// The whole program, from the application object to the end of the event loop. The probe that
// tests start-up passes `beforeEventLoop` to look at the shown wizard; the program passes none.
int runInstaller(int &argc, char **argv,
                 const std::function<void(InstallWizard &)> &beforeEventLoop = {});
