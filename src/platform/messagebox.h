#pragma once

#include <QString>

namespace Platform {

// An owner-less message box with an OK button and no icon, shown until the user closes it.
// The engine shows its few messages through this seam: the Windows build uses the system's own
// box, the native application installs a widget-based one, and tests install a double that never
// blocks.
class MessageBoxService
{
public:
    virtual ~MessageBoxService() = default;
    virtual void show(const QString &text, const QString &caption) = 0;
};

// Installs `service` (not owned; it must outlive its use) in place of the system's own box.
// nullptr puts the system's own box back.
void installMessageBoxService(MessageBoxService *service);

// Shows `text` with `caption` through the service in force.
void showMessageBox(const QString &text, const QString &caption);

// The system's own box: MessageBoxW on Windows; on other systems, where the engine has no
// window system of its own, a warning on the standard error stream.
MessageBoxService &systemMessageBoxService();

} // namespace Platform
