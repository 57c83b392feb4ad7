#include "windowsystem.h"

#include <QElapsedTimer>
#include <QThread>

namespace Platform {

namespace {

// No screen reader's windows exist here: nothing is found, nothing to press.
class NoWindows : public WindowSystem
{
public:
    NoWindows() { clock.start(); }
    WindowHandle findWindow(const QString &, const QString &) override { return 0; }
    QList<WindowHandle> findWindows(const QString &, const QString &) override { return {}; }
    quint64 windowProcessId(WindowHandle) override { return 0; }
    bool setForegroundWindow(WindowHandle) override { return false; }
    bool postClose(WindowHandle) override { return false; }
    QList<WindowHandle> childWindows(WindowHandle) override { return {}; }
    int dialogControlId(WindowHandle) override { return 0; }
    QString dialogItemText(WindowHandle, int, quint32) override { return QString(); }
    bool click(WindowHandle, WindowHandle, quint32) override { return false; }
    quint32 tickCount() override { return quint32(clock.elapsed()); }
    void sleep(quint32 milliseconds) override { QThread::msleep(milliseconds); }

private:
    QElapsedTimer clock;
};

} // namespace

WindowSystem &systemWindowSystem()
{
    static NoWindows system;
    return system;
}

} // namespace Platform
