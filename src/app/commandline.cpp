#include "commandline.h"

#include "installer/devicetable.h"

#include <QCommandLineParser>

namespace {

const QString unattendedName = QStringLiteral("unattended");
const QString jawsName = QStringLiteral("jaws");
const QString displayName = QStringLiteral("display");
const QString logName = QStringLiteral("log");
const QString noRestartName = QStringLiteral("no-restart");
const QString allUsersName = QStringLiteral("all-users");

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
    parser.addOption({ jawsName, CommandLine::tr("The JAWS program folder to install into, or \"latest\" for the JAWS of the highest version."),
                       CommandLine::tr("FOLDER|latest") });
    parser.addOption({ displayName, CommandLine::tr("The Braille display to make the default one."), displayChoices() });
    parser.addOption({ logName, CommandLine::tr("Also write the installation report to this file."), CommandLine::tr("FILE") });
    parser.addOption({ noRestartName, CommandLine::tr("Leave JAWS closed if the installation had to close it.") });
    parser.addOption({ allUsersName, CommandLine::tr("Configure the user settings of every user who has settings for this JAWS, "
                                                     "not only those of the user who is logged on.") });
    parser.addOption({ { QStringLiteral("h"), QStringLiteral("help") }, CommandLine::tr("Show this help and end.") });
    parser.addOption({ { QStringLiteral("v"), QStringLiteral("version") }, CommandLine::tr("Show the program's version and end.") });
}

} // namespace

CommandLine::CommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    addOptions(parser);
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(QStringLiteral("help"))) {
        m_mode = Mode::Help;
        return;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        m_mode = Mode::Version;
        return;
    }
    const bool unattendedOnly = parser.isSet(jawsName) || parser.isSet(displayName) || parser.isSet(logName) || parser.isSet(noRestartName);
    if (!parser.isSet(unattendedName)) {
        // The wizard as always: the toolkit's own options are none of ours.
        if (unattendedOnly) {
            m_mode = Mode::WrongUsage;
            m_error = tr("--%1, --%2, --%3 and --%4 are for an installation with --%5.")
                          .arg(jawsName, displayName, logName, noRestartName, unattendedName);
        } else if (parser.isSet(allUsersName)) {
            m_mode = Mode::WrongUsage;
            m_error = tr("--%1 is for an installation with --%2.").arg(allUsersName, unattendedName);
        }
        return;
    }
    m_mode = Mode::WrongUsage;
    if (!parsed) {
        m_error = parser.errorText();
        return;
    }
    if (!parser.positionalArguments().isEmpty()) {
        m_error = tr("Unexpected argument: %1.").arg(parser.positionalArguments().constFirst());
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
    text += QLatin1Char('\n') + tr("Exit codes of --unattended:") + QLatin1Char('\n');
    const QList<QPair<int, QString>> codes{
        { Installed, tr("installed") },
        { InstalledWithErrors, tr("installed with errors (the report's ERROR lines say which)") },
        { WrongUsageExit, tr("wrong usage: nothing was done") },
        { NoSuchJaws, tr("no such JAWS installation") },
        { PackageIncomplete, tr("the installation package is incomplete: nothing was installed") },
        { JawsNotClosed, tr("JAWS could not be closed, or runs where this program cannot reach it (then nothing was installed)") },
    };
    for (const auto &code : codes)
        text += QStringLiteral("  %1  %2\n").arg(code.first).arg(code.second);
    return text;
}

QString CommandLine::versionText()
{
    return QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion());
}
