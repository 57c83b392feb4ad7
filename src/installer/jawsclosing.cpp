#include "jawsclosing.h"

#include "installer/runreport.h"
#include "jaws/jaws.h"

#include <QCoreApplication>
#include <QDir>

JawsClosing::JawsClosing(Jaws &jaws_, RunReport &run_)
    : jaws(jaws_)
    , run(run_)
{
}

bool JawsClosing::jawsRuns() const
{
    return jaws.getJawsHwnd() != 0;
}

bool JawsClosing::withinReach() const
{
    return !jaws.runsOutOfReach();
}

JawsClosing::Ending JawsClosing::close(const std::function<bool()> &cancelled)
{
    if (beforeClosing)
        beforeClosing();
    if (cancelled())
        return Ending::CancelledBeforeClosing;
    m_runningFolder = jaws.runningInstallationFolder();
    m_closing = true;
    jaws.close();
    m_closing = false;
    // Still there after the whole protocol: a second JAWS must not be started at the end.
    m_closedHere = !jaws.getJawsHwnd();
    if (cancelled())
        return Ending::CancelledWhileClosing;
    return m_closedHere ? Ending::Closed : Ending::StillRunning;
}

bool JawsClosing::giveBack(const QString &runFolder)
{
    if (!m_closedHere || !restart_)
        return true;
    m_closedHere = false; // once
    return giveBack(jaws, run, closedFolder(runFolder));
}

void JawsClosing::takeOver(const QString &closedFolder)
{
    if (m_closedHere || closedFolder.isEmpty())
        return;
    m_closedHere = true;
    m_runningFolder = closedFolder;
}

bool JawsClosing::giveBack(Jaws &jaws, RunReport &run, const QString &folder)
{
    jaws.setCurrentFolder(folder);
    if (jaws.restart())
        return true;
    // The user may be left without speech: the report, the last page and the exit code say so.
    run.record(StepResult::Step::RestartingJaws,
               QCoreApplication::translate("Installation", "ERROR : Jaws could not be started again from %1. Please start Jaws yourself.")
                   .arg(QDir::toNativeSeparators(folder)),
               StepResult::Outcome::Failed);
    return false;
}
