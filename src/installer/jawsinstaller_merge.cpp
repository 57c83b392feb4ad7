#include "jawsinstaller.h"

#include "installer/iniprofile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

QString JawsInstaller::backupFileName(const QString &path) const
{
    // The number is appended, not substituted into the path: a "%1" in a folder name must
    // stay as it is.
    QString candidate;
    for (int i = 1; i <= 1000; ++i) {
        candidate = path + QLatin1Char('.') + QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
    return candidate;
}

QStringList JawsInstaller::languageFolders(const QString &folder) const
{
    // An empty path would name the working folder.
    if (folder.isEmpty())
        return {};
    QStringList folders = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    if (m_otherFoldersInSettings) {
        // Three letters, in any case: enu, deu, fra, ptb, ... (INIT, VoiceProfiles are not).
        static const QRegularExpression languageName(QStringLiteral("^[A-Za-z]{3}$"));
        folders.removeIf([](const QString &name) { return !languageName.match(name).hasMatch(); });
    }
    return folders;
}

bool JawsInstaller::saveBackup(const QString &path, const QString &backup)
{
    // A backup never replaces a file, an older backup least of all.
    if (QFileInfo::exists(backup))
        return false;
    QFile original(path);
    if (!original.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = original.readAll();
    if (original.error() != QFileDevice::NoError)
        return false;
    // QSaveFile flushes the copy to disk before it gives it its name: whatever happens to the
    // file after this, its backup is whole.
    QSaveFile copy(backup);
    return copy.open(QIODevice::WriteOnly) && copy.write(bytes) == bytes.size() && copy.commit();
}

QStringList JawsInstaller::mergeIniFile(const QString &source, const QString &target)
{
    QStringList failed;
    IniProfile::Batch batch(target);
    // The source is read once, however many sections it has. (Were it the target itself, this
    // batch would join the one above, whose commit decides.)
    IniProfile::Batch reading(source);
    const QStringList names = IniProfile::readSectionNames(source);
    if (names.isEmpty())
        return failed;
    QStringList written;
    for (const QString &name : names) {
        if (name.isEmpty())
            continue;
        if (IniProfile::writeSection(name, IniProfile::readSection(name, source), target))
            written << name;
        else
            failed << name;
    }
    // The file is replaced once, at the end; if that fails it is left whole as it was, and
    // none of the sections reached it.
    if (!batch.commit())
        failed += written;
    return failed;
}

QStringList JawsInstaller::mergeBackedUp(const QString &source, const QString &target, bool reportSavedBackup)
{
    if (QFile::exists(target)) {
        const QString backup = backupFileName(target);
        const bool saved = saveBackup(target, backup);
        if (reportSavedBackup || !saved)
            m_report.fileSaved(QDir::toNativeSeparators(backup), saved);
        if (!saved) {
            // Without its backup the file is not changed: none of the sections reaches it.
            setHasErrors(true);
            QStringList sections = IniProfile::readSectionNames(source);
            sections.removeAll(QString());
            return sections;
        }
    }
    return mergeIniFile(source, target);
}

void JawsInstaller::reportMergeFailures(const QStringList &sections, const QString &target)
{
    for (const QString &section : sections) {
        m_report.writeLine(tr("Error while merging '%1' section of %2.").arg(section, QDir::toNativeSeparators(target)));
        m_report.noteFailure();
    }
    // A settings file of JAWS that kept its old content is an installation that did not happen.
    if (!sections.isEmpty())
        setHasErrors(true);
}

void JawsInstaller::mergeSettingsFiles(const QStringList &filesNames)
{
    for (const QString &language : languageFolders(m_sharedSettingsFolder)) {
        for (const QString &name : filesNames) {
            const QString source = m_sourceFolder + QDir::separator() + name;
            QString targetName = name;
            targetName.remove(QStringLiteral("korvalis_"));
            const QString target = settingsFilePath(m_sharedSettingsFolder + QDir::separator() + language, targetName);
            const QStringList failed = mergeBackedUp(source, target, true);
            reportMergeFailures(failed, target);
            recordPackageFileUse(source, failed.isEmpty() && !IniProfile::readSectionNames(source).isEmpty());
        }
    }
}

void JawsInstaller::mergeBrailleIni()
{
    // Without a chosen JAWS folder the target would be a braille.ini at the root of the drive.
    if (m_jawsFolder.isEmpty())
        return;
    const QString source = m_sourceFolder + QDir::separator() + QStringLiteral("braille.ini");
    const QString target = m_jawsFolder + QDir::separator() + QStringLiteral("braille.ini");
    // Silent when it succeeds; without the driver's sections JAWS cannot use the display, so a
    // failure is reported and is an error.
    const QStringList failed = mergeBackedUp(source, target, false);
    reportMergeFailures(failed, target);
    recordPackageFileUse(source, failed.isEmpty() && !IniProfile::readSectionNames(source).isEmpty());
}
