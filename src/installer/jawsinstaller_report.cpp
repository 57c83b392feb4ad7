#include "jawsinstaller.h"

#include <QDir>

void JawsInstaller::startReport()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    m_reportPath = programFolder + QDir::separator() + QStringLiteral("installLog.txt");
    m_report.open(m_reportPath);
    m_sourceFolder = programFolder;
}

void JawsInstaller::endReport()
{
    m_report.writeLine(Report::separatorLine());
}
