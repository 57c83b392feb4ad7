#pragma once

#include "support/testmachine.h"

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

// How the machine of a run of the program differs from a freshly made TestMachine, what happened
// on it before the run and what happens to the run itself: a table row says it with these calls,
// read in the order they happen, e.g.
//     MachineScenario().installed().changedBetweenInstallations().installedIntoAll()
class MachineScenario
{
public:
    // How the run under test is stopped while it works. For a signal the test holds a file the run
    // waits for, then sends the signal once the run has said the step it is in: whatever the
    // machine's speed, the signal comes in that step.
    enum class Stop {
        None,
        InterruptedWhileCopying, // SIGINT while a package file is held
        TerminatedWhileCopying,  // SIGTERM while a package file is held
        TerminatedWhileSettingsHeld, // SIGTERM while the user's settings file is held (root only)
        TerminatedWhileRemoving, // SIGTERM while one of the driver's files is held
        CancelledAtTheWarning,   // the wizard's user presses Escape at the box that warns of JAWS's close
    };
    // One installation made by the program before the run, into the machine's JAWS or into all.
    struct Installation
    {
        bool allJaws = false;
        QString display;
    };

    // --- The machine
    MachineScenario &withJaws(TestMachine::Jaws kind);
    // Another JAWS beside the first (TestMachine::addJaws), into which "all" installs too.
    MachineScenario &withAnotherJaws(const QString &key, const QString &jfwFixture);
    // The other JAWS's program file named "jfw.exe", as today's JAWS ships it.
    MachineScenario &jfwInLowerCase();
    // The registry record of a JAWS uninstalled since, whose folder is gone.
    MachineScenario &withRecordOfUninstalledJaws(const QString &key);
    // JAWS runs when the run starts: under Wine the JAWS double, natively as each test plays it.
    MachineScenario &jawsRunning();
    MachineScenario &packageMissing(const QString &file);
    // A file of the package that holds `content` instead of what the package maker shipped.
    MachineScenario &packageFile(const QString &file, const QByteArray &content);
    // A file of JAWS's program folder that cannot be written.
    MachineScenario &jawsFileReadOnly(const QString &file);
    // The Target of JAWS's registry record, instead of its folder.
    MachineScenario &withRegistryTarget(const QString &target);
    MachineScenario &packageReadOnly();
    // A copy of the program of this version in Program Files, as an earlier installation left it.
    MachineScenario &programCopyOfVersion(const QString &version);
    // An entry in the list of apps under the name an earlier program gave it (the folder's own).
    MachineScenario &appsListEntryOfEarlierName();
    // Another run of the program holds the machine.
    MachineScenario &machineLockHeld();
    // The --log file is a symbolic link.
    MachineScenario &logIsLink();

    // --- Before the run
    // Installed by the program itself, listed under its own entry, before a run of the package.
    MachineScenario &withProgramsOwnEntry();
    // The very command run once already.
    MachineScenario &sameCommandRunBefore();
    // The very command run once on another machine from the same package folder, the JAWS made
    // afresh since.
    MachineScenario &packageUsedOnAnotherMachineFirst();
    // The very command run once before, while a file of JAWS's program folder could not be
    // written: that run ended in an error; the file is writable again since.
    MachineScenario &runBeforeWhileJawsFileReadOnly(const QString &file);
    // Installed into the machine's JAWS by the command line (then changed as the calls after it
    // say); installed again by each further call.
    MachineScenario &installed(const QString &display = QStringLiteral("QUOR"));
    MachineScenario &installedIntoAll(const QString &display = QStringLiteral("QUOR"));
    // An installation stopped as it enters `state` ("Copying", "Configuring"), over an older help
    // file of the driver's name.
    MachineScenario &installationKilledAt(const QString &state);
    // Before the next installation: the user sets values of their own and a JAWS update rewrites
    // jfw.ini (a value of its own, the driver's displays gone).
    MachineScenario &changedBetweenInstallations();
    // Before the next installation the user chooses another display (ALVA).
    MachineScenario &displayChosenBetweenInstallations();
    // After the installations: the user chooses another display (ALVA).
    MachineScenario &userSwitchedDisplay();
    // After the installations: the user adds a display of their own to jfw.ini.
    MachineScenario &userAddedDisplay();
    // After the installations JAWS is uninstalled: its folder goes, and with `itsRecordToo` its
    // registry record.
    MachineScenario &jawsUninstalled(bool itsRecordToo = false);

    // --- The run
    MachineScenario &stopped(Stop how);
    // The run is made once more after the one under test, which must have nothing left to do.
    MachineScenario &runAgainAfterwards();

    TestMachine::Jaws jaws() const { return jawsKind; }
    const QList<QPair<QString, QString>> &otherJaws() const { return others; }
    bool isJfwInLowerCase() const { return lowerCaseJfw; }
    QString uninstalledJawsRecord() const { return uninstalledRecord; }
    bool isJawsRunning() const { return running; }
    QStringList missingPackageFiles() const { return missingFiles; }
    const QList<QPair<QString, QByteArray>> &changedPackageFiles() const { return changedFiles; }
    QStringList readOnlyJawsFiles() const { return readOnlyFiles; }
    std::optional<QString> registryTarget() const { return target; }
    bool isPackageReadOnly() const { return readOnlyPackage; }
    QString programCopyVersion() const { return copyVersion; }
    bool hasAppsListEntryOfEarlierName() const { return earlierEntry; }
    bool isMachineLockHeld() const { return lockHeld; }
    bool isLogALink() const { return logLink; }
    bool hasProgramsOwnEntry() const { return ownEntry; }
    bool isSameCommandRunBefore() const { return runBefore; }
    bool isPackageUsedOnAnotherMachineFirst() const { return anotherMachineFirst; }
    QString readOnlyJawsFileInRunBefore() const { return readOnlyBefore; }
    const QList<Installation> &installations() const { return installationsBefore; }
    // Whether the run under test removes what installations() put there.
    bool isInstalledBefore() const { return !installationsBefore.isEmpty(); }
    QString killedAt() const { return killedState; }
    // The installation before which the user and a JAWS update changed things; -1: none.
    int changedBeforeInstallation() const { return changedBefore; }
    int displayChosenBeforeInstallation() const { return displayChosenBefore; }
    bool hasUserSwitchedDisplay() const { return switchedDisplay; }
    bool hasUserAddedDisplay() const { return addedDisplay; }
    bool isJawsUninstalled() const { return uninstalled; }
    bool isJawsRecordDeleted() const { return recordDeleted; }
    Stop stop() const { return stopHow; }
    bool isRunAgainAfterwards() const { return again; }

private:
    TestMachine::Jaws jawsKind = TestMachine::Jaws::Version10;
    QList<QPair<QString, QString>> others;
    bool lowerCaseJfw = false;
    QString uninstalledRecord;
    bool running = false;
    QStringList missingFiles;
    QList<QPair<QString, QByteArray>> changedFiles;
    QStringList readOnlyFiles;
    std::optional<QString> target;
    bool readOnlyPackage = false;
    QString copyVersion;
    bool earlierEntry = false;
    bool lockHeld = false;
    bool logLink = false;
    bool ownEntry = false;
    bool runBefore = false;
    bool anotherMachineFirst = false;
    QString readOnlyBefore;
    QList<Installation> installationsBefore;
    QString killedState;
    int changedBefore = -1;
    int displayChosenBefore = -1;
    bool switchedDisplay = false;
    bool addedDisplay = false;
    bool uninstalled = false;
    bool recordDeleted = false;
    Stop stopHow = Stop::None;
    bool again = false;
};

Q_DECLARE_METATYPE(MachineScenario)
