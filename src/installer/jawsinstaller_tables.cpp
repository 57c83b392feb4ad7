#include "jawsinstaller.h"

#include "platform/console.h"
#include "platform/safefiles.h"

#include "installer/configuration.h"

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

void JawsInstaller::selectKeyboardTable(Configuration &configuration, const QString &driverIniPath)
{
    configuration.begin(StepResult::Step::KeyboardTable);
    const QLocale::Language language = QLocale::system().language();
    configuration.add(QString());
    const QString section = keyboardTableSection(language).toUpper();
    const QString tableName = configuration.file(manifestPath()).string(section, QStringLiteral("BrailleTranslationTable"), QString());
    // A bare ".kbd" would leave the driver without any keyboard table.
    if (tableName.isEmpty()) {
        configuration.add(tr("ERROR : The installation package names no keyboard Braille table in its [%1] section: %2 was not changed.")
                              .arg(section, QDir::toNativeSeparators(driverIniPath)),
                          StepResult::Outcome::Failed);
        return;
    }
    const QString table = tableName + QStringLiteral(".kbd");
    const bool written = configuration.file(driverIniPath).writeString(QStringLiteral("GENERAL"), QStringLiteral("BrailleFileName"), table);
    configuration.addWhenSaved({ driverIniPath }, written, Report::tableSelectedLine(table, driverIniPath, true),
                               Report::tableSelectedLine(table, driverIniPath, false));
}

void JawsInstaller::selectTranslationTables(Configuration &configuration, const QString &settingsFolder)
{
    configuration.begin(StepResult::Step::TranslationTables);
    configuration.add(QString());
    IniFile &manifest = configuration.file(manifestPath());
    for (const QString &language : languageFolders(settingsFolder)) {
        const QString section = (language + QStringLiteral("_JBT_BRAILLE_TABLE")).toUpper();
        const QString table = manifest.string(section, QStringLiteral("BrailleTranslationTable"), QString());
        if (table.isEmpty())
            continue;
        const QString path = settingsFilePath(settingsFolder + QDir::separator() + language, QStringLiteral("default.jcf"));
        const bool written = configuration.file(path).writeString(QStringLiteral("Braille"), QStringLiteral("BrailleTranslationTable"), table);
        // A JAWS settings file left as it was: the display would show the wrong braille.
        configuration.addWhenSaved({ path }, written, Report::tableSelectedLine(table, path, true),
                                   Report::tableSelectedLine(table, path, false));
    }
}

void JawsInstaller::resetUserKeyMaps(const QString &settingsFolder)
{
    moveKeyMapsAside(userKeyMaps(settingsFolder));
}

QList<InstallRecord::KeyMap> JawsInstaller::userKeyMaps(const QString &settingsFolder) const
{
    QList<InstallRecord::KeyMap> keyMaps;
    if (settingsFolder.isEmpty() || !QFileInfo::exists(settingsFolder))
        return keyMaps;
    for (const QString &language : languageFolders(settingsFolder)) {
        const QString folder = settingsFolder + QDir::separator() + language;
        // The key maps of this language folder ("x.jkm.001" backups do not match).
        const QStringList names = QDir(folder).entryList({ QStringLiteral("*.jkm") }, QDir::Files, QDir::Name | QDir::IgnoreCase);
        for (const QString &name : names) {
            const QString keyMap = folder + QDir::separator() + name;
            // What its backup will hold, so that a removal puts back only that.
            QByteArray bytes;
            const bool read = Platform::SafeFiles::read(keyMap, &bytes) == Platform::SafeFiles::Status::Done;
            keyMaps << InstallRecord::KeyMap{ keyMap, SettingsSession::backupFileName(keyMap), read ? InstallRecord::hashOf(bytes) : QByteArray() };
        }
    }
    return keyMaps;
}

void JawsInstaller::moveKeyMapsAside(const QList<InstallRecord::KeyMap> &keyMaps)
{
    const auto step = StepResult::Step::UserKeyMaps;
    for (const InstallRecord::KeyMap &entry : keyMaps) {
        const QString &keyMap = entry.path;
        const QString &backup = entry.backup;
        // Flushed to disk before the key map goes: a crash cannot lose both. A key map that is
        // a link, or lies behind one, is neither read nor moved.
        QByteArray bytes;
        Platform::SafeFiles::Refusal refusal;
        const Platform::SafeFiles::Status read = Platform::SafeFiles::read(keyMap, &bytes, &refusal);
        if (read == Platform::SafeFiles::Status::Refused) {
            record(step, Report::refusedLine(refusal), StepResult::Outcome::Failed);
            continue;
        }
        // Changed since the record named what its backup holds: the user's newer key map stays.
        if (read == Platform::SafeFiles::Status::Done && !entry.backupHash.isEmpty() && InstallRecord::hashOf(bytes) != entry.backupHash) {
            record(step, Report::fileDeletedLine(keyMap, false), StepResult::Outcome::Failed);
            continue;
        }
        QString reason;
        const bool saved = read == Platform::SafeFiles::Status::Done && SettingsSession::writeBackup(backup, bytes, keyMap, &reason);
        record(step, Report::fileSavedLine(backup, saved, reason), saved ? StepResult::Outcome::Done : StepResult::Outcome::Failed);
        if (!saved) {
            // Without its backup the user's key map is kept, and the report says so.
            record(step, Report::fileDeletedLine(keyMap, false), StepResult::Outcome::Failed);
            continue;
        }
        const Platform::SafeFiles::Result removed = Platform::SafeFiles::remove(keyMap);
        const bool deleted = removed == Platform::SafeFiles::Status::Done;
        record(step, Report::fileDeletedLine(keyMap, deleted, removed.reason()), deleted ? StepResult::Outcome::Done : StepResult::Outcome::Failed);
    }
}

void JawsInstaller::commit(Configuration &configuration)
{
    record(configuration.commit());
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
    m_listedFolders.emplace();
    // Every step reads and edits the same files in memory; they reach the disk together, once,
    // at the commit, and the report says what the commit achieved.
    Configuration configuration;
    // The record is the first file the commit replaces: a run stopped during the commit leaves
    // one that names every change the commit may have made.
    if (!installRecordPath().isEmpty())
        configuration.file(installRecordPath());
    if (sharedFound)
        mergeSettingsFiles(configuration, filesNames);
    mergeBrailleIni(configuration);
    // Without derived folders (no JAWS chosen) these files would land at the root of a drive.
    if (!m_programFolder.isEmpty())
        registerDisplays(configuration, displayListPaths());
    if (version.namesDisplayBySlot() ? sharedFound : userFound)
        selectDefaultDevice(configuration, m_selectedDevice);
    if (!m_driverFolder.isEmpty())
        selectKeyboardTable(configuration, m_driverFolder + QDir::separator() + QStringLiteral("korvalis.ini"));
    if (sharedFound)
        selectTranslationTables(configuration, m_sharedSettingsFolder);
    if (version.hasUserTables() && userFound)
        selectTranslationTables(configuration, m_userSettingsFolder);
    const QStringList profileKeyMaps = m_allUsers ? configureEveryProfile(configuration) : QStringList();
    // Known before the commit, so that the record committed with the settings names them.
    QList<InstallRecord::KeyMap> keyMaps;
    if (version.hidesSharedKeyMaps() && userFound)
        keyMaps = userKeyMaps(m_userSettingsFolder);
    for (const QString &folder : profileKeyMaps)
        keyMaps += userKeyMaps(folder);
    // An interrupt that came while the files were read (one held by another program can block
    // for long): nothing reaches the disk, as with a cancel before the configuration.
    m_configurationStopped = Platform::interruptRequested();
    if (m_configurationStopped)
        return hasErrors();
    writeInstallRecord(configuration, keyMaps);
    // The commit makes files: what was listed before may no longer be all there is.
    m_listedFolders.reset();
    commit(configuration);
    moveKeyMapsAside(keyMaps);
    return hasErrors();
}
