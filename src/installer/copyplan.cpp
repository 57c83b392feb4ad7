#include "copyplan.h"

#include "installpackage.h"
#include "jawstarget.h"

#include "copy/copythread.h"
#include "paths/windowspath.h"

#include <QDir>
#include <QFileInfo>

namespace {
// The levels of `folder` that do not exist, parents first.
QStringList missingLevels(const QString &folder)
{
    // An empty path names the current folder, which exists: nothing is missing for it.
    QStringList missing;
    if (folder.isEmpty())
        return missing;
    for (QString level = QFileInfo(folder).absoluteFilePath(); !level.isEmpty() && !QFileInfo::exists(level); level = QFileInfo(level).path()) {
        missing.prepend(level);
        if (QFileInfo(level).path() == level)
            break;
    }
    return missing;
}
} // namespace

CopyPlan::CopyPlan(const InstallPackage &package, JawsTarget &target)
    : m_package(package)
    , m_target(target)
{
}

void CopyPlan::appendTheFiles(const QString &sourceRoot, const QString &destinationFolder, const QStringList &toBeCopied)
{
    for (const QString &name : toBeCopied) {
        m_sourceFiles.append(sourceRoot + QDir::separator() + name);
        m_destinationFiles.append(destinationFolder + QDir::separator() + name);
    }
}

bool CopyPlan::prepare()
{
    if (!m_target.computeFolders(m_package.folder()))
        return false;
    QStringList toBeCopied;
    QStringList driversToBeCopied;
    QMap<QString, QStringList> toBeCopiedIntoManualsFolder;
    // Only language folders that JAWS already has receive manuals. No folder is made yet: the
    // record names them before they are (writeIntentRecord).
    m_package.readInstallList(toBeCopied, driversToBeCopied, toBeCopiedIntoManualsFolder, m_target.languageFolders(m_target.manualsFolder()));
    appendTheFiles(m_package.folder(), m_target.programFolder(), toBeCopied);
    appendTheFiles(m_package.folder(), m_target.driverFolder(), driversToBeCopied);
    for (auto language = toBeCopiedIntoManualsFolder.cbegin(); language != toBeCopiedIntoManualsFolder.cend(); ++language)
        appendTheFiles(m_package.folder(), m_target.manualsFolder() + QDir::separator() + language.key(), language.value());
    m_sourceOfDestination.clear();
    m_existingDestinations.clear();
    for (qsizetype i = 0; i < m_destinationFiles.size(); ++i) {
        m_sourceOfDestination.insert(WindowsPath::key(m_destinationFiles.at(i)), m_sourceFiles.at(i));
        if (QFileInfo::exists(m_destinationFiles.at(i)))
            m_existingDestinations.insert(WindowsPath::key(m_destinationFiles.at(i)));
    }
    return true;
}

QString CopyPlan::sourceOf(const QString &destination) const
{
    return m_sourceOfDestination.value(WindowsPath::key(destination));
}

bool CopyPlan::existedBefore(const QString &destination) const
{
    return m_existingDestinations.contains(WindowsPath::key(destination));
}

bool CopyPlan::allInPlace() const
{
    if (m_sourceFiles.isEmpty() || m_sourceFiles.size() != m_destinationFiles.size())
        return false;
    for (int i = 0; i < m_sourceFiles.size(); ++i) {
        if (!CopyThread::sameContent(m_sourceFiles.at(i), m_destinationFiles.at(i)))
            return false;
    }
    return true;
}

QStringList CopyPlan::missingFolders() const
{
    QStringList folders;
    QSet<QString> seen;
    QStringList wanted{ m_target.driverFolder(), m_target.manualsFolder() };
    // A run into every JAWS lists the files of its earlier installations too.
    for (const QString &destination : m_destinationFiles) {
        if (WindowsPath::isInside(destination, m_target.jawsFolder()))
            wanted << QFileInfo(destination).absolutePath();
    }
    for (const QString &folder : std::as_const(wanted)) {
        for (const QString &level : missingLevels(folder)) {
            const QString key = WindowsPath::key(level);
            if (!seen.contains(key)) {
                seen.insert(key);
                folders << QDir::toNativeSeparators(level);
            }
        }
    }
    return folders;
}
