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

private:
    // The folder at the "jawsPath" row, or empty when no row is chosen.
    QString chosenJawsFolder() const;
    void restartJawsIfClosed(const QString &chosenFolder);
    // The report's last lines when the user stops the installation.
    void writeCancelled();

    QLabel *infoLabel;
    QLabel *currentFileLabel;
    QProgressBar *progressBar;
    std::unique_ptr<QLineEdit> copyDoneEdit; // never shown, outside the page's widgets
    CopyThread copyThread;
    bool jawsWasRunning;
    bool prepared = false; // the file lists were made
    bool copyStarted = false;
    bool cancelled = false;
    bool finished = false; // copy done and handled
};
