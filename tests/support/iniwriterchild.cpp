// Writes settings files and is killed part-way, or kills itself at a chosen point, for
// tst_inicrashsafety and tst_unattendedremoval.
// Usage: iniwriterchild batch|single FILE SECTIONS
//        iniwriterchild configure POINT JAWSFOLDER PACKAGEFOLDER
//        iniwriterchild install STATE JAWSFOLDER PACKAGEFOLDER
// POINT: the step after which the configuration crashes before its commit, "cancel" (the
// configuration ends without a commit, as a cancelled one does), or "commit" (the whole of it).
// STATE: a whole installation of the Quor display, as a run of the program makes it, crashes
// as it enters that state: "Copying" (its record written, no file copied yet) or "Configuring"
// (every file copied, no setting changed).
#include "ini/settingssession.h"
#include "installer/configuration.h"
#include "installer/installation.h"
#include "installer/jawsinstaller.h"
#include "jaws/jaws.h"

#include <QCoreApplication>
#include <QMetaEnum>
#include <QDir>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace {

int configure(const QString &point, const QString &jawsFolder, const QString &packageFolder)
{
    JawsInstaller installer(packageFolder);
    installer.setJawsFolder(jawsFolder);
    installer.jawsConfiguration().setSelectedDevice(QStringLiteral("Korvalis Quor"));
    if (!installer.computeTargetFolders())
        return 2;
    installer.recorder().createTargetFolders(); // as the copy left them
    auto reached = [&](const char *step) {
        if (point == QLatin1String(step))
            std::_Exit(9); // as a crash: nothing of the program's own clean-up runs
    };
    // configureJaws's steps, in its order.
    QStringList filesNames;
    installer.package().mergeFileNames(filesNames);
    Configuration configuration;
    reached("start");
    installer.settingsMerge().mergeSettingsFiles(configuration, filesNames);
    reached("settings files");
    installer.settingsMerge().mergeBrailleIni(configuration);
    reached("braille.ini");
    installer.jawsConfiguration().registerDisplays(configuration, installer.target().displayListPaths());
    reached("displays");
    installer.jawsConfiguration().selectDefaultDevice(configuration, QStringLiteral("Korvalis Quor"));
    reached("default device");
    installer.jawsConfiguration().selectKeyboardTable(configuration, installer.target().driverFolder() + QStringLiteral("/korvalis.ini"));
    reached("keyboard table");
    installer.jawsConfiguration().selectTranslationTables(configuration, installer.target().sharedSettingsFolder());
    installer.jawsConfiguration().selectTranslationTables(configuration, installer.target().userSettingsFolder());
    reached("translation tables");
    if (point == QLatin1String("cancel"))
        return 0;
    installer.jawsConfiguration().commit(configuration);
    for (const StepResult &result : installer.results()) {
        for (const StepResult::Line &line : result.lines()) {
            if (line.outcome == StepResult::Outcome::Failed)
                std::fprintf(stderr, "%s\n", qPrintable(line.text));
        }
    }
    return installer.hasErrors() ? 1 : 0;
}

int install(const QString &state, const QString &jawsFolder, const QString &packageFolder)
{
    bool known = false;
    const int stopAt = QMetaEnum::fromType<Installation::State>().keyToValue(state.toLatin1().constData(), &known);
    if (!known)
        return 2;
    Jaws jaws;
    JawsInstaller installer(packageFolder);
    Installation installation(jaws, installer);
    QObject::connect(&installation, &Installation::stateChanged, [stopAt](Installation::State reached) {
        if (int(reached) == stopAt)
            std::_Exit(9); // as a kill: nothing of the program's own clean-up runs
    });
    QObject::connect(&installation, &Installation::finished, QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
    installation.prepare(jawsFolder, QStringLiteral("Korvalis Quor"));
    installation.start();
    if (installation.state() == Installation::State::Copying)
        QCoreApplication::exec();
    std::fprintf(stderr, "the installation ended before %s\n", qPrintable(state));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() == 5 && arguments.at(1) == QLatin1String("configure"))
        return configure(arguments.at(2), arguments.at(3), arguments.at(4));
    if (arguments.size() == 5 && arguments.at(1) == QLatin1String("install"))
        return install(arguments.at(2), arguments.at(3), arguments.at(4));
    if (arguments.size() != 4)
        return 2;
    const QString mode = arguments.at(1);
    const QString file = arguments.at(2);
    const int sections = arguments.at(3).toInt();
    std::printf("started\n");
    std::fflush(stdout);
    SettingsSession session;
    IniFile &ini = session.file(file);
    if (mode == QLatin1String("batch")) {
        // A whole-file merge: every section rewritten, one replacement of the file.
        for (int s = 0; s < sections; ++s) {
            QStringList lines;
            for (int k = 0; k < 8; ++k)
                lines.append(QStringLiteral("Key%1=new value %2 of section %3").arg(k).arg(k * s).arg(s));
            ini.writeSection(QStringLiteral("Section%1").arg(s), lines);
        }
    } else {
        // One write, replacing the large file whole.
        if (!ini.writeString(QStringLiteral("Section%1").arg(sections / 2), QStringLiteral("Key0"), QStringLiteral("single")))
            return 1;
    }
    if (!session.commit())
        return 1;
    std::printf("done\n");
    return 0;
}
