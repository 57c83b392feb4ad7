#pragma once

#include "installer/jawstarget.h"

// A shared settings folder of the test's own, where a run derives it from the JAWS version: the
// merge steps are then tried on a tree that holds exactly what the case lays out.
struct TestTargetFolders
{
    static void setShared(JawsTarget &target, const QString &folder) { target.m_sharedSettingsFolder = folder; }
};
