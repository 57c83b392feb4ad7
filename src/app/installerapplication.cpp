#include "installerapplication.h"

#include "commandline.h"
#include "globals.h"
#include "installer/appslistentry.h"
#include "installwizard.h"
#include "platform/console.h"
#include "platform/interactiveuser.h"
#include "platform/messagebox.h"
#include "platform/machinelock.h"
#include "platform/processhardening.h"
#include "removalwizard.h"
#include "unattendedrun.h"
#include "widgetmessagebox.h"

#include <QApplication>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace {

const QString resourceFolder = QStringLiteral(":/InstallQuorOlma/Resources");

QString anotherRunText()
{
    return QCoreApplication::translate("InstallerApplication",
                                       "Another installation or removal of the Korvalis Braille driver is running on this computer: "
                                       "nothing was done. Try again once it has ended.");
}

bool loadAndInstall(QTranslator &translator, const QString &catalogue, const QString &folder)
{
    if (!translator.load(catalogue, folder))
        return false;
    QCoreApplication::installTranslator(&translator);
    return true;
}

// A catalogue beside the program wins over the built-in one of the same name. A failed load
// empties the translator, hence the fresh load from the resources.
void reinstallPreferring(QTranslator &translator, const QString &catalogue, const QString &folder)
{
    QCoreApplication::removeTranslator(&translator);
    if (loadAndInstall(translator, catalogue, folder))
        jawsInstaller.package().addOwnFile(translator.filePath()); // part of the package
    else
        loadAndInstall(translator, catalogue, resourceFolder);
}

// Without a window, the engine's few messages go to the standard error stream: a box nobody
// sees would hold an unattended run for ever.
class ConsoleMessageBox : public Platform::MessageBoxService
{
public:
    void show(const QString &text, const QString &caption) override
    {
        Platform::writeStandardError(caption + QStringLiteral(": ") + text + QLatin1Char('\n'));
    }
};

void setIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("InstallQuorOlma"));
    QCoreApplication::setApplicationVersion(QStringLiteral(IQO_VERSION));
}

// Help, version, wrong usage and the unattended installation: no window at all.
int runFromCommandLine(int &argc, char **argv, const CommandLine &commandLine, const QStringList &arguments)
{
    QCoreApplication application(argc, argv);
    setIdentity();
    static ConsoleMessageBox messageBox;
    Platform::installMessageBoxService(&messageBox);

    const QString localeName = QLocale::system().name();
    const QString applicationCatalogue = QStringLiteral("installquorolma_") + localeName;
    QTranslator translator;
    loadAndInstall(translator, applicationCatalogue, resourceFolder);

    switch (commandLine.mode()) {
    case CommandLine::Mode::Help:
        Platform::writeStandardOutput(CommandLine::helpText());
        return 0;
    case CommandLine::Mode::Version:
        Platform::writeStandardOutput(CommandLine::versionText());
        return 0;
    case CommandLine::Mode::WrongUsage:
        // Nothing touched: no report, no file.
        // Read again now that the catalogue is in place, so that what is wrong is said in the
        // user's language.
        Platform::writeStandardError(CommandLine(arguments).error() + QStringLiteral("\n\n") + CommandLine::helpText());
        return ExitWrongUsage;
    default:
        break;
    }
    UnattendedRun unattended(commandLine, arguments);
    if (!unattended.logFileAllowed())
        return ExitWrongUsage;
    if (!unattended.chooseJawsFolders())
        return ExitNoSuchJaws;
    // Held from here to the end of the process: the first change comes after.
    if (Platform::takeMachineLock() == Platform::MachineLock::Busy) {
        Platform::writeStandardError(anotherRunText() + QLatin1Char('\n'));
        return ExitAnotherRunInProgress;
    }
    if (!unattended.jawsWithinReach())
        return ExitJawsNotClosed;
    jawsInstaller.target().setAllUsers(commandLine.allUsers());
    AppsListEntry::setUnderWindowsInstaller(commandLine.underWindowsInstaller());
    // As in the wizard: the report's opening lines under the built-in catalogue, then the
    // package's own catalogue, if it has one. The package folder is only read.
    jawsInstaller.startReport(InstallPackage::FolderUse::ReadOnly,
                              commandLine.mode() == CommandLine::Mode::UnattendedRemoval ? Report::Run::Removal : Report::Run::Installation);
    reinstallPreferring(translator, applicationCatalogue, jawsInstaller.package().folder());
    return unattended.run();
}

} // namespace

int runInstaller(int &argc, char **argv, const std::function<void(QWizard &)> &beforeEventLoop)
{
    // Before any file is touched. Refused by older systems: the program's own checks stay.
    Platform::hardenProcess();
    const QStringList arguments = Platform::commandLineArguments(argc, argv);
    const CommandLine commandLine(arguments);
    // The removal wizard opens the wizard's window too.
    if (commandLine.mode() != CommandLine::Mode::Wizard && commandLine.mode() != CommandLine::Mode::RemovalWizard)
        return runFromCommandLine(argc, argv, commandLine, arguments);
    // A window nobody can see (a deployment agent running the program as SYSTEM without
    // /unattended) would hold the deployment until the agent gives up on it.
    if (!Platform::onVisibleDesktop()) {
        Platform::writeStandardError(QStringLiteral("The wizard cannot be shown here: this program runs in a session without a visible desktop "
                                                    "(as a service or a deployment tool runs it). Use /unattended.\n"));
        return ExitWrongUsage;
    }

    QApplication application(argc, argv);
    setIdentity();
#ifndef Q_OS_WIN
    // Installed before the report is opened, the first user of a message box.
    static WidgetMessageBox messageBox;
    Platform::installMessageBoxService(&messageBox);
#endif

    const QString localeName = QLocale::system().name();
    const QString toolkitCatalogue = QStringLiteral("qt_") + localeName;
    std::unique_ptr<QTranslator> toolkitTranslator(new QTranslator(&application));
    loadAndInstall(*toolkitTranslator, toolkitCatalogue, resourceFolder);

    const QString applicationCatalogue = QStringLiteral("installquorolma_") + localeName;
    std::unique_ptr<QTranslator> applicationTranslator(new QTranslator(&application));
    loadAndInstall(*applicationTranslator, applicationCatalogue, resourceFolder);

    // Before the report beside the program is opened: a second wizard changes nothing.
    if (Platform::takeMachineLock() == Platform::MachineLock::Busy) {
        Platform::showMessageBox(anotherRunText(), QCoreApplication::translate("InstallWizard", "Korvalis driver for Jaws"));
        return ExitAnotherRunInProgress;
    }

    // The report's opening lines are written under the built-in catalogues; the source folder
    // it sets is where the program-folder catalogues are looked for. The removal runs from the
    // program's own copy, which is no package: its folder is only read, and the report goes into
    // the JAWS folder alone.
    const bool removal = commandLine.mode() == CommandLine::Mode::RemovalWizard;
    if (removal)
        jawsInstaller.startReport(InstallPackage::FolderUse::ReadOnly, Report::Run::Removal);
    else
        jawsInstaller.startReport(InstallPackage::FolderUse::ReportAndCleanUp);

    reinstallPreferring(*toolkitTranslator, toolkitCatalogue, jawsInstaller.package().folder());
    reinstallPreferring(*applicationTranslator, applicationCatalogue, jawsInstaller.package().folder());

    std::unique_ptr<QWizard> wizard;
    if (removal)
        wizard = std::make_unique<RemovalWizard>(commandLine.jaws(), jaws.jawsFolders());
    else
        wizard = std::make_unique<InstallWizard>();
    wizard->show();
    QObject::connect(&application, &QGuiApplication::lastWindowClosed, &application, &QCoreApplication::quit);

    if (beforeEventLoop)
        beforeEventLoop(*wizard);
    const int result = application.exec();

    wizard.reset();
    applicationTranslator.reset();
    toolkitTranslator.reset();
    return result;
}
