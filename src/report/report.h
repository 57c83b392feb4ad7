#pragma once

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
    Report() = default;
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    // Binds the report to `path` (appending to an existing file) and writes the run's header.
    // On failure the user is told once, and later lines reach no file.
    bool open(const QString &path);

    // Writes `text` unchanged, then a line end when `newline` is set.
    void writeLine(const QString &text, bool newline = true);

    // The lines of the usual outcomes, "OK : ..." or "ERROR : ...".
    static QString sectionAddedLine(const QString &section, const QString &path, bool ok);
    static QString tableSelectedLine(const QString &table, const QString &path, bool ok);
    static QString folderCreatedLine(const QString &path, bool ok);
    static QString fileCopiedLine(const QString &path, bool ok);
    static QString fileSavedLine(const QString &path, bool ok);
    static QString fileDeletedLine(const QString &path, bool ok);

    // Copies the whole text of `path` into the report. True unless that file exists and cannot
    // be opened (then the user is told).
    bool appendFile(const QString &path);

    QString fileName() const;
    // False before open() and when opening failed: then no line reaches a file.
    bool isOpen() const { return file.isOpen(); }
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

    QFile file;
    QTextStream stream;
    qint64 runStart = 0;
};
