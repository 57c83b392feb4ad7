#pragma once

#include <QMap>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// A simulated machine for whole installations, made in a folder of its own: one JAWS installed
// (its program folder, its settings folders where JAWS keeps them, its registry records) and a
// package folder holding the driver, the manifest and the files it names, plus files of the
// user's that the installation must never touch.
// Natively the registry record goes into the machine's registry.reg; under Wine into the
// prefix's own registry, which every program of the run reads.
class TestMachine
{
public:
    enum class Jaws {
        // JAWS 10 in "Program Files/JAWS10", jfw.ini in its program folder.
        Version10,
        // JAWS 2025 as it is laid out today: "Program Files/Freedom Scientific/JAWS/2025", a
        // 64-bit jfw.exe numbered 26.6.24.0, registry key "2025" with a trailing separator in
        // its Target beside the keys "Common" and "Registration", settings folders "2025"
        // (SETTINGS shared, Settings the user's), the user's default.jcf in UTF-8 with its mark,
        // no jfw.ini in the program folder but one in the shared settings' INIT folder.
        Version2025,
        // The same, never started by the user who installs: no user settings folder.
        Version2025NeverStarted,
        // JAWS 5 in "Program Files/JAWS5": its settings in the program folder's SETTINGS, no
        // user settings, jfw.ini in the program folder.
        Version5,
    };

    explicit TestMachine(const QString &root, Jaws jaws = Jaws::Version10);

    // The JAWS of the machine. With `jfw` a program ("jawsdouble"), that program becomes
    // JFW.EXE; otherwise a file with a version resource stands in for it.
    bool make(const QString &jfwProgram = QString()) { return makeJaws(jfwProgram) && makePackage(); }
    bool makeJaws(const QString &jfwProgram = QString());
    // The package as it is unpacked, with the user's files beside it; again for a second run.
    bool makePackage();
    // Another JAWS of the kind Version10 beside the first, under the registry key `key`: its
    // folders copied from the first's, its jfw.exe the fixture `jfwFixture`. Without a fixture,
    // only the record of a JAWS uninstalled since, whose folder is gone. Its program folder.
    QString addJaws(const QString &key, const QString &jfwFixture);
    // The person at the machine is not the account that installs (natively: the simulated
    // machine's session.ini and profile list). `interactive` is one of the users, or empty for
    // nobody logged on. Users of `withSettings` have run this JAWS: their profile holds its
    // settings; those of `without` have a profile only.
    bool addUsers(const QString &interactive, const QStringList &withSettings, const QStringList &without);
    // The user settings folder of this JAWS in a user's profile made by addUsers.
    QString profileSettings(const QString &user) const;
    // Copies the built program `name` into the package folder; its path there.
    QString addProgram(const QString &name);
    // Sets the environment a program of this machine runs in.
    QProcessEnvironment environment() const;

    QString root;
    QString jawsFolder;
    // The registry record's Target; by default jawsFolder in native form.
    QString registryTarget;
    QString packageFolder;
    QString sharedSettings;
    QString userSettings;
    // Files of the user's in the package folder, by name: none matches the manifest.
    QStringList strangerFiles;

    // Every file under the four folders with its size, and the text of settings files and
    // reports; paths written as $JAWS, $SHARED, $USER, $PACKAGE, the date of the report masked.
    QString dump() const;
    // The version folders under both application data folders' "Freedom Scientific/JAWS", as
    // "shared/NAME" and "user/NAME".
    QStringList settingsVersionFolders() const;

private:
    Jaws kind;
    QList<QPair<QString, QString>> moreRecords;
    bool writeRegistry() const;
    static bool writeFiles(const QList<QPair<QString, QByteArray>> &files);
};
