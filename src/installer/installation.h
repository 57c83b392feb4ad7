#pragma once

#include "copy/copythread.h"
#include "installer/jawsclosing.h"

#include <QObject>
#include <QString>

#include <functional>

class Jaws;
class JawsInstaller;
class RunReport;

// One installation from the user's choices to its end: the package checked, the target folders
// made, a running JAWS closed, the files copied on the worker thread, JAWS configured and given
// back. The wizard's copy page and the unattended run are two views of it; neither touches a
// file itself. Everything but the copy loop runs on the thread that owns this object.
class Installation : public QObject
{
    Q_OBJECT

public:
    enum class State {
        Idle,        // nothing chosen yet
        Prepared,    // JAWS folder and display chosen, nothing touched
        ClosingJaws, // the warning, then JAWS's own close protocol
        Copying,
        Configuring,
        Done,      // copied and configured, maybe with errors the report names
        Cancelled, // stopped by the user; files copied so far stay, no setting changed
        Failed,    // nothing installed: the package or the JAWS folder is not there
    };
    Q_ENUM(State)

    Installation(Jaws &jaws, JawsInstaller &installer, QObject *parent = nullptr);
    // An installation under way ends as a cancel: recorded, the copy waited for, JAWS given back.
    ~Installation() override;

    // Called with the state ClosingJaws, right before a running JAWS is closed; the wizard warns
    // the user there. It may cancel(): then JAWS is left as it is.
    void setBeforeClosingJaws(const std::function<void()> &warn) { jawsClosing.setBeforeClosing(warn); }
    // Whether a JAWS closed here is started again at the end (the default).
    void setRestartJaws(bool restart) { jawsClosing.setRestart(restart); }
    // An installation that has nothing left to do (every file in place, CopyPlan::allInPlace,
    // and the display the default one, JawsConfiguration::defaultDeviceSelected) ends at once,
    // Done, without touching JAWS or its settings.
    void setLeaveInstalledAlone(bool leave) { leaveInstalledAlone = leave; }

    // Takes the choices (the JAWS folder as listed, the display's name in the device table) and
    // writes the run's first report lines. One installation per object: later calls do nothing.
    void prepare(const QString &jawsFolder, const QString &deviceName);
    // From the package check to the copy's start; returns while the files are copied.
    // finished() is emitted once the installation is over, whichever way it ends.
    void start();
    // At any moment from prepare() on: nothing more is copied or configured, and a JAWS closed
    // here is started again. Waits for the copy's current file.
    void cancel();

    State state() const { return m_state; }
    // What the steps' results say of the installation.
    bool packageIncomplete() const;
    bool jawsFolderMissing() const;
    // JAWS was running and still is after its whole close protocol.
    bool jawsNotClosed() const;
    // JAWS was closed here and not started again (yet).
    bool jawsClosedHere() const { return jawsClosing.closedHere(); }
    // The folder of the JAWS that was running when it was closed, which is the one to start again
    // (not necessarily the one installed into); the folder installed into when it could not be told.
    QString jawsClosedFolder() const;
    // Found installed already and left as it was.
    bool leftAlone() const { return m_leftAlone; }
    bool hasErrors() const;

signals:
    void stateChanged(Installation::State state);
    void currentFile(const QString &path);
    void progressMinimum(int minimum);
    void progressMaximum(int maximum);
    void progressValue(int value);
    void fileCopied(const QString &path, bool ok);
    void folderCreated(const QString &path, bool ok);
    void finished();

private slots:
    void copyFileSuccess(const QString &filePath);
    void copyFileFails(const QString &filePath, const QString &reason);
    void copyFileBackedUp(const QString &filePath, const QString &backup);
    void createDirectoryPathSuccess(const QString &dirPath);
    void createDirectoryPathFails(const QString &dirPath, const QString &reason);
    void copyDone();

private:
    void setState(State state);
    // The record of what the run is about to do, then the copy on the worker thread.
    void startCopy();
    // The report's last lines when the user stops the installation.
    void writeCancelled();
    // The end of every cancel: its lines, a JAWS closed here given back, finished().
    void endCancelled();
    void restartJawsIfClosed();
    void fail();

    JawsInstaller &installer;
    RunReport &run;
    CopyThread copyThread;
    JawsClosing jawsClosing;
    bool leaveInstalledAlone = false;
    bool m_leftAlone = false;
    State m_state = State::Idle;
    // This installation's results come after those of the run's earlier installations.
    qsizetype firstResult = 0;
};
