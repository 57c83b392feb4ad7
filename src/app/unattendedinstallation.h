#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class CommandLine;

// An installation without a window, for the people who set up many machines: the choices come
// from the command line, each step is told on the standard output, the report is written as the
// wizard writes it (and to --log), and the exit code says how it went.
class UnattendedInstallation
{
    Q_DECLARE_TR_FUNCTIONS(UnattendedInstallation)

public:
    UnattendedInstallation(const CommandLine &commandLine, const QStringList &arguments);

    // Finds the JAWS folder the command line names; when there is none, says so on the standard
    // error stream and touches nothing.
    bool chooseJawsFolder();
    // False, saying why on the standard error stream, when a JAWS runs where this program cannot
    // reach it (in a user's session while the program runs as SYSTEM): it could be neither
    // closed nor restarted, so nothing is touched and a deployment tool may try again later.
    bool jawsWithinReach();
    // The whole installation into that folder, from the report's first line after its header to
    // its last; the exit code.
    int run();

    // The listed folder that `wanted` names as Windows compares paths (either separator, any
    // case, a trailing separator or not), or, for "latest", the folder of the JAWS with the
    // highest version; empty when there is none.
    static QString chooseJawsFolder(const QString &wanted, const QStringList &listed);

private:
    void say(const QString &line) const;
    bool writeLog(const QString &path) const;

    const CommandLine &commandLine;
    QStringList arguments;
    QString jawsFolder;
};
