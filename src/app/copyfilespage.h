#pragma once

#include "installer/installation.h"

#include <QLineEdit>
#include <QWizardPage>

#include <memory>

class QLabel;
class QProgressBar;

// Page 2, where the installation happens: a view of the installation, which warns before JAWS
// is closed, shows the copy's progress, and moves on by itself once JAWS is configured and
// given back. Next stays disabled until then.
class CopyFilesPage : public QWizardPage
{
    Q_OBJECT

public:
    explicit CopyFilesPage(QWidget *parent = nullptr);
    ~CopyFilesPage() override;

    void initializePage() override;
    bool validatePage() override;

    Installation &installation() { return m_installation; }

public slots:
    // The wizard was cancelled or closed: the installation stops after the current file, the
    // report says so and the JAWS closed here is given back.
    void cancelInstallation();

private slots:
    // Started once the wizard has settled on this page, so that a key pressed while JAWS is
    // being closed meets this page's buttons (Next disabled until the end), not the last page's.
    void startInstallation();
    void installationFinished();

private:
    // Whether "jawsPath" names a row of the folder list.
    bool jawsRowChosen() const;
    // The folder at the "jawsPath" row, or empty when no row is chosen.
    QString chosenJawsFolder() const;
    void warnBeforeClosingJaws();

    QLabel *infoLabel;
    QLabel *currentFileLabel;
    QProgressBar *progressBar;
    std::unique_ptr<QLineEdit> copyDoneEdit; // never shown, outside the page's widgets
    Installation m_installation;
};
