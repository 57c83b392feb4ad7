#include "valuechange.h"

#include "ini/inifile.h"
#include "ini/settingssession.h"
#include "installer/configuration.h"
#include "paths/windowspath.h"
#include "record/installrecord.h"
#include "record/recordplace.h"
#include "record/rowcodec.h"
#include "record/sectionchange.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QMap>
#include <QRegularExpression>

namespace {

using Value = InstallRecord::Value;

const QString displaysSection = QStringLiteral("BrailleDisplays");

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// JAWS reads its display list from slot 1 up to the first slot without a long name: slots
// after a gap left by a removed display are moved down, in their order, keys and values
// as they are.
bool renumberDisplaySlots(IniFile &file)
{
    static const QRegularExpression slotKey(QStringLiteral("^Braille(\\d+)(\\D.*)$"), QRegularExpression::CaseInsensitiveOption);
    QMap<int, QStringList> listed; // slot -> its lines "suffix=value"
    for (const QString &line : file.section(displaysSection)) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        const QRegularExpressionMatch match = slotKey.match(line.left(equals));
        if (equals > 0 && match.hasMatch())
            listed[match.captured(1).toInt()] << match.captured(2) + line.mid(equals);
    }
    bool ok = true;
    int wanted = 0;
    for (auto slot = listed.cbegin(); slot != listed.cend(); ++slot) {
        ++wanted;
        if (slot.key() == wanted)
            continue;
        for (const QString &line : slot.value()) {
            const qsizetype equals = line.indexOf(QLatin1Char('='));
            ok &= file.removeKey(displaysSection, QStringLiteral("Braille%1%2").arg(slot.key()).arg(line.left(equals)));
            ok &= file.writeString(displaysSection, QStringLiteral("Braille%1%2").arg(wanted).arg(line.left(equals)), line.mid(equals + 1));
        }
    }
    return ok;
}

} // namespace

ValueChange::ValueChange()
    : RecordKind({ QStringLiteral("Values"), QStringLiteral("value"), 5, 11 })
{
}

QList<QStringList> ValueChange::rows(const InstallRecord &record, RowCodec &codec) const
{
    QList<QStringList> rows;
    for (const Value &entry : record.values)
        rows << QStringList{ codec.path(entry.path), RowCodec::encode(entry.section), RowCodec::encode(entry.key), RowCodec::encodeOptional(entry.before),
                             RowCodec::encodeOptional(entry.after) };
    return rows;
}

void ValueChange::readRow(InstallRecord &record, const QStringList &row, RowCodec &codec) const
{
    const QString path = codec.decodePath(row.at(0));
    const std::optional<QString> before = codec.decodeOptional(row.at(3));
    const std::optional<QString> after = codec.decodeOptional(row.at(4));
    record.values << Value{ path, RowCodec::decode(row.at(1)), RowCodec::decode(row.at(2)), before, after };
}

void ValueChange::merge(InstallRecord &record, const InstallRecord &later) const
{
    QHash<QString, qsizetype> known;
    for (qsizetype i = 0; i < record.values.size(); ++i)
        known.insert(RowCodec::key(record.values.at(i).path, record.values.at(i).section, record.values.at(i).key), i);
    for (const Value &entry : later.values) {
        const auto found = known.constFind(RowCodec::key(entry.path, entry.section, entry.key));
        if (found == known.constEnd()) {
            record.values << entry;
            continue;
        }
        // Found as the earlier installations set it: the value from before them stays the one a
        // removal brings back. Found otherwise, someone else chose it in between (the user, a
        // JAWS update): their value is the one it comes back to, not the one before the first
        // installation, which they had replaced themselves.
        Value &earlier = record.values[*found];
        if (entry.before != earlier.after)
            earlier.before = entry.before;
        earlier.after = entry.after;
    }
}

void ValueChange::confine(InstallRecord &record, RecordPlace &place) const
{
    QList<Value> values;
    for (const Value &value : std::as_const(record.values)) {
        if (place.keep(value.path, place.inEither(value.path)))
            values << value;
    }
    record.values = values;
}

void ValueChange::undoIn(Configuration &configuration, const InstallRecord &record, const QString &path)
{
    IniFile &file = configuration.file(path);
    bool changed = false;
    bool written = true;
    bool slotsRemoved = false;
    QStringList kept;
    for (const Value &value : record.values) {
        if (!WindowsPath::samePath(value.path, path))
            continue;
        const std::optional<QString> now = file.value(value.section, value.key);
        if (now != value.after) {
            kept << QCoreApplication::translate("Removal", "[%1] %2 in %3 was changed since the installation: it was kept as it is.")
                        .arg(value.section, value.key, native(path));
            continue;
        }
        written &= value.before ? file.writeString(value.section, value.key, *value.before) : file.removeKey(value.section, value.key);
        slotsRemoved |= !value.before && value.section.compare(displaysSection, Qt::CaseInsensitive) == 0;
        changed = true;
    }
    written &= SectionChange::undoIn(file, record, path);
    if (slotsRemoved)
        written &= renumberDisplaySlots(file);
    if (changed || file.isChanged()) {
        configuration.session().keepBackup(path);
        configuration.addWhenSaved({ path }, written,
                                   QCoreApplication::translate("Removal", "OK : The values the installation wrote in %1 were restored.").arg(native(path)),
                                   QCoreApplication::translate("Removal", "ERROR : The values the installation wrote in %1 could not be restored.").arg(native(path)));
    }
    for (const QString &line : std::as_const(kept))
        configuration.add(line);
}
