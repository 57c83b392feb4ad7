#include "messagebox.h"

#include <windows.h>

namespace Platform {

namespace {
// Task-modal: the program's windows wait while the box is up, so that nothing (a Cancel of
// the wizard behind it) happens before the user has read it; in the foreground, so that the
// screen reader reads it at once.
class Win32MessageBox : public MessageBoxService
{
public:
    void show(const QString &text, const QString &caption) override
    {
        MessageBoxW(nullptr, reinterpret_cast<LPCWSTR>(text.utf16()),
                    reinterpret_cast<LPCWSTR>(caption.utf16()), MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
    }
};
} // namespace

MessageBoxService &systemMessageBoxService()
{
    static Win32MessageBox box;
    return box;
}

} // namespace Platform
