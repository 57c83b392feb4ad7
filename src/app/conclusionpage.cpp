#include "conclusionpage.h"

#include "globals.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QSaveFile>
#include <QPixmap>
#include <QVBoxLayout>
#include <QWizard>

ConclusionPage::ConclusionPage(QWidget *parent)
    : QWizardPage(parent)
{
    setTitle(tr("Ending process"));
    setPixmap(QWizard::WatermarkPixmap, QPixmap(QStringLiteral(":/InstallQuorOlma/Resources/Quor12-40.PNG")));
    // Both sentences are reached with Tab and read by the screen reader.
    finishLabel = new QLabel;
    finishLabel->setWordWrap(true);
    finishLabel->setFocusPolicy(Qt::TabFocus);
    resultLabel = new QLabel;
    resultLabel->setWordWrap(true);
    resultLabel->setFocusPolicy(Qt::TabFocus);

    auto *layout = new QVBoxLayout;
    layout->addWidget(resultLabel);
    layout->addWidget(finishLabel);
    setLayout(layout);
}

void ConclusionPage::publishReport()
{
    // Without a chosen JAWS folder the destination would be a file at the root of a drive: the
    // report then stays beside the program only.
    const QString programFolder = jawsInstaller.programFolder();
    Report &report = jawsInstaller.report();
    // A report that could not be opened holds nothing of the earlier runs: putting it in place of
    // the file there would lose their history.
    if (programFolder.isEmpty() || !report.isOpen())
        return;
    const QString destination = programFolder + QDir::separator() + QStringLiteral("installLog.txt");
    // Run from the JAWS folder itself, the report is already there: appending it to itself
    // would repeat it.
    if (QFileInfo(destination) == QFileInfo(report.fileName())) {
        jawsInstaller.setReportPath(destination);
        return;
    }
    if (!report.appendFile(destination))
        return;
    // This run's lines, then the earlier report from the JAWS folder, now appended to them:
    // newest run first. Runs made earlier from the same package folder are already in that
    // earlier report, and are not repeated. The file is replaced in one step, so a failed
    // write leaves the earlier report as it was.
    const QByteArray published = report.thisRun();
    QSaveFile file(destination);
    if (!published.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(published) == published.size() && file.commit())
        jawsInstaller.setReportPath(destination);
}

void ConclusionPage::initializePage()
{
    publishReport();

    if (jawsInstaller.hasErrors())
        resultLabel->setText(tr("Error during installation. Please check the %1 file for details.")
                                 .arg(QDir::toNativeSeparators(jawsInstaller.reportPath())));
    else
        resultLabel->setText(tr("Installation correctly done."));

    QString finishText = wizard() ? wizard()->buttonText(QWizard::FinishButton) : QString();
    finishText.remove(QLatin1Char('&'));
    finishLabel->setText(tr("Click %1 to end the installation process.").arg(finishText));

    jawsInstaller.endReport();
}
