// The close protocol against a program that plays JAWS with real windows, dialogs and
// messages, under Wine.
#include "jaws/jaws.h"
#include "support/fixtures.h"
#include "support/textfiles.h"
#include "version/fileversionreader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <windows.h>

namespace {

// The system's windows with a clock of its own: each look for a window counts 10 ms and each
// pause what it says (while lasting at most 5 ms), so that the one-minute limit passes in
// seconds whatever the load of the machine.
class FastClock : public Platform::WindowSystem
{
public:
    explicit FastClock(Platform::WindowSystem &system) : real(system) { Platform::installWindowSystem(this); }
    ~FastClock() override { Platform::installWindowSystem(nullptr); }
    Platform::WindowHandle findWindow(const QString &c, const QString &t) override { now += 10; return real.findWindow(c, t); }
    QList<Platform::WindowHandle> findWindows(const QString &c, const QString &t) override { now += 10; return real.findWindows(c, t); }
    quint64 windowProcessId(Platform::WindowHandle w) override { return real.windowProcessId(w); }
    bool setForegroundWindow(Platform::WindowHandle w) override { return real.setForegroundWindow(w); }
    bool postClose(Platform::WindowHandle w) override { return real.postClose(w); }
    QList<Platform::WindowHandle> childWindows(Platform::WindowHandle d) override { return real.childWindows(d); }
    int dialogControlId(Platform::WindowHandle c) override { return real.dialogControlId(c); }
    // A message that a hung dialog leaves unanswered really waits its limit: ten times that on
    // this clock, so that a minute of hung dialogs passes in six seconds. An answered one counts
    // like a look, however long a busy machine took to carry it.
    QString dialogItemText(Platform::WindowHandle d, int id, quint32 limit) override
    {
        const QString text = real.dialogItemText(d, id, limit);
        now += text.isEmpty() ? 10 * limit : 10;
        return text;
    }
    bool click(Platform::WindowHandle d, Platform::WindowHandle b, quint32 limit) override
    {
        const bool sent = real.click(d, b, limit);
        now += sent ? 10 : 10 * limit;
        return sent;
    }
    quint32 tickCount() override { return now; }
    void sleep(quint32 ms) override { now += ms; real.sleep(qMin<quint32>(ms, 5)); }
    quint32 now = 0;

private:
    Platform::WindowSystem &real;
};

QStringList outputLines(QProcess &process)
{
    QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString &line : lines)
        line = line.trimmed();
    return lines;
}

// The installed JAWS records in Wine's registry, replacing any earlier ones: subkey -> Target.
bool writeRegistry(const QList<std::pair<QString, QString>> &records)
{
    HKEY maker = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Freedom Scientific", 0, KEY_ALL_ACCESS, &maker) == ERROR_SUCCESS) {
        RegDeleteTreeW(maker, L"Jaws");
        RegCloseKey(maker);
    }
    for (const auto &[subkey, target] : records) {
        const QString path = QStringLiteral("SOFTWARE\\Freedom Scientific\\Jaws\\") + subkey;
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, reinterpret_cast<const wchar_t *>(path.utf16()), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr) != ERROR_SUCCESS)
            return false;
        RegSetValueExW(key, L"Target", 0, REG_SZ, reinterpret_cast<const BYTE *>(target.utf16()), DWORD((target.size() + 1) * 2));
        RegCloseKey(key);
    }
    return true;
}

// Only a bound for a double that never comes up or never ends: on a busy machine starting a Wine
// process alone has taken over 20 s.
constexpr int waitBound = 120000;

bool startDouble(QProcess &process, const QStringList &arguments, const QString &program = Fixtures::program(QStringLiteral("jawsdouble")))
{
    process.start(program, arguments);
    if (!process.waitForReadyRead(waitBound))
        return false;
    const bool stranger = arguments.contains(QStringLiteral("--stranger"));
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < waitBound) {
        if (stranger ? Platform::windowSystem().findWindow(QStringLiteral("#32770"), QStringLiteral("Erreur"))
                     : Platform::windowSystem().findWindow(QStringLiteral("JFWUI2"), QStringLiteral("JAWS")))
            return true;
        QTest::qWait(50);
    }
    return false;
}

} // namespace

class tst_JawsClose : public QObject
{
    Q_OBJECT

private slots:
    void closesByAnsweringDialogs_data();
    void closesByAnsweringDialogs();
    void strictWindows_data();
    void strictWindows();
    void mainWindowAlreadyGone();
    void brailleWindowThatStaysIsWaitedFor();
};

void tst_JawsClose::closesByAnsweringDialogs_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("pressed");
    QTest::addColumn<bool>("closes");

    QTest::newRow("English") << QStringList() << QStringList{ "pressed:Quit JAWS" } << true;
    QTest::newRow("French, error dialog first")
        << QStringList{ "--first", "error", "--quit-title", "Quitter JAWS pour Windows" }
        << QStringList{ "pressed:Erreur", "pressed:Quitter JAWS pour Windows" } << true;
    QTest::newRow("information dialog first") << QStringList{ "--first", "info" }
                                              << QStringList{ "pressed:JAWS for Windows", "pressed:Quit JAWS" } << true;
    QTest::newRow("two titles: the French one answered")
        << QStringList{ "--quit-title", "Quit JAWS", "--also-title", "Quitter JAWS pour Windows" }
        << QStringList{ "pressed:Quitter JAWS pour Windows" } << true;
    QTest::newRow("German") << QStringList{ "--quit-title", "JAWS beenden" } << QStringList{ "pressed:JAWS beenden" } << true;
    QTest::newRow("&OK is not pressed") << QStringList{ "--button", "&OK" } << QStringList() << false;
    QTest::newRow("Oui is not pressed") << QStringList{ "--button", "Oui" } << QStringList() << false;
}

void tst_JawsClose::closesByAnsweringDialogs()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, pressed);
    QFETCH(bool, closes);

    QProcess double_;
    QVERIFY(startDouble(double_, arguments));
    FastClock clock(Platform::windowSystem());
    Jaws jaws;
    QVERIFY(jaws.close()); // WM_CLOSE was posted
    if (closes) {
        QVERIFY(double_.state() == QProcess::NotRunning || double_.waitForFinished(waitBound));
        QVERIFY(!jaws.getJawsHwnd());
    } else {
        QVERIFY(clock.tickCount() >= 60000); // gave up at its limit
        QVERIFY(jaws.getJawsHwnd());
        double_.kill();
        double_.waitForFinished();
    }
    const QStringList lines = outputLines(double_);
    QCOMPARE(lines.filter(QStringLiteral("pressed:")), pressed);
    QCOMPARE(lines.count(QStringLiteral("closing")), 1); // WM_CLOSE posted once
}

// Where Windows is stricter than Wine is kind, or where Wine would hide a fault: a JAWS whose
// dialog thread is busy, a dialog that is not the active window, another program's dialog of
// the same title, the running JAWS found by its full path, and how JAWS is started again.
void tst_JawsClose::strictWindows_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("pressed"); // what the JAWS double reports pressed when close() returns

    QTest::newRow("a dialog that stops answering for 30 s: close() does not wait for it")
        << "hang" << QStringList{ "--hang", "30000" } << QStringList();
    QTest::newRow("a quit dialog that is not the active window: pressed")
        << "close" << QStringList{ "--inactive" } << QStringList{ "pressed:Quit JAWS" };
    QTest::newRow("an Erreur dialog of another program: left alone")
        << "stranger" << QStringList() << QStringList{ "pressed:Quit JAWS" };
    QTest::newRow("the running JAWS found with its folder, the row the choice page selects")
        << "running" << QStringList() << QStringList{ "pressed:Quit JAWS" };
    QTest::newRow("restarted in its own folder, detached, with no standard handle of ours")
        << "restart" << QStringList() << QStringList{ "pressed:Quit JAWS" };
}

void tst_JawsClose::strictWindows()
{
    QFETCH(QString, scenario);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, pressed);

    QTemporaryDir folder;
    const QString jfw = folder.filePath(QStringLiteral("JFW.EXE"));
    QVERIFY(QFile::copy(Fixtures::program(QStringLiteral("jawsdouble")), jfw));
    const QString nativeFolder = QDir::toNativeSeparators(folder.path());

    QProcess stranger;
    if (scenario == QLatin1String("stranger"))
        QVERIFY(startDouble(stranger, { QStringLiteral("--stranger") }));

    QProcess double_;
    Jaws *jaws = nullptr;
    std::unique_ptr<Jaws> owner;
    if (scenario == QLatin1String("restart")) {
        owner.reset(new Jaws);
        jaws = owner.get();
        QVERIFY(jaws->setCurrentFolder(folder.path()));
        QVERIFY(jaws->restart());
        QElapsedTimer timer;
        timer.start();
        while (!jaws->getJawsHwnd() && timer.elapsed() < waitBound)
            QTest::qWait(50);
        QVERIFY(jaws->getJawsHwnd());
        // Not from the test's own folder: from JAWS's, and with nothing of the test's console.
        QVERIFY(QDir::currentPath() != folder.path());
        const QString log = QString::fromUtf8(TextFiles::read(folder.filePath(QStringLiteral("jawsdouble.log")))).trimmed();
        QCOMPARE(log.section(QStringLiteral(" std:"), 0, 0).toLower(), (QStringLiteral("started folder:") + nativeFolder).toLower());
        QCOMPARE(log.section(QStringLiteral(" std:"), 1), QStringLiteral("none,none,none"));
    } else {
        // The double runs as JFW.EXE of a folder that the registry lists second, written as the
        // full image path gives it (upper case).
        QVERIFY(writeRegistry({ { QStringLiteral("a"), QStringLiteral("C:\\Elsewhere\\JAWS\\9.0\\") },
                                { QStringLiteral("b"), nativeFolder.toUpper() + QLatin1Char('\\') } }));
        QVERIFY(startDouble(double_, arguments, jfw));
        owner.reset(new Jaws);
        jaws = owner.get();
    }

    if (scenario == QLatin1String("running")) {
        // The double's version resource reads as JAWS 10, as a JFW.EXE of that folder should.
        QCOMPARE(FileVersionReader::fileVersionField(jfw, 1, QStringLiteral("000004b0")), QStringLiteral("10"));
        QCOMPARE(jaws->runningJawsFolder(), nativeFolder.toUpper());
        QCOMPARE(jaws->currentFolderPath(), nativeFolder.toUpper());
        // The choice page selects the row whose text is exactly the running folder.
        QCOMPARE(jaws->jawsFolders().indexOf(jaws->runningJawsFolder()), 1);
    }

    {
        FastClock clock(Platform::windowSystem());
        QVERIFY(jaws->close()); // WM_CLOSE was posted
    }
    if (scenario == QLatin1String("hang")) {
        // Still busy, still there: close() gave up at its limit without waiting for the dialog,
        // which could not have been answered meanwhile.
        QVERIFY(jaws->getJawsHwnd());
        double_.kill();
        QVERIFY(double_.waitForFinished(waitBound));
        const QStringList lines = outputLines(double_);
        QVERIFY(!lines.contains(QStringLiteral("answering again")));
        QCOMPARE(lines.filter(QStringLiteral("pressed:")), pressed);
        return;
    }
    if (scenario != QLatin1String("restart")) {
        QVERIFY(double_.state() == QProcess::NotRunning || double_.waitForFinished(waitBound));
        const QStringList lines = outputLines(double_);
        QCOMPARE(lines.filter(QStringLiteral("pressed:")) + lines.filter(QStringLiteral("refused")), pressed);
    }
    QVERIFY(!jaws->getJawsHwnd());
    if (scenario == QLatin1String("stranger")) {
        // Its dialog still stands, unanswered.
        QVERIFY(Platform::windowSystem().findWindow(QStringLiteral("#32770"), QStringLiteral("Erreur")));
        QVERIFY(stranger.state() == QProcess::Running);
        stranger.kill();
        QVERIFY(stranger.waitForFinished(waitBound));
        QCOMPARE(outputLines(stranger).filter(QStringLiteral("pressed:")), QStringList());
    }
}

void tst_JawsClose::mainWindowAlreadyGone()
{
    Jaws jaws;
    QVERIFY(!jaws.getJawsHwnd());
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!jaws.close());
    QVERIFY(timer.elapsed() >= 2000); // the closing pause still runs
}

void tst_JawsClose::brailleWindowThatStaysIsWaitedFor()
{
    QProcess double_;
    QVERIFY(startDouble(double_, { QStringLiteral("--keep-braille"), QStringLiteral("3000") }));
    Jaws jaws;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(jaws.close());
    // The braille window's three seconds, then the closing pause. How much longer a busy
    // machine takes is not this test's business.
    QVERIFY2(timer.elapsed() >= 4500, qPrintable(QString::number(timer.elapsed())));
    // The wait lets events run, so the process may already be known to have ended.
    QVERIFY(double_.state() == QProcess::NotRunning || double_.waitForFinished(waitBound));
}

QTEST_GUILESS_MAIN(tst_JawsClose)
#include "tst_jawsclose.moc"
