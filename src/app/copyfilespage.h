#pragma once

#include "copy/copythread.h"

#include <QLineEdit>
#include <QWizardPage>

#include <memory>

class QLabel;
class QProgressBar;

// Page 2, where the installation happens: closes JAWS after a warning, copies the package's
// files on the worker thread while the progress is shown, then configures JAWS, starts it again
// if it was closed here, and moves on by itself.
class CopyFilesPage : public QWizardPage
{
    Q_OBJECT

public:
    explicit CopyFilesPage(QWidget *parent = nullptr);
    ~CopyFilesPage() override;

    void initializePage() override;
    bool validatePage() override;

public slots:
    void copyDone();
    void copyFileSuccess(const QString &filePath);
    void copyFileFails(const QString &filePath);
    void createDirectoryPathSuccess(const QString &dirPath);
    void createDirectoryPathFails(const QString &dirPath);
    // The wizard was cancelled or closed: stops the copy after its current file and waits for
    // it, records that in the report and gives the user back the JAWS this page closed.
    void cancelInstallation();

private slots:
    // The part of the installation that may let events run (the warning, closing JAWS) or takes
    // time: started once the wizard has settled on this page, so that a key pressed meanwhile
    // meets this page's buttons (Next disabled until the end) rather than the last page's.
    void startInstallation();

private:
    enum class State {
        NotStarted, // no JAWS row chosen: nothing happens on this page
        Starting,   // choices taken, the installation not yet begun
        ClosingJaws,
        Copying,
        Done,       // copied, configured, JAWS given back
        Cancelled,
    };

    // Whether "jawsPath" names a row of the folder list.
    bool jawsRowChosen() const;
    // The folder at the "jawsPath" row, or empty when no row is chosen.
    QString chosenJawsFolder() const;
    // Nothing more is done here: the report says why, and the wizard moves to the last page.
    void finishWithoutInstalling();
    void restartJawsIfClosed(const QString &chosenFolder);
    // The report's last lines when the user stops the installation.
    void writeCancelled();

    QLabel *infoLabel;
    QLabel *currentFileLabel;
    QProgressBar *progressBar;
    std::unique_ptr<QLineEdit> copyDoneEdit; // never shown, outside the page's widgets
    CopyThread copyThread;
    bool jawsWasRunning; // closed by this page, so started again by it
    State state = State::NotStarted;
};
