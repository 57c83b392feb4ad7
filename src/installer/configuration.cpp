#include "configuration.h"

#include "report/report.h"

void Configuration::begin(Step step)
{
    m_results.append(StepResult(step));
}

void Configuration::add(const QString &text, StepResult::Outcome outcome)
{
    addSettled([text, outcome](const SettingsSession &) { return std::optional<StepResult::Line>({ text, outcome }); });
}

void Configuration::addWhenSaved(const QStringList &files, bool edited, const QString &doneText, const QString &failedText)
{
    addSettled([=](const SettingsSession &session) {
        bool ok = edited;
        for (const QString &file : files)
            ok = ok && session.saved(file);
        return std::optional<StepResult::Line>(ok ? StepResult::Line{ doneText, StepResult::Outcome::Done }
                                                  : StepResult::Line{ failedText, StepResult::Outcome::Failed });
    });
}

void Configuration::addSettled(const Settle &settle)
{
    if (m_results.isEmpty())
        return; // a line outside any step has no place in the report
    m_pending.append({ m_results.size() - 1, settle });
}

QList<StepResult> Configuration::commit()
{
    // Committed twice, the session replaces nothing the second time: no line may then say that
    // anything was saved.
    const bool first = !m_committed;
    m_committed = true;
    if (first)
        m_session.commit();
    const SettingsSession uncommitted;
    const SettingsSession &settledBy = first ? m_session : uncommitted;
    QList<StepResult> results = m_results;
    for (const Pending &line : std::as_const(m_pending)) {
        if (const std::optional<StepResult::Line> settled = line.settle(settledBy))
            results[line.result].add(settled->text, settled->outcome);
    }
    // What was refused changed nothing, and the run must not look clean for it.
    if (first) {
        StepResult refused(Step::Refused);
        for (const Platform::SafeFiles::Refusal &refusal : m_session.refusals())
            refused.add(Report::refusedLine(refusal), StepResult::Outcome::Failed);
        if (!refused.lines().isEmpty())
            results.append(refused);
    }
    for (const auto &call : std::as_const(m_afterCommit))
        call(settledBy);
    return results;
}
