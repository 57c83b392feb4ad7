/* The program's exit codes, as --help and the README list them. One list for the three pieces
 * that give or read them: the program, its launcher (which answers for a program it cannot load)
 * and the Windows Installer package's custom action, which is plain C: hence a plain enum and
 * nothing but it here. The numbers are what deployment tools are told: they never change. */
#pragma once

enum ExitCode {
    /* Installed, or removed (a removal that found nothing to remove too). */
    ExitSucceeded = 0,
    /* Ended, with ERROR lines in the report: what could be done was done. */
    ExitEndedWithErrors = 1,
    /* The command line is wrong: nothing was done. */
    ExitWrongUsage = 2,
    ExitNoSuchJaws = 3,
    /* A file of the package, or of the program itself, is missing: nothing was installed. */
    ExitPackageIncomplete = 4,
    /* JAWS could not be closed, or runs where the program cannot reach it. */
    ExitJawsNotClosed = 5,
    /* Interrupted: Ctrl+C, a closed console, logoff, shutdown, SIGINT, SIGTERM. */
    ExitCancelled = 6,
    /* Windows Installer's "another installation is in progress", which deployment tools retry. */
    ExitAnotherRunInProgress = 1618
};
