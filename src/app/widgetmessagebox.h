#pragma once

#include "platform/messagebox.h"

// The message box of systems without a native one the engine can call: a plain QMessageBox,
// owner-less, with an OK button and no icon.
class WidgetMessageBox : public Platform::MessageBoxService
{
public:
    void show(const QString &text, const QString &caption) override;
};
