#pragma once

#include "installer/copyplan.h"
#include "installer/installpackage.h"
#include "installer/installrecorder.h"
#include "installer/jawsconfiguration.h"
#include "installer/jawstarget.h"
#include "installer/runreport.h"
#include "installer/settingsmerge.h"
#include "installer/userkeymaps.h"

#include <QString>

// The installation engine of one process: the package, the JAWS installation being changed, the
// copy, its record, the configuration and the report of the run, wired to one another. It opens
// the run's report beside the package and publishes it, the package cleaned up first, into the
// JAWS program folder at the end.
class JawsInstaller
{
public:
    // `packageFolder` is the package's until startReport() takes the program's own folder.
    explicit JawsInstaller(const QString &packageFolder = QString());
    JawsInstaller(const JawsInstaller &) = delete;
    JawsInstaller &operator=(const JawsInstaller &) = delete;

    InstallPackage &package() { return m_package; }
    const InstallPackage &package() const { return m_package; }
    JawsTarget &target() { return m_target; }
    const JawsTarget &target() const { return m_target; }
    RunReport &runReport() { return m_runReport; }
    const RunReport &runReport() const { return m_runReport; }
    CopyPlan &copyPlan() { return m_copyPlan; }
    const CopyPlan &copyPlan() const { return m_copyPlan; }
    InstallRecorder &recorder() { return m_recorder; }
    SettingsMerge &settingsMerge() { return m_settingsMerge; }
    UserKeyMaps &keyMaps() { return m_keyMaps; }
    JawsConfiguration &jawsConfiguration() { return m_jawsConfiguration; }

    // Forgets the chosen JAWS installation and everything derived from it (the display chosen,
    // what was recorded of it); keeps the package folder, the file lists, the steps' results and
    // the report's path.
    void reset();
    // Derives the target folders of the chosen JAWS folder for the package (JawsTarget).
    bool computeTargetFolders() { return m_target.computeFolders(m_package.folder()); }

    // Opens the report beside the program, which is also the package folder; when that folder
    // cannot be written, or must not be, the report is kept in memory until it is published.
    void startReport(InstallPackage::FolderUse use = InstallPackage::FolderUse::ReportAndCleanUp,
                     Report::Run run = Report::Run::Installation);
    // Removes the package files that the installation used (once, and only when the package
    // folder may be changed), then puts this run's report at the head of the one in the JAWS
    // program folder, in one replacement of that file; the report's path then names it.
    void publishReport();
    // Removes the package files that the installation used unless done already, then closes
    // the run's block in the report.
    void endReport();

    // Short ways to the pieces for the tests and the pages that drive one installation.
    void setJawsFolder(const QString &path) { m_target.setJawsFolder(path); }
    QString jawsFolder() const { return m_target.jawsFolder(); }
    QString programFolder() const { return m_target.programFolder(); }
    void record(StepResult::Step step, const QString &text, StepResult::Outcome outcome = StepResult::Outcome::Note)
    {
        m_runReport.record(step, text, outcome);
    }
    void record(const QList<StepResult> &results) { m_runReport.record(results); }
    Report &report() { return m_runReport.report(); }
    bool hasErrors(qsizetype from = 0) const { return m_runReport.hasErrors(from); }
    const QList<StepResult> &results() const { return m_runReport.results(); }

private:
    RunReport m_runReport;
    InstallPackage m_package;
    JawsTarget m_target;
    CopyPlan m_copyPlan;
    InstallRecorder m_recorder;
    SettingsMerge m_settingsMerge;
    UserKeyMaps m_keyMaps;
    JawsConfiguration m_jawsConfiguration;
};
