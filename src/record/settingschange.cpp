#include "settingschange.h"

#include "installer/configuration.h"
#include "installer/contenthash.h"
#include "platform/safefiles.h"
#include "record/installrecord.h"
#include "record/recordplace.h"
#include "record/recordundo.h"
#include "record/rowcodec.h"
#include "record/valuechange.h"
#include "report/report.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>

namespace {

using Platform::SafeFiles;
using Settings = InstallRecord::Settings;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

SettingsChange::SettingsChange()
    : RecordKind({ QStringLiteral("Settings"), QStringLiteral("settings"), 4, 10 })
{
}

QList<QStringList> SettingsChange::rows(const InstallRecord &record, RowCodec &codec) const
{
    QList<QStringList> rows;
    for (const Settings &entry : record.settings)
        rows << QStringList{ codec.path(entry.path), entry.existed ? QStringLiteral("1") : QStringLiteral("0"), codec.path(entry.backup),
                             QString::fromLatin1(entry.hash), QString::fromLatin1(entry.backupHash) };
    return rows;
}

void SettingsChange::readRow(InstallRecord &record, const QStringList &row, RowCodec &codec) const
{
    record.settings << Settings{ codec.decodePath(row.at(0)), codec.flag(row.at(1)), codec.decodePath(row.at(2), true), row.at(3).toLatin1(),
                                 codec.hash(row.value(4)) };
}

void SettingsChange::merge(InstallRecord &record, const InstallRecord &later) const
{
    QHash<QString, qsizetype> known;
    for (qsizetype i = 0; i < record.settings.size(); ++i)
        known.insert(RowCodec::key(record.settings.at(i).path), i);
    for (const Settings &entry : later.settings) {
        const auto found = known.constFind(RowCodec::key(entry.path));
        if (found == known.constEnd()) {
            record.settings << entry;
            continue;
        }
        // The backup holds the file from before the first installation. It may come back whole
        // only while each installation found the file byte for byte as the one before had left
        // it: whatever anyone else changed in between would be lost with it. Once not, never
        // again: the file is restored value by value.
        Settings &earlier = record.settings[*found];
        const bool foundAsLeft = entry.existed && ContentHash::isOne(earlier.hash) && entry.backupHash == earlier.hash;
        earlier.hash = foundAsLeft ? entry.hash : QByteArray();
    }
}

void SettingsChange::confine(InstallRecord &record, RecordPlace &place) const
{
    QList<Settings> settings;
    for (const Settings &entry : std::as_const(record.settings)) {
        if (place.keep(entry.path, place.inEither(entry.path))
            && (!entry.existed || entry.backup.isEmpty() || place.keep(entry.backup, place.inEither(entry.backup))))
            settings << entry;
    }
    record.settings = settings;
}

int SettingsChange::undoItems(const InstallRecord &record) const
{
    return int(record.settings.size());
}

QString SettingsChange::plan(const InstallRecord &record, const QString &) const
{
    if (record.settings.isEmpty())
        return QString();
    return QCoreApplication::translate("Removal", "Restore the settings files of JAWS that the installation changed, keeping what was changed since.");
}

void SettingsChange::undo(RecordUndo &undo) const
{
    // Each file brought back whole when it is as the installation left it, else value by value;
    // in one session, each file backed up before it changes.
    if (undo.stopping())
        return;
    const InstallRecord &record = undo.record();
    Configuration configuration;
    configuration.begin(StepResult::Step::RestoringSettings);
    // Made by the installation and unchanged since: they go once the others are restored.
    QStringList created;
    for (const Settings &settings : record.settings) {
        const QString &path = settings.path;
        undo.step(native(path));
        if (!SafeFiles::nameTaken(path)) {
            if (settings.existed)
                configuration.add(QCoreApplication::translate("Removal", "%1 is no longer there: it was not restored.").arg(native(path)));
            continue;
        }
        // No fingerprint: someone else changed the file between two installations, and what they
        // did would go with a whole restore.
        if (!settings.hash.isEmpty() && InstallRecord::fileHasHash(path, settings.hash)) {
            if (!settings.existed) {
                created << path;
                continue;
            }
            // The backup comes back whole only while it is what the installation made of the
            // file: one changed since, or a link in its place, is not the user's file.
            QByteArray before;
            SafeFiles::Refusal refusal;
            const SafeFiles::Status read = SafeFiles::read(settings.backup, &before, &refusal);
            if (read == SafeFiles::Status::Refused)
                configuration.add(Report::refusedLine(refusal), StepResult::Outcome::Failed);
            const bool intact = read == SafeFiles::Status::Done && !settings.backupHash.isEmpty()
                && InstallRecord::hashOf(before) == settings.backupHash;
            if (intact) {
                configuration.session().keepBackup(path);
                const bool restored = configuration.file(path).replaceContent(before);
                configuration.addWhenSaved({ path }, restored, QCoreApplication::translate("Removal", "OK : %1 restored as it was before the installation.").arg(native(path)),
                                           QCoreApplication::translate("Removal", "ERROR : %1 could not be restored.").arg(native(path)));
                continue;
            }
            if (read == SafeFiles::Status::Done && !settings.backupHash.isEmpty())
                configuration.add(QCoreApplication::translate("Removal", "The backup %1 was changed since the installation: %2 was restored value by value instead.")
                                      .arg(native(settings.backup), native(path)));
        }
        // Changed since (by the user or JAWS), or its backup is gone: value by value.
        ValueChange::undoIn(configuration, record, path);
    }
    undo.report(configuration.commit());
    for (const QString &path : std::as_const(created))
        undo.deleteFile(StepResult::Step::RestoringSettings, path);
}
