#include "messagebox.h"

#include <windows.h>

namespace Platform {

namespace {
class Win32MessageBox : public MessageBoxService
{
public:
    void show(const QString &text, const QString &caption) override
    {
        MessageBoxW(nullptr, reinterpret_cast<LPCWSTR>(text.utf16()),
                    reinterpret_cast<LPCWSTR>(caption.utf16()), MB_OK);
    }
};
} // namespace

MessageBoxService &systemMessageBoxService()
{
    static Win32MessageBox box;
    return box;
}

} // namespace Platform
