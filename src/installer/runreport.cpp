#include "runreport.h"

#include "paths/windowspath.h"
#include "platform/safefiles.h"

#include <QDir>
#include <QFileInfo>

void RunReport::start(Report::Run run, const QString &folder, const QString &userHeaderLine)
{
    m_report.setRun(run);
    if (folder.isEmpty()) {
        m_report.openInMemory(userHeaderLine);
        m_reportPath.clear();
        return;
    }
    m_reportPath = folder + QDir::separator() + QStringLiteral("installLog.txt");
    m_report.openOrKeepInMemory(m_reportPath, userHeaderLine);
    if (m_report.inMemory())
        m_reportPath.clear();
}

bool RunReport::publishInto(const QString &programFolder)
{
    Report &report = m_report;
    // A report that could not be opened holds nothing of the earlier runs: putting it in place of
    // the file there would lose their history.
    if (programFolder.isEmpty() || !report.isOpen())
        return false;
    const QString destination = programFolder + QDir::separator() + QStringLiteral("installLog.txt");
    // Run from the JAWS folder itself, the report is already there: appending it to itself
    // would repeat it.
    if (!report.inMemory() && WindowsPath::sameOnDisk(destination, report.fileName())) {
        m_reportPath = destination;
        return true;
    }
    // This run's lines, then the earlier report from the JAWS folder: newest run first. Runs
    // made earlier from the same package folder are already in that earlier report, and are
    // not repeated. The file is replaced in one step, so a failed write leaves the earlier
    // report as it was.
    QByteArray published;
    if (!report.publication(destination, published))
        return false;
    if (published.isEmpty() || Platform::SafeFiles::replace(destination, published) != Platform::SafeFiles::Status::Done)
        return false;
    m_reportPath = destination;
    return true;
}

void RunReport::record(StepResult::Step step, const QString &text, StepResult::Outcome outcome)
{
    if (m_results.isEmpty() || m_results.constLast().step() != step)
        m_results.append(StepResult(step));
    m_results.last().add(text, outcome);
    m_report.writeLine(text);
}

void RunReport::record(const QList<StepResult> &results)
{
    for (const StepResult &result : results) {
        for (const StepResult::Line &line : result.lines())
            m_report.writeLine(line.text);
    }
    m_results += results;
}

bool RunReport::hasErrors(qsizetype from) const
{
    for (qsizetype i = from; i < m_results.size(); ++i) {
        if (m_results.at(i).failed())
            return true;
    }
    return false;
}

bool RunReport::failed(StepResult::Step step, qsizetype from) const
{
    for (qsizetype i = from; i < m_results.size(); ++i) {
        if (m_results.at(i).step() == step && m_results.at(i).failed())
            return true;
    }
    return false;
}
