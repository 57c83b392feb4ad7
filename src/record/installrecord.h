#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class IniFile;
class RecordPlace;
class RowCodec;
class SettingsSession;

// What the installations into one JAWS installation changed, kept in the driver's folder so
// that a removal can undo exactly that and nothing that anyone else did, before or since. A
// later installation into the same JAWS adds to it (merge): what was there before the first
// stays the "before" as long as nobody else changed it in between; what someone else changed
// between two installations is theirs, and a removal leaves it or brings it back. See
// docs/design.md, "The install record", for what each row holds and why.
//
// A run writes the record twice: before its first file is copied, what it is about to do (the
// files it will copy, the folders it will make, marked unfinished), and then, with the settings
// commit, what it did. A run stopped in between (killed, a power cut) leaves the first, from
// which a removal takes away whatever the run put there.
//
// The record is an ini file of plain ASCII (every field percent-encoded), so that neither the
// system's code page nor a path with a "|" or an "=" can change what it says. Each kind of change
// (a file, a folder, a settings file, a value, a section, a key map) writes, reads, merges,
// confines and undoes its own rows: see RecordKind.
class InstallRecord
{
public:
    // A file the copy put in place.
    struct File
    {
        enum class Before { Absent, Replaced, Same }; // Same: there already, with this content
        QString path;
        qint64 size = 0;
        // Of the content as installed; unknownContent() in the record of a run that never
        // finished (what it was about to copy is not read before the copy: see docs/design.md).
        QByteArray hash;
        Before before = Before::Absent;
        // For Replaced: the numbered backup of the file it replaced (in the record of a run that
        // never finished, the name that backup was to have).
        QString backup;
        QByteArray backupHash; // of that backup as made; empty in records of earlier programs
    };
    // A settings file the configuration changed.
    struct Settings
    {
        QString path;
        bool existed = true;
        QString backup; // the numbered backup of the file as it was, when it existed
        // Of the file as the last installation left it, while every installation found it as
        // the one before had left it: the file may then come back whole (its backup, or deleted
        // when it did not exist). Empty once someone else changed it between two installations:
        // it is then restored value by value only, whatever it holds.
        QByteArray hash;
        QByteArray backupHash; // of the backup as made; empty in records of earlier programs
    };
    // One value of a settings file as it was before and as the installations left it; none for
    // a key that was not there, or that the installation took away. "Before" is the value before
    // the first installation that changed it, unless someone else changed it since an
    // installation had set it: then it is the value they chose, which a later installation found.
    struct Value
    {
        QString path;
        QString section;
        QString key;
        std::optional<QString> before;
        std::optional<QString> after;
    };
    struct Section
    {
        QString path;
        QString section;
    };
    // A user's key map moved aside: deleted after its backup was made.
    struct KeyMap
    {
        QString path;
        QString backup;
        QByteArray backupHash; // of the backup as made; empty in records of earlier programs
    };
    // The folders a record's paths are kept relative to, as the program derives them: a JAWS
    // folder moved or copied elsewhere is then never taken for the original. Paths elsewhere
    // (a user's settings) are kept whole.
    struct Roots
    {
        QString jaws;
        QString sharedSettings;
    };
    enum class Reading {
        Absent,  // no record: nothing was installed
        Read,
        Damaged, // there, but unreadable, of a format this program does not know, or cut short
    };

    // One installation run's own changes, as that run found and left them: what undoing that run
    // alone takes back. The record's rows below are every run's changes merged; each run is kept too.
    struct Run
    {
        QString id;
        std::shared_ptr<const InstallRecord> changes;
    };

    QList<File> files;
    QStringList folders; // created, parents before their children
    QList<Settings> settings;
    QList<Value> values;
    QList<Section> sections; // added
    QList<KeyMap> keyMaps;
    // Written before the run's first file was copied, and never completed by its settings commit:
    // the run was stopped in between. Its files rows name what it was about to copy.
    bool unfinished = false;
    // Oldest first. A record that earlier programs wrote, or that one of them wrote over, holds
    // every change in one run without an identifier, which no single undo can name.
    QList<Run> runs;

    // The record's name, in the driver's folder of the JAWS installation.
    static QString fileName();
    static QString pathIn(const QString &driverFolder);

    // Every row whole, or Damaged: a record read in part would remove in part and then be gone.
    Reading read(IniFile &file, const Roots &roots);
    // Replaces what `file` holds by this record.
    bool write(IniFile &file, const Roots &roots) const;
    bool isEmpty() const;

    // Takes in what a later installation into the same JAWS changed (or, `later` unfinished,
    // is about to change): for anything recorded already, the later "after" counts and the first
    // "before" stays, unless the later installation found it other than the earlier ones had
    // left it. Then someone else changed it in between: a value's "before" becomes what they
    // left, a replaced file's backup is the later one (theirs), and a settings file no longer
    // comes back whole.
    void merge(const InstallRecord &later);
    // Drops every row that names a path `place` refuses.
    void confine(RecordPlace &place);
    // merge(), and `changes` kept as the run `id` of its own: merged into the last run when that
    // has the same identifier (the run's intent replaced by what it did is done by writing on the
    // record as it was before the intent). A run that changed nothing leaves no run to undo.
    void addRun(const QString &id, const InstallRecord &changes);
    // The position of the run `id` in runs, or -1.
    qsizetype runIndex(const QString &id) const;
    // The record as the runs before the last one left it: every row merged from them alone.
    InstallRecord withoutLastRun() const;
    // Only files found with the content they were to have: nothing for an undo to take back.
    bool changesNothing() const;

    // A new run's identifier: the time it began (UTC) and a random part, so that two machines or
    // two runs in one second never share one.
    static QString newRunId();
    // Whether `id` may name a run: 1 to 64 letters, digits, '-', '_', '.', '{' or '}' (a Windows
    // Installer product or package code fits), nothing that a command line or a path could misread.
    static bool isValidRunId(const QString &id);

    // The hash of a file row whose content was not known when the row was written.
    static QByteArray unknownContent();

    // The settings files that `session` has changed so far but those in `left`, with every
    // value they change and every section they add. A numbered backup of each file that
    // exists is asked of the session, so that the commit keeps it.
    static InstallRecord ofSettingsChanges(SettingsSession &session, const QStringList &left);

    // The fingerprint of `bytes` that the record keeps (ContentHash).
    static QByteArray hashOf(const QByteArray &bytes);
    // The same of what `file` will hold once saved.
    static QByteArray hashOf(IniFile &file);
    // Empty when the file cannot be read.
    static QByteArray hashOfFile(const QString &path);
    // Whether the file at `path` still has the hash a record keeps for it: a fingerprint, or the
    // hexadecimal BLAKE2b-256 that records held before. False when the file cannot be read.
    static bool fileHasHash(const QString &path, const QByteArray &recorded);

private:
    // Adds the run kept in `section` to runs; what is not whole is noted in `codec`.
    void readRun(IniFile &file, const QString &section, RowCodec &codec);
};
