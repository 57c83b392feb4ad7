#pragma once

#include <QList>
#include <QString>

// What one step of an installation achieved, line by line in the report's words: each line says
// what was done, or what failed and why. Whether the installation has errors, whether the
// package's files may go, the last page's sentence and the exit code all follow from the
// results of its steps.
class StepResult
{
public:
    enum class Step {
        Package,       // the package beside the program checked
        Folders,       // the JAWS and package folders found, the target folders made
        ClosingJaws,
        Copy,
        Cancel,        // the user stopped the installation
        SettingsFolders,
        Refused,       // files and folders reached through a link, left as they are
        SettingsFiles, // the package's settings files merged into each language folder
        BrailleIni,
        Displays,
        DefaultDevice,
        KeyboardTable,
        TranslationTables,
        UserKeyMaps,
        UserProfile, // with every user: one profile's heading, or why it was left alone
        InstallRecord, // what the installation changed, kept for its removal
        AppsList,    // the entry in Windows' list of apps: never an error of the installation
        RestartingJaws,
        // A removal's steps.
        NothingToRemove,
        RestoringSettings,
        RestoringKeyMaps,
        RemovingFiles,
        RemovingFolders,
    };
    enum class Outcome {
        Note,   // neither done nor failed: a blank line, a heading, a remark
        Done,
        Failed, // an error of the installation
    };
    struct Line
    {
        QString text;
        Outcome outcome = Outcome::Note;
    };

    explicit StepResult(Step step)
        : m_step(step)
    {
    }

    Step step() const { return m_step; }
    const QList<Line> &lines() const { return m_lines; }
    void add(const QString &text, Outcome outcome = Outcome::Note) { m_lines.append({ text, outcome }); }
    bool failed() const
    {
        for (const Line &line : m_lines) {
            if (line.outcome == Outcome::Failed)
                return true;
        }
        return false;
    }

private:
    Step m_step;
    QList<Line> m_lines;
};
