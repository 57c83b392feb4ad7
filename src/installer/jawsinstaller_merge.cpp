#include "jawsinstaller.h"

#include "installer/iniprofile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

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

QStringList JawsInstaller::mergeIniFile(const QString &source, const QString &target)
{
    QStringList failed;
    const QStringList names = IniProfile::readSectionNames(source);
    if (names.isEmpty())
        return failed;
    IniProfile::Batch batch(target);
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

void JawsInstaller::mergeSettingsFiles(const QStringList &filesNames)
{
    for (const QString &language : languageFolders(m_sharedSettingsFolder)) {
        for (const QString &name : filesNames) {
            const QString source = m_sourceFolder + QDir::separator() + name;
            QString targetName = name;
            targetName.remove(QStringLiteral("korvalis_"));
            const QString target = m_sharedSettingsFolder + QDir::separator() + language + QDir::separator() + targetName;
            const QString backup = backupFileName(target);
            if (QFile::exists(target)) {
                const bool saved = QFile::copy(target, backup);
                m_report.fileSaved(QDir::toNativeSeparators(backup), saved);
                if (!saved)
                    setHasErrors(true);
            }
            const QStringList failed = mergeIniFile(source, target);
            for (const QString &section : failed) {
                m_report.writeLine(tr("Error while merging '%1' section of %2.").arg(section, QDir::toNativeSeparators(target)));
                m_report.noteFailure();
            }
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
    const QString backup = backupFileName(target);
    if (QFile::exists(target))
        QFile::copy(target, backup);
    const bool merged = mergeIniFile(source, target).isEmpty() && !IniProfile::readSectionNames(source).isEmpty();
    recordPackageFileUse(source, merged);
}
