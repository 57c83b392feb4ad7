#include "machinefiles.h"

#include "support/testmachine.h"
#include "support/textfiles.h"

#include <QDirIterator>

#include <algorithm>
#include <QRegularExpression>

namespace MachineFiles {

QString dumpPart(const QString &dump, const QString &from, const QString &to)
{
    const qsizetype start = dump.indexOf(QLatin1Char('\n') + from) + 1;
    const qsizetype end = to.isEmpty() ? dump.size() : dump.indexOf(QLatin1Char('\n') + to, start);
    return dump.mid(start, end - start);
}

QMap<QString, QByteArray> settingsFiles(const TestMachine &machine, const QStringList &jawsFolders)
{
    QMap<QString, QByteArray> files;
    const QString versions = QStringLiteral("/Freedom Scientific/JAWS");
    QStringList places = jawsFolders;
    places << machine.sharedSettings.left(machine.sharedSettings.indexOf(versions) + versions.size())
           << machine.userSettings.left(machine.userSettings.indexOf(versions) + versions.size());
    for (const QString &place : std::as_const(places)) {
        QDirIterator it(place, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            if (!file.endsWith(QLatin1String("installLog.txt")) && !file.endsWith(QLatin1String("jawsdouble.log")))
                files.insert(file, TextFiles::read(file));
        }
    }
    return files;
}

QMap<QString, QByteArray> machineState(const TestMachine &machine)
{
    QMap<QString, QByteArray> state;
    for (const QString &place : { machine.root, machine.sharedSettings, machine.userSettings }) {
        const qsizetype maker = place.indexOf(QLatin1String("/Freedom Scientific/"));
        const QString makerFolder = place.left(maker + qsizetype(qstrlen("/Freedom Scientific")));
        QDirIterator it(place == machine.root || maker < 0 ? place : makerFolder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            // The registry is looked at through the list of apps.
            if (!path.startsWith(machine.packageFolder) && !path.endsWith(QLatin1String("jawsdouble.log"))
                && !path.endsWith(QLatin1String("/registry.reg")))
                state.insert(path, it.fileInfo().isDir() ? QByteArray("/") : TextFiles::read(path));
        }
    }
    return state;
}

bool restoredAsBefore(const QMap<QString, QByteArray> &before, const QMap<QString, QByteArray> &after)
{
    static const QRegularExpression kept(QStringLiteral("(installLog\\.txt|/log\\.txt|\\.\\d{3,})$"));
    bool same = true;
    for (auto file = before.cbegin(); file != before.cend(); ++file) {
        if (!kept.match(file.key()).hasMatch() && after.value(file.key()) != file.value()) {
            qWarning("not as before: %s\n%s", qPrintable(file.key()), after.value(file.key(), "(gone)").constData());
            same = false;
        }
    }
    for (auto file = after.cbegin(); file != after.cend(); ++file) {
        if (!before.contains(file.key()) && !kept.match(file.key()).hasMatch()) {
            qWarning("left behind: %s", qPrintable(file.key()));
            same = false;
        }
    }
    return same;
}

// What the person's machine holds of JAWS and its settings, but the reports and the numbered
// backups, which every run leaves (a removal too), and the folders that hold them.
QMap<QString, QByteArray> jawsState(const TestMachine &machine)
{
    static const QRegularExpression leftByEveryRun(QStringLiteral("(installLog\\.txt|\\.\\d{3})$"));
    QMap<QString, QByteArray> state;
    QStringList left;
    for (const QString &folder : { machine.jawsFolder, machine.sharedSettings, machine.userSettings }) {
        QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (leftByEveryRun.match(path).hasMatch())
                left << path;
            else
                state.insert(path, it.fileInfo().isDir() ? QByteArray("/") : TextFiles::read(path));
        }
    }
    // A folder that holds nothing else stays for them; deepest first, so that its parents are seen
    // without it.
    QStringList folders;
    for (auto entry = state.cbegin(); entry != state.cend(); ++entry) {
        if (entry.value() == "/")
            folders << entry.key();
    }
    std::sort(folders.begin(), folders.end(), [](const QString &a, const QString &b) { return a.size() > b.size(); });
    const auto under = [](const QString &path, const QString &folder) { return path.startsWith(folder + QLatin1Char('/')); };
    for (const QString &folder : std::as_const(folders)) {
        const QStringList kept = state.keys();
        if (std::any_of(left.cbegin(), left.cend(), [&](const QString &path) { return under(path, folder); })
            && std::none_of(kept.cbegin(), kept.cend(), [&](const QString &path) { return under(path, folder); }))
            state.remove(folder);
    }
    return state;
}

} // namespace MachineFiles
