// The program, as the Windows launcher loads it (src/launcher): everything but the launcher
// lives in this DLL, so that Windows resolves its imports only after the launcher has narrowed
// the search for system DLLs to System32.
#include "installerapplication.h"

extern "C" __declspec(dllexport) int iqoRunProgram(int *argc, char **argv)
{
    return runInstaller(*argc, argv);
}
