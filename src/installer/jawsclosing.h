#pragma once

#include <QString>

#include <functional>

class Jaws;
class RunReport;

// A running JAWS closed for a run and given back at its end, for an installation and a removal
// alike: the warning before, JAWS's own close protocol (which lets events run, so a cancel may
// arrive meanwhile), which JAWS was running, and whether it was closed here, which alone decides
// whether a JAWS is started again.
class JawsClosing
{
public:
    enum class Ending {
        Closed,
        StillRunning,           // there after its whole close protocol
        CancelledBeforeClosing, // during the warning: JAWS left as it is
        CancelledWhileClosing,  // JAWS may be closed: give it back
    };

    JawsClosing(Jaws &jaws, RunReport &run);

    // Called right before a running JAWS is closed; the wizard warns the user there.
    void setBeforeClosing(const std::function<void()> &warn) { beforeClosing = warn; }
    // Whether a JAWS closed here is started again by giveBack() (the default).
    void setRestart(bool restart) { restart_ = restart; }

    bool jawsRuns() const;
    // False when a JAWS runs where this process cannot reach it (a user's session, the program
    // running as SYSTEM): it could be neither closed nor started again, so a run must not begin.
    bool withinReach() const;
    // Warns, then closes the running JAWS unless `cancelled` says so after the warning; asked
    // again after the close protocol.
    Ending close(const std::function<bool()> &cancelled);
    // The close protocol is under way further up the stack: a cancel arriving now is seen there.
    bool closing() const { return m_closing; }
    // JAWS was closed here and not started again (yet).
    bool closedHere() const { return m_closedHere; }
    // The JAWS that was running when it was closed, the one to start again (not necessarily the
    // one the run works on); `runFolder` when it could not be told.
    QString closedFolder(const QString &runFolder) const { return m_runningFolder.isEmpty() ? runFolder : m_runningFolder; }
    // Starts a JAWS closed here again, once; nothing when none was or restarts are off. False
    // when it could not be started, an error of the run written in its report.
    bool giveBack(const QString &runFolder);
    // A run over several JAWS installations closes JAWS once and gives it back once, at its end:
    // the JAWS that one of its installations or removals closed and left closed becomes this
    // one's to give back. The first such JAWS only.
    void takeOver(const QString &closedFolder);

    // Starts the JAWS of `folder` again, as its user; a failure is an error of the run, written
    // in its report. For a run that closed JAWS once for several installations.
    static bool giveBack(Jaws &jaws, RunReport &run, const QString &folder);

private:
    Jaws &jaws;
    RunReport &run;
    std::function<void()> beforeClosing;
    bool restart_ = true;
    bool m_closing = false;
    bool m_closedHere = false;
    QString m_runningFolder;
};
