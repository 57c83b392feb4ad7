#pragma once

#include "ini/settingssession.h"
#include "installer/stepresult.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// One configuration of JAWS: the settings session that every step reads and edits, and the
// lines each step will write to the report. A line that depends on files reaching the disk is
// settled from what the commit achieved, so that the report never says a change was made that
// the commit then lost.
class Configuration
{
public:
    using Step = StepResult::Step;

    SettingsSession &session() { return m_session; }
    IniFile &file(const QString &path) { return m_session.file(path); }

    // Starts the result of a step; the lines below go to it.
    void begin(Step step);
    // A line that holds whatever the commit achieves.
    void add(const QString &text, StepResult::Outcome outcome = StepResult::Outcome::Note);
    // `doneText` when the step's own edit (`edited`) succeeded and every file of `files` was
    // saved by the commit, else `failedText`, a failure of the installation.
    void addWhenSaved(const QStringList &files, bool edited, const QString &doneText, const QString &failedText);
    // A line settled by the commit in any way: `settle` gives its text and outcome, or no line.
    using Settle = std::function<std::optional<StepResult::Line>(const SettingsSession &)>;
    void addSettled(const Settle &settle);
    // Called once the session is committed, with it.
    void afterCommit(const std::function<void(const SettingsSession &)> &call) { m_afterCommit.append(call); }

    // Commits the session and settles every line: the results, one per step, in step order.
    // A configuration commits once; a second commit fails every line that waits on it.
    QList<StepResult> commit();

private:
    struct Pending
    {
        qsizetype result;
        Settle settle;
    };
    QList<std::function<void(const SettingsSession &)>> m_afterCommit;
    SettingsSession m_session;
    QList<StepResult> m_results;
    QList<Pending> m_pending;
    bool m_committed = false;
};
