#include "scriptedwindows.h"

// A child handle is the dialog's handle * 1000 + its index + 1; its control id is index + 1.
ScriptedWindows::ScriptedWindows()
{
    Platform::installWindowSystem(this);
}

ScriptedWindows::~ScriptedWindows()
{
    Platform::installWindowSystem(nullptr);
}

Platform::WindowHandle ScriptedWindows::add(const QString &className, const QString &title, const QStringList &buttons,
                                            quint64 process)
{
    const Platform::WindowHandle handle = next++;
    windows.insert(handle, { className, title, buttons, true, process });
    return handle;
}

Platform::WindowHandle ScriptedWindows::findWindow(const QString &className, const QString &title)
{
    ++now;
    for (auto it = windows.constBegin(); it != windows.constEnd(); ++it) {
        if (it->open && it->className == className && it->title == title)
            return it.key();
    }
    return 0;
}

QList<Platform::WindowHandle> ScriptedWindows::findWindows(const QString &className, const QString &title)
{
    ++now;
    QList<Platform::WindowHandle> found;
    for (auto it = windows.constBegin(); it != windows.constEnd(); ++it) {
        if (it->open && it->className == className && it->title == title)
            found << it.key();
    }
    return found;
}

quint64 ScriptedWindows::windowProcessId(Platform::WindowHandle window)
{
    return isOpen(window) ? windows.value(window).process : 0;
}

bool ScriptedWindows::setForegroundWindow(Platform::WindowHandle window)
{
    log << QStringLiteral("foreground");
    return isOpen(window);
}

bool ScriptedWindows::postClose(Platform::WindowHandle window)
{
    log << QStringLiteral("post");
    if (onClose)
        onClose(window);
    return isOpen(window);
}

QList<Platform::WindowHandle> ScriptedWindows::childWindows(Platform::WindowHandle dialog)
{
    QList<Platform::WindowHandle> children;
    for (qsizetype i = 0; i < windows.value(dialog).buttons.size(); ++i)
        children << dialog * 1000 + Platform::WindowHandle(i + 1);
    return children;
}

int ScriptedWindows::dialogControlId(Platform::WindowHandle child)
{
    return int(child % 1000);
}

QString ScriptedWindows::dialogItemText(Platform::WindowHandle dialog, int id, quint32 limitMs)
{
    messages.append({ now, limitMs });
    return windows.value(dialog).buttons.value(id - 1);
}

bool ScriptedWindows::click(Platform::WindowHandle dialog, Platform::WindowHandle button, quint32 limitMs)
{
    messages.append({ now, limitMs });
    if (button / 1000 != dialog)
        return false;
    const QString text = windows.value(dialog).buttons.value(int(button % 1000) - 1);
    log << QStringLiteral("click:%1/%2").arg(windows.value(dialog).title, text);
    if (onClick)
        onClick(dialog, text);
    return true;
}
