#include "windowsystem.h"

#include <windows.h>

namespace Platform {

namespace {

HWND hwnd(WindowHandle window)
{
    return reinterpret_cast<HWND>(window);
}

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
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
        return reinterpret_cast<WindowHandle>(FindWindowW(wide(className), wide(title)));
    }
    QList<WindowHandle> findWindows(const QString &className, const QString &title) override
    {
        QList<WindowHandle> found;
        HWND after = nullptr;
        // A window list that changes meanwhile could in theory lead the walk in a circle.
        while (found.size() < 1000 && (after = FindWindowExW(nullptr, after, wide(className), wide(title))))
            found.append(reinterpret_cast<WindowHandle>(after));
        return found;
    }
    quint64 windowProcessId(WindowHandle window) override
    {
        DWORD process = 0;
        if (!window || !GetWindowThreadProcessId(hwnd(window), &process))
            return 0;
        return process;
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
    QString dialogItemText(WindowHandle dialog, int id, quint32 limitMs) override
    {
        // GetDlgItemTextW would send WM_GETTEXT to the other program and wait for as long as
        // its dialog thread is busy.
        HWND control = GetDlgItem(hwnd(dialog), id);
        if (!control)
            return QString();
        wchar_t text[1024] = {};
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, limitMs,
                                 &copied))
            return QString();
        return QString::fromWCharArray(text, int(wcsnlen(text, 1024)));
    }
    bool click(WindowHandle dialog, WindowHandle button, quint32 limitMs) override
    {
        // BM_CLICK is documented to do nothing when the dialog is not the active window, and
        // the installer's own window is the active one. The dialog is told instead what a click
        // tells it: the button's command. A disabled button is left as a click would leave it.
        if (!IsWindow(hwnd(button)) || !IsWindowEnabled(hwnd(button)))
            return false;
        const int id = GetDlgCtrlID(hwnd(button));
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(hwnd(dialog), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(button),
                                   SMTO_ABORTIFHUNG, limitMs, &result)
            != 0;
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
