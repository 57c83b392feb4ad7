#pragma once

#include "installer/stepresult.h"
#include "report/report.h"

#include <QList>
#include <QString>

// The report of the process's run and the result of every step written to it: what the pages
// and an unattended run say at the end, and where the report was last put.
class RunReport
{
public:
    RunReport() = default;
    RunReport(const RunReport &) = delete;
    RunReport &operator=(const RunReport &) = delete;

    // Opens the run's report as installLog.txt in `folder`, headed by `userHeaderLine`; in memory
    // until it is published when `folder` is empty or cannot be written.
    void start(Report::Run run, const QString &folder, const QString &userHeaderLine);
    // Puts this run's report at the head of the one in a JAWS program folder, in one replacement
    // of that file; the report's path then names it.
    bool publishInto(const QString &programFolder);

    // Writes `text` to the report as a line of `step`'s result.
    void record(StepResult::Step step, const QString &text, StepResult::Outcome outcome = StepResult::Outcome::Note);
    // Writes the lines of `results` to the report, in order, and keeps the results.
    void record(const QList<StepResult> &results);
    const QList<StepResult> &results() const { return m_results; }
    qsizetype resultCount() const { return m_results.size(); }
    // Whether any step of the installation failed; and whether the given one did.
    // From the result numbered `from` on: a run over several installations asks of each alone.
    bool hasErrors(qsizetype from = 0) const;
    bool failed(StepResult::Step step, qsizetype from = 0) const;

    Report &report() { return m_report; }
    const Report &report() const { return m_report; }
    QString reportPath() const { return m_reportPath; }
    // The report is held by no file beside the program.
    bool inMemory() const { return m_report.inMemory(); }

private:
    Report m_report;
    QList<StepResult> m_results;
    QString m_reportPath;
};
