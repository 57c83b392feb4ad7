#include "settingsmerge.h"

#include "installpackage.h"
#include "jawstarget.h"

#include "installer/configuration.h"
#include "report/report.h"

#include <QDir>
#include <QFileInfo>

SettingsMerge::SettingsMerge(const JawsTarget &target, InstallPackage &package)
    : m_target(target)
    , m_package(package)
{
}

QStringList SettingsMerge::mergeIniFile(IniFile &source, IniFile &target)
{
    QStringList failed;
    // Were the source the target itself, each section would be written as it is: no change.
    for (const QString &name : source.sectionNames()) {
        if (!name.isEmpty() && !target.writeSection(name, source.section(name)))
            failed << name;
    }
    return failed;
}

void SettingsMerge::mergeBackedUp(Configuration &configuration, const QString &source, const QString &target, bool reportSavedBackup)
{
    IniFile &from = configuration.file(source);
    const QString backup = configuration.session().keepBackup(target);
    if (!backup.isEmpty()) {
        // Made at the commit, before any file is replaced; its line says what became of it.
        configuration.addSettled([backup, target, reportSavedBackup](const SettingsSession &session) {
            const bool saved = session.backedUp(target);
            if ((saved && !reportSavedBackup) || (!saved && !session.backupNeeded(target)))
                return std::optional<StepResult::Line>();
            return std::optional<StepResult::Line>({ Report::fileSavedLine(backup, saved, session.backupFailure(target)),
                                                     saved ? StepResult::Outcome::Done : StepResult::Outcome::Failed });
        });
    }
    const QStringList failed = mergeIniFile(from, configuration.file(target));
    // A settings file of JAWS that kept its old content is an installation that did not happen:
    // a section written in memory has reached JAWS only once the commit saved the file.
    QStringList sections = from.sectionNames();
    sections.removeAll(QString());
    for (const QString &section : std::as_const(sections)) {
        const QString text = tr("Error while merging '%1' section of %2.").arg(section, QDir::toNativeSeparators(target));
        const bool written = !failed.contains(section);
        configuration.addSettled([=](const SettingsSession &session) {
            if (written && session.saved(target))
                return std::optional<StepResult::Line>();
            return std::optional<StepResult::Line>({ text, StepResult::Outcome::Failed });
        });
    }
    // The package's file lives on in JAWS once every one of its sections has.
    const bool allWritten = failed.isEmpty() && !sections.isEmpty();
    configuration.afterCommit([this, source, target, allWritten](const SettingsSession &session) {
        m_package.recordFileUse(source, allWritten && session.saved(target));
    });
}

void SettingsMerge::mergeSettingsFiles(Configuration &configuration, const QStringList &filesNames)
{
    configuration.begin(StepResult::Step::SettingsFiles);
    for (const QString &language : m_target.languageFolders(m_target.sharedSettingsFolder())) {
        for (const QString &name : filesNames) {
            const QString source = m_package.folder() + QDir::separator() + name;
            QString targetName = name;
            targetName.remove(QStringLiteral("korvalis_"));
            const QString target = m_target.settingsFilePath(m_target.sharedSettingsFolder() + QDir::separator() + language, targetName);
            mergeBackedUp(configuration, source, target, true);
        }
    }
}

void SettingsMerge::mergeBrailleIni(Configuration &configuration)
{
    // Without a chosen JAWS folder the target would be a braille.ini at the root of the drive.
    if (m_target.jawsFolder().isEmpty())
        return;
    configuration.begin(StepResult::Step::BrailleIni);
    const QString source = m_package.folder() + QDir::separator() + QStringLiteral("braille.ini");
    const QString target = m_target.jawsFolder() + QDir::separator() + QStringLiteral("braille.ini");
    // Silent when it succeeds; without the driver's sections JAWS cannot use the display, so a
    // failure is reported and is an error.
    mergeBackedUp(configuration, source, target, false);
}
