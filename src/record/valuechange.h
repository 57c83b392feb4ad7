#pragma once

#include "record/recordkind.h"

class Configuration;

// The install record's rows of one kind of change: a value of a settings file set.
class ValueChange : public RecordKind
{
public:
    QString section() const override;
    QString word() const override;
    qsizetype fields() const override;
    QList<QStringList> rows(const InstallRecord &record, RowCodec &codec) const override;
    void readRow(InstallRecord &record, const QStringList &row, RowCodec &codec) const override;
    void merge(InstallRecord &record, const InstallRecord &later) const override;
    void confine(InstallRecord &record, RecordPlace &place) const override;
    int undoRank() const override;
    int undoItems(const InstallRecord &record) const override;
    QString plan(const InstallRecord &record, const QString &jawsFolder) const override;
    void undo(RecordUndo &undo) const override;

    // Undoes the values the record holds for the settings file `path`, in `configuration`: each
    // that still holds what the installation wrote goes back to what it was; added sections left
    // empty go, and the display slots stay numbered from 1. Called for a file not restored whole.
    static void undoIn(Configuration &configuration, const InstallRecord &record, const QString &path);
};
