#pragma once

#include "platform/profile.h"

#include <QString>
#include <QStringList>

#include <memory>

// Every ini file the installer reads or writes goes through these five functions. A file that
// does not exist reads as empty. Each write replaces the file atomically: a crash leaves the
// whole old file or the whole new one, never half of each.
namespace IniProfile {

QStringList readSectionNames(const QString &file);
QStringList readSection(const QString &section, const QString &file);
bool writeSection(const QString &section, const QStringList &lines, const QString &file);
// `defaultValue` when the section or key is missing; an empty string when the file is missing.
QString readString(const QString &section, const QString &key, const QString &file, const QString &defaultValue);
bool writeString(const QString &section, const QString &key, const QString &value, const QString &file);

// While a batch for a file lives, the writes to it (and the reads, which see them) go to one
// working copy, and the file is replaced once, when the batch commits or ends: a whole-file
// merge costs one replacement, not one per section. Each write still gives its own result.
class Batch
{
public:
    explicit Batch(const QString &file);
    ~Batch();
    Batch(const Batch &) = delete;
    Batch &operator=(const Batch &) = delete;

    // Replaces the file now; false when that failed (the file then stays as it was).
    bool commit();

private:
    QString m_key;
    std::unique_ptr<Platform::ProfileSession> m_session;
};

} // namespace IniProfile
