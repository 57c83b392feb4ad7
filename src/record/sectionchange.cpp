#include "sectionchange.h"

#include "ini/inifile.h"
#include "paths/windowspath.h"
#include "record/installrecord.h"
#include "record/recordplace.h"
#include "record/rowcodec.h"

#include <QSet>

namespace {

using Section = InstallRecord::Section;

} // namespace

SectionChange::SectionChange()
    : RecordKind({ QStringLiteral("Sections"), QStringLiteral("section"), 2, 12 })
{
}

QList<QStringList> SectionChange::rows(const InstallRecord &record, RowCodec &codec) const
{
    QList<QStringList> rows;
    for (const Section &entry : record.sections)
        rows << QStringList{ codec.path(entry.path), RowCodec::encode(entry.section) };
    return rows;
}

void SectionChange::readRow(InstallRecord &record, const QStringList &row, RowCodec &codec) const
{
    record.sections << Section{ codec.decodePath(row.at(0)), RowCodec::decode(row.at(1)) };
}

void SectionChange::merge(InstallRecord &record, const InstallRecord &later) const
{
    QSet<QString> known;
    for (const Section &entry : std::as_const(record.sections))
        known.insert(RowCodec::key(entry.path, entry.section));
    for (const Section &entry : later.sections) {
        if (!known.contains(RowCodec::key(entry.path, entry.section)))
            record.sections << entry;
    }
}

void SectionChange::confine(InstallRecord &record, RecordPlace &place) const
{
    QList<Section> sections;
    for (const Section &section : std::as_const(record.sections)) {
        if (place.keep(section.path, place.inEither(section.path)))
            sections << section;
    }
    record.sections = sections;
}

bool SectionChange::undoIn(IniFile &file, const InstallRecord &record, const QString &path)
{
    bool written = true;
    for (const Section &section : record.sections) {
        if (WindowsPath::samePath(section.path, path) && file.section(section.section).isEmpty())
            written &= file.removeSection(section.section);
    }
    return written;
}
