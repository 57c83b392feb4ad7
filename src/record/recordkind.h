#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class InstallRecord;
class RecordPlace;
class RecordUndo;
class RowCodec;

// One kind of change that an installation makes and a removal takes back: how its rows are
// written and read, how a later installation's rows merge into the record, which paths a row
// may name, and how the change is undone. Each kind lives in a file of its own; all() lists
// them. Adding a kind is a new file, its rows in InstallRecord, and its line in all().
class RecordKind
{
public:
    virtual ~RecordKind() = default;

    // The section that holds the kind's rows of every run merged, and the word that names a row
    // of the kind in a run's own section.
    virtual QString section() const = 0;
    virtual QString word() const = 0;
    // The fields a row has at least (later fields were added by later programs).
    virtual qsizetype fields() const = 0;

    // The kind's rows of `record`, their fields encoded.
    virtual QList<QStringList> rows(const InstallRecord &record, RowCodec &codec) const = 0;
    // Adds one row read back to `record`; what is not whole is noted in `codec`.
    virtual void readRow(InstallRecord &record, const QStringList &row, RowCodec &codec) const = 0;
    // Takes in a later installation's rows: see InstallRecord::merge.
    virtual void merge(InstallRecord &record, const InstallRecord &later) const = 0;
    // Drops the rows that name a path that `place` refuses.
    virtual void confine(InstallRecord &record, RecordPlace &place) const = 0;

    // When its undo comes, lowest first: what the installation did last is undone first, but a
    // folder goes only once the record in it is gone.
    virtual int undoRank() const = 0;
    // Whether the kind is undone only once the record is removed (or rewritten for the runs
    // before the one taken back).
    virtual bool undoneAfterRecord() const { return false; }
    // The items the undo will go through, for its progress.
    virtual int undoItems(const InstallRecord &record) const = 0;
    // What the undo will do, in one translated sentence, or nothing to say.
    virtual QString plan(const InstallRecord &record, const QString &jawsFolder) const = 0;
    // Takes back the kind's changes of the record `undo` holds.
    virtual void undo(RecordUndo &undo) const = 0;

    // Every kind, in the order their rows are written; and in the order they are undone.
    static const QList<const RecordKind *> &all();
    static QList<const RecordKind *> inUndoOrder();
};
