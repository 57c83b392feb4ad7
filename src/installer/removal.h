#pragma once

#include "record/installrecord.h"
#include "installer/jawsclosing.h"
#include "installer/stepresult.h"
#include "record/recordundo.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QThread;

class InstallPackage;
class Jaws;
class JawsTarget;
class RunReport;

// The way back from an installation: what the install record of one JAWS installation says was
// added or replaced is removed or restored, and nothing the user changed since. Each kind of
// change undoes its own rows (RecordKind); the removal reads and confines the record, closes
// JAWS, runs the kinds' undo in order, and removes the record or keeps the earlier runs'. The
// removal wizard and the unattended removal are two views of it; neither touches a file itself.
class Removal : public QObject, private RecordUndo
{
    Q_OBJECT

public:
    enum class State {
        Idle,        // nothing chosen yet
        Prepared,    // the record read, nothing touched
        ClosingJaws, // the warning, then JAWS's own close protocol
        Removing,
        Done,      // removed, maybe with lines the report names (values the user changed, ...)
        Cancelled, // stopped before anything was removed; JAWS given back
        Failed,    // nothing removed: no record, or JAWS could not be closed
    };
    Q_ENUM(State)

    // The removal works on `target` (the JAWS installation), whose folders follow from the
    // package's; its lines go to `run`.
    Removal(Jaws &jaws, JawsTarget &target, const InstallPackage &package, RunReport &run, QObject *parent = nullptr);
    ~Removal() override;

    // Whether the JAWS installation in `jawsFolder` holds an install record of this driver.
    static bool isRecorded(JawsTarget &target, const InstallPackage &package, const QString &jawsFolder);
    // JAWS was uninstalled before the driver: its folder is gone, and with it the driver and its
    // record. What is left, the driver's entry in Windows' list of apps (and with the last entry
    // the program's copy), goes; `line` says so. False, touching nothing, while the folder is there
    // or no entry names it.
    static bool forgetGoneJaws(const QString &jawsFolder, QString *line);

    void setBeforeClosingJaws(const std::function<void()> &warn) { jawsClosing.setBeforeClosing(warn); }
    void setRestartJaws(bool restart) { jawsClosing.setRestart(restart); }
    // The removal proper on a thread of its own, finished() back on this object's: a window
    // that shows it stays alive meanwhile, so that its progress can be seen and heard.
    void setInBackground(bool background) { inBackground = background; }

    // Takes back the installation run `id` alone, instead of every installation: the machine is
    // then as the runs before it left it. Only the latest run recorded may be taken back: one that
    // later runs built on is refused, changing nothing. Set before prepare().
    void setRunToUndo(const QString &id) { m_runToUndo = id; }
    // prepare() refused to take back the run named by setRunToUndo: later runs built on it.
    bool runRefused() const { return m_runRefused; }

    // Reads the record of the JAWS installation in `jawsFolder` and writes the run's first report
    // lines. False, touching nothing, when there is no record (nothing to remove: not an error).
    bool prepare(const QString &jawsFolder);
    // What the removal will do, for the page that asks the user before: one translated sentence
    // per item (files, settings, display slots, key maps), in the order they will be done.
    QStringList plan() const;
    // Closes a running JAWS, removes and restores, gives JAWS back; finished() once it is over,
    // whichever way it ends.
    void start();
    // Before the removal proper has begun: nothing is touched, a JAWS closed here is started
    // again. Once removing, it stops before the next file (each file is all or nothing), keeps
    // the record so that a second removal finishes the job, and ends Cancelled.
    void cancel();

    State state() const { return m_state; }
    bool hasErrors() const;
    // Whether the report has remarks for the user though nothing failed: something changed since
    // the installation and kept, or no longer there.
    bool hasRemarks() const;
    // Whether JAWS was running and still is after its whole close protocol.
    bool jawsNotClosed() const;
    // JAWS was closed here and not started again (yet): a run over several installations gives
    // it back once, at its end.
    bool jawsClosedHere() const { return jawsClosing.closedHere(); }
    // The folder of the JAWS that was running when it was closed, the one to start again; the
    // folder removed from when it could not be told.
    QString jawsClosedFolder() const { return jawsClosing.closedFolder(m_jawsFolder); }
    // The record read by prepare(): what the removal takes back.
    const InstallRecord &record() const override;
    // prepare() found a record it could not read: an error, never "nothing to remove".
    bool recordDamaged() const { return m_recordDamaged; }

signals:
    void stateChanged(Removal::State state);
    void currentItem(const QString &description);
    void progressMaximum(int maximum);
    void progressValue(int value);
    void finished();

private:
    void setState(State state);
    void remove();
    // After remove(), on this object's thread.
    void removed();
    // Drops the rows that name a path outside this JAWS installation and its settings folders,
    // each with an error line.
    void confineRecord();
    // Once every change but the folders is undone: the record goes, and with it the entry in
    // the list of apps; or, one run taken back, it holds the earlier runs. False when it stays
    // as it was (then the folders stay too).
    bool removeRecord();
    bool keepEarlierRuns();
    // What the kinds of change are given while they undo.
    void step(const QString &description) override;
    void report(StepResult::Step step, const QString &text, StepResult::Outcome outcome) override;
    void report(const QList<StepResult> &results) override;
    void giveJawsBackIfClosed();

    JawsTarget &target;
    const InstallPackage &package;
    RunReport &run;
    JawsClosing jawsClosing;
    bool inBackground = false;
    std::unique_ptr<QThread> worker;
    State m_state = State::Idle;
    InstallRecord m_record;
    QString m_recordPath;
    QString m_jawsFolder;
    qsizetype firstResult = 0;
    int m_done = 0;
    bool m_recordDamaged = false;
    QString m_runToUndo;
    bool m_runRefused = false;
    // Taking back one run: the record as the runs before it left it, which replaces the record.
    std::optional<InstallRecord> m_recordWithoutRun;
    // Picks the run to take back out of the record read; false, with the report's line, when it
    // cannot be taken back alone or left nothing to take back.
    bool chooseRun(const QString &jawsFolder);
    // Asked for by cancel() while removing, read by the removal between files.
    std::atomic_bool m_stop = false;
    bool m_stopRecorded = false;
    // Whether to stop before the next file; the report says so once.
    bool stopping() override;
};
