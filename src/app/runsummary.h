#pragma once

#include "common/exitcodes.h"

#include <QCoreApplication>
#include <QString>

class Installation;
class Removal;

// How a run ended, said the same way wherever it is shown: the closing sentence of the wizard's
// last page or of the run without a window, the exit code, and where the report can be read.
// The runs give their facts (a verdict, where the report went); the words and the numbers are
// chosen here alone, so that both ways of installing or removing say the same.
class RunSummary
{
    Q_DECLARE_TR_FUNCTIONS(RunSummary)

public:
    enum class Run {
        Installation,
        Removal,
    };
    // The wizard's last page tells a removal's ending in full; the standard output says in one
    // line whether it went well, the exit code saying the rest to a deployment tool.
    enum class Shown {
        OnLastPage,
        OnStandardOutput,
    };
    enum class Verdict {
        Done,
        DoneWithRemarks, // a removal that kept what was changed since the installation
        DoneWithErrors,
        NotDone, // a removal refused by its damaged record: nothing removed
        NothingToRemove,
        NoSuchJaws, // the JAWS folder went away before the installation
        PackageIncomplete,
        JawsNotClosed,
        Cancelled,
    };

    RunSummary(Run run, Verdict verdict);

    // Where the report can be read; empty when it could be written nowhere.
    void setReportPath(const QString &path) { m_reportPath = path; }
    // The program's folder could not be written, so the report is not beside the program: the
    // installation's last page names where it is even when all went well.
    void setReportAwayFromProgram(bool away) { m_reportAwayFromProgram = away; }
    // The JAWS folder a removal found nothing of the driver in; empty when none was named.
    void setJawsFolder(const QString &folder) { m_jawsFolder = folder; }
    // The removal took back the installation run `id` alone (--undo-run), not every installation.
    void setRunTakenBack(const QString &id) { m_runTakenBack = id; }

    Verdict verdict() const { return m_verdict; }
    int exitCode() const { return exitCodeOf(m_verdict); }
    QString reportPath() const { return m_reportPath; }
    QString sentence(Shown shown) const;

    static int exitCodeOf(Verdict verdict);
    // The worse of two, for a run over several JAWS installations: the one of the higher exit
    // code, the first of two alike.
    static Verdict worse(Verdict first, Verdict second);
    static Verdict verdictOf(const Installation &installation);
    // `cancelRequested`: the wizard was asked to stop before the removal could begin.
    static Verdict verdictOf(const Removal &removal, bool cancelRequested = false);

private:
    QString installationSentence(Shown shown) const;
    QString removalSentence(Shown shown) const;

    Run m_run;
    Verdict m_verdict;
    QString m_reportPath;
    bool m_reportAwayFromProgram = false;
    QString m_jawsFolder;
    QString m_runTakenBack;
};
