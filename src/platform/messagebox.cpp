#include "messagebox.h"

namespace Platform {

namespace {
MessageBoxService *installedService = nullptr;
}

void installMessageBoxService(MessageBoxService *service)
{
    installedService = service;
}

void showMessageBox(const QString &text, const QString &caption)
{
    (installedService ? *installedService : systemMessageBoxService()).show(text, caption);
}

} // namespace Platform
