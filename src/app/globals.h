#pragma once

#include "installer/jawsinstaller.h"
#include "jaws/jaws.h"

// The two engine objects of the process, reached directly by main and the pages.
extern Jaws jaws;
extern JawsInstaller jawsInstaller;
