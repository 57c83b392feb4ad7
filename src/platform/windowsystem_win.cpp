#include "windowsystem.h"

#include <windows.h>

namespace Platform {

namespace {

HWND hwnd(WindowHandle window)
{
    return reinterpret_cast<HWND>(window);
}

BOOL CALLBACK collectChild(HWND child, LPARAM list)
{
    reinterpret_cast<QList<WindowHandle> *>(list)->append(reinterpret_cast<WindowHandle>(child));
    return TRUE;
}

class Win32WindowSystem : public WindowSystem
{
public:
    WindowHandle findWindow(const QString &className, const QString &title) override
    {
        return reinterpret_cast<WindowHandle>(FindWindowW(reinterpret_cast<const wchar_t *>(className.utf16()),
                                                          reinterpret_cast<const wchar_t *>(title.utf16())));
    }
    bool setForegroundWindow(WindowHandle window) override { return SetForegroundWindow(hwnd(window)); }
    bool postClose(WindowHandle window) override { return PostMessageW(hwnd(window), WM_CLOSE, 0, 0); }
    QList<WindowHandle> childWindows(WindowHandle dialog) override
    {
        QList<WindowHandle> children;
        EnumChildWindows(hwnd(dialog), collectChild, reinterpret_cast<LPARAM>(&children));
        return children;
    }
    int dialogControlId(WindowHandle child) override { return GetDlgCtrlID(hwnd(child)); }
    QString dialogItemText(WindowHandle dialog, int id) override
    {
        wchar_t text[1024] = {};
        const UINT length = GetDlgItemTextW(hwnd(dialog), id, text, 1024);
        return QString::fromWCharArray(text, int(length));
    }
    void click(WindowHandle button) override
    {
        // Synchronous, but a screen reader that hangs cannot hold the installer past the limit.
        DWORD_PTR result = 0;
        SendMessageTimeoutW(hwnd(button), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    }
    quint32 tickCount() override { return GetTickCount(); }
    void sleep(quint32 milliseconds) override { Sleep(milliseconds); }
};

} // namespace

WindowSystem &systemWindowSystem()
{
    static Win32WindowSystem system;
    return system;
}

} // namespace Platform
