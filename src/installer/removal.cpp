#include "removal.h"

#include "installer/appslistentry.h"
#include "record/recordkind.h"
#include "record/recordplace.h"
#include "installer/configuration.h"
#include "installer/installation.h"
#include "ini/settingssession.h"
#include "installer/installpackage.h"
#include "installer/jawstarget.h"
#include "installer/runreport.h"
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

} // namespace

Removal::Removal(Jaws &jaws_, JawsTarget &target_, const InstallPackage &package_, RunReport &run_, QObject *parent)
    : QObject(parent)
    , target(target_)
    , package(package_)
    , run(run_)
    , jawsClosing(jaws_, run_)
{
}

Removal::~Removal()
{
    // Files half removed would be left to a thread whose object is gone.
    if (worker)
        worker->wait();
    cancel();
}

bool Removal::isRecorded(JawsTarget &target, const InstallPackage &package, const QString &jawsFolder)
{
    target.reset();
    target.setJawsFolder(jawsFolder);
    if (!target.computeFolders(package.folder()))
        return false;
    // A record that cannot be read still names an installation: its removal says what is wrong.
    return SafeFiles::nameTaken(target.installRecordPath());
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
    return run.hasErrors(firstResult);
}

bool Removal::jawsNotClosed() const
{
    return run.failed(StepResult::Step::ClosingJaws, firstResult);
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
    target.reset();
    firstResult = run.resultCount();
    m_jawsFolder = jawsFolder;
    target.setJawsFolder(jawsFolder);
    run.report().writeLine(m_runToUndo.isEmpty() ? tr("Removal from %1 folder...").arg(jawsFolder)
                                                       : tr("Taking back the installation run %1 from %2 folder...").arg(m_runToUndo, jawsFolder));
    run.report().writeLine(QString());
    if (target.computeFolders(package.folder())) {
        m_recordPath = target.installRecordPath();
        IniFile file(m_recordPath);
        const InstallRecord::Reading reading = m_record.read(file, target.recordRoots());
        if (reading == InstallRecord::Reading::Read) {
            if (!m_runToUndo.isEmpty() && !chooseRun(jawsFolder))
                return false;
            confineRecord();
            // Killed, or the power cut, between its copy and its settings: its files are in the
            // record all the same, and go with the rest.
            if (m_record.unfinished)
                run.record(StepResult::Step::NothingToRemove,
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
            run.record(StepResult::Step::NothingToRemove,
                             tr("ERROR : The installation record %1 is damaged or cannot be read: nothing was removed.").arg(native(m_recordPath)),
                             StepResult::Outcome::Failed);
            if (!file.refusal().path.isEmpty())
                run.record(StepResult::Step::NothingToRemove, Report::refusedLine(file.refusal()), StepResult::Outcome::Failed);
            setState(State::Failed);
            return false;
        }
    }
    run.record(StepResult::Step::NothingToRemove,
                     tr("The Korvalis Braille driver has no installation record in %1: nothing was removed.").arg(native(jawsFolder)));
    return false;
}

bool Removal::chooseRun(const QString &jawsFolder)
{
    const qsizetype at = m_record.runIndex(m_runToUndo);
    if (at < 0) {
        // A run that changed nothing here (it found everything installed already), or one of
        // another machine: there is nothing of it to take back.
        run.record(StepResult::Step::NothingToRemove,
                         tr("The installation run %1 left no change recorded in %2: nothing was taken back.").arg(m_runToUndo, native(jawsFolder)));
        return false;
    }
    if (at != m_record.runs.size() - 1) {
        // Its changes are under those of the later runs: taken back first, they would take away
        // what the later runs rely on and leave what they put on top.
        QStringList later;
        for (qsizetype i = at + 1; i < m_record.runs.size(); ++i)
            later << (m_record.runs.at(i).id.isEmpty() ? tr("one of an earlier program") : m_record.runs.at(i).id);
        m_runRefused = true;
        run.record(StepResult::Step::NothingToRemove,
                         tr("ERROR : The installation run %1 cannot be taken back alone: later runs built on it in %2 (%3). "
                            "Take those back first, the latest first: nothing was taken back.")
                             .arg(m_runToUndo, native(jawsFolder), later.join(QStringLiteral(", "))),
                         StepResult::Outcome::Failed);
        setState(State::Failed);
        return false;
    }
    m_recordWithoutRun = m_record.withoutLastRun();
    const InstallRecord taken = *m_record.runs.constLast().changes;
    m_record = taken;
    return true;
}

void Removal::confineRecord()
{
    // The record lies where a user may have written it (an earlier program's, or one forged):
    // each path it names must lie in this JAWS installation or in a settings folder that this
    // program derives for it, whatever the record says; a row elsewhere is refused.
    RecordPlace place(target.jawsFolder(), target.derivedSettingsFolders());
    m_record.confine(place);
    for (const QString &path : place.refused()) {
        run.record(StepResult::Step::NothingToRemove,
                         tr("ERROR : The installation record names %1, which lies outside this JAWS installation and its settings: "
                            "it was left as it is.").arg(native(path)),
                         StepResult::Outcome::Failed);
    }
}

QStringList Removal::plan() const
{
    QStringList items;
    for (const RecordKind *kind : RecordKind::inUndoOrder()) {
        const QString item = kind->plan(m_record, m_jawsFolder);
        if (!item.isEmpty())
            items << item;
    }
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
        case JawsClosing::Ending::CancelledBeforeClosing:
            return; // JAWS stays as it is
        case JawsClosing::Ending::CancelledWhileClosing:
            // The removal ends only now, with JAWS given back, so that the report the last page
            // publishes holds the restart too.
            giveJawsBackIfClosed();
            run.report().writeLine(Report::separatorLine());
            emit finished();
            return;
        case JawsClosing::Ending::StillRunning:
            // JAWS would hold its settings and write them back over the restored ones.
            run.record(StepResult::Step::ClosingJaws,
                             tr("ERROR : Jaws could not be closed: nothing was removed. Please close Jaws and remove the driver again."),
                             StepResult::Outcome::Failed);
            setState(State::Failed);
            emit finished();
            return;
        case JawsClosing::Ending::Closed:
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
        run.report().writeLine(Report::separatorLine());
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
    run.record(StepResult::Step::Cancel, tr("ERROR : Removal cancelled by the user: nothing was removed."), StepResult::Outcome::Failed);
    if (jawsClosing.closing())
        return;
    run.report().writeLine(Report::separatorLine());
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
    // The recorded changes taken back kind by kind, what the installation did last first; the
    // folders once the record in one of them is gone.
    m_done = 0;
    int items = 1;
    for (const RecordKind *kind : RecordKind::all())
        items += kind->undoItems(m_record);
    emit progressMaximum(items);
    const QList<const RecordKind *> kinds = RecordKind::inUndoOrder();
    for (const RecordKind *kind : kinds) {
        if (!kind->undoneAfterRecord())
            kind->undo(*this);
    }
    if (stopping() || !removeRecord())
        return;
    for (const RecordKind *kind : kinds) {
        if (kind->undoneAfterRecord())
            kind->undo(*this);
    }
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
        run.record(StepResult::Step::Cancel,
                         tr("ERROR : Removal interrupted: what is listed above was done, the rest was not. The installation record "
                            "is kept: remove the driver again to finish."),
                         StepResult::Outcome::Failed);
    }
    return true;
}

bool Removal::removeRecord()
{
    const auto stepOf = StepResult::Step::RemovingFolders;
    step(native(m_recordPath));
    // After a failure the record stays: a second removal finds what is left to do, and leaves
    // alone what was done (it no longer holds what the installation wrote).
    if (hasErrors()) {
        run.record(stepOf, tr("The installation record %1 is kept: remove the driver again once the errors above are mended.")
                                     .arg(native(m_recordPath)));
        return false;
    }
    if (m_recordWithoutRun && !m_recordWithoutRun->isEmpty())
        return keepEarlierRuns();
    deleteFile(stepOf, m_recordPath);
    if (run.failed(stepOf, firstResult))
        return false; // the record stays, and so does the entry that offers its removal
    // Nothing is left to remove: the list of apps no longer offers it (with the last entry, the
    // program's own copy goes too).
    QString appsListLine;
    const bool unlisted = AppsListEntry().unregisterInstallation(m_jawsFolder, &appsListLine);
    if (!appsListLine.isEmpty())
        run.record(StepResult::Step::AppsList, appsListLine, unlisted ? StepResult::Outcome::Done : StepResult::Outcome::Failed);
    return true;
}

bool Removal::keepEarlierRuns()
{
    const auto stepOf = StepResult::Step::RemovingFolders;
    // The earlier installations are still there: their record stays, as they left it, and so
    // does the entry in the list of apps that offers their removal.
    SettingsSession session;
    IniFile &file = session.file(m_recordPath);
    const bool written = m_recordWithoutRun->write(file, target.recordRoots()) && session.commit() && session.saved(m_recordPath);
    if (!written) {
        run.record(stepOf, tr("ERROR : The installation record %1 could not be written: remove the driver again.").arg(native(m_recordPath)),
                         StepResult::Outcome::Failed);
        if (!file.refusal().path.isEmpty())
            run.record(stepOf, Report::refusedLine(file.refusal()), StepResult::Outcome::Failed);
        return false;
    }
    run.record(stepOf, tr("OK : The installation record %1 now holds the earlier installations alone.").arg(native(m_recordPath)),
                     StepResult::Outcome::Done);
    // The entry that offers their removal stays; the driver it names is the earlier one again.
    // (The program's copy stays as the later run left it: a program reads the records of the
    // programs before it.)
    if (!AppsListEntry::showDriverVersion(m_jawsFolder, target.driverFolder()))
        run.record(StepResult::Step::AppsList, tr("NOTE : Windows' list of apps could not be told the driver's version."));
    return true;
}

const InstallRecord &Removal::record() const
{
    return m_record;
}

void Removal::report(StepResult::Step step, const QString &text, StepResult::Outcome outcome)
{
    run.record(step, text, outcome);
}

void Removal::report(const QList<StepResult> &results)
{
    run.record(results);
}

bool Removal::hasRemarks() const
{
    const QList<StepResult> &results = run.results();
    for (qsizetype i = firstResult; i < results.size(); ++i) {
        for (const StepResult::Line &line : results.at(i).lines()) {
            if (line.outcome == StepResult::Outcome::Note && !line.text.isEmpty())
                return true;
        }
    }
    return false;
}
