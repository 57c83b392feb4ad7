#pragma once

#include "installer/stepresult.h"

#include <QByteArray>
#include <QList>
#include <QString>

class InstallRecord;

// What a kind of change needs while it is undone: the record, the report, the progress and
// whether to stop. The removal gives it; the kinds never touch the report or the progress
// themselves.
class RecordUndo
{
public:
    virtual ~RecordUndo() = default;

    virtual const InstallRecord &record() const = 0;
    // One item begun: the progress goes on and says which.
    virtual void step(const QString &description) = 0;
    // Whether to stop before the next item: each item is undone whole or not at all.
    virtual bool stopping() = 0;
    virtual void report(StepResult::Step step, const QString &text, StepResult::Outcome outcome = StepResult::Outcome::Note) = 0;
    virtual void report(const QList<StepResult> &results) = 0;

    // Copies a numbered backup over `path` and says so in the report, as a line of `step`; not a
    // backup whose fingerprint is no longer `backupHash`. The backup stays, like every numbered
    // backup.
    void putBack(StepResult::Step step, const QString &path, const QString &backup, const QByteArray &backupHash);
    void deleteFile(StepResult::Step step, const QString &path);
};
