#include "jaws.h"

#include "platform/registry.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

const QString dialogClass = QStringLiteral("#32770");
const QString brailleWindow = QStringLiteral("Freedom_Scientific_fsBraille");
// The quit confirmation's title in each language JAWS speaks, in the order they are tried.
const char *const quitTitles[] = { "Quitter JAWS pour Windows", "Quitter JAWS", "Quitter JAWS for Windows",
                                   "Esci da JAWS", "Quit JAWS", "JAWS verlassen", "JAWS beenden", "Avsluta JAWS" };

constexpr quint32 closeLimitMs = 60000;
constexpr quint32 informationWaitMs = 5000;
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
            // The stored string without its terminating zero; a value stored without one (some
            // setup programs do) keeps its last character.
            const auto *units = reinterpret_cast<const char16_t *>(data.constData());
            qsizetype length = data.size() / 2;
            if (length > 0 && units[length - 1] == 0)
                --length;
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
    const QString wanted = QDir::cleanPath(QDir::fromNativeSeparators(folder));
    for (const InstallationRecord &record : installationRecords()) {
        // Windows paths: one folder whatever the case it is written in.
        if (QDir::cleanPath(QDir::fromNativeSeparators(record.folder)).compare(wanted, Qt::CaseInsensitive) == 0)
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
    for (const QByteArray &entry : toolhelp.processNames()) {
        const QString name = QString::fromLatin1(entry).toUpper();
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

bool Jaws::containsJawsExecutable(const QString &folder) const
{
    return QFileInfo(QDir(folder), jawsExecutable).exists();
}

bool Jaws::setCurrentFolder(const QString &folder)
{
    if (!containsJawsExecutable(folder))
        return false;
    currentFolder = folder;
    return true;
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
        const QString text = windows.dialogItemText(dialog, id);
        qDebug() << "buttonName =" << text;
        if (text.isEmpty() || text != QLatin1String("OK"))
            continue;
        windows.sleep(50);
        windows.click(child);
        return;
    }
}

bool Jaws::close()
{
    Platform::WindowSystem &windows = Platform::windowSystem();
    bool posted = false;
    bool result = false;
    const quint32 start = windows.tickCount();
    // Elapsed time rather than a deadline, so that the tick count wrapping after 49 days
    // cannot end the loop early or never.
    auto within = [&](quint32 since, quint32 limit) { return windows.tickCount() - since < limit; };

    while (getJawsHwnd() && within(start, closeLimitMs)) {
        if (const Platform::WindowHandle error = windows.findWindow(dialogClass, QStringLiteral("Erreur"))) {
            findTheButtonOkAndPressIt(error);
            Platform::WindowHandle information = windows.findWindow(dialogClass, QStringLiteral("JAWS for Windows"));
            const quint32 waitStart = windows.tickCount();
            while (information && within(waitStart, informationWaitMs))
                information = windows.findWindow(dialogClass, QStringLiteral("JAWS for Windows"));
            continue;
        }
        if (const Platform::WindowHandle information = windows.findWindow(dialogClass, QStringLiteral("JAWS for Windows"))) {
            findTheButtonOkAndPressIt(information);
            continue;
        }
        if (!posted) {
            windows.setForegroundWindow(getJawsHwnd());
            const Platform::WindowHandle main = getJawsHwnd();
            // Gone in between: a close message for no window would go to the installer itself.
            if (main)
                windows.postClose(main);
            qDebug() << "::PostMessage(getJawsHwnd(), WM_CLOSE, NULL, NULL); getJawsHwnd() =" << main;
            posted = true;
            result = true;
        }
        for (const char *title : quitTitles) {
            if (const Platform::WindowHandle quit = windows.findWindow(dialogClass, QString::fromUtf8(title))) {
                findTheButtonOkAndPressIt(quit);
                break;
            }
        }
        windows.sleep(0);
    }

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
    const QString program = currentFolder + QDir::separator() + jawsExecutable;
    // Never destroyed: the restarted JAWS must outlive the wizard.
    auto *process = new QProcess;
    process->start(program, QStringList(), QIODevice::ReadWrite);
    return process->waitForStarted(10000);
}
