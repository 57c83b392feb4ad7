#include "commandline.h"

#include "installer/devicetable.h"
#include "record/installrecord.h"

#include <QCommandLineParser>

namespace {

const QString unattendedName = QStringLiteral("unattended");
const QString jawsName = QStringLiteral("jaws");
const QString displayName = QStringLiteral("display");
const QString logName = QStringLiteral("log");
const QString noRestartName = QStringLiteral("no-restart");
const QString allUsersName = QStringLiteral("all-users");
const QString removeName = QStringLiteral("remove");
const QString msiName = QStringLiteral("msi");
const QString runIdName = QStringLiteral("run-id");
const QString undoRunName = QStringLiteral("undo-run");

QString displayChoices()
{
    QStringList names;
    for (const Device &device : deviceTable())
        names << device.option;
    return names.join(QLatin1Char('|'));
}

// Built afresh for each use: the descriptions are translated when they are made.
void addOptions(QCommandLineParser &parser)
{
    parser.addOption({ unattendedName, CommandLine::tr("Install without a window or a message box.") });
    parser.addOption({ jawsName, CommandLine::tr("The JAWS program folder to install into, \"latest\" for the JAWS of the highest version, or \"all\" for every JAWS installed."),
                       CommandLine::tr("FOLDER|latest|all") });
    parser.addOption({ displayName, CommandLine::tr("The Braille display to make the default one."), displayChoices() });
    parser.addOption({ logName, CommandLine::tr("Also write the installation report to this file."), CommandLine::tr("FILE") });
    parser.addOption({ noRestartName, CommandLine::tr("Leave JAWS closed if the installation had to close it.") });
    parser.addOption({ removeName, CommandLine::tr("Remove the driver from the JAWS named by --jaws, restoring what its installations changed.") });
    parser.addOption({ allUsersName, CommandLine::tr("Configure the user settings of every user who has settings for this JAWS, "
                                                     "not only those of the user who is logged on.") });
    parser.addOption({ msiName, CommandLine::tr("Run by the driver's Windows Installer package: its entry in Windows' list of apps and its files "
                                                "stand for the driver's own entries and the program's copy, which are not written.") });
    parser.addOption({ runIdName, CommandLine::tr("The identifier to record this installation run under, so that it can be taken back alone later."),
                       CommandLine::tr("ID") });
    parser.addOption({ undoRunName, CommandLine::tr("Take back the installation run with this identifier alone, in the JAWS named by --jaws: "
                                                    "the machine is then as the runs before it left it."),
                       CommandLine::tr("ID") });
    parser.addOption({ { QStringLiteral("h"), QStringLiteral("help") }, CommandLine::tr("Show this help and end.") });
    parser.addOption({ { QStringLiteral("v"), QStringLiteral("version") }, CommandLine::tr("Show the program's version and end.") });
}

// The toolkit's own options, which it takes from the command line itself (with a single dash
// or two): those that take a value and those that do not.
const QStringList toolkitOptionsWithValue{
    QStringLiteral("platform"), QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"), QStringLiteral("plugin"),
    QStringLiteral("qwindowgeometry"), QStringLiteral("geometry"), QStringLiteral("qwindowtitle"), QStringLiteral("title"),
    QStringLiteral("qwindowicon"), QStringLiteral("icon"), QStringLiteral("session"), QStringLiteral("display"),
    QStringLiteral("name"), QStringLiteral("style"), QStringLiteral("stylesheet"), QStringLiteral("qmljsdebugger"),
};
const QStringList toolkitFlags{
    QStringLiteral("reverse"), QStringLiteral("nograb"), QStringLiteral("dograb"), QStringLiteral("widgetcount"),
    QStringLiteral("testability"), QStringLiteral("sync"),
};

// The switches as Windows programs write them (/unattended, /NoRestart, /?), and ours in any
// case: the name each has here, or empty for an argument that is none of them.
QString ownSwitch(const QString &argument, QString *value)
{
    QString name;
    if (argument.startsWith(QLatin1String("--")))
        name = argument.mid(2);
    else if (argument.startsWith(QLatin1Char('/')))
        name = argument.mid(1);
    else
        return QString();
    const int equals = name.indexOf(QLatin1Char('='));
    *value = equals < 0 ? QString() : name.mid(equals);
    if (equals >= 0)
        name.truncate(equals);
    name = name.toLower();
    if (name == QLatin1String("?"))
        return QStringLiteral("help");
    if (name == QLatin1String("norestart"))
        return noRestartName;
    if (name == QLatin1String("allusers"))
        return allUsersName;
    if (name == QLatin1String("runid"))
        return runIdName;
    if (name == QLatin1String("undorun"))
        return undoRunName;
    for (const QString &own : { unattendedName, jawsName, displayName, logName, noRestartName, allUsersName, removeName, msiName,
                                runIdName, undoRunName, QStringLiteral("help"), QStringLiteral("version") }) {
        if (name == own)
            return own;
    }
    return QString();
}

// Ours in the form the parser reads, and the toolkit's own options left out with their values
// (the toolkit reads them itself): a single dash is the toolkit's (-display is X11's display),
// two dashes or a slash with one of our names is ours.
QStringList forTheParser(const QStringList &arguments)
{
    QStringList kept{ arguments.value(0) };
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        QString value;
        const QString own = ownSwitch(argument, &value);
        if (!own.isEmpty()) {
            kept << QStringLiteral("--") + own + value;
            continue;
        }
        if (argument.startsWith(QLatin1Char('-')) && argument != QLatin1String("-") && argument != QLatin1String("--")) {
            QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
            const bool joined = name.contains(QLatin1Char('='));
            name.truncate(name.indexOf(QLatin1Char('=')) < 0 ? name.size() : name.indexOf(QLatin1Char('=')));
            if (toolkitFlags.contains(name))
                continue;
            if (toolkitOptionsWithValue.contains(name)) {
                if (!joined)
                    ++i;
                continue;
            }
        }
        kept << argument;
    }
    return kept;
}

} // namespace

CommandLine::CommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    addOptions(parser);
    const bool parsed = parser.parse(forTheParser(arguments));
    if (parser.isSet(QStringLiteral("help"))) {
        m_mode = Mode::Help;
        return;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        m_mode = Mode::Version;
        return;
    }
    // Anything not understood, with or without --unattended, is wrong usage: a deployment tool
    // that mistyped a switch must get an exit code, not a wizard nobody sees.
    m_mode = Mode::WrongUsage;
    if (!parsed) {
        m_error = parser.errorText();
        return;
    }
    if (!parser.positionalArguments().isEmpty()) {
        m_error = tr("Unexpected argument: %1.").arg(parser.positionalArguments().constFirst());
        return;
    }
    // Taking back one run is a removal of that run's changes alone: without a window, since a
    // deployment asks for it.
    if (parser.isSet(undoRunName) && (parser.isSet(removeName) || parser.isSet(runIdName) || !parser.isSet(unattendedName))) {
        m_error = tr("--%1 is for a run with --%2, without --%3 and --%4.").arg(undoRunName, unattendedName, removeName, runIdName);
        return;
    }
    for (const QString &name : { runIdName, undoRunName }) {
        const QStringList values = parser.values(name);
        if (values.size() > 1) {
            m_error = tr("--%1 is given more than once.").arg(name);
            return;
        }
        if (values.size() == 1 && !InstallRecord::isValidRunId(values.constFirst())) {
            m_error = tr("--%1 %2 is not a run identifier: 1 to 64 letters, digits, '-', '_', '.', '{' or '}'.").arg(name, values.constFirst());
            return;
        }
    }
    if (parser.isSet(runIdName) && (parser.isSet(removeName) || !parser.isSet(unattendedName))) {
        m_error = tr("--%1 is for an installation with --%2.").arg(runIdName, unattendedName);
        return;
    }
    m_runId = parser.value(runIdName);
    m_runToUndo = parser.value(undoRunName);
    const bool removal = parser.isSet(removeName) || parser.isSet(undoRunName);
    const bool unattendedOnly = (parser.isSet(jawsName) && !removal) || parser.isSet(displayName) || parser.isSet(logName)
        || parser.isSet(noRestartName);
    if (removal && (parser.isSet(displayName) || parser.isSet(allUsersName))) {
        m_error = tr("--%1 and --%2 are for an installation, not with --%3.").arg(displayName, allUsersName, removeName);
        return;
    }
    if (parser.values(jawsName).size() > 1) {
        m_error = tr("--%1 is given more than once.").arg(jawsName);
        return;
    }
    // Windows Installer runs the program without a window, always.
    if (parser.isSet(msiName) && !parser.isSet(unattendedName)) {
        m_error = tr("--%1 is for an installation with --%2.").arg(msiName, unattendedName);
        return;
    }
    if (removal && !parser.isSet(unattendedName) && !unattendedOnly) {
        // The command of Windows' list of apps: the removal wizard, for the JAWS it names.
        m_jaws = parser.value(jawsName);
        m_mode = Mode::RemovalWizard;
        return;
    }
    if (!parser.isSet(unattendedName)) {
        if (unattendedOnly)
            m_error = tr("--%1, --%2, --%3 and --%4 are for an installation with --%5.")
                          .arg(jawsName, displayName, logName, noRestartName, unattendedName);
        else if (parser.isSet(allUsersName))
            m_error = tr("--%1 is for an installation with --%2.").arg(allUsersName, unattendedName);
        else
            m_mode = Mode::Wizard; // the toolkit takes its own options
        return;
    }
    for (const QString &name : { jawsName, displayName, logName }) {
        const QStringList values = parser.values(name);
        if (values.size() > 1) {
            m_error = tr("--%1 is given more than once.").arg(name);
            return;
        }
        if (values.size() == 1 && values.constFirst().isEmpty()) {
            m_error = tr("--%1 needs a value.").arg(name);
            return;
        }
    }
    if (!parser.isSet(jawsName)) {
        m_error = tr("--%1 is missing.").arg(jawsName);
        return;
    }
    m_underWindowsInstaller = parser.isSet(msiName);
    if (removal) {
        m_jaws = parser.value(jawsName);
        m_logFile = parser.value(logName);
        m_restartJaws = !parser.isSet(noRestartName);
        m_mode = Mode::UnattendedRemoval;
        return;
    }
    if (!parser.isSet(displayName)) {
        m_error = tr("--%1 is missing.").arg(displayName);
        return;
    }
    const QString display = parser.value(displayName);
    for (int i = 0; i < deviceTable().size(); ++i) {
        if (display.compare(deviceTable().at(i).option, Qt::CaseInsensitive) == 0)
            m_device = i;
    }
    if (m_device < 0) {
        m_error = tr("Unknown display: %1. Known displays: %2.").arg(display, displayChoices());
        return;
    }
    m_jaws = parser.value(jawsName);
    m_logFile = parser.value(logName);
    m_restartJaws = !parser.isSet(noRestartName);
    m_allUsers = parser.isSet(allUsersName);
    m_mode = Mode::Unattended;
}

QString CommandLine::helpText()
{
    QCommandLineParser parser;
    addOptions(parser);
    parser.setApplicationDescription(tr("Installs the Korvalis Braille driver into JAWS. Without options, the installation wizard opens."));
    QString text = parser.helpText();
    text += QLatin1Char('\n') + tr("Example:") + QLatin1Char('\n')
        + QStringLiteral("  %1 --unattended --jaws latest --display QUOR --log C:\\Temp\\quorolma.txt\n")
              .arg(QCoreApplication::applicationName());
    text += QStringLiteral("  %1 --unattended --remove --jaws latest\n").arg(QCoreApplication::applicationName());
    text += QLatin1Char('\n') + tr("Windows-style switches work too, in any case: /unattended /jaws /display /log /norestart /remove /?") + QLatin1Char('\n');
    text += QLatin1Char('\n') + tr("Exit codes of --unattended:") + QLatin1Char('\n');
    const QList<QPair<int, QString>> codes{
        { ExitSucceeded, tr("installed") },
        { ExitEndedWithErrors, tr("installed with errors (the report's ERROR lines say which)") },
        { ExitWrongUsage, tr("wrong usage: nothing was done") },
        { ExitNoSuchJaws, tr("no such JAWS installation") },
        { ExitPackageIncomplete, tr("the installation package is incomplete: nothing was installed") },
        { ExitJawsNotClosed, tr("JAWS could not be closed, or runs where this program cannot reach it (then nothing was installed)") },
        { ExitCancelled, tr("interrupted: nothing more was copied or configured") },
        { ExitAnotherRunInProgress, tr("another installation or removal runs on this computer: nothing was done, try again later") },
    };
    for (const auto &code : codes)
        text += QStringLiteral("  %1  %2\n").arg(code.first).arg(code.second);
    text += QLatin1Char('\n') + tr("Exit codes of --unattended --remove:") + QLatin1Char('\n');
    const QList<QPair<int, QString>> removalCodes{
        { ExitSucceeded, tr("removed, or nothing of the driver to remove") },
        { ExitEndedWithErrors, tr("removed with errors (the report's ERROR lines say which)") },
        { ExitWrongUsage, tr("wrong usage: nothing was done") },
        { ExitNoSuchJaws, tr("no such JAWS installation") },
        { ExitJawsNotClosed, tr("JAWS could not be closed, or runs where this program cannot reach it: nothing was removed") },
        { ExitCancelled, tr("interrupted: nothing more was removed; remove again to finish") },
        { ExitAnotherRunInProgress, tr("another installation or removal runs on this computer: nothing was done, try again later") },
    };
    for (const auto &code : removalCodes)
        text += QStringLiteral("  %1  %2\n").arg(code.first).arg(code.second);
    return text;
}

QString CommandLine::versionText()
{
    return QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion());
}
