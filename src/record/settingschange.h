#pragma once

#include "record/recordkind.h"

// The install record's rows of one kind of change: a settings file the configuration changed: brought back whole or value by value.
class SettingsChange : public RecordKind
{
public:
    SettingsChange();
    QList<QStringList> rows(const InstallRecord &record, RowCodec &codec) const override;
    void readRow(InstallRecord &record, const QStringList &row, RowCodec &codec) const override;
    void merge(InstallRecord &record, const InstallRecord &later) const override;
    void confine(InstallRecord &record, RecordPlace &place) const override;
    int undoItems(const InstallRecord &record) const override;
    QString plan(const InstallRecord &record, const QString &jawsFolder) const override;
    void undo(RecordUndo &undo) const override;
};
