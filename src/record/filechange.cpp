#include "filechange.h"

#include "installer/contenthash.h"
#include "platform/filecopy.h"
#include "platform/safefiles.h"
#include "record/installrecord.h"
#include "record/recordplace.h"
#include "record/recordundo.h"
#include "record/rowcodec.h"
#include "report/report.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {

using Platform::SafeFiles;
using File = InstallRecord::File;

QString beforeName(File::Before before)
{
    switch (before) {
    case File::Before::Absent:
        return QStringLiteral("added");
    case File::Before::Replaced:
        return QStringLiteral("replaced");
    case File::Before::Same:
        return QStringLiteral("same");
    }
    return QString();
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

FileChange::FileChange()
    : RecordKind({ QStringLiteral("Files"), QStringLiteral("file"), 5, 30 })
{
}

QList<QStringList> FileChange::rows(const InstallRecord &record, RowCodec &codec) const
{
    QList<QStringList> rows;
    for (const File &entry : record.files)
        rows << QStringList{ codec.path(entry.path), QString::number(entry.size), QString::fromLatin1(entry.hash), beforeName(entry.before),
                             codec.path(entry.backup), QString::fromLatin1(entry.backupHash) };
    return rows;
}

void FileChange::readRow(InstallRecord &record, const QStringList &row, RowCodec &codec) const
{
    bool number = false;
    File entry{ codec.decodePath(row.at(0)), row.at(1).toLongLong(&number), row.at(2).toLatin1(), File::Before::Absent,
                codec.decodePath(row.at(4), true), codec.hash(row.value(5)) };
    if (row.at(3) == QLatin1String("replaced"))
        entry.before = File::Before::Replaced;
    else if (row.at(3) == QLatin1String("same"))
        entry.before = File::Before::Same;
    else if (row.at(3) != QLatin1String("added"))
        codec.notWhole();
    if (!number || entry.size < 0 || entry.hash.isEmpty() || (entry.before == File::Before::Replaced && entry.backup.isEmpty()))
        codec.notWhole();
    record.files << entry;
}

void FileChange::merge(InstallRecord &record, const InstallRecord &later) const
{
    QHash<QString, qsizetype> known;
    for (qsizetype i = 0; i < record.files.size(); ++i)
        known.insert(RowCodec::key(record.files.at(i).path), i);
    for (const File &entry : later.files) {
        const auto found = known.constFind(RowCodec::key(entry.path));
        if (found == known.constEnd()) {
            known.insert(RowCodec::key(entry.path), record.files.size());
            record.files << entry;
            continue;
        }
        File &earlier = record.files[*found];
        // The later installation replaced what it found (or, unfinished, was about to). Found as
        // the earlier ones had left it, the first "before" stays; found otherwise, someone else
        // had put it there, and its backup (theirs) is what a removal puts back. So too for a file
        // that was there before the first installation with what it installed: the later backup
        // holds that content. Without a fingerprint of the kind made now (records of earlier
        // programs, a run that never finished) it cannot be told: the first "before" stays.
        const bool foundAsLeft = !ContentHash::isOne(earlier.hash) || entry.backupHash == earlier.hash;
        if (entry.before == File::Before::Replaced && (earlier.before == File::Before::Same || !foundAsLeft)) {
            earlier.before = File::Before::Replaced;
            earlier.backup = entry.backup;
            earlier.backupHash = entry.backupHash;
        }
        earlier.size = entry.size;
        earlier.hash = entry.hash;
    }
}

void FileChange::confine(InstallRecord &record, RecordPlace &place) const
{
    // Only administrators write in the JAWS folder: a driver file and its backup lie there.
    QList<File> files;
    for (const File &file : std::as_const(record.files)) {
        if (place.keep(file.path, place.inJaws(file.path)) && (file.before != File::Before::Replaced || place.keep(file.backup, place.inJaws(file.backup))))
            files << file;
    }
    record.files = files;
}

int FileChange::undoItems(const InstallRecord &record) const
{
    return int(record.files.size());
}

QString FileChange::plan(const InstallRecord &record, const QString &jawsFolder) const
{
    if (record.files.isEmpty())
        return QString();
    return QCoreApplication::translate("Removal", "Remove the driver's files from %1, or put back the files they replaced.").arg(native(jawsFolder));
}

void FileChange::undo(RecordUndo &undo) const
{
    const auto stepOf = StepResult::Step::RemovingFiles;
    const InstallRecord &record = undo.record();
    QStringList temporaryFolders;
    for (const File &file : record.files) {
        if (undo.stopping())
            return;
        undo.step(native(file.path));
        // A copy under way when its run was stopped leaves its new file in a folder of its own,
        // under the same name: the copy's, whoever else writes there.
        if (record.unfinished) {
            const QString temporary = Platform::temporaryCopyPath(file.path);
            if (SafeFiles::nameTaken(temporary))
                undo.deleteFile(stepOf, native(temporary));
            if (!temporaryFolders.contains(native(Platform::temporaryCopyFolder(file.path))))
                temporaryFolders << native(Platform::temporaryCopyFolder(file.path));
        }
        // There before the installation with this very content: not the installation's to take.
        if (file.before == File::Before::Same || !SafeFiles::nameTaken(file.path))
            continue;
        const QString link = SafeFiles::linkOnTheWay(file.path);
        if (!link.isEmpty()) {
            undo.report(stepOf, Report::refusedLine({ link, true }), StepResult::Outcome::Failed);
            continue;
        }
        const bool unknown = file.hash == InstallRecord::unknownContent();
        if (unknown || QFileInfo(file.path).size() != file.size || !InstallRecord::fileHasHash(file.path, file.hash)) {
            // What it replaced, as it was: a copy that never reached it, or put back by hand.
            if (file.before == File::Before::Replaced && !file.backupHash.isEmpty() && InstallRecord::hashOfFile(file.path) == file.backupHash)
                continue;
            // A row of a run that never finished names no content: the file was not there when
            // the run began, or not as it is now, so what stands there now is what its copy put.
            if (!unknown) {
                undo.report(stepOf, QCoreApplication::translate("Removal", "%1 was changed since the installation: it was kept.").arg(native(file.path)));
                continue;
            }
        }
        if (file.before == File::Before::Absent) {
            undo.deleteFile(stepOf, file.path);
            continue;
        }
        undo.putBack(stepOf, file.path, file.backup, file.backupHash);
    }
    for (const QString &folder : std::as_const(temporaryFolders))
        SafeFiles::removeEmptyFolder(folder);
}
