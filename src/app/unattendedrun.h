#pragma once

#include "installer/jawsclosing.h"
#include "runsummary.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class CommandLine;
class Installation;
class Removal;

// An installation, or with --remove a removal by each JAWS installation's record, without a
// window, for the people who set up many machines: the choices come from the command line, each
// step is told on the standard output, the report is published into each JAWS folder installed
// into (and written to --log), and the exit code says how it went. The package folder is only
// read: many machines may run from one share at the same time.
class UnattendedRun
{
    Q_DECLARE_TR_FUNCTIONS(UnattendedRun)

public:
    UnattendedRun(const CommandLine &commandLine, const QStringList &arguments);

    // Finds the JAWS folders the command line names; when there is none, says so on the standard
    // error stream and touches nothing. Records whose folder holds no JAWS program are named on
    // the standard output when they were passed over.
    bool chooseJawsFolders();
    // False, on the standard error stream, for a --log that names anything but a plain file, or
    // a file of a JAWS installation or of its settings: wrong usage, nothing done.
    bool logFileAllowed();
    // False, saying why on the standard error stream, when a JAWS runs where this program cannot
    // reach it (in a user's session while the program runs as SYSTEM): it could be neither
    // closed nor restarted, so nothing is touched and a deployment tool may try again later.
    bool jawsWithinReach();
    // The whole installation into those folders (or removal from them), from the report's first
    // line after its header to its last; the exit code, the worst of the installations'.
    int run();
    // Stops the run as a cancel: nothing more is copied or configured, a JAWS closed here is
    // started again. From the event loop, at any moment.
    void interrupt();

    // The listed folders that `wanted` names: the one that names it as Windows compares paths
    // (either separator, any case, a trailing separator or not); for "latest", the installed JAWS
    // of the highest version; for "all", every installed JAWS. Installed means the folder holds
    // the JAWS program: the other listed folders go to `passedOver` (for "latest" and "all").
    static QStringList chooseJawsFolders(const QString &wanted, const QStringList &listed, QStringList *passedOver = nullptr);

private:
    void say(const QString &line) const;
    bool writeLog(const QByteArray &run) const;
    // One installation of the run; how it went.
    RunSummary::Verdict installInto(const QString &folder);
    // One removal of the run; how it went.
    RunSummary::Verdict removeFrom(const QString &folder);
    bool removing() const;

    const CommandLine &commandLine;
    QStringList arguments;
    QStringList jawsFolders;
    Installation *current = nullptr;
    Removal *currentRemoval = nullptr;
    bool removedAny = false;
    bool interrupted = false;
    // JAWS is closed once for the whole run, by its first installation or removal that finds it
    // running, and given back once at its end.
    JawsClosing jawsClosing;
    QStringList programFolders;
};
