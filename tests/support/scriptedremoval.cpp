#include "support/scriptedremoval.h"

ScriptedRemoval::Script &ScriptedRemoval::script()
{
    static Script current;
    return current;
}

using ScriptedRemoval::script;

Removal::Removal(Jaws &, JawsInstaller &, QObject *parent)
    : QObject(parent)
{
}

Removal::~Removal() = default;

bool Removal::isRecorded(JawsInstaller &, const QString &jawsFolder)
{
    return script().recorded.contains(jawsFolder);
}

bool Removal::prepare(const QString &jawsFolder)
{
    script().prepared = jawsFolder;
    if (!script().recorded.contains(jawsFolder))
        return false;
    m_state = State::Prepared;
    return true;
}

QStringList Removal::plan() const
{
    return script().plan;
}

// As the engine does: the warning, then (unless it was cancelled meanwhile) every item of the
// plan, each announced, then the end.
void Removal::start()
{
    ++script().starts;
    m_state = State::ClosingJaws;
    emit stateChanged(m_state);
    if (script().jawsRunning && beforeClosingJaws)
        beforeClosingJaws();
    if (m_state != State::Cancelled && script().end != State::Failed) {
        m_state = State::Removing;
        emit progressMaximum(int(script().plan.size()));
        for (int i = 0; i < script().plan.size(); ++i) {
            emit currentItem(script().plan.at(i));
            emit progressValue(i + 1);
        }
    }
    if (m_state != State::Cancelled)
        m_state = script().end;
    emit stateChanged(m_state);
    emit finished();
}

void Removal::cancel()
{
    ++script().cancels;
    if (m_state == State::Prepared || m_state == State::ClosingJaws)
        m_state = State::Cancelled;
}

bool Removal::hasErrors() const
{
    return script().errors;
}

bool Removal::jawsNotClosed() const
{
    return script().jawsNotClosed;
}
