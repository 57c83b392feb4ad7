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
    // `section` holds the kind's rows of every run merged, `word` names a row of the kind in a
    // run's own section, and a row has `fields` fields at least (later fields were added by later
    // programs). Undos come by `undoRank`, lowest first: what the installation did last is undone
    // first; a kind `undoneAfterRecord` only once the record is removed (or rewritten for the runs
    // before the one taken back), since the record lies in one of its folders.
    struct Traits
    {
        QString section;
        QString word;
        qsizetype fields;
        int undoRank;
        bool undoneAfterRecord = false;
    };
    explicit RecordKind(const Traits &traits)
        : traits(traits)
    {
    }
    virtual ~RecordKind() = default;

    QString section() const { return traits.section; }
    QString word() const { return traits.word; }
    qsizetype fields() const { return traits.fields; }
    int undoRank() const { return traits.undoRank; }
    bool undoneAfterRecord() const { return traits.undoneAfterRecord; }

    // The kind's rows of `record`, their fields encoded.
    virtual QList<QStringList> rows(const InstallRecord &record, RowCodec &codec) const = 0;
    // Adds one row read back to `record`; what is not whole is noted in `codec`.
    virtual void readRow(InstallRecord &record, const QStringList &row, RowCodec &codec) const = 0;
    // Takes in a later installation's rows: see InstallRecord::merge.
    virtual void merge(InstallRecord &record, const InstallRecord &later) const = 0;
    // Drops the rows that name a path that `place` refuses.
    virtual void confine(InstallRecord &record, RecordPlace &place) const = 0;

    // The items the undo will go through, for its progress.
    virtual int undoItems(const InstallRecord &) const { return 0; }
    // What the undo will do, in one translated sentence, or nothing to say.
    virtual QString plan(const InstallRecord &, const QString &) const { return QString(); }
    // Takes back the kind's changes of the record `undo` holds; nothing for a kind undone with
    // another's (a value with its settings file).
    virtual void undo(RecordUndo &) const {}

    // Every kind, in the order their rows are written; and in the order they are undone.
    static const QList<const RecordKind *> &all();
    static QList<const RecordKind *> inUndoOrder();

private:
    Traits traits;
};
