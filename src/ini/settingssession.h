#pragma once

#include "ini/inifile.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The settings files of one configuration. Each file is read once, when a step first uses it;
// every step reads and edits it in memory; commit() replaces each changed file once: its
// numbered backup first, when one was asked for, then the new file, flushed, renamed over the
// old one. A session that ends without a commit, because the program crashed or the user
// cancelled, leaves every file exactly as it was.
class SettingsSession
{
public:
    SettingsSession() = default;
    SettingsSession(const SettingsSession &) = delete;
    SettingsSession &operator=(const SettingsSession &) = delete;

    // The file at `path`, read on first use. The reference lives as long as the session.
    IniFile &file(const QString &path);
    // A numbered backup of `path`, as it was read, is made at the commit before any file is
    // replaced, when the steps change the file. The backup's name: the first free one
    // now (see backupFileName). Empty when the file does not exist: there is nothing to keep.
    QString keepBackup(const QString &path);

    // The files a step has changed in memory so far, in the order the steps first used them.
    QStringList changedFiles() const;

    // Makes the backups, then replaces every changed file, each on its own: a file whose backup
    // failed keeps its old content. True when every change reached the disk. A session commits once:
    // a second commit does nothing and returns false.
    bool commit();
    // After the commit: whether every change made to `path` reached the disk (true for a file
    // that was not changed). False before the commit.
    bool saved(const QString &path) const;
    // After the commit: whether the backup asked for `path` was made.
    bool backedUp(const QString &path) const;
    // The system's reason when that backup could not be made; empty when it gave none.
    QString backupFailure(const QString &path) const;
    // Whether the file changes, so that the backup asked for it is made: none for a file the
    // steps left as it was.
    bool backupNeeded(const QString &path) const;

    // The first free numbered backup name of a file: path.001, path.002, ... path.999,
    // path.1000 (returned even when it exists).
    static QString backupFileName(const QString &path);
    // Writes `bytes` as `backup`, which must not exist yet under any form, flushed to disk: whatever
    // happens to the file after this, its backup is whole. It takes the access rights of
    // `original` when given. `reason`, when given, takes the system's reason for a failure.
    static bool writeBackup(const QString &backup, const QByteArray &bytes, const QString &original = QString(),
                            QString *reason = nullptr);
    // The files of the session that were refused (reached through a link, or not plain files):
    // each left as it was.
    QList<Platform::SafeFiles::Refusal> refusals() const;

private:
    struct Entry
    {
        std::unique_ptr<IniFile> file;
        QString backup;
        bool backedUp = false;
        bool saved = false;
        QString backupFailure; // the system's reason
    };
    Entry *find(const QString &path);
    const Entry *find(const QString &path) const;
    static QString keyOf(const QString &path);

    std::vector<Entry> m_entries; // in the order the steps first used them
    QHash<QString, size_t> m_index;
    mutable QHash<QString, size_t> m_spellings; // absolute paths as the steps wrote them -> entry
    bool m_committed = false;
};
