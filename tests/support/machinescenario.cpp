#include "machinescenario.h"

MachineScenario &MachineScenario::withJaws(TestMachine::Jaws kind)
{
    jawsKind = kind;
    return *this;
}

MachineScenario &MachineScenario::withAnotherJaws(const QString &key, const QString &jfwFixture)
{
    others.append({ key, jfwFixture });
    return *this;
}

MachineScenario &MachineScenario::jfwInLowerCase()
{
    lowerCaseJfw = true;
    return *this;
}

MachineScenario &MachineScenario::withRecordOfUninstalledJaws(const QString &key)
{
    uninstalledRecord = key;
    return *this;
}

MachineScenario &MachineScenario::jawsRunning()
{
    running = true;
    return *this;
}

MachineScenario &MachineScenario::packageMissing(const QString &file)
{
    missingFiles.append(file);
    return *this;
}

MachineScenario &MachineScenario::packageFile(const QString &file, const QByteArray &content)
{
    changedFiles.append({ file, content });
    return *this;
}

MachineScenario &MachineScenario::jawsFileReadOnly(const QString &file)
{
    readOnlyFiles.append(file);
    return *this;
}

MachineScenario &MachineScenario::withRegistryTarget(const QString &registryTarget)
{
    // Empty, not null: TestMachine takes a null Target for "the folder itself".
    target = registryTarget.isNull() ? QStringLiteral("") : registryTarget;
    return *this;
}

MachineScenario &MachineScenario::packageReadOnly()
{
    readOnlyPackage = true;
    return *this;
}

MachineScenario &MachineScenario::programCopyOfVersion(const QString &version)
{
    copyVersion = version;
    return *this;
}

MachineScenario &MachineScenario::appsListEntryOfEarlierName()
{
    earlierEntry = true;
    return *this;
}

MachineScenario &MachineScenario::machineLockHeld()
{
    lockHeld = true;
    return *this;
}

MachineScenario &MachineScenario::logIsLink()
{
    logLink = true;
    return *this;
}

MachineScenario &MachineScenario::withProgramsOwnEntry()
{
    ownEntry = true;
    return *this;
}

MachineScenario &MachineScenario::sameCommandRunBefore()
{
    runBefore = true;
    return *this;
}

MachineScenario &MachineScenario::packageUsedOnAnotherMachineFirst()
{
    anotherMachineFirst = true;
    return *this;
}

MachineScenario &MachineScenario::runBeforeWhileJawsFileReadOnly(const QString &file)
{
    readOnlyBefore = file;
    return *this;
}

MachineScenario &MachineScenario::installed(const QString &display)
{
    installationsBefore.append({ false, display });
    return *this;
}

MachineScenario &MachineScenario::installedIntoAll(const QString &display)
{
    installationsBefore.append({ true, display });
    return *this;
}

MachineScenario &MachineScenario::installationKilledAt(const QString &state)
{
    killedState = state;
    return installed();
}

MachineScenario &MachineScenario::changedBetweenInstallations()
{
    changedBefore = int(installationsBefore.size());
    return *this;
}

MachineScenario &MachineScenario::displayChosenBetweenInstallations()
{
    displayChosenBefore = int(installationsBefore.size());
    return *this;
}

MachineScenario &MachineScenario::userSwitchedDisplay()
{
    switchedDisplay = true;
    return *this;
}

MachineScenario &MachineScenario::userAddedDisplay()
{
    addedDisplay = true;
    return *this;
}

MachineScenario &MachineScenario::jawsUninstalled(bool itsRecordToo)
{
    uninstalled = true;
    recordDeleted = itsRecordToo;
    return *this;
}

MachineScenario &MachineScenario::stopped(Stop how)
{
    stopHow = how;
    return *this;
}

MachineScenario &MachineScenario::runAgainAfterwards()
{
    again = true;
    return *this;
}
