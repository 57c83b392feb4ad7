#include "settingssession.h"

#include "paths/windowspath.h"
#include "platform/safefiles.h"

#include <QDir>
#include <QFileInfo>

QString SettingsSession::keyOf(const QString &path)
{
    // One entry per file as Windows names files, in both builds: whatever the case or the
    // separators a step wrote the path with.
    return WindowsPath::key(QFileInfo(path).absoluteFilePath());
}

SettingsSession::Entry *SettingsSession::find(const QString &path)
{
    return const_cast<Entry *>(std::as_const(*this).find(path));
}

const SettingsSession::Entry *SettingsSession::find(const QString &path) const
{
    // The steps ask for the same few files thousands of times, most often spelled the same
    // way: an absolute path's key depends on its text alone, so a spelling once looked up
    // need not be made into a key again.
    const auto known = m_spellings.constFind(path);
    if (known != m_spellings.constEnd())
        return &m_entries[*known];
    const auto found = m_index.constFind(keyOf(path));
    if (found == m_index.constEnd())
        return nullptr;
    if (QDir::isAbsolutePath(path))
        m_spellings.insert(path, *found);
    return &m_entries[*found];
}

IniFile &SettingsSession::file(const QString &path)
{
    if (Entry *entry = find(path))
        return *entry->file;
    m_index.insert(keyOf(path), m_entries.size());
    m_entries.push_back(Entry{ std::make_unique<IniFile>(path), QString(), false, false });
    return *m_entries.back().file;
}

QString SettingsSession::keepBackup(const QString &path)
{
    IniFile &ini = file(path);
    Entry *entry = find(path);
    if (!ini.existed())
        return QString();
    if (entry->backup.isEmpty())
        entry->backup = backupFileName(path);
    return entry->backup;
}

QStringList SettingsSession::changedFiles() const
{
    QStringList files;
    for (const Entry &entry : m_entries) {
        if (entry.file->isChanged())
            files << entry.file->path();
    }
    return files;
}

bool SettingsSession::commit()
{
    if (m_committed)
        return false;
    m_committed = true;
    bool all = true;
    // Every backup reaches the disk before any file is replaced. A file the steps left as it was
    // needs none: a repair run that changes nothing leaves nothing behind, however often it runs.
    for (Entry &entry : m_entries) {
        if (!entry.backup.isEmpty() && entry.file->isChanged())
            entry.backedUp = entry.file->readable()
                && writeBackup(entry.backup, entry.file->originalBytes(), entry.file->path(), &entry.backupFailure);
    }
    for (Entry &entry : m_entries) {
        // Without its backup a file is not changed.
        if (!entry.backup.isEmpty() && entry.file->isChanged() && !entry.backedUp)
            entry.saved = false;
        else
            entry.saved = entry.file->save();
        all &= entry.saved;
    }
    return all;
}

bool SettingsSession::saved(const QString &path) const
{
    if (!m_committed)
        return false;
    const Entry *entry = find(path);
    return !entry || entry->saved;
}

bool SettingsSession::backupNeeded(const QString &path) const
{
    const Entry *entry = find(path);
    return entry && entry->file->isChanged();
}

bool SettingsSession::backedUp(const QString &path) const
{
    const Entry *entry = find(path);
    return m_committed && entry && entry->backedUp;
}

QString SettingsSession::backupFailure(const QString &path) const
{
    const Entry *entry = find(path);
    return m_committed && entry ? entry->backupFailure : QString();
}

QString SettingsSession::backupFileName(const QString &path)
{
    // The number is appended, not substituted into the path: a "%1" in a folder name must
    // stay as it is.
    QString candidate;
    for (int i = 1; i <= 1000; ++i) {
        candidate = path + QLatin1Char('.') + QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
        // A name taken by anything, a dangling link too, is never a backup's.
        if (!Platform::SafeFiles::nameTaken(candidate))
            return candidate;
    }
    return candidate;
}

bool SettingsSession::writeBackup(const QString &backup, const QByteArray &bytes, const QString &original, QString *reason)
{
    // Made new, never over anything: a backup never replaces a file, an older backup least of
    // all, and never writes through a link planted under its name. Its rights are the original's.
    const Platform::SafeFiles::Result made = Platform::SafeFiles::createNew(backup, bytes, original);
    if (reason)
        *reason = made.reason();
    return made == Platform::SafeFiles::Status::Done;
}

QList<Platform::SafeFiles::Refusal> SettingsSession::refusals() const
{
    QList<Platform::SafeFiles::Refusal> refused;
    for (const Entry &entry : m_entries) {
        if (!entry.file->refusal().path.isEmpty())
            refused << entry.file->refusal();
    }
    return refused;
}
