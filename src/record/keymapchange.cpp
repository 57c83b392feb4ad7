#include "keymapchange.h"

#include "platform/safefiles.h"
#include "record/installrecord.h"
#include "record/recordplace.h"
#include "record/recordundo.h"
#include "record/rowcodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QSet>

namespace {

using KeyMap = InstallRecord::KeyMap;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

KeyMapChange::KeyMapChange()
    : RecordKind({ QStringLiteral("KeyMaps"), QStringLiteral("keymap"), 2, 20 })
{
}

QList<QStringList> KeyMapChange::rows(const InstallRecord &record, RowCodec &codec) const
{
    QList<QStringList> rows;
    for (const KeyMap &entry : record.keyMaps)
        rows << QStringList{ codec.path(entry.path), codec.path(entry.backup), QString::fromLatin1(entry.backupHash) };
    return rows;
}

void KeyMapChange::readRow(InstallRecord &record, const QStringList &row, RowCodec &codec) const
{
    record.keyMaps << KeyMap{ codec.decodePath(row.at(0)), codec.decodePath(row.at(1)), codec.hash(row.value(2)) };
}

void KeyMapChange::merge(InstallRecord &record, const InstallRecord &later) const
{
    // A key map moved aside again (made anew since) keeps the first backup: the user's own.
    QSet<QString> known;
    for (const KeyMap &entry : std::as_const(record.keyMaps))
        known.insert(RowCodec::key(entry.path));
    for (const KeyMap &entry : later.keyMaps) {
        if (!known.contains(RowCodec::key(entry.path)))
            record.keyMaps << entry;
    }
}

void KeyMapChange::confine(InstallRecord &record, RecordPlace &place) const
{
    // A user's key maps lie in their settings, never in the JAWS folder.
    QList<KeyMap> keyMaps;
    for (const KeyMap &keyMap : std::as_const(record.keyMaps)) {
        if (place.keep(keyMap.path, place.inSettings(keyMap.path)) && place.keep(keyMap.backup, place.inSettings(keyMap.backup)))
            keyMaps << keyMap;
    }
    record.keyMaps = keyMaps;
}

int KeyMapChange::undoItems(const InstallRecord &record) const
{
    return int(record.keyMaps.size());
}

QString KeyMapChange::plan(const InstallRecord &record, const QString &) const
{
    if (record.keyMaps.isEmpty())
        return QString();
    return QCoreApplication::translate("Removal", "Put back the key maps that the installation moved aside.");
}

void KeyMapChange::undo(RecordUndo &undo) const
{
    const auto stepOf = StepResult::Step::RestoringKeyMaps;
    for (const KeyMap &keyMap : undo.record().keyMaps) {
        if (undo.stopping())
            return;
        undo.step(native(keyMap.path));
        // JAWS or the user made a new one since: theirs stays, the old one in its backup.
        if (Platform::SafeFiles::nameTaken(keyMap.path)) {
            undo.report(stepOf, QCoreApplication::translate("Removal", "%1 was made again since the installation: it was kept; the earlier one is %2.")
                                    .arg(native(keyMap.path), native(keyMap.backup)));
            continue;
        }
        if (!Platform::SafeFiles::nameTaken(keyMap.backup)) {
            undo.report(stepOf,
                        QCoreApplication::translate("Removal", "ERROR : %1 could not be put back: its backup %2 is gone.").arg(native(keyMap.path), native(keyMap.backup)),
                        StepResult::Outcome::Failed);
            continue;
        }
        undo.putBack(stepOf, keyMap.path, keyMap.backup, keyMap.backupHash);
    }
}
