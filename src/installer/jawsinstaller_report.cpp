#include "jawsinstaller.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void JawsInstaller::startReport()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    m_reportPath = programFolder + QDir::separator() + QStringLiteral("installLog.txt");
    m_report.open(m_reportPath);
    m_sourceFolder = programFolder;
}

void JawsInstaller::endReport()
{
    cleanUpPackageFolder();
    m_report.writeLine(Report::separatorLine());
}

QString JawsInstaller::packageKey(const QString &path) const
{
    const QString name = QFileInfo(path).fileName();
#ifdef Q_OS_WIN
    return name.toLower(); // one file, whatever the case it is named in
#else
    return name;
#endif
}

void JawsInstaller::recordPackageFileUse(const QString &sourcePath, bool ok)
{
    const QString key = packageKey(sourcePath);
    m_packageFileUses.insert(key, m_packageFileUses.value(key, true) && ok);
}

void JawsInstaller::recordCopy(const QString &destination, bool ok)
{
    const auto source = m_sourceOfDestination.constFind(QDir::toNativeSeparators(destination));
    if (source != m_sourceOfDestination.constEnd())
        recordPackageFileUse(*source, ok);
}

void JawsInstaller::addOwnPackageFile(const QString &path)
{
    if (!m_sourceFolder.isEmpty() && QFileInfo(path).absolutePath() == QFileInfo(m_sourceFolder).absoluteFilePath())
        m_ownPackageFiles.insert(packageKey(path));
}

// The package folder may be a folder the user keeps other files in (Downloads): only files
// whose content now lives in the JAWS folders go, never the program, its report or a file the
// installation did not use, whatever its name.
QStringList JawsInstaller::removablePackageFiles() const
{
    if (m_sourceFolder.isEmpty())
        return {};
    QSet<QString> removable;
    bool everythingDelivered = !m_hasErrors;
    for (auto use = m_packageFileUses.cbegin(); use != m_packageFileUses.cend(); ++use) {
        if (use.value())
            removable.insert(use.key());
        else
            everythingDelivered = false;
    }
    // Every run needs the manifest, the driver's braille.ini (the display names) and the
    // catalogues: they stay for a second run as long as anything is left to do.
    QSet<QString> neededByEveryRun = m_ownPackageFiles;
    neededByEveryRun.insert(packageKey(manifestPath()));
    neededByEveryRun.insert(packageKey(QStringLiteral("braille.ini")));
    if (everythingDelivered && !m_packageFileUses.isEmpty())
        removable.unite(neededByEveryRun);
    else
        removable.subtract(neededByEveryRun);
    removable.remove(packageKey(m_report.fileName()));
    removable.remove(packageKey(QCoreApplication::applicationFilePath()));

    QStringList files;
    const QDir folder(m_sourceFolder);
    for (const QString &name : folder.entryList(QDir::Files)) {
        if (removable.contains(packageKey(name)))
            files << folder.filePath(name);
    }
    return files;
}

void JawsInstaller::cleanUpPackageFolder()
{
    const QStringList files = removablePackageFiles();
    for (const QString &file : files)
        QFile::remove(file); // a file in use stays
    if (!files.isEmpty())
        QDir().rmdir(m_sourceFolder); // fails while anything else is left, as it should
}
