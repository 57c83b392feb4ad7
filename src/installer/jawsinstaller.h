#pragma once

#include "report/report.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The installation engine: where the package's files come from, where they go in the chosen
// JAWS installation, the report of the run and whether anything failed. One object lives for
// the whole process.
class JawsInstaller
{
    Q_DECLARE_TR_FUNCTIONS(JawsInstaller)

public:
    JawsInstaller() = default;
    JawsInstaller(const JawsInstaller &) = delete;
    JawsInstaller &operator=(const JawsInstaller &) = delete;

    QString sourceFolder() const { return m_sourceFolder; }
    void setJawsFolder(const QString &path) { m_jawsFolder = path; }
    void setSelectedDevice(const QString &sectionName) { m_selectedDevice = sectionName; }
    QStringList sourceFiles() const { return m_sourceFiles; }
    QStringList destinationFiles() const { return m_destinationFiles; }
    QString programFolder() const { return m_programFolder; }
    void setHasErrors(bool hasErrors) { m_hasErrors = hasErrors; }
    bool hasErrors() const { return m_hasErrors; }
    QString reportPath() const { return m_reportPath; }
    void setReportPath(const QString &path) { m_reportPath = path; }
    Report &report() { return m_report; }

    // Opens the report beside the program, which is also the package folder.
    void startReport();
    // Closes the run's block in the report.
    void endReport();

private:
    QString m_sourceFolder;
    QString m_jawsFolder;
    QStringList m_destinationFiles;
    QStringList m_sourceFiles;
    QString m_programFolder;
    QString m_driverFolder;
    QString m_manualsFolder;
    QString m_sharedSettingsFolder;
    QString m_userSettingsFolder;
    QString m_selectedDevice;
    Report m_report;
    bool m_hasErrors = false;
    QString m_reportPath;
};
