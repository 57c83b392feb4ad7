#include "jawsinstaller.h"

#include "paths/windowspath.h"
#include "platform/filecopy.h"
#include "platform/safefiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void JawsInstaller::startReport(PackageFolderUse use, Report::Run run)
{
    m_report.setRun(run);
    const QString programFolder = QCoreApplication::applicationDirPath();
    m_sourceFolder = programFolder;
    // The folder the program was started from is taken as it is named; nothing in it is followed.
    Platform::SafeFiles::addTrustedRoot(programFolder);
    m_packageFolderReadOnly = use == PackageFolderUse::ReadOnly;
    m_cleanedUp = false;
    if (m_packageFolderReadOnly) {
        m_report.openInMemory(userHeaderLine());
        m_reportPath.clear();
        return;
    }
    m_reportPath = programFolder + QDir::separator() + QStringLiteral("installLog.txt");
    m_report.openOrKeepInMemory(m_reportPath, userHeaderLine());
    if (m_report.inMemory())
        m_reportPath.clear();
}

void JawsInstaller::publishReport()
{
    if (!m_cleanedUp)
        cleanUpPackageFolder();
    // Without a chosen JAWS folder the destination would be a file at the root of a drive: the
    // report then stays beside the program only.
    if (!m_programFolder.isEmpty())
        publishReportInto(m_programFolder);
}

bool JawsInstaller::publishReportInto(const QString &programFolder)
{
    Report &report = m_report;
    // A report that could not be opened holds nothing of the earlier runs: putting it in place of
    // the file there would lose their history.
    if (programFolder.isEmpty() || !report.isOpen())
        return false;
    const QString destination = programFolder + QDir::separator() + QStringLiteral("installLog.txt");
    // Run from the JAWS folder itself, the report is already there: appending it to itself
    // would repeat it.
    if (!report.inMemory() && WindowsPath::sameOnDisk(destination, report.fileName())) {
        m_reportPath = destination;
        return true;
    }
    // This run's lines, then the earlier report from the JAWS folder: newest run first. Runs
    // made earlier from the same package folder are already in that earlier report, and are
    // not repeated. The file is replaced in one step, so a failed write leaves the earlier
    // report as it was.
    QByteArray published;
    if (!report.publication(destination, published))
        return false;
    if (published.isEmpty() || Platform::SafeFiles::replace(destination, published) != Platform::SafeFiles::Status::Done)
        return false;
    m_reportPath = destination;
    return true;
}

void JawsInstaller::record(StepResult::Step step, const QString &text, StepResult::Outcome outcome)
{
    if (m_results.isEmpty() || m_results.constLast().step() != step)
        m_results.append(StepResult(step));
    m_results.last().add(text, outcome);
    m_report.writeLine(text);
}

void JawsInstaller::record(const QList<StepResult> &results)
{
    for (const StepResult &result : results) {
        for (const StepResult::Line &line : result.lines())
            m_report.writeLine(line.text);
    }
    m_results += results;
}

bool JawsInstaller::hasErrors(qsizetype from) const
{
    for (qsizetype i = from; i < m_results.size(); ++i) {
        if (m_results.at(i).failed())
            return true;
    }
    return false;
}

bool JawsInstaller::failed(StepResult::Step step, qsizetype from) const
{
    for (qsizetype i = from; i < m_results.size(); ++i) {
        if (m_results.at(i).step() == step && m_results.at(i).failed())
            return true;
    }
    return false;
}

void JawsInstaller::endReport()
{
    if (!m_cleanedUp)
        cleanUpPackageFolder();
    m_report.writeLine(Report::separatorLine());
}

QString JawsInstaller::packageKey(const QString &path) const
{
    return WindowsPath::key(QFileInfo(path).fileName()); // one file, whatever the case it is named in
}

void JawsInstaller::recordPackageFileUse(const QString &sourcePath, bool ok)
{
    const QString key = packageKey(sourcePath);
    m_packageFileUses.insert(key, m_packageFileUses.value(key, true) && ok);
}

namespace {
// A JAWS program folder (it holds jfw.exe), or any folder of JAWS's own tree.
bool isJawsFolder(const QString &path)
{
    if (!QDir(path).entryList({ QStringLiteral("jfw.exe") }, QDir::Files | QDir::Hidden | QDir::System).isEmpty())
        return true;
    for (QDir folder(QFileInfo(path).absoluteFilePath());; ) {
        if (WindowsPath::samePath(folder.dirName(), QStringLiteral("Freedom Scientific")))
            return true;
        if (!folder.cdUp())
            return false;
    }
}
} // namespace

void JawsInstaller::recordCopy(const QString &destination, bool ok)
{
    if (ok) {
        const QString key = WindowsPath::key(destination);
        InstallRecord::File file;
        file.path = destination;
        file.size = QFileInfo(destination).size();
        file.hash = InstallRecord::hashOfFile(destination);
        if (m_copyBackups.contains(key)) {
            file.before = InstallRecord::File::Before::Replaced;
            file.backup = m_copyBackups.value(key);
            // A removal puts the backup back only while it is what the copy made.
            file.backupHash = InstallRecord::hashOfFile(file.backup);
        } else if (m_existingDestinations.contains(key)) {
            file.before = InstallRecord::File::Before::Same;
        }
        m_copiedFiles << file;
    }
    const auto source = m_sourceOfDestination.constFind(WindowsPath::key(destination));
    if (source != m_sourceOfDestination.constEnd())
        recordPackageFileUse(*source, ok);
}

void JawsInstaller::recordCopyBackup(const QString &destination, const QString &backup)
{
    m_copyBackups.insert(WindowsPath::key(destination), backup);
}

void JawsInstaller::recordCreatedFolder(const QString &folder)
{
    m_createdFolders << folder;
}

void JawsInstaller::addOwnPackageFile(const QString &path)
{
    if (!m_sourceFolder.isEmpty() && WindowsPath::samePath(QFileInfo(path).absolutePath(), QFileInfo(m_sourceFolder).absoluteFilePath()))
        m_ownPackageFiles.insert(packageKey(path));
}

// The package folder may be a folder the user keeps other files in (Downloads): only files
// whose content now lives in the JAWS folders go, never the program, its report or a file the
// installation did not use, whatever its name.
QStringList JawsInstaller::removablePackageFiles() const
{
    if (m_sourceFolder.isEmpty())
        return {};
    // A package unpacked into a folder of JAWS (this one or another installed beside it) shares
    // it with JAWS's own files, and a file copied onto itself lives on nowhere else: nothing
    // goes. The program, driver and manuals folders all lie in the JAWS folder.
    for (const QString &target : { m_jawsFolder, m_sharedSettingsFolder, m_userSettingsFolder }) {
        if (!target.isEmpty() && WindowsPath::isSameOrInsideOnDisk(m_sourceFolder, target))
            return {};
    }
    if (isJawsFolder(m_sourceFolder))
        return {};
    // Only files the manifest names one by one: a wildcard may also match a file of the user's
    // that only happens to lie beside the package.
    QSet<QString> named;
    const QMap<QString, QStringList> sections = readSectionsMap(manifestPath());
    for (const QStringList &lines : sections) {
        for (const QString &line : lines) {
            if (!line.contains(QLatin1Char('*')) && !line.contains(QLatin1Char('?')) && !line.contains(QLatin1Char('[')))
                named.insert(packageKey(line.trimmed()));
        }
    }
    QSet<QString> removable;
    // Anything that failed may call for a second run.
    bool everythingDelivered = !hasErrors();
    for (auto use = m_packageFileUses.cbegin(); use != m_packageFileUses.cend(); ++use) {
        if (!use.value())
            everythingDelivered = false;
        else if (named.contains(use.key()))
            removable.insert(use.key());
    }
    // Every run needs the manifest, the driver, its braille.ini (the display names) and the
    // catalogues: they stay for a second run as long as anything is left to do.
    QSet<QString> neededByEveryRun = m_ownPackageFiles;
    for (const QString &name : requiredPackageFiles())
        neededByEveryRun.insert(packageKey(name));
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

// Where the content of the package files `files` now lives: their copies, and the folders of
// JAWS whose settings took in the merged ones.
QStringList JawsInstaller::deliveredContent(const QStringList &files) const
{
    QSet<QString> removed;
    for (const QString &file : files)
        removed.insert(packageKey(file));
    QStringList content;
    for (qsizetype i = 0; i < m_sourceFiles.size() && i < m_destinationFiles.size(); ++i) {
        if (removed.contains(packageKey(m_sourceFiles.at(i))) && QFileInfo::exists(m_destinationFiles.at(i)))
            content << m_destinationFiles.at(i);
    }
    for (const QString &folder : { m_jawsFolder, m_sharedSettingsFolder, m_userSettingsFolder }) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            content << folder;
    }
    return content;
}

void JawsInstaller::cleanUpPackageFolder()
{
    m_cleanedUp = true;
    if (m_packageFolderReadOnly)
        return;
    const QStringList files = removablePackageFiles();
    if (files.isEmpty())
        return;
    // A file leaves the package only once its content is on the disk in the JAWS folders: after
    // a power cut, one of the two is still there. When that cannot be made sure, all stay.
    const bool delivered = Platform::flushToDisk(deliveredContent(files));
    QStringList stayed; // each line that says so
    for (const QString &file : files) {
        // A file in use, or a folder the program may not change (a read-only share, a CD):
        // the installation itself is done, so this is no error.
        const Platform::SafeFiles::Result removed = delivered ? Platform::SafeFiles::remove(file)
                                                              : Platform::SafeFiles::Result(Platform::SafeFiles::Status::Failed);
        if (removed == Platform::SafeFiles::Status::Done)
            continue;
        const QString name = QDir::toNativeSeparators(file);
        stayed << (removed.reason().isEmpty() ? tr("The package file %1 could not be deleted: it stays.").arg(name)
                                              : tr("The package file %1 could not be deleted (%2): it stays.").arg(name, removed.reason()));
    }
    if (!stayed.isEmpty()) {
        m_report.writeLine(QString());
        for (const QString &line : std::as_const(stayed))
            m_report.writeLine(line);
    }
    // Fails while anything else is left, as it should.
    Platform::SafeFiles::removeEmptyFolder(m_sourceFolder);
}
