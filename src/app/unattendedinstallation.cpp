#include "unattendedinstallation.h"

#include "commandline.h"
#include "globals.h"
#include "installer/devicetable.h"
#include "installer/installation.h"
#include "paths/windowspath.h"
#include "platform/console.h"
#include "version/jawsversion.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QSaveFile>

#include <utility>

namespace {

// The order of JAWS versions: by year or major, then minor; (-1, -1) when it cannot be told.
std::pair<int, int> versionOrder(const QString &folder)
{
    const JawsVersion version = JawsVersion::ofInstallation(folder, Jaws::registryKeyOf(folder));
    return version.isKnown() ? std::make_pair(version.major(), version.minorText().trimmed().toInt()) : std::make_pair(-1, -1);
}

} // namespace

UnattendedInstallation::UnattendedInstallation(const CommandLine &commandLine_, const QStringList &arguments_)
    : commandLine(commandLine_)
    , arguments(arguments_)
{
}

QString UnattendedInstallation::chooseJawsFolder(const QString &wanted, const QStringList &listed)
{
    if (wanted.compare(QLatin1String("latest"), Qt::CaseInsensitive) == 0) {
        QString best;
        std::pair<int, int> bestVersion(-1, -1);
        for (const QString &folder : listed) {
            const std::pair<int, int> version = versionOrder(folder);
            if (!folder.isEmpty() && version > bestVersion) {
                best = folder;
                bestVersion = version;
            }
        }
        return best;
    }
    for (const QString &folder : listed) {
        if (!folder.isEmpty() && WindowsPath::samePath(folder, wanted))
            return folder;
    }
    return QString();
}

void UnattendedInstallation::say(const QString &line) const
{
    Platform::writeStandardOutput(line + QLatin1Char('\n'));
}

bool UnattendedInstallation::writeLog(const QString &path) const
{
    const QByteArray run = jawsInstaller.report().thisRun();
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(run) == run.size() && file.commit();
}

bool UnattendedInstallation::chooseJawsFolder()
{
    const QStringList listed = jaws.jawsFolders();
    jawsFolder = chooseJawsFolder(commandLine.jaws(), listed);
    if (!jawsFolder.isEmpty())
        return true;
    // Nothing is touched for a folder that was mistyped: no report, no file.
    QString text = tr("%1 is not a JAWS installation of this computer.").arg(commandLine.jaws()) + QLatin1Char('\n');
    text += listed.isEmpty() ? tr("No JAWS installation was found.") : tr("JAWS installations: %1").arg(listed.join(QStringLiteral("; ")));
    Platform::writeStandardError(text + QLatin1Char('\n'));
    return false;
}

int UnattendedInstallation::run()
{
    const QString &folder = jawsFolder;

    jawsInstaller.report().writeLine(tr("Started without the wizard: %1").arg(arguments.mid(1).join(QLatin1Char(' '))));
    const Device &device = deviceTable().at(commandLine.device());
    say(tr("Installing the Korvalis Braille driver into %1 for the %2 display...").arg(QDir::toNativeSeparators(folder), device.option));

    Installation installation(jaws, jawsInstaller);
    installation.setRestartJaws(commandLine.restartJaws());
    QObject::connect(&installation, &Installation::stateChanged, [this](Installation::State state) {
        switch (state) {
        case Installation::State::ClosingJaws:
            say(tr("Closing JAWS..."));
            break;
        case Installation::State::Copying:
            say(tr("Copying files..."));
            break;
        case Installation::State::Configuring:
            say(tr("Configuring JAWS..."));
            break;
        default:
            break;
        }
    });
    QEventLoop loop;
    QObject::connect(&installation, &Installation::finished, &loop, &QEventLoop::quit);
    installation.prepare(folder, device.deviceName);
    installation.start();
    if (installation.state() == Installation::State::Copying)
        loop.exec();

    jawsInstaller.publishReport();
    const QString reportPath = QDir::toNativeSeparators(jawsInstaller.reportPath());
    jawsInstaller.endReport();
    bool logged = true;
    if (!commandLine.logFile().isEmpty()) {
        logged = writeLog(commandLine.logFile());
        if (!logged)
            Platform::writeStandardError(tr("The report could not be written to %1.").arg(commandLine.logFile()) + QLatin1Char('\n'));
    }

    if (!installation.hasErrors() && logged) {
        say(QCoreApplication::translate("ConclusionPage", "Installation correctly done."));
        return CommandLine::Installed;
    }
    // The last page's own sentences, so that both ways of installing say the same.
    say(QCoreApplication::translate("ConclusionPage", "Error during installation. Please check the %1 file for details.").arg(reportPath));
    if (installation.jawsFolderMissing())
        return CommandLine::NoSuchJaws;
    if (installation.packageIncomplete())
        return CommandLine::PackageIncomplete;
    if (installation.jawsNotClosed())
        return CommandLine::JawsNotClosed;
    return CommandLine::InstalledWithErrors;
}
