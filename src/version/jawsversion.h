#pragma once

#include <QString>

// The version of one JAWS installation, and what follows from it. JAWS up to 18 is numbered
// 5.0, 6.10, 10.0 ... 18.0 and writes its FileVersion with commas ("10, 0, 1154, 0"); every
// JAWS since is named by its year (2018 ... 2025) while its program files carry an internal
// major that counts from 1999 ("26.6.24.0" for JAWS 2025). Callers ask this type, never the
// version string, so that both kinds lead to the same folders and steps.
class JawsVersion
{
public:
    // An unknown version: the oldest layout, as for a jfw.exe whose version cannot be read.
    JawsVersion() = default;

    // From a FileVersion string: the comma form (first and second comma-separated fields, as
    // JAWS up to 18 writes them) or, when there is no comma, the dotted form.
    static JawsVersion fromFileVersion(const QString &fileVersion);
    // From a name that JAWS gives a version: a registry key ("10.0", "2025"), a settings folder
    // ("18.0", "2025") or a program folder ("JAWS2025", "JAWS 10.0"). Anything else is unknown.
    static JawsVersion fromName(const QString &name);
    // The version of the JAWS in `jawsFolder`: jfw.exe's version resource; where that is
    // unreadable, `registryKey` (the name of its installation record), then the folder's name.
    static JawsVersion ofInstallation(const QString &jawsFolder, const QString &registryKey);

    // Whether a number was found at all.
    bool isKnown() const { return m_number > 0; }
    // Named by its year (JAWS 2018 and later).
    bool isYearNumbered() const { return m_year != 0; }
    // The major that decides the folder layout and the steps: the year from 2018, else the
    // version's own major; 0 when unknown.
    int major() const { return m_year != 0 ? m_year : m_number; }
    // The first field as written (for JAWS up to 18 the steps compare it as text).
    QString majorText() const { return m_majorText; }
    QString minorText() const { return m_minorText; }

    // The driver goes into its own folder under Drivers\Braille (JAWS 7 and later).
    bool hasDriverFolders() const { return major() >= 7; }
    // Settings live in the application data folders, with a folder per user (JAWS 6 and
    // later); before, in the program folder's SETTINGS.
    bool hasUserSettings() const { return major() >= 6; }
    // The user's settings get translation tables of their own.
    bool hasUserTables() const { return major() > 5; }
    // JAWS 5 names its default display by the alias of its jfw.ini slot.
    bool namesDisplayBySlot() const { return !isYearNumbered() && m_majorText == QLatin1String("5"); }
    // JAWS 6's own key maps of the user hide the ones merged into the shared settings.
    bool hidesSharedKeyMaps() const { return !isYearNumbered() && m_majorText == QLatin1String("6"); }

    // Its settings folders hold other folders beside the language folders (INIT,
    // VoiceProfiles, ...), which are no language folders (JAWS 2018 and later).
    bool keepsOtherFoldersInSettings() const { return isYearNumbered(); }

    // The name of its settings folders under "Freedom Scientific\JAWS": "<major>.<minor>" up to
    // JAWS 18, the bare year from 2018.
    QString settingsFolderName() const;
    // Whether a folder of this name stands for the same version ("2025" and "2025.0").
    bool isNamedBy(const QString &folderName) const;

private:
    static JawsVersion fromFields(const QString &majorText, const QString &minorText);

    QString m_majorText;
    QString m_minorText;
    int m_number = 0; // the first field as a number; 0 when it is not one
    int m_year = 0;   // the year JAWS is named by; 0 before 2018
};
