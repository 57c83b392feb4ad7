#pragma once

#include "record/recordkind.h"

class Configuration;

// The install record's rows of one kind of change: a value of a settings file set.
class ValueChange : public RecordKind
{
public:
    ValueChange();
    QList<QStringList> rows(const InstallRecord &record, RowCodec &codec) const override;
    void readRow(InstallRecord &record, const QStringList &row, RowCodec &codec) const override;
    void merge(InstallRecord &record, const InstallRecord &later) const override;
    void confine(InstallRecord &record, RecordPlace &place) const override;

    // Undoes the values the record holds for the settings file `path`, in `configuration`: each
    // that still holds what the installation wrote goes back to what it was; added sections left
    // empty go, and the display slots stay numbered from 1. Called for a file not restored whole.
    static void undoIn(Configuration &configuration, const InstallRecord &record, const QString &path);
};
