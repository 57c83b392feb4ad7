#pragma once

#include <QMutex>
#include <QStringList>
#include <QThread>

// Copies the installation's files on a thread of its own and tells, through queued signals,
// what it does: the current file, progress, each success or failure, the end. A file it
// replaces is never lost: the new one is swapped in whole, or the old one stays; one whose
// content differs is first kept under a numbered backup name beside it, as settings files are,
// and is not replaced when that backup cannot be made.
class CopyThread : public QThread
{
    Q_OBJECT

public:
    CopyThread();
    ~CopyThread() override;

    // Takes the two parallel lists, before the thread starts. False, keeping the old lists,
    // when their lengths differ.
    bool setLists(const QStringList &fromFiles, const QStringList &toFiles);
    // Bytes of the sources that exist.
    qint64 totalSize() const;
    bool isStopped();
    void setStopped(bool stopped);
    // Asks the copy to stop after the current file and waits until the thread has ended: the
    // one call an owner makes before it lets the object go.
    void stopAndWait();

    // The divisor that brings byte counts up to `total` into the range of an int.
    static qint64 progressUnit(qint64 total);
    // Whether two files hold the same bytes (false when either cannot be read).
    static bool sameContent(const QString &a, const QString &b);

signals:
    void setCurrentFile(const QString &destination);
    void setMaximum(int maximum);
    void setMinimum(int minimum);
    void setValue(int value);
    void copyDone();
    void copyFileSuccess(const QString &destination);
    // `reason`: the system's, when it gave one (else empty).
    void copyFileFails(const QString &destination, const QString &reason);
    // A package file that is a link, or lies behind one: not copied (copyFileFails follows).
    void copySourceRefused(const QString &link);
    // A file about to be replaced by other content was kept first under its numbered backup name.
    void copyFileBackedUp(const QString &destination, const QString &backup);
    void createDirectoryPathSuccess(const QString &folder);
    void createDirectoryPathFails(const QString &folder, const QString &reason);

public slots:
    void stop();

protected:
    void run() override;

private:
    QMutex mutex;
    bool stopped = false;
    bool abandoned = false; // set by stopAndWait(); a new run does not clear it
    QStringList fromFiles;
    QStringList toFiles;
};
