#pragma once

#include "common/exitcodes.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// What the program was asked to do on its command line, in the --name or the Windows /name form.
// Without --unattended the wizard starts, the toolkit taking its own options; any other argument
// that is not understood is wrong usage, with or without it, and nothing at all is done.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    enum class Mode {
        Wizard,
        Unattended,
        // --remove: the removal wizard (the command Windows' list of apps runs), or without a
        // window with --unattended.
        RemovalWizard,
        UnattendedRemoval,
        Help,
        Version,
        WrongUsage,
    };

    // `arguments` with the program's name first.
    explicit CommandLine(const QStringList &arguments);

    Mode mode() const { return m_mode; }
    // What is wrong, in one sentence, when mode() is WrongUsage.
    QString error() const { return m_error; }
    // "latest", "all" or a folder; for the removal wizard, empty when none was named.
    QString jaws() const { return m_jaws; }
    // The index of the display in the device table.
    int device() const { return m_device; }
    QString logFile() const { return m_logFile; }
    bool restartJaws() const { return m_restartJaws; }
    // Every user's settings, not only the interactive user's.
    bool allUsers() const { return m_allUsers; }
    // --msi: run by the driver's Windows Installer package, whose entry in the list of apps and
    // whose files stand for the program's own entries and copy.
    bool underWindowsInstaller() const { return m_underWindowsInstaller; }
    // --run-id: the identifier the installation run is recorded under, chosen by the caller
    // (empty: one is made). --undo-run: the installation run to take back alone (a removal).
    QString runId() const { return m_runId; }
    QString runToUndo() const { return m_runToUndo; }

    // The usage, the options and the exit codes, translated.
    static QString helpText();
    static QString versionText();

private:
    Mode m_mode = Mode::Wizard;
    QString m_error;
    QString m_jaws;
    int m_device = -1;
    QString m_logFile;
    bool m_restartJaws = true;
    bool m_allUsers = false;
    bool m_underWindowsInstaller = false;
    QString m_runId;
    QString m_runToUndo;
};
