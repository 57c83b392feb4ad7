#include "jawsinstaller.h"

#include "installer/iniprofile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace {

// The manifest section of the keyboard table for each system language; by enumerator name, as
// the numbers changed between Qt versions. Other languages take the English table.
QString keyboardTableSection(QLocale::Language language)
{
    static const QList<QPair<QLocale::Language, const char *>> table{
        { QLocale::Danish, "DAN" },          { QLocale::Dutch, "NLD" },   { QLocale::English, "ENU" },
        { QLocale::French, "FRA" },          { QLocale::German, "DEU" },  { QLocale::Greek, "ELL" },
        { QLocale::Italian, "ITA" },         { QLocale::NorwegianBokmal, "NOR" },
        { QLocale::Polish, "PLK" },          { QLocale::Portuguese, "PTG" }, { QLocale::Spanish, "ESN" },
        { QLocale::Swedish, "SVE" },         { QLocale::Turkish, "TRK" },
    };
    for (const auto &entry : table) {
        if (entry.first == language)
            return QString::fromLatin1(entry.second) + QStringLiteral("_KBD_BRAILLE_TABLE");
    }
    return QStringLiteral("ENU_KBD_BRAILLE_TABLE");
}

} // namespace

void JawsInstaller::selectKeyboardTable(const QString &driverIniPath)
{
    const QLocale::Language language = QLocale::system().language();
    m_report.writeLine(QString());
    const QString section = keyboardTableSection(language).toUpper();
    const QString tableName = IniProfile::readString(section, QStringLiteral("BrailleTranslationTable"), manifestPath(), QString());
    // A bare ".kbd" would leave the driver without any keyboard table.
    if (tableName.isEmpty()) {
        m_report.writeLine(tr("ERROR : The installation package names no keyboard Braille table in its [%1] section: %2 was not changed.")
                               .arg(section, QDir::toNativeSeparators(driverIniPath)));
        m_report.noteFailure();
        setHasErrors(true);
        return;
    }
    const QString table = tableName + QStringLiteral(".kbd");
    const bool written = IniProfile::writeString(QStringLiteral("GENERAL"), QStringLiteral("BrailleFileName"), table, driverIniPath);
    m_report.tableSelected(table, driverIniPath, written);
    if (!written)
        setHasErrors(true);
}

void JawsInstaller::selectTranslationTables(const QString &settingsFolder)
{
    m_report.writeLine(QString());
    for (const QString &language : languageFolders(settingsFolder)) {
        const QString section = (language + QStringLiteral("_JBT_BRAILLE_TABLE")).toUpper();
        const QString table = IniProfile::readString(section, QStringLiteral("BrailleTranslationTable"), manifestPath(), QString());
        if (table.isEmpty())
            continue;
        const QString path = settingsFilePath(settingsFolder + QDir::separator() + language, QStringLiteral("default.jcf"));
        const bool written = IniProfile::writeString(QStringLiteral("Braille"), QStringLiteral("BrailleTranslationTable"), table, path);
        m_report.tableSelected(table, path, written);
        // A JAWS settings file left as it was: the display would show the wrong braille.
        if (!written)
            setHasErrors(true);
    }
}

void JawsInstaller::resetUserKeyMaps(const QString &settingsFolder)
{
    if (settingsFolder.isEmpty() || !QFileInfo::exists(settingsFolder))
        return;
    for (const QString &language : languageFolders(settingsFolder)) {
        const QString folder = settingsFolder + QDir::separator() + language;
        // The key maps of this language folder ("x.jkm.001" backups do not match).
        const QStringList keyMaps = QDir(folder).entryList({ QStringLiteral("*.jkm") }, QDir::Files, QDir::Name | QDir::IgnoreCase);
        for (const QString &name : keyMaps) {
            const QString keyMap = folder + QDir::separator() + name;
            const QString backup = backupFileName(keyMap);
            // Flushed to disk before the key map goes: a crash cannot lose both.
            const bool saved = saveBackup(keyMap, backup);
            m_report.fileSaved(backup, saved);
            if (!saved) {
                // Without its backup the user's key map is kept, and the report says so.
                setHasErrors(true);
                m_report.fileDeleted(keyMap, false);
                continue;
            }
            const bool deleted = QFile::remove(keyMap);
            m_report.fileDeleted(keyMap, deleted);
            if (!deleted)
                setHasErrors(true);
        }
    }
}

bool JawsInstaller::configureJaws()
{
    const JawsVersion version = jawsVersion();
    // A settings folder that is not there is never made: JAWS would not read it.
    const bool sharedFound = settingsFolderFound(m_sharedSettingsFolder);
    // With every user, no single user's folder: each profile is configured at the end.
    const bool userFound = !m_allUsers && settingsFolderFound(m_userSettingsFolder);
    QStringList filesNames;
    mergeFileNames(filesNames);
    if (sharedFound)
        mergeSettingsFiles(filesNames);
    mergeBrailleIni();
    // Without derived folders (no JAWS chosen) these files would land at the root of a drive.
    if (!m_programFolder.isEmpty()) {
        const QString jfwIni = displayListPath();
        const bool existed = QFileInfo::exists(jfwIni);
        registerDisplays(jfwIni);
        if (!existed && QFileInfo::exists(jfwIni))
            m_report.writeLine(tr("No jfw.ini file was found in %1 nor in the shared settings folder %2: it has been created in %1.")
                                   .arg(QDir::toNativeSeparators(m_programFolder), QDir::toNativeSeparators(m_sharedSettingsFolder)));
    }
    if (version.namesDisplayBySlot() ? sharedFound : userFound)
        selectDefaultDevice(m_selectedDevice);
    if (!m_driverFolder.isEmpty())
        selectKeyboardTable(m_driverFolder + QDir::separator() + QStringLiteral("korvalis.ini"));
    if (sharedFound)
        selectTranslationTables(m_sharedSettingsFolder);
    if (version.hasUserTables() && userFound)
        selectTranslationTables(m_userSettingsFolder);
    if (version.hidesSharedKeyMaps() && userFound)
        resetUserKeyMaps(m_userSettingsFolder);
    if (m_allUsers)
        configureEveryProfile();
    return m_hasErrors;
}
