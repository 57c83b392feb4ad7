#include "globals.h"

// Static initialisation runs in definition order within one file only, so the screen-reader
// object, the installer and the compiled-in resources are all set up here, in that order, and
// torn down in the reverse order at exit.
Jaws jaws;
JawsInstaller jawsInstaller;

#include "qrc_installquorolma.cpp"
