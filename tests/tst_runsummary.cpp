#include "runsummary.h"

#include <QtTest>

using Run = RunSummary::Run;
using Shown = RunSummary::Shown;
using Verdict = RunSummary::Verdict;

class tst_RunSummary : public QObject
{
    Q_OBJECT

private slots:
    void sentenceAndExitCode_data();
    void sentenceAndExitCode();
    void worstOfSeveral_data();
    void worstOfSeveral();
};

namespace {

// Written as Windows writes it, so that the sentence is the same in both builds.
const QString report = QStringLiteral("C:\\Program Files\\JAWS\\2025\\installLog.txt");
const QString jawsFolder = QStringLiteral("C:\\Program Files\\JAWS\\2025");

} // namespace

// The last pages and the run without a window say how the run ended in the words they have
// always used, and the exit code is the one deployment tools are told about.
void tst_RunSummary::sentenceAndExitCode_data()
{
    QTest::addColumn<Run>("run");
    QTest::addColumn<Shown>("shown");
    QTest::addColumn<Verdict>("verdict");
    QTest::addColumn<QString>("reportPath");
    QTest::addColumn<bool>("awayFromProgram");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<int>("exitCode");

    const QString installError = QStringLiteral("Error during installation. Please check the %1 file for details.").arg(report);
    const QString installOnErrorStream = QStringLiteral("Error during installation. The report is on the standard error stream.");
    QTest::newRow("installed, page") << Run::Installation << Shown::OnLastPage << Verdict::Done << report << false << QString()
                                     << "Installation correctly done." << 0;
    QTest::newRow("installed with errors, page") << Run::Installation << Shown::OnLastPage << Verdict::DoneWithErrors << report << false << QString()
                                                 << installError << 1;
    // The program's folder could not be written: where the report went is said even when all went well.
    QTest::newRow("installed, report only in the JAWS folder, page")
        << Run::Installation << Shown::OnLastPage << Verdict::Done << report << true << QString()
        << QStringLiteral("Installation correctly done. The installation report is %1.").arg(report) << 0;
    QTest::newRow("installed, report nowhere, page") << Run::Installation << Shown::OnLastPage << Verdict::Done << QString() << true << QString()
                                                     << "Installation correctly done. No installation report could be written." << 0;
    QTest::newRow("installed with errors, report only in the JAWS folder, page")
        << Run::Installation << Shown::OnLastPage << Verdict::DoneWithErrors << report << true << QString() << installError << 1;
    QTest::newRow("installed with errors, report nowhere, page")
        << Run::Installation << Shown::OnLastPage << Verdict::DoneWithErrors << QString() << true << QString()
        << "Error during installation. Please check the  file for details. No installation report could be written." << 1;
    QTest::newRow("installed, unattended") << Run::Installation << Shown::OnStandardOutput << Verdict::Done << report << false << QString()
                                           << "Installation correctly done." << 0;
    QTest::newRow("installed with errors, unattended") << Run::Installation << Shown::OnStandardOutput << Verdict::DoneWithErrors << report << false
                                                       << QString() << installError << 1;
    QTest::newRow("installed with errors, report nowhere, unattended")
        << Run::Installation << Shown::OnStandardOutput << Verdict::DoneWithErrors << QString() << false << QString() << installOnErrorStream << 1;
    QTest::newRow("JAWS folder gone, unattended") << Run::Installation << Shown::OnStandardOutput << Verdict::NoSuchJaws << report << false << QString()
                                                  << installError << 3;
    QTest::newRow("package incomplete, unattended") << Run::Installation << Shown::OnStandardOutput << Verdict::PackageIncomplete << QString() << false
                                                    << QString() << installOnErrorStream << 4;
    QTest::newRow("JAWS not closed, unattended") << Run::Installation << Shown::OnStandardOutput << Verdict::JawsNotClosed << report << false
                                                 << QString() << installError << 5;
    QTest::newRow("installation interrupted, unattended") << Run::Installation << Shown::OnStandardOutput << Verdict::Cancelled << report << false
                                                          << QString() << installError << 6;

    const QString named = QStringLiteral(" The removal report is %1.").arg(report);
    QTest::newRow("removed, page") << Run::Removal << Shown::OnLastPage << Verdict::Done << report << false << QString()
                                   << "The Korvalis Braille driver was removed." + named << 0;
    QTest::newRow("removed, changes kept, page")
        << Run::Removal << Shown::OnLastPage << Verdict::DoneWithRemarks << report << false << QString()
        << "The Korvalis Braille driver was removed. What was changed since the installation was kept: the removal report names it." + named << 0;
    QTest::newRow("removed with errors, page") << Run::Removal << Shown::OnLastPage << Verdict::DoneWithErrors << report << false << QString()
                                               << "The Korvalis Braille driver was removed, with errors: please read the removal report." + named << 1;
    QTest::newRow("damaged record, report nowhere, page")
        << Run::Removal << Shown::OnLastPage << Verdict::NotDone << QString() << false << QString()
        << "Nothing was removed: please read the removal report. No removal report could be written." << 1;
    QTest::newRow("removal cancelled, page") << Run::Removal << Shown::OnLastPage << Verdict::Cancelled << report << false << QString()
                                             << "The removal was cancelled: nothing was removed." + named << 6;
    QTest::newRow("JAWS not closed for the removal, page")
        << Run::Removal << Shown::OnLastPage << Verdict::JawsNotClosed << report << false << QString()
        << "Jaws could not be closed: nothing was removed. Please close Jaws and try again." + named << 5;
    // Nothing changed: no report is named, removing twice is harmless.
    QTest::newRow("nothing to remove in the named JAWS, page")
        << Run::Removal << Shown::OnLastPage << Verdict::NothingToRemove << QString() << false << jawsFolder
        << QStringLiteral("The Korvalis Braille driver is not installed in %1: there is nothing to remove.").arg(jawsFolder) << 0;
    QTest::newRow("nothing to remove in any JAWS, page")
        << Run::Removal << Shown::OnLastPage << Verdict::NothingToRemove << QString() << false << QString()
        << "The Korvalis Braille driver is installed in no Jaws on this computer: there is nothing to remove." << 0;
    QTest::newRow("removed, unattended") << Run::Removal << Shown::OnStandardOutput << Verdict::Done << report << false << QString()
                                         << "Removal correctly done." << 0;
    QTest::newRow("nothing to remove, unattended") << Run::Removal << Shown::OnStandardOutput << Verdict::NothingToRemove << QString() << false
                                                   << jawsFolder << "Removal correctly done." << 0;
    QTest::newRow("removed, changes kept, unattended") << Run::Removal << Shown::OnStandardOutput << Verdict::DoneWithRemarks << report << false
                                                       << QString() << "Removal correctly done." << 0;
    QTest::newRow("damaged record, unattended") << Run::Removal << Shown::OnStandardOutput << Verdict::NotDone << report << false << QString()
                                                << QStringLiteral("Error during removal. Please check the %1 file for details.").arg(report) << 1;
    QTest::newRow("JAWS not closed for the removal, unattended")
        << Run::Removal << Shown::OnStandardOutput << Verdict::JawsNotClosed << report << false << QString()
        << QStringLiteral("Error during removal. Please check the %1 file for details.").arg(report) << 5;
    QTest::newRow("removal interrupted, report nowhere, unattended")
        << Run::Removal << Shown::OnStandardOutput << Verdict::Cancelled << QString() << false << QString()
        << "Error during removal. The report is on the standard error stream." << 6;
}

void tst_RunSummary::sentenceAndExitCode()
{
    QFETCH(Run, run);
    QFETCH(Shown, shown);
    QFETCH(Verdict, verdict);
    QFETCH(QString, reportPath);
    QFETCH(bool, awayFromProgram);
    QFETCH(QString, folder);
    QFETCH(QString, sentence);
    QFETCH(int, exitCode);

    RunSummary summary(run, verdict);
    summary.setReportPath(reportPath);
    summary.setReportAwayFromProgram(awayFromProgram);
    summary.setJawsFolder(folder);
    QCOMPARE(summary.sentence(shown), sentence);
    QCOMPARE(summary.exitCode(), exitCode);
}

// A run over several JAWS installations ends as the worst of them: the higher exit code, the
// first of two that share one.
void tst_RunSummary::worstOfSeveral_data()
{
    QTest::addColumn<Verdict>("first");
    QTest::addColumn<Verdict>("second");
    QTest::addColumn<Verdict>("worse");

    QTest::newRow("errors after success") << Verdict::Done << Verdict::DoneWithErrors << Verdict::DoneWithErrors;
    QTest::newRow("success after errors") << Verdict::DoneWithErrors << Verdict::Done << Verdict::DoneWithErrors;
    QTest::newRow("interrupted after JAWS not closed") << Verdict::JawsNotClosed << Verdict::Cancelled << Verdict::Cancelled;
    QTest::newRow("JAWS not closed after a folder gone") << Verdict::NoSuchJaws << Verdict::JawsNotClosed << Verdict::JawsNotClosed;
    QTest::newRow("package incomplete after a folder gone") << Verdict::PackageIncomplete << Verdict::NoSuchJaws << Verdict::PackageIncomplete;
    QTest::newRow("nothing to remove after a removal") << Verdict::Done << Verdict::NothingToRemove << Verdict::Done;
    QTest::newRow("a damaged record after errors") << Verdict::DoneWithErrors << Verdict::NotDone << Verdict::DoneWithErrors;
}

void tst_RunSummary::worstOfSeveral()
{
    QFETCH(Verdict, first);
    QFETCH(Verdict, second);
    QFETCH(Verdict, worse);
    QCOMPARE(RunSummary::worse(first, second), worse);
}

QTEST_APPLESS_MAIN(tst_RunSummary)
#include "tst_runsummary.moc"
