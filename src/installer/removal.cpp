#include "removal.h"

#include "installer/appslistentry.h"
#include "installer/configuration.h"
#include "installer/installation.h"
#include "installer/jawsinstaller.h"
#include "jaws/jaws.h"
#include "paths/windowspath.h"
#include "platform/console.h"
#include "platform/filecopy.h"
#include "platform/safefiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QThread>

#include <algorithm>

namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

using Platform::SafeFiles;

// Whether `path`, as the record names it, is a whole path inside `folder`: read as text, "." and
// ".." resolved, as Windows would.
bool within(const QString &path, const QString &folder, bool orSame)
{
    if (folder.isEmpty() || !QDir::isAbsolutePath(QDir::fromNativeSeparators(path)))
        return false;
    return orSame ? WindowsPath::isSameOrInside(path, folder) : WindowsPath::isInside(path, folder);
}

const QString displaysSection = QStringLiteral("BrailleDisplays");

// Runs the removal proper off the thread of the window that shows it.
class WorkThread : public QThread
{
public:
    explicit WorkThread(std::function<void()> work)
        : work(std::move(work))
    {
    }

protected:
    void run() override { work(); }

private:
    std::function<void()> work;
};

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

Removal::Removal(Jaws &jaws_, JawsInstaller &installer_, QObject *parent)
    : QObject(parent)
    , installer(installer_)
    , jawsClosing(jaws_, installer_)
{
}

Removal::~Removal()
{
    // Files half removed would be left to a thread whose object is gone.
    if (worker)
        worker->wait();
    cancel();
}

bool Removal::isRecorded(JawsInstaller &installer, const QString &jawsFolder)
{
    installer.reset();
    installer.setJawsFolder(jawsFolder);
    if (!installer.computeTargetFolders())
        return false;
    // A record that cannot be read still names an installation: its removal says what is wrong.
    return SafeFiles::nameTaken(installer.installRecordPath());
}

bool Removal::forgetGoneJaws(const QString &jawsFolder, QString *line)
{
    if (jawsFolder.isEmpty() || QFileInfo::exists(jawsFolder) || !AppsListEntry::isRegistered(jawsFolder))
        return false;
    QString appsListLine;
    const bool unlisted = AppsListEntry().unregisterInstallation(jawsFolder, &appsListLine);
    *line = tr("JAWS is no longer installed in %1: nothing of the driver is left there.").arg(native(jawsFolder));
    if (!appsListLine.isEmpty())
        *line += QLatin1Char('\n') + appsListLine;
    return unlisted;
}

bool Removal::hasErrors() const
{
    return installer.hasErrors(firstResult);
}

bool Removal::jawsNotClosed() const
{
    return installer.failed(StepResult::Step::ClosingJaws, firstResult);
}

void Removal::setState(State state)
{
    m_state = state;
    emit stateChanged(state);
}

bool Removal::prepare(const QString &jawsFolder)
{
    if (m_state != State::Idle)
        return false;
    installer.reset();
    firstResult = installer.resultCount();
    m_jawsFolder = jawsFolder;
    installer.setJawsFolder(jawsFolder);
    installer.report().writeLine(tr("Removal from %1 folder...").arg(jawsFolder));
    installer.report().writeLine(QString());
    if (installer.computeTargetFolders()) {
        m_recordPath = installer.installRecordPath();
        IniFile file(m_recordPath);
        const InstallRecord::Reading reading = m_record.read(file, installer.recordRoots());
        if (reading == InstallRecord::Reading::Read) {
            confineRecord();
            // Killed, or the power cut, between its copy and its settings: its files are in the
            // record all the same, and go with the rest.
            if (m_record.unfinished)
                installer.record(StepResult::Step::NothingToRemove,
                                 tr("The last installation into %1 never finished: it was stopped before JAWS was configured. "
                                    "The files it copied are removed with the rest.")
                                     .arg(native(jawsFolder)));
            setState(State::Prepared);
            return true;
        }
        // Read in part, the record would remove in part and then be gone: the driver would stay
        // for good. Nothing is touched, the record and the list's entry stay.
        if (reading == InstallRecord::Reading::Damaged) {
            m_recordDamaged = true;
            installer.record(StepResult::Step::NothingToRemove,
                             tr("ERROR : The installation record %1 is damaged or cannot be read: nothing was removed.").arg(native(m_recordPath)),
                             StepResult::Outcome::Failed);
            if (!file.refusal().path.isEmpty())
                installer.record(StepResult::Step::NothingToRemove, Report::refusedLine(file.refusal()), StepResult::Outcome::Failed);
            setState(State::Failed);
            return false;
        }
    }
    installer.record(StepResult::Step::NothingToRemove,
                     tr("The Korvalis Braille driver has no installation record in %1: nothing was removed.").arg(native(jawsFolder)));
    return false;
}

void Removal::confineRecord()
{
    // The record lies where a user may have written it (an earlier program's, or one forged):
    // each path it names must lie in this JAWS installation or in a settings folder that this
    // program derives for it, whatever the record says; a row elsewhere is refused.
    const QString jawsFolder = installer.jawsFolder();
    const QStringList settingsFolders = installer.derivedSettingsFolders();
    const auto inSettings = [&settingsFolders](const QString &path) {
        return std::any_of(settingsFolders.cbegin(), settingsFolders.cend(), [&path](const QString &folder) { return within(path, folder, false); });
    };
    const auto inJaws = [&jawsFolder](const QString &path) { return within(path, jawsFolder, false); };
    const auto inEither = [&](const QString &path) { return inJaws(path) || inSettings(path); };
    QStringList refused;
    const auto keep = [&refused](const QString &path, bool ok) {
        if (!ok && !refused.contains(path))
            refused << path;
        return ok;
    };
    QList<InstallRecord::File> files;
    for (const InstallRecord::File &file : std::as_const(m_record.files)) {
        if (keep(file.path, inJaws(file.path)) && (file.before != InstallRecord::File::Before::Replaced || keep(file.backup, inJaws(file.backup))))
            files << file;
    }
    m_record.files = files;
    QStringList folders;
    for (const QString &folder : std::as_const(m_record.folders)) {
        if (keep(folder, inJaws(folder)))
            folders << folder;
    }
    m_record.folders = folders;
    QList<InstallRecord::Settings> settings;
    for (const InstallRecord::Settings &entry : std::as_const(m_record.settings)) {
        if (keep(entry.path, inEither(entry.path)) && (!entry.existed || entry.backup.isEmpty() || keep(entry.backup, inEither(entry.backup))))
            settings << entry;
    }
    m_record.settings = settings;
    QList<InstallRecord::Value> values;
    for (const InstallRecord::Value &value : std::as_const(m_record.values)) {
        if (keep(value.path, inEither(value.path)))
            values << value;
    }
    m_record.values = values;
    QList<InstallRecord::Section> sections;
    for (const InstallRecord::Section &section : std::as_const(m_record.sections)) {
        if (keep(section.path, inEither(section.path)))
            sections << section;
    }
    m_record.sections = sections;
    QList<InstallRecord::KeyMap> keyMaps;
    for (const InstallRecord::KeyMap &keyMap : std::as_const(m_record.keyMaps)) {
        if (keep(keyMap.path, inSettings(keyMap.path)) && keep(keyMap.backup, inSettings(keyMap.backup)))
            keyMaps << keyMap;
    }
    m_record.keyMaps = keyMaps;
    for (const QString &path : std::as_const(refused)) {
        installer.record(StepResult::Step::NothingToRemove,
                         tr("ERROR : The installation record names %1, which lies outside this JAWS installation and its settings: "
                            "it was left as it is.").arg(native(path)),
                         StepResult::Outcome::Failed);
    }
}

QStringList Removal::plan() const
{
    QStringList items;
    if (!m_record.settings.isEmpty())
        items << tr("Restore the settings files of JAWS that the installation changed, keeping what was changed since.");
    if (!m_record.keyMaps.isEmpty())
        items << tr("Put back the key maps that the installation moved aside.");
    if (!m_record.files.isEmpty())
        items << tr("Remove the driver's files from %1, or put back the files they replaced.").arg(native(m_jawsFolder));
    items << tr("Remove the installation record and the folders the installation created, when they are empty.");
    return items;
}

void Removal::start()
{
    if (m_state != State::Prepared)
        return;
    if (jawsClosing.jawsRuns()) {
        setState(State::ClosingJaws);
        switch (jawsClosing.close([this] { return m_state == State::Cancelled; })) {
        case JawsClosing::Outcome::CancelledBeforeClosing:
            return; // JAWS stays as it is
        case JawsClosing::Outcome::CancelledWhileClosing:
            // The removal ends only now, with JAWS given back, so that the report the last page
            // publishes holds the restart too.
            giveJawsBackIfClosed();
            installer.report().writeLine(Report::separatorLine());
            emit finished();
            return;
        case JawsClosing::Outcome::StillRunning:
            // JAWS would hold its settings and write them back over the restored ones.
            installer.record(StepResult::Step::ClosingJaws,
                             tr("ERROR : Jaws could not be closed: nothing was removed. Please close Jaws and remove the driver again."),
                             StepResult::Outcome::Failed);
            setState(State::Failed);
            emit finished();
            return;
        case JawsClosing::Outcome::Closed:
            break;
        }
    }
    setState(State::Removing);
    if (inBackground) {
        worker = std::make_unique<WorkThread>([this] {
            const Platform::FileWorkThread blockedCallsCutShort;
            remove();
        });
        connect(worker.get(), &QThread::finished, this, &Removal::removed);
        worker->start();
        return;
    }
    remove();
    removed();
}

void Removal::removed()
{
    if (worker) {
        worker->wait();
        worker.reset();
    }
    giveJawsBackIfClosed();
    if (m_stop) {
        // The report's block ends with the interruption, as a cancelled installation's does.
        installer.report().writeLine(Report::separatorLine());
        setState(State::Cancelled);
    } else {
        setState(State::Done);
    }
    emit finished();
}

void Removal::cancel()
{
    // While removing, between two files: each file whole, the record kept for a second removal.
    if (m_state == State::Removing) {
        m_stop = true;
        return;
    }
    if (m_state != State::Prepared && m_state != State::ClosingJaws)
        return; // not begun, or ended
    // The warning or the close protocol may still be under way further up the stack: it sees the
    // cancel when it returns. The close protocol then gives JAWS back and ends the removal itself.
    setState(State::Cancelled);
    installer.record(StepResult::Step::Cancel, tr("ERROR : Removal cancelled by the user: nothing was removed."), StepResult::Outcome::Failed);
    if (jawsClosing.closing())
        return;
    installer.report().writeLine(Report::separatorLine());
    emit finished();
}

void Removal::giveJawsBackIfClosed()
{
    jawsClosing.giveBack(m_jawsFolder);
}

void Removal::step(const QString &description)
{
    emit currentItem(description);
    emit progressValue(++m_done);
}

void Removal::remove()
{
    m_done = 0;
    emit progressMaximum(int(m_record.settings.size() + m_record.keyMaps.size() + m_record.files.size() + m_record.folders.size()) + 1);
    restoreSettings();
    restoreKeyMaps();
    removeFiles();
    if (stopping())
        return;
    removeRecordAndFolders();
}

bool Removal::stopping()
{
    // Also when this thread could not answer the interrupt yet (the removal runs in line).
    if (Platform::interruptRequested())
        m_stop = true;
    if (!m_stop)
        return false;
    if (!m_stopRecorded) {
        m_stopRecorded = true;
        installer.record(StepResult::Step::Cancel,
                         tr("ERROR : Removal interrupted: what is listed above was done, the rest was not. The installation record "
                            "is kept: remove the driver again to finish."),
                         StepResult::Outcome::Failed);
    }
    return true;
}

void Removal::restoreSettings()
{
    if (stopping())
        return;
    Configuration configuration;
    configuration.begin(StepResult::Step::RestoringSettings);
    // Made by the installation and unchanged since: they go once the others are restored.
    QStringList created;
    for (const InstallRecord::Settings &settings : std::as_const(m_record.settings)) {
        const QString &path = settings.path;
        step(native(path));
        if (!SafeFiles::nameTaken(path)) {
            if (settings.existed)
                configuration.add(tr("%1 is no longer there: it was not restored.").arg(native(path)));
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
                configuration.addWhenSaved({ path }, restored, tr("OK : %1 restored as it was before the installation.").arg(native(path)),
                                           tr("ERROR : %1 could not be restored.").arg(native(path)));
                continue;
            }
            if (read == SafeFiles::Status::Done && !settings.backupHash.isEmpty())
                configuration.add(tr("The backup %1 was changed since the installation: %2 was restored value by value instead.")
                                      .arg(native(settings.backup), native(path)));
        }
        // Changed since (by the user or JAWS), or its backup is gone: value by value.
        undoValues(configuration, path);
    }
    installer.record(configuration.commit());
    for (const QString &path : std::as_const(created))
        deleteFile(StepResult::Step::RestoringSettings, path);
}

void Removal::undoValues(Configuration &configuration, const QString &path)
{
    IniFile &file = configuration.file(path);
    bool changed = false;
    bool written = true;
    bool slotsRemoved = false;
    QStringList kept;
    for (const InstallRecord::Value &value : std::as_const(m_record.values)) {
        if (!WindowsPath::samePath(value.path, path))
            continue;
        const std::optional<QString> now = file.value(value.section, value.key);
        if (now != value.after) {
            kept << tr("[%1] %2 in %3 was changed since the installation: it was kept as it is.")
                        .arg(value.section, value.key, native(path));
            continue;
        }
        written &= value.before ? file.writeString(value.section, value.key, *value.before) : file.removeKey(value.section, value.key);
        slotsRemoved |= !value.before && value.section.compare(displaysSection, Qt::CaseInsensitive) == 0;
        changed = true;
    }
    for (const InstallRecord::Section &section : std::as_const(m_record.sections)) {
        if (WindowsPath::samePath(section.path, path) && file.section(section.section).isEmpty())
            written &= file.removeSection(section.section);
    }
    if (slotsRemoved)
        written &= renumberDisplaySlots(file);
    if (changed || file.isChanged()) {
        configuration.session().keepBackup(path);
        configuration.addWhenSaved({ path }, written,
                                   tr("OK : The values the installation wrote in %1 were restored.").arg(native(path)),
                                   tr("ERROR : The values the installation wrote in %1 could not be restored.").arg(native(path)));
    }
    for (const QString &line : std::as_const(kept))
        configuration.add(line);
}

void Removal::restoreKeyMaps()
{
    const auto stepOf = StepResult::Step::RestoringKeyMaps;
    for (const InstallRecord::KeyMap &keyMap : std::as_const(m_record.keyMaps)) {
        if (stopping())
            return;
        step(native(keyMap.path));
        // JAWS or the user made a new one since: theirs stays, the old one in its backup.
        if (SafeFiles::nameTaken(keyMap.path)) {
            installer.record(stepOf, tr("%1 was made again since the installation: it was kept; the earlier one is %2.")
                                         .arg(native(keyMap.path), native(keyMap.backup)));
            continue;
        }
        if (!SafeFiles::nameTaken(keyMap.backup)) {
            installer.record(stepOf, tr("ERROR : %1 could not be put back: its backup %2 is gone.").arg(native(keyMap.path), native(keyMap.backup)),
                             StepResult::Outcome::Failed);
            continue;
        }
        putBack(stepOf, keyMap.path, keyMap.backup, keyMap.backupHash);
    }
}

void Removal::putBack(StepResult::Step step, const QString &path, const QString &backup, const QByteArray &backupHash)
{
    // A copy: the backup stays, like every numbered backup. Only a backup that is still what the
    // installation made comes back (records of earlier programs hold no fingerprint of it).
    QByteArray bytes;
    SafeFiles::Refusal refusal;
    const SafeFiles::Result read = SafeFiles::read(backup, &bytes, &refusal);
    if (read == SafeFiles::Status::Refused) {
        installer.record(step, Report::refusedLine(refusal), StepResult::Outcome::Failed);
        return;
    }
    if (read == SafeFiles::Status::Done && !backupHash.isEmpty() && InstallRecord::hashOf(bytes) != backupHash) {
        installer.record(step, tr("ERROR : %1 was not put back: its backup %2 was changed since the installation.").arg(native(path), native(backup)),
                         StepResult::Outcome::Failed);
        return;
    }
    const SafeFiles::Result written = read == SafeFiles::Status::Done ? SafeFiles::replace(path, bytes, &refusal) : read;
    if (written == SafeFiles::Status::Refused) {
        installer.record(step, Report::refusedLine(refusal), StepResult::Outcome::Failed);
        return;
    }
    const bool restored = written == SafeFiles::Status::Done;
    installer.record(step,
                     restored ? tr("OK : %1 put back from %2.").arg(native(path), native(backup))
                              : Report::withReason(tr("ERROR : %1 could not be put back from %2.").arg(native(path), native(backup)), written.reason()),
                     restored ? StepResult::Outcome::Done : StepResult::Outcome::Failed);
}

void Removal::deleteFile(StepResult::Step step, const QString &path)
{
    SafeFiles::Refusal refusal;
    const SafeFiles::Result deleted = SafeFiles::remove(path, &refusal);
    if (deleted == SafeFiles::Status::Refused)
        installer.record(step, Report::refusedLine(refusal), StepResult::Outcome::Failed);
    else
        installer.record(step, Report::fileDeletedLine(native(path), deleted == SafeFiles::Status::Done, deleted.reason()),
                         deleted == SafeFiles::Status::Done ? StepResult::Outcome::Done : StepResult::Outcome::Failed);
}

void Removal::removeFiles()
{
    const auto stepOf = StepResult::Step::RemovingFiles;
    QStringList temporaryFolders;
    for (const InstallRecord::File &file : std::as_const(m_record.files)) {
        if (stopping())
            return;
        step(native(file.path));
        // A copy under way when its run was stopped leaves its new file in a folder of its own,
        // under the same name: the copy's, whoever else writes there.
        if (m_record.unfinished) {
            const QString temporary = Platform::temporaryCopyPath(file.path);
            if (SafeFiles::nameTaken(temporary))
                deleteFile(stepOf, native(temporary));
            if (!temporaryFolders.contains(native(Platform::temporaryCopyFolder(file.path))))
                temporaryFolders << native(Platform::temporaryCopyFolder(file.path));
        }
        // There before the installation with this very content: not the installation's to take.
        if (file.before == InstallRecord::File::Before::Same || !SafeFiles::nameTaken(file.path))
            continue;
        const QString link = SafeFiles::linkOnTheWay(file.path);
        if (!link.isEmpty()) {
            installer.record(stepOf, Report::refusedLine({ link, true }), StepResult::Outcome::Failed);
            continue;
        }
        const bool unknown = file.hash == InstallRecord::unknownContent();
        if (unknown || QFileInfo(file.path).size() != file.size || !InstallRecord::fileHasHash(file.path, file.hash)) {
            // What it replaced, as it was: a copy that never reached it, or put back by hand.
            if (file.before == InstallRecord::File::Before::Replaced && !file.backupHash.isEmpty()
                && InstallRecord::hashOfFile(file.path) == file.backupHash)
                continue;
            // A row of a run that never finished names no content: the file was not there when
            // the run began, or not as it is now, so what stands there now is what its copy put.
            if (!unknown) {
                installer.record(stepOf, tr("%1 was changed since the installation: it was kept.").arg(native(file.path)));
                continue;
            }
        }
        if (file.before == InstallRecord::File::Before::Absent) {
            deleteFile(stepOf, file.path);
            continue;
        }
        putBack(stepOf, file.path, file.backup, file.backupHash);
    }
    for (const QString &folder : std::as_const(temporaryFolders))
        SafeFiles::removeEmptyFolder(folder);
}

void Removal::removeRecordAndFolders()
{
    const auto stepOf = StepResult::Step::RemovingFolders;
    step(native(m_recordPath));
    // After a failure the record stays: a second removal finds what is left to do, and leaves
    // alone what was done (it no longer holds what the installation wrote).
    if (hasErrors()) {
        installer.record(stepOf, tr("The installation record %1 is kept: remove the driver again once the errors above are mended.")
                                     .arg(native(m_recordPath)));
        return;
    }
    deleteFile(stepOf, m_recordPath);
    if (installer.failed(stepOf, firstResult))
        return; // the record stays, and so does the entry that offers its removal
    // Nothing is left to remove: the list of apps no longer offers it (with the last entry, the
    // program's own copy goes too).
    QString appsListLine;
    const bool unlisted = AppsListEntry().unregisterInstallation(m_jawsFolder, &appsListLine);
    if (!appsListLine.isEmpty())
        installer.record(StepResult::Step::AppsList, appsListLine, unlisted ? StepResult::Outcome::Done : StepResult::Outcome::Failed);
    // Children before their parents; a folder that holds anything (the user's, JAWS's) stays.
    QStringList folders = m_record.folders;
    std::reverse(folders.begin(), folders.end());
    for (const QString &folder : std::as_const(folders)) {
        step(native(folder));
        if (SafeFiles::removeEmptyFolder(folder) == SafeFiles::Status::Done)
            installer.record(stepOf, tr("OK : %1 folder removed.").arg(native(folder)), StepResult::Outcome::Done);
    }
}

bool Removal::hasRemarks() const
{
    const QList<StepResult> &results = installer.results();
    for (qsizetype i = firstResult; i < results.size(); ++i) {
        for (const StepResult::Line &line : results.at(i).lines()) {
            if (line.outcome == StepResult::Outcome::Note && !line.text.isEmpty())
                return true;
        }
    }
    return false;
}
