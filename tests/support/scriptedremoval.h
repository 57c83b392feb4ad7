#pragma once

#include "installer/removal.h"

#include <QStringList>

// Plays the removal for tests of its views: which JAWS installations hold a record, the plan,
// and how the removal ends, without a file touched.
namespace ScriptedRemoval {

struct Script
{
    QStringList recorded;  // folders that hold a record
    QStringList plan;
    bool jawsRunning = true; // the warning comes before the removal
    Removal::State end = Removal::State::Done;
    bool errors = false;
    bool jawsNotClosed = false;
    // What the views asked of it.
    QString prepared;
    int starts = 0;
    int cancels = 0;
};

Script &script();

} // namespace ScriptedRemoval
