#include "jawsinstaller.h"

#include "platform/safefiles.h"

#include <QCoreApplication>

JawsInstaller::JawsInstaller(const QString &packageFolder)
    : m_package(m_runReport, packageFolder)
    , m_copyPlan(m_package, m_target)
    , m_recorder(m_target, m_copyPlan, m_package, m_runReport)
    , m_settingsMerge(m_target, m_package)
    , m_keyMaps(m_target, m_runReport)
    , m_jawsConfiguration(m_target, m_package, m_runReport, m_settingsMerge, m_keyMaps, m_recorder)
{
}

void JawsInstaller::reset()
{
    m_target.reset();
    m_jawsConfiguration.setSelectedDevice(QString());
    m_recorder.reset();
    m_copyPlan.forgetExistingDestinations();
}

void JawsInstaller::startReport(InstallPackage::FolderUse use, Report::Run run)
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    m_package.start(programFolder, use);
    // The folder the program was started from is taken as it is named; nothing in it is followed.
    Platform::SafeFiles::addTrustedRoot(programFolder);
    const bool readOnly = use == InstallPackage::FolderUse::ReadOnly;
    m_runReport.start(run, readOnly ? QString() : programFolder, m_target.userHeaderLine());
}

void JawsInstaller::publishReport()
{
    if (!m_package.cleanedUp())
        m_package.cleanUp(m_target, m_copyPlan);
    // Without a chosen JAWS folder the destination would be a file at the root of a drive: the
    // report then stays beside the program only.
    if (!m_target.programFolder().isEmpty())
        m_runReport.publishInto(m_target.programFolder());
}

void JawsInstaller::endReport()
{
    if (!m_package.cleanedUp())
        m_package.cleanUp(m_target, m_copyPlan);
    m_runReport.report().writeLine(Report::separatorLine());
}
