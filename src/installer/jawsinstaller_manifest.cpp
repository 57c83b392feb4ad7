#include "jawsinstaller.h"

#include "installer/iniprofile.h"

#include <QDir>

QString JawsInstaller::manifestPath() const
{
    return m_sourceFolder + QDir::separator() + QStringLiteral("list.install");
}

QMap<QString, QStringList> JawsInstaller::readSectionsMap(const QString &file) const
{
    QMap<QString, QStringList> sectionsMap;
    const QStringList sectionsNames = IniProfile::readSectionNames(file);
    for (const QString &name : sectionsNames)
        sectionsMap.insert(name, IniProfile::readSection(name, file));
    return sectionsMap;
}

// The plain, visible files directly in the package folder that match one of the section's
// patterns (wildcards, without regard to case), sorted by name without regard to case. Section
// names are looked up exactly as written.
QStringList JawsInstaller::matchingFiles(const QMap<QString, QStringList> &sectionsMap, const QString &section) const
{
    const auto patterns = sectionsMap.constFind(section);
    if (patterns == sectionsMap.constEnd() || patterns->isEmpty())
        return {};
    return QDir(m_sourceFolder).entryList(*patterns, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

void JawsInstaller::readInstallList(QStringList &toBeCopied, QStringList &driversToBeCopied,
                                    QMap<QString, QStringList> &toBeCopiedIntoManualsFolder) const
{
    const QMap<QString, QStringList> sectionsMap = readSectionsMap(manifestPath());
    if (sectionsMap.isEmpty())
        return;
    toBeCopied = matchingFiles(sectionsMap, QStringLiteral("COPY"));
    driversToBeCopied = matchingFiles(sectionsMap, QStringLiteral("DRIVERS_COPY"));
    for (const QString &language : languageFolders(m_manualsFolder)) {
        const QString section = QStringLiteral("%1_MANUALS_COPY").arg(language).toUpper();
        if (sectionsMap.contains(section))
            toBeCopiedIntoManualsFolder.insert(language, matchingFiles(sectionsMap, section));
    }
}

void JawsInstaller::mergeFileNames(QStringList &filesNames) const
{
    const QMap<QString, QStringList> sectionsMap = readSectionsMap(manifestPath());
    if (!sectionsMap.isEmpty())
        filesNames = matchingFiles(sectionsMap, QStringLiteral("MERGE"));
}

void JawsInstaller::appendTheFiles(const QString &sourceRoot, const QString &destinationFolder,
                                   const QStringList &toBeCopied)
{
    for (const QString &name : toBeCopied) {
        m_sourceFiles.append(sourceRoot + QDir::separator() + name);
        m_destinationFiles.append(destinationFolder + QDir::separator() + name);
    }
}

bool JawsInstaller::prepareCopy()
{
    if (!computeTargetFolders())
        return false;
    QStringList toBeCopied;
    QStringList driversToBeCopied;
    QMap<QString, QStringList> toBeCopiedIntoManualsFolder;
    // Read before the folders are created: only language folders that JAWS already has
    // receive manuals.
    readInstallList(toBeCopied, driversToBeCopied, toBeCopiedIntoManualsFolder);
    createTargetFolders();
    appendTheFiles(m_sourceFolder, m_programFolder, toBeCopied);
    appendTheFiles(m_sourceFolder, m_driverFolder, driversToBeCopied);
    for (auto language = toBeCopiedIntoManualsFolder.cbegin(); language != toBeCopiedIntoManualsFolder.cend(); ++language)
        appendTheFiles(m_sourceFolder, m_manualsFolder + QDir::separator() + language.key(), language.value());
    m_sourceOfDestination.clear();
    for (qsizetype i = 0; i < m_destinationFiles.size(); ++i)
        m_sourceOfDestination.insert(QDir::toNativeSeparators(m_destinationFiles.at(i)), m_sourceFiles.at(i));
    return true;
}
