#include "iniprofile.h"

#include "platform/profile.h"

#include <QFileInfo>
#include <QHash>

namespace IniProfile {

namespace {

// The batches in force, by file. The installer is single-threaded; so is this.
QHash<QString, Platform::ProfileSession *> &batches()
{
    static QHash<QString, Platform::ProfileSession *> active;
    return active;
}

QString keyOf(const QString &file)
{
    QString key = QFileInfo(file).absoluteFilePath();
#if defined(Q_OS_WIN)
    key = key.toCaseFolded();
#endif
    return key;
}

Platform::ProfileSession *batchFor(const QString &file)
{
    if (batches().isEmpty())
        return nullptr;
    return batches().value(keyOf(file), nullptr);
}

template<typename Read, typename Result>
Result read(const QString &file, const Read &readWith, const Result &whenMissing)
{
    if (Platform::ProfileSession *session = batchFor(file))
        return readWith(*session);
    if (!QFileInfo::exists(file))
        return whenMissing;
    Platform::ProfileSession session(file);
    return readWith(session);
}

template<typename Write>
bool write(const QString &file, const Write &writeWith)
{
    if (Platform::ProfileSession *session = batchFor(file))
        return writeWith(*session);
    Platform::ProfileSession session(file);
    return writeWith(session) && session.commit();
}

} // namespace

QStringList readSectionNames(const QString &file)
{
    return read(file, [](Platform::ProfileSession &s) { return s.sectionNames(); }, QStringList());
}

QStringList readSection(const QString &section, const QString &file)
{
    return read(file, [&](Platform::ProfileSession &s) { return s.section(section); }, QStringList());
}

bool writeSection(const QString &section, const QStringList &lines, const QString &file)
{
    return write(file, [&](Platform::ProfileSession &s) { return s.writeSection(section, lines); });
}

QString readString(const QString &section, const QString &key, const QString &file, const QString &defaultValue)
{
    return read(file, [&](Platform::ProfileSession &s) { return s.string(section, key, defaultValue); }, QString());
}

bool writeString(const QString &section, const QString &key, const QString &value, const QString &file)
{
    return write(file, [&](Platform::ProfileSession &s) { return s.writeString(section, key, value); });
}

Batch::Batch(const QString &file)
    : m_key(keyOf(file))
    , m_session(new Platform::ProfileSession(file))
{
    // A batch inside a batch for the same file joins it: the outer one commits.
    if (batches().contains(m_key))
        m_session.reset();
    else
        batches().insert(m_key, m_session.get());
}

Batch::~Batch()
{
    commit();
}

bool Batch::commit()
{
    if (!m_session)
        return true;
    batches().remove(m_key);
    const bool committed = m_session->commit();
    m_session.reset();
    return committed;
}

} // namespace IniProfile
