#pragma once

#include "platform/safefiles.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QTextStream>

class QDateTime;

// The installation report "installLog.txt": the only record of a run. Every write is flushed,
// so the file on disk is complete after each call even if the program is killed later.
class Report
{
    Q_DECLARE_TR_FUNCTIONS(Report)

public:
    // What the run does, named by the first line of its block.
    enum class Run { Installation, Removal };

    Report() = default;
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    // Set before the report is opened; an installation unless told.
    void setRun(Run run) { m_run = run; }

    // Binds the report to `path` (appending to an existing file) and writes the run's header,
    // ending with `headerLine` when there is one. On failure the user is told once, and later
    // lines reach no file.
    bool open(const QString &path, const QString &headerLine = QString());
    // The same for a report that no file beside the program can hold (a package folder on a
    // read-only share, or one that many machines use at once): the lines are kept until they are
    // published. Never fails.
    void openInMemory(const QString &headerLine = QString());
    // Opens `path` as open() does when that file can be written, else keeps the report in
    // memory; nobody is told, since the report is published elsewhere.
    void openOrKeepInMemory(const QString &path, const QString &headerLine = QString());

    // Writes `text` unchanged, then a line end when `newline` is set.
    void writeLine(const QString &text, bool newline = true);

    // The lines of the usual outcomes, "OK : ..." or "ERROR : ...".
    static QString sectionAddedLine(const QString &section, const QString &path, bool ok);
    static QString tableSelectedLine(const QString &table, const QString &path, bool ok);
    // `reason`: the system's reason for a failure, added to the line when there is one.
    static QString folderCreatedLine(const QString &path, bool ok, const QString &reason = QString());
    static QString fileCopiedLine(const QString &path, bool ok, const QString &reason = QString());
    static QString fileSavedLine(const QString &path, bool ok, const QString &reason = QString());
    static QString fileDeletedLine(const QString &path, bool ok, const QString &reason = QString());
    // A failure's line with the system's reason after it ("…could not be replaced: Access is
    // denied."); the line as it is without one.
    static QString withReason(const QString &line, const QString &reason);
    // A file or folder the program would not touch: a link, or not a plain file.
    static QString refusedLine(const Platform::SafeFiles::Refusal &refusal);

    // Copies the whole text of `path` into the report. True unless that file exists and cannot
    // be opened (then the user is told).
    bool appendFile(const QString &path);

    // The file the report is bound to; empty when it is kept in memory.
    QString fileName() const;
    bool inMemory() const { return memory.isOpen(); }
    // Publishes into `path` what publishing needs: this run's lines followed by the whole
    // earlier text of that file. A report in memory is left as it was; a report in a file keeps
    // that text appended, as it always did. False when that file exists and cannot be read.
    bool publication(const QString &path, QByteArray &published);
    // False before open() and when opening failed: then no line reaches a file.
    bool isOpen() const { return file.isOpen() || memory.isOpen(); }
    // The file's bytes from this run's header on: earlier runs from the same folder left
    // theirs before it.
    QByteArray thisRun() const;

    // The line that opens and closes each run's block: 79 hyphens.
    static QString separatorLine();
    // A date and time in the text-date layout (day name, month name, day, hh:mm:ss, year) with
    // the day and month names of the system locale.
    static QString localTextDate(const QDateTime &dateTime);

private:
    void warnCannotOpen(const QString &path);
    bool openFile(const QString &path);
    void writeHeader(const QString &headerLine);

    QFile file;
    QString m_path; // the file's: a file opened by its handle has no name of its own
    QBuffer memory;
    QTextStream stream;
    qint64 runStart = 0;
    Run m_run = Run::Installation;
};
