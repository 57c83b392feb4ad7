#pragma once

#include "record/recordkind.h"

class IniFile;

// The install record's rows of one kind of change: a section added to a settings file.
class SectionChange : public RecordKind
{
public:
    SectionChange();
    QList<QStringList> rows(const InstallRecord &record, RowCodec &codec) const override;
    void readRow(InstallRecord &record, const QStringList &row, RowCodec &codec) const override;
    void merge(InstallRecord &record, const InstallRecord &later) const override;
    void confine(InstallRecord &record, RecordPlace &place) const override;

    // Removes the sections the record says were added to `file` (at `path`) and are empty now;
    // false when the file will not be replaced.
    static bool undoIn(IniFile &file, const InstallRecord &record, const QString &path);
};
