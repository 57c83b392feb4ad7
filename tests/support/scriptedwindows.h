#pragma once

#include "platform/windowsystem.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

// Plays a screen reader's windows and dialogs for the close protocol, with a clock of its own:
// sleeping moves the clock on at once, and so does each look for a window (1 ms), so that a
// minute-long limit passes in an instant. Installed while it lives.
class ScriptedWindows : public Platform::WindowSystem
{
public:
    struct Window
    {
        QString className;
        QString title;
        QStringList buttons; // the texts of its buttons, in child order
        bool open = true;
        quint64 process = 1; // the screen reader's windows belong to process 1
    };

    ScriptedWindows();
    ~ScriptedWindows() override;

    // Adds a window of `process`; returns its handle.
    Platform::WindowHandle add(const QString &className, const QString &title, const QStringList &buttons = {},
                               quint64 process = 1);
    void close(Platform::WindowHandle window) { windows[window].open = false; }
    bool isOpen(Platform::WindowHandle window) const { return windows.value(window).open; }

    // What happens when a button is pressed, and when the main window is asked to close.
    std::function<void(Platform::WindowHandle dialog, const QString &button)> onClick;
    std::function<void(Platform::WindowHandle window)> onClose;

    QStringList log; // "foreground", "post", "click:<dialog title>/<button>"
    QList<std::pair<quint32, quint32>> messages; // each message to a dialog: clock, time limit
    quint32 now = 0;

    Platform::WindowHandle findWindow(const QString &className, const QString &title) override;
    QList<Platform::WindowHandle> findWindows(const QString &className, const QString &title) override;
    quint64 windowProcessId(Platform::WindowHandle window) override;
    bool setForegroundWindow(Platform::WindowHandle window) override;
    bool postClose(Platform::WindowHandle window) override;
    QList<Platform::WindowHandle> childWindows(Platform::WindowHandle dialog) override;
    int dialogControlId(Platform::WindowHandle child) override;
    QString dialogItemText(Platform::WindowHandle dialog, int id, quint32 limitMs) override;
    bool click(Platform::WindowHandle dialog, Platform::WindowHandle button, quint32 limitMs) override;
    quint32 tickCount() override { return now; }
    void sleep(quint32 milliseconds) override { now += milliseconds; }

private:
    QMap<Platform::WindowHandle, Window> windows;
    Platform::WindowHandle next = 100;
};
