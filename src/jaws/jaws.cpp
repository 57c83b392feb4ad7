#include "jaws.h"

#include "platform/interactiveuser.h"
#include "paths/windowspath.h"
#include "platform/detachedprocess.h"
#include "platform/registry.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString dialogClass = QStringLiteral("#32770");
const QString brailleWindow = QStringLiteral("Freedom_Scientific_fsBraille");
// The quit confirmation's title in each language JAWS speaks, in the order they are tried.
const char *const quitTitles[] = { "Quitter JAWS pour Windows", "Quitter JAWS", "Quitter JAWS for Windows",
                                   "Esci da JAWS", "Quit JAWS", "JAWS verlassen", "JAWS beenden", "Avsluta JAWS" };

constexpr quint32 closeLimitMs = 60000;
constexpr quint32 informationWaitMs = 5000;
// The pause between two looks at JAWS's windows. JAWS needs the processor to shut down; a loop
// that only yielded it would keep a whole core busy for up to a minute.
constexpr quint32 pollMs = 50;
// The longest wait for one answer of a JAWS dialog, and the shortest: a busy dialog thread
// costs at most this much per message, and near the end of the close limit the wait shrinks
// to what is left of it, but never below what a responsive dialog needs.
constexpr quint32 messageLimitMs = 1000;
constexpr quint32 messageFloorMs = 100;
// JAWS removes its braille window within a second or two of closing. Ten seconds cover a slow
// machine, yet a screen reader that refused to close cannot hold the wizard for long.
constexpr quint32 brailleWaitLimitMs = 10000;

} // namespace

Jaws::Jaws()
    : currentFolder(QLatin1String(""))
    , jawsExecutable(QStringLiteral("JFW.EXE"))
{
    readInstalledFolders(installedFolders);
}

void Jaws::readInstalledFolders(QStringList &list)
{
    for (const InstallationRecord &record : installationRecords())
        list.append(record.folder);
}

QList<Jaws::InstallationRecord> Jaws::installationRecords()
{
    using Platform::RegistryKey;
    using Platform::RegistryView;
    QList<InstallationRecord> records;
    // A 64-bit program sees only the 64-bit view by default: a 32-bit JAWS on 64-bit Windows
    // keeps its records in the 32-bit view, which is read after it.
    QList<RegistryView> views{ RegistryView::Default };
    if (RegistryKey::viewsDiffer())
        views.append(RegistryView::Registry32);
    for (RegistryView view : views) {
        const RegistryKey key = RegistryKey::openLocalMachine(QStringLiteral("SOFTWARE\\Freedom Scientific\\Jaws"), view);
        if (!key.isOpen())
            continue;
        QString name;
        for (quint32 index = 0;; ++index) {
            if (key.enumerateSubKey(index, &name) == RegistryKey::Enumeration::NoMoreItems)
                break;
            const RegistryKey version = key.openSubKey(name);
            if (!version.isOpen())
                continue;
            QByteArray data;
            if (!version.queryValue(QStringLiteral("Target"), &data))
                continue;
            // The string ends at its first zero, whatever the stored length says: a value stored
            // without one (some setup programs do) keeps its last character, and one stored with
            // a longer length than its text leaves out what follows the zero.
            const auto *units = reinterpret_cast<const char16_t *>(data.constData());
            const qsizetype stored = data.size() / 2;
            qsizetype length = 0;
            while (length < stored && units[length] != 0)
                ++length;
            QString folder = QString::fromUtf16(units, length);
            if (folder.endsWith(QDir::separator()))
                folder.chop(1);
            records.append({ name, folder });
        }
    }
    return records;
}

QString Jaws::registryKeyOf(const QString &folder)
{
    for (const InstallationRecord &record : installationRecords()) {
        if (WindowsPath::samePath(record.folder, folder))
            return record.key;
    }
    return QString();
}

QStringList Jaws::jawsFolders() const
{
    return installedFolders;
}

Platform::WindowHandle Jaws::getJawsHwnd() const
{
    const Platform::WindowHandle window = Platform::windowSystem().findWindow(QStringLiteral("JFWUI2"), QStringLiteral("JAWS"));
    qDebug() << "FindWindow(_T(\"JFWUI2\"), _T(\"JAWS\")) =" << window;
    return window;
}

QString Jaws::runningJawsFolder()
{
    QString result = QLatin1String("");
    if (getJawsHwnd())
        findRunningJawsFolder(result);
    return result;
}

bool Jaws::loadToolhelp()
{
    return toolhelp.load();
}

bool Jaws::findRunningJawsFolder(QString &folder)
{
    if (!loadToolhelp()) {
        folder.clear();
        return false;
    }
    bool found = false;
    for (const Platform::Toolhelp::Process &process : toolhelp.processes()) {
        if (!process.name.toUpper().contains(jawsExecutable))
            continue;
        // The snapshot gives a bare file name on Windows; the process's own image path holds the
        // folder. When the process cannot be asked (it ended meanwhile), the bare name is all
        // there is.
        QString name = toolhelp.imagePath(process.id);
        if (name.isEmpty())
            name = process.name;
        name = name.toUpper();
        const qsizetype p = name.indexOf(jawsExecutable);
        if (p < 0)
            continue;
        // The text before the separator that precedes JFW.EXE; nothing for a bare file name.
        currentFolder = p > 0 ? name.left(p - 1) : QString(QLatin1String(""));
        folder = currentFolder;
        found = true;
        break;
    }
    toolhelp.unload();
    return found;
}

QString Jaws::jawsProgramIn(const QString &folder) const
{
    if (folder.isEmpty())
        return QString();
    // Found as Windows finds it, in any case: JAWS ships "jfw.exe", older ones "JFW.EXE". A name
    // filter is compared without regard to case on every system.
    const QDir dir(folder);
    const QStringList found = dir.entryList({ jawsExecutable }, QDir::Files | QDir::Hidden | QDir::System);
    return found.isEmpty() ? QString() : dir.filePath(found.constFirst());
}

bool Jaws::containsJawsExecutable(const QString &folder) const
{
    return !jawsProgramIn(folder).isEmpty();
}

QString Jaws::runningInstallationFolder()
{
    // The program of the process that owns JAWS's window: another JFW.EXE may run elsewhere.
    const Platform::WindowHandle window = getJawsHwnd();
    const quint64 process = window ? Platform::windowSystem().windowProcessId(window) : 0;
    if (!process || !loadToolhelp())
        return QString();
    const QString image = toolhelp.imagePath(quint32(process));
    toolhelp.unload();
    const qsizetype separator = std::max(image.lastIndexOf(QLatin1Char('\\')), image.lastIndexOf(QLatin1Char('/')));
    if (separator <= 0 || image.mid(separator + 1).compare(jawsExecutable, Qt::CaseInsensitive) != 0)
        return QString();
    const QString running = image.left(separator);
    // The folder as the registry spells it, where it is one of the installed ones.
    for (const QString &folder : std::as_const(installedFolders)) {
        if (WindowsPath::samePath(folder, running))
            return folder;
    }
    return containsJawsExecutable(running) ? running : QString();
}

bool Jaws::setCurrentFolder(const QString &folder)
{
    if (!containsJawsExecutable(folder))
        return false;
    currentFolder = folder;
    return true;
}

quint32 Jaws::messageLimit()
{
    if (!closing)
        return messageLimitMs;
    const quint32 elapsed = Platform::windowSystem().tickCount() - closeStart;
    const quint32 left = elapsed < closeLimitMs ? closeLimitMs - elapsed : 0;
    return qBound(messageFloorMs, left, messageLimitMs);
}

Platform::WindowHandle Jaws::jawsDialog(quint64 jawsProcess, const QString &title)
{
    Platform::WindowSystem &windows = Platform::windowSystem();
    // Another program's dialog of the same title is none of the installer's business.
    for (Platform::WindowHandle dialog : windows.findWindows(dialogClass, title)) {
        if (jawsProcess != 0 && windows.windowProcessId(dialog) == jawsProcess)
            return dialog;
    }
    return 0;
}

void Jaws::findTheButtonOkAndPressIt(Platform::WindowHandle dialog)
{
    qDebug() << "Jaws::findTheButtonOkAndPressIt(" << dialog << ")";
    if (!dialog)
        return;
    Platform::WindowSystem &windows = Platform::windowSystem();
    for (Platform::WindowHandle child : windows.childWindows(dialog)) {
        const int id = windows.dialogControlId(child);
        if (id == 0)
            continue;
        const QString text = windows.dialogItemText(dialog, id, messageLimit());
        qDebug() << "buttonName =" << text;
        if (text.isEmpty() || text != QLatin1String("OK"))
            continue;
        windows.sleep(50);
        windows.click(dialog, child, messageLimit());
        return;
    }
}

bool Jaws::close()
{
    Platform::WindowSystem &windows = Platform::windowSystem();
    bool posted = false;
    bool result = false;
    const quint32 start = windows.tickCount();
    closeStart = start;
    closing = true;
    // Elapsed time rather than a deadline, so that the tick count wrapping after 49 days
    // cannot end the loop early or never.
    auto within = [&](quint32 since, quint32 limit) { return windows.tickCount() - since < limit; };

    for (Platform::WindowHandle main = getJawsHwnd(); main && within(start, closeLimitMs); main = getJawsHwnd()) {
        // JAWS's dialogs are those of the process that owns its main window.
        const quint64 jawsProcess = windows.windowProcessId(main);
        if (const Platform::WindowHandle error = jawsDialog(jawsProcess, QStringLiteral("Erreur"))) {
            findTheButtonOkAndPressIt(error);
            Platform::WindowHandle information = jawsDialog(jawsProcess, QStringLiteral("JAWS for Windows"));
            const quint32 waitStart = windows.tickCount();
            while (information && within(waitStart, informationWaitMs) && within(start, closeLimitMs)) {
                windows.sleep(pollMs);
                information = jawsDialog(jawsProcess, QStringLiteral("JAWS for Windows"));
            }
            continue;
        }
        if (const Platform::WindowHandle information = jawsDialog(jawsProcess, QStringLiteral("JAWS for Windows"))) {
            findTheButtonOkAndPressIt(information);
            continue;
        }
        if (!posted) {
            windows.setForegroundWindow(getJawsHwnd());
            const Platform::WindowHandle current = getJawsHwnd();
            // Gone in between: a close message for no window would go to the installer itself.
            if (current)
                windows.postClose(current);
            qDebug() << "::PostMessage(getJawsHwnd(), WM_CLOSE, NULL, NULL); getJawsHwnd() =" << current;
            posted = true;
            result = true;
        }
        for (const char *title : quitTitles) {
            if (const Platform::WindowHandle quit = jawsDialog(jawsProcess, QString::fromUtf8(title))) {
                findTheButtonOkAndPressIt(quit);
                break;
            }
        }
        windows.sleep(pollMs);
    }
    closing = false;

    const quint32 brailleStart = windows.tickCount();
    while (windows.findWindow(brailleWindow, brailleWindow) && within(brailleStart, brailleWaitLimitMs)) {
        windows.sleep(50);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    windows.sleep(2000);
    return result;
}

bool Jaws::restart()
{
    // Never by bare name nor from a relative folder: the installer runs with administrator
    // rights, and a name alone is looked up in the working folder and the search path, where
    // anyone may have put a program called JFW.EXE.
    if (currentFolder.isEmpty() || QDir::isRelativePath(currentFolder) || !containsJawsExecutable(currentFolder))
        return false;
    const QString program = QDir::toNativeSeparators(jawsProgramIn(currentFolder));
    // JAWS works in its own folder (and the package folder, the installer's, must stay free to
    // be removed); it outlives the wizard and gets nothing of the installer's console. It is the
    // user's screen reader: with the installer's rights it would run as another account, or
    // elevated, with settings that are not the user's.
    return Platform::startAsInteractiveUser(program, currentFolder);
}

bool Jaws::runsOutOfReach()
{
    if (!loadToolhelp())
        return false;
    bool outOfReach = false;
    for (const Platform::Toolhelp::Process &process : toolhelp.processes()) {
        if (QFileInfo(process.name).fileName().compare(jawsExecutable, Qt::CaseInsensitive) == 0
            && !Platform::sessionReachable(process.id)) {
            outOfReach = true;
            break;
        }
    }
    toolhelp.unload();
    return outOfReach;
}
