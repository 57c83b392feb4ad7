// The processor time that closing JAWS costs the installer while it waits for a JAWS that
// refuses to close: the JAWS double started with --refuse, then Jaws::close(). The clock is moved
// on by 50 s at the start, so that the close loop waits the last 10 s of its minute; the braille
// window wait (10 s) and the closing pause (2 s) follow. Windows build only, run under Wine:
//   wine-runner.sh jawsclose_benchmark.exe PATH\TO\jawsdouble.exe
#include "jaws/jaws.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <cstdio>

#include <windows.h>

namespace {

double processorSeconds()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME &t) { return double((quint64(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7; };
    return seconds(kernel) + seconds(user);
}

// The system's windows and clock, but the clock runs 50 s ahead once the close has begun, and the
// moment the braille window wait begins is noted.
class SkipAhead : public Platform::WindowSystem
{
public:
    explicit SkipAhead(Platform::WindowSystem &system) : real(system) { Platform::installWindowSystem(this); }
    ~SkipAhead() override { Platform::installWindowSystem(nullptr); }
    Platform::WindowHandle findWindow(const QString &c, const QString &t) override
    {
        if (c == QLatin1String("Freedom_Scientific_fsBraille") && brailleWaitCpu < 0) {
            brailleWaitCpu = processorSeconds();
            brailleWaitMs = wall.elapsed();
        }
        return real.findWindow(c, t);
    }
    QList<Platform::WindowHandle> findWindows(const QString &c, const QString &t) override { return real.findWindows(c, t); }
    quint64 windowProcessId(Platform::WindowHandle w) override { return real.windowProcessId(w); }
    bool setForegroundWindow(Platform::WindowHandle w) override { return real.setForegroundWindow(w); }
    bool postClose(Platform::WindowHandle w) override { return real.postClose(w); }
    QList<Platform::WindowHandle> childWindows(Platform::WindowHandle d) override { return real.childWindows(d); }
    int dialogControlId(Platform::WindowHandle c) override { return real.dialogControlId(c); }
    QString dialogItemText(Platform::WindowHandle d, int id, quint32 l) override { return real.dialogItemText(d, id, l); }
    bool click(Platform::WindowHandle d, Platform::WindowHandle b, quint32 l) override { return real.click(d, b, l); }
    quint32 tickCount() override
    {
        const quint32 now = real.tickCount() + offset;
        offset = 50000;
        return now;
    }
    void sleep(quint32 ms) override { real.sleep(ms); }

    QElapsedTimer wall;
    double brailleWaitCpu = -1;
    qint64 brailleWaitMs = 0;

private:
    Platform::WindowSystem &real;
    quint32 offset = 0;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: jawsclose_benchmark PATH_TO_JAWSDOUBLE\n");
        return 2;
    }
    QProcess jawsDouble;
    jawsDouble.start(QString::fromLocal8Bit(argv[1]), { QStringLiteral("--refuse") });
    if (!jawsDouble.waitForReadyRead(30000)) {
        std::fprintf(stderr, "the JAWS double did not start\n");
        return 1;
    }
    Jaws jaws;
    for (int i = 0; i < 200 && !jaws.getJawsHwnd(); ++i)
        QThread::msleep(100);
    if (!jaws.getJawsHwnd()) {
        std::fprintf(stderr, "no JAWS window\n");
        return 1;
    }
    SkipAhead clock(Platform::windowSystem());
    const double cpuStart = processorSeconds();
    clock.wall.start();
    jaws.close();
    const double cpuEnd = processorSeconds();
    const qint64 wallEnd = clock.wall.elapsed();
    const double loopCpu = clock.brailleWaitCpu - cpuStart;
    std::printf("close loop:    %6.0f ms wall, %7.1f ms processor (%.2f %%)\n", double(clock.brailleWaitMs), loopCpu * 1000,
                100 * loopCpu * 1000 / double(clock.brailleWaitMs));
    std::printf("whole close(): %6.0f ms wall, %7.1f ms processor (%.2f %%)\n", double(wallEnd), (cpuEnd - cpuStart) * 1000,
                100 * (cpuEnd - cpuStart) * 1000 / double(wallEnd));
    jawsDouble.kill();
    jawsDouble.waitForFinished();
    return 0;
}
