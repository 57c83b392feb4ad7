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
class WindowSystem
{
public:
    virtual ~WindowSystem() = default;

    virtual WindowHandle findWindow(const QString &className, const QString &title) = 0;
    virtual bool setForegroundWindow(WindowHandle window) = 0;
    virtual bool postClose(WindowHandle window) = 0;
    // The dialog's child windows, in the order the system enumerates them.
    virtual QList<WindowHandle> childWindows(WindowHandle dialog) = 0;
    virtual int dialogControlId(WindowHandle child) = 0;
    // The control's text, read into a buffer of 1024 characters.
    virtual QString dialogItemText(WindowHandle dialog, int id) = 0;
    // Presses a button and returns once the dialog has handled it.
    virtual void click(WindowHandle button) = 0;
    // Milliseconds since some fixed moment, wrapping like GetTickCount.
    virtual quint32 tickCount() = 0;
    virtual void sleep(quint32 milliseconds) = 0;
};

// The facility in force: the one installed last, else the system's own.
WindowSystem &windowSystem();
// Installs `system` (not owned) in place of the system's own; nullptr puts that back.
void installWindowSystem(WindowSystem *system);

} // namespace Platform
