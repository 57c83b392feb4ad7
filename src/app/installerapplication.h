#pragma once

#include <functional>

class QWizard;

// The whole program, from the application object to the end of the event loop. The probes that
// test it pass `beforeEventLoop` to look at the shown wizard (the installation's or the
// removal's); the program passes none.
int runInstaller(int &argc, char **argv,
                 const std::function<void(QWizard &)> &beforeEventLoop = {});
