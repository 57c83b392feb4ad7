#pragma once

#include "record/recordkind.h"

// The install record's rows of one kind of change: a user's key map moved aside.
class KeyMapChange : public RecordKind
{
public:
    KeyMapChange();
    QList<QStringList> rows(const InstallRecord &record, RowCodec &codec) const override;
    void readRow(InstallRecord &record, const QStringList &row, RowCodec &codec) const override;
    void merge(InstallRecord &record, const InstallRecord &later) const override;
    void confine(InstallRecord &record, RecordPlace &place) const override;
    int undoItems(const InstallRecord &record) const override;
    QString plan(const InstallRecord &record, const QString &jawsFolder) const override;
    void undo(RecordUndo &undo) const override;
};
