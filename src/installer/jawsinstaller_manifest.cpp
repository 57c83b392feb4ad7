#include "jawsinstaller.h"

#include "ini/inifile.h"
#include "paths/windowspath.h"
#include "platform/filecopy.h"

#include <QDir>
#include <QFileInfo>

QString JawsInstaller::manifestPath() const
{
    return m_sourceFolder + QDir::separator() + QStringLiteral("list.install");
}

QMap<QString, QStringList> JawsInstaller::readSectionsMap(const QString &file) const
{
    QMap<QString, QStringList> sectionsMap;
    IniFile ini(file);
    const QStringList sectionsNames = ini.sectionNames();
    for (const QString &name : sectionsNames)
        sectionsMap.insert(name, ini.section(name));
    return sectionsMap;
}

// The plain, visible files (and named pipes) directly in the package folder that match one of
// the section's patterns (wildcards, without regard to case), sorted by name without regard to
// case. Section names are looked up exactly as written.
QStringList JawsInstaller::matchingFiles(const QMap<QString, QStringList> &sectionsMap, const QString &section) const
{
    const auto patterns = sectionsMap.constFind(section);
    if (patterns == sectionsMap.constEnd() || patterns->isEmpty())
        return {};
    // A named pipe counts as a file: what its writer sends is its content (no Windows folder
    // holds one). Sockets, devices and dangling links do not.
    const QDir folder(m_sourceFolder);
    QStringList names = folder.entryList(*patterns, QDir::Files | QDir::System, QDir::Name | QDir::IgnoreCase);
    names.removeIf([&folder](const QString &name) {
        const QString path = folder.filePath(name);
        return !QFileInfo(path).isFile() && !Platform::isNamedPipe(path);
    });
    return names;
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
    // Only language folders that JAWS already has receive manuals. No folder is made yet: the
    // record names them before they are (writeIntentRecord).
    readInstallList(toBeCopied, driversToBeCopied, toBeCopiedIntoManualsFolder);
    appendTheFiles(m_sourceFolder, m_programFolder, toBeCopied);
    appendTheFiles(m_sourceFolder, m_driverFolder, driversToBeCopied);
    for (auto language = toBeCopiedIntoManualsFolder.cbegin(); language != toBeCopiedIntoManualsFolder.cend(); ++language)
        appendTheFiles(m_sourceFolder, m_manualsFolder + QDir::separator() + language.key(), language.value());
    m_sourceOfDestination.clear();
    m_existingDestinations.clear();
    for (qsizetype i = 0; i < m_destinationFiles.size(); ++i) {
        m_sourceOfDestination.insert(WindowsPath::key(m_destinationFiles.at(i)), m_sourceFiles.at(i));
        if (QFileInfo::exists(m_destinationFiles.at(i)))
            m_existingDestinations.insert(WindowsPath::key(m_destinationFiles.at(i)));
    }
    return true;
}

QString JawsInstaller::driverFileName()
{
    return QStringLiteral("QuorOlma.jlb");
}

QStringList JawsInstaller::requiredPackageFiles()
{
    return { QStringLiteral("list.install"), driverFileName(), QStringLiteral("braille.ini") };
}

QString JawsInstaller::deviceSection(const QString &deviceName) const
{
    if (deviceName.isEmpty())
        return QString();
    // Found by name, wherever the section stands in the file: the profile functions compare
    // section names without regard to case.
    const QStringList sections = IniFile(m_sourceFolder + QDir::separator() + QStringLiteral("braille.ini")).sectionNames();
    for (const QString &section : sections) {
        if (section.compare(deviceName, Qt::CaseInsensitive) == 0)
            return section;
    }
    return QString();
}

bool JawsInstaller::checkPackage()
{
    // A package folder emptied by an earlier run's clean-up, or unpacked only in part: settings
    // written from it would name a display or a table that is not there.
    bool complete = true;
    auto missing = [&](const QString &name) {
        record(StepResult::Step::Package, tr("ERROR : %1 is missing from the installation package: nothing was installed.")
                                              .arg(QDir::toNativeSeparators(m_sourceFolder + QDir::separator() + name)),
               StepResult::Outcome::Failed);
        complete = false;
    };
    if (IniFile(manifestPath()).sectionNames().isEmpty())
        missing(QStringLiteral("list.install"));
    if (!QFileInfo(m_sourceFolder + QDir::separator() + driverFileName()).isFile())
        missing(driverFileName());
    const QString brailleIni = m_sourceFolder + QDir::separator() + QStringLiteral("braille.ini");
    if (!QFileInfo(brailleIni).isFile()) {
        missing(QStringLiteral("braille.ini"));
    } else if (deviceSection(m_selectedDevice).isEmpty()) {
        record(StepResult::Step::Package, tr("ERROR : %1 of the installation package has no [%2] section: nothing was installed.")
                                              .arg(QDir::toNativeSeparators(brailleIni), m_selectedDevice),
               StepResult::Outcome::Failed);
        complete = false;
    }
    return complete;
}
