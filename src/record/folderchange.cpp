#include "folderchange.h"

#include "platform/safefiles.h"
#include "record/installrecord.h"
#include "record/recordplace.h"
#include "record/recordundo.h"
#include "record/rowcodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QSet>

#include <algorithm>

FolderChange::FolderChange()
    : RecordKind({ QStringLiteral("Folders"), QStringLiteral("folder"), 1, 40, true })
{
}

QList<QStringList> FolderChange::rows(const InstallRecord &record, RowCodec &codec) const
{
    QList<QStringList> rows;
    for (const QString &folder : record.folders)
        rows << QStringList{ codec.path(folder) };
    return rows;
}

void FolderChange::readRow(InstallRecord &record, const QStringList &row, RowCodec &codec) const
{
    record.folders << codec.decodePath(row.at(0));
}

void FolderChange::merge(InstallRecord &record, const InstallRecord &later) const
{
    QSet<QString> known;
    for (const QString &folder : std::as_const(record.folders))
        known.insert(RowCodec::key(folder));
    for (const QString &folder : later.folders) {
        if (!known.contains(RowCodec::key(folder))) {
            known.insert(RowCodec::key(folder));
            record.folders << folder;
        }
    }
}

void FolderChange::confine(InstallRecord &record, RecordPlace &place) const
{
    QStringList folders;
    for (const QString &folder : std::as_const(record.folders)) {
        if (place.keep(folder, place.inJaws(folder)))
            folders << folder;
    }
    record.folders = folders;
}

int FolderChange::undoItems(const InstallRecord &record) const
{
    return int(record.folders.size());
}

void FolderChange::undo(RecordUndo &undo) const
{
    // Children before their parents; a folder that holds anything (the user's, JAWS's) stays.
    QStringList folders = undo.record().folders;
    std::reverse(folders.begin(), folders.end());
    for (const QString &folder : std::as_const(folders)) {
        undo.step(QDir::toNativeSeparators(folder));
        if (Platform::SafeFiles::removeEmptyFolder(folder) == Platform::SafeFiles::Status::Done)
            undo.report(StepResult::Step::RemovingFolders,
                        QCoreApplication::translate("Removal", "OK : %1 folder removed.").arg(QDir::toNativeSeparators(folder)),
                        StepResult::Outcome::Done);
    }
}
