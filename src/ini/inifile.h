#pragma once

#include "ini/inidocument.h"
#include "platform/safefiles.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QFile;

// One ini file on disk, read once into an IniDocument and changed in memory; save() makes the
// changes the file all at once: at any instant the file on disk is the whole old one or the whole
// new one, and a file that is never saved stays as it was.
//
// The system's profile functions are not used, on Windows either: they do not understand a UTF-8
// byte-order mark (today's default.jcf carries one: its first section becomes unreachable and a
// write adds a second one), they rewrite the whole file on every write, and a write to a working
// copy tells nothing of whether the file itself could be replaced. Files without a mark are read
// and written in the system's ANSI code page, as those functions do.
class IniFile
{
public:
    explicit IniFile(const QString &path);
    IniFile(const IniFile &) = delete;
    IniFile &operator=(const IniFile &) = delete;

    QString path() const { return m_path; }
    // Whether the file was there when it was read.
    bool existed();
    // The bytes the file held when it was read: what its backup keeps.
    QByteArray originalBytes();
    // False when the file exists but could not be read: writing it would replace what it holds
    // with nothing.
    bool readable();

    QStringList sectionNames();
    QStringList section(const QString &name);
    QString string(const QString &section, const QString &key, const QString &defaultValue);
    // The value, or none when the section, the key or its value is missing.
    std::optional<QString> value(const QString &section, const QString &key);
    // False when the file will not be replaced: it exists but could not be read, or it is
    // marked read-only. True says only that the change is made in memory: save() decides.
    bool writeSection(const QString &name, const QStringList &lines);
    bool writeString(const QString &section, const QString &key, const QString &value);
    // Like the writes: false when the file will not be replaced.
    bool removeKey(const QString &section, const QString &key);
    bool removeSection(const QString &name);
    // The whole file becomes `bytes` when saved (a file brought back from its backup).
    bool replaceContent(const QByteArray &bytes);
    // The bytes save() would write: what the file holds once the changes reach the disk.
    QByteArray currentBytes();
    // Gives those bytes to `onBytes`, piece by piece, without making them first.
    void forEachCurrentByteRun(const std::function<void(QByteArrayView)> &onBytes);
    // The file as changed so far.
    const IniDocument &currentDocument() { return document(); }
    // The names of the sections that may differ from the file as read: every section, once its
    // whole content was replaced.
    QStringList touchedSectionNames();
    // The first section of that name as the file held it when read (IniDocument::sectionAsRead).
    IniDocument sectionAsRead(const QString &name);

    // What was refused, reading or saving: a link, or no plain file (its path is empty when
    // nothing was).
    const Platform::SafeFiles::Refusal &refusal() const { return m_refusal; }

    // Whether saving would change the file: edits that end where they began (a section replaced
    // by the lines it held) change nothing, and a file that changes nothing is not written.
    bool isChanged();
    // Replaces the file by the changed copy, flushed to disk first; true when nothing was
    // changed or the replacement succeeded. False leaves the file as it was.
    bool save();

private:
    IniDocument &document();
    // What can be known before saving: a file that could not be read, or is marked read-only,
    // will not be replaced.
    bool writable();

    QString m_path;
    bool m_loaded = false;
    bool m_existed = false;
    bool m_wasRead = true; // false when the file exists but could not be read
    int m_readOnly = -1; // looked at once for the writes, again when saving; -1: not yet
    QByteArray m_bytes;
    IniDocument m_document;
    bool m_changed = false;
    bool m_replaced = false; // the document is no longer the file's bytes parsed
    Platform::SafeFiles::Refusal m_refusal;
};
