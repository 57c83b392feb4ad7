#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

namespace Platform {

using WindowHandle = quintptr;

// Top-level windows, dialog controls and the clock, as the installer uses them to close the
// screen reader by answering its own dialogs. The system's own by default; tests install a
// double that plays the screen reader and keeps a clock of its own, so that a 60-second limit
// passes without waiting 60 seconds.
//
// Nothing here may wait on another program without a limit: the screen reader's dialog thread
// can be busy for as long as it likes, and the installer must not wait with it.
class WindowSystem
{
public:
    virtual ~WindowSystem() = default;

    // The first top-level window of that class and title.
    virtual WindowHandle findWindow(const QString &className, const QString &title) = 0;
    // Every top-level window of that class and title, in the system's order.
    virtual QList<WindowHandle> findWindows(const QString &className, const QString &title) = 0;
    // The process that owns the window; 0 when there is no such window.
    virtual quint64 windowProcessId(WindowHandle window) = 0;
    virtual bool setForegroundWindow(WindowHandle window) = 0;
    virtual bool postClose(WindowHandle window) = 0;
    // The dialog's child windows, in the order the system enumerates them.
    virtual QList<WindowHandle> childWindows(WindowHandle dialog) = 0;
    virtual int dialogControlId(WindowHandle child) = 0;
    // The control's text, read into a buffer of 1024 characters; empty when the dialog does not
    // answer within `limitMs` milliseconds.
    virtual QString dialogItemText(WindowHandle dialog, int id, quint32 limitMs) = 0;
    // Presses `button` of `dialog` the way the dialog takes a click whether or not it is the
    // active window, and returns once the dialog has handled it or `limitMs` milliseconds have
    // passed. False when the button was not pressed (disabled, gone, or no answer in time).
    virtual bool click(WindowHandle dialog, WindowHandle button, quint32 limitMs) = 0;
    // Milliseconds since some fixed moment, wrapping like GetTickCount.
    virtual quint32 tickCount() = 0;
    // A real pause: the processor is left to other programs meanwhile.
    virtual void sleep(quint32 milliseconds) = 0;
};

// The facility in force: the one installed last, else the system's own.
WindowSystem &windowSystem();
// Installs `system` (not owned) in place of the system's own; nullptr puts that back.
void installWindowSystem(WindowSystem *system);

} // namespace Platform
