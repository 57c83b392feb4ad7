// The close protocol against a program that plays JAWS with real windows, dialogs and
// messages, under Wine.
#include "jaws/jaws.h"
#include "support/fixtures.h"
#include "version/fileversionreader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The system's windows with a clock of its own: each look for a window counts 10 ms, so that
// the one-minute limit passes in seconds.
class FastClock : public Platform::WindowSystem
{
public:
    explicit FastClock(Platform::WindowSystem &system) : real(system) { Platform::installWindowSystem(this); }
    ~FastClock() override { Platform::installWindowSystem(nullptr); }
    Platform::WindowHandle findWindow(const QString &c, const QString &t) override { now += 10; return real.findWindow(c, t); }
    bool setForegroundWindow(Platform::WindowHandle w) override { return real.setForegroundWindow(w); }
    bool postClose(Platform::WindowHandle w) override { return real.postClose(w); }
    QList<Platform::WindowHandle> childWindows(Platform::WindowHandle d) override { return real.childWindows(d); }
    int dialogControlId(Platform::WindowHandle c) override { return real.dialogControlId(c); }
    QString dialogItemText(Platform::WindowHandle d, int id) override { return real.dialogItemText(d, id); }
    void click(Platform::WindowHandle b) override { real.click(b); }
    quint32 tickCount() override { return now; }
    void sleep(quint32 ms) override { now += ms; real.sleep(qMin<quint32>(ms, 5)); }
    quint32 now = 0;

private:
    Platform::WindowSystem &real;
};

bool startDouble(QProcess &process, const QStringList &arguments, const QString &program = Fixtures::program(QStringLiteral("jawsdouble")))
{
    process.start(program, arguments);
    if (!process.waitForReadyRead(20000))
        return false;
    QElapsedTimer timer;
    timer.start();
    while (!Platform::windowSystem().findWindow(QStringLiteral("JFWUI2"), QStringLiteral("JAWS")) && timer.elapsed() < 20000)
        QTest::qWait(50);
    return timer.elapsed() < 20000;
}

} // namespace

class tst_JawsClose : public QObject
{
    Q_OBJECT

private slots:
    void closesByAnsweringDialogs_data();
    void closesByAnsweringDialogs();
    void mainWindowAlreadyGone();
    void brailleWindowThatStaysIsWaitedFor();
    void restartStartsTheChosenFolder();
    void runningFolderOfABareNameIsEmpty();
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
        QVERIFY(double_.state() == QProcess::NotRunning || double_.waitForFinished(20000));
        QVERIFY(!jaws.getJawsHwnd());
    } else {
        QVERIFY(clock.now >= 60000); // gave up at its limit
        QVERIFY(jaws.getJawsHwnd());
        double_.kill();
        double_.waitForFinished();
    }
    QStringList lines = QString::fromUtf8(double_.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString &line : lines)
        line = line.trimmed();
    QCOMPARE(lines.filter(QStringLiteral("pressed:")), pressed);
    QCOMPARE(lines.count(QStringLiteral("closing")), 1); // WM_CLOSE posted once
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
    QVERIFY(double_.state() == QProcess::NotRunning || double_.waitForFinished(20000));
}

void tst_JawsClose::restartStartsTheChosenFolder()
{
    QTemporaryDir folder;
    QVERIFY(QFile::copy(Fixtures::program(QStringLiteral("jawsdouble")), folder.filePath(QStringLiteral("JFW.EXE"))));
    Jaws jaws;
    QVERIFY(jaws.setCurrentFolder(folder.path()));
    QVERIFY(jaws.restart());
    QElapsedTimer timer;
    timer.start();
    while (!jaws.getJawsHwnd() && timer.elapsed() < 20000)
        QTest::qWait(50);
    QVERIFY(jaws.getJawsHwnd());
    QVERIFY(jaws.close());
}

// Windows gives the process list's names without folders: the running JAWS's folder is then
// empty, and the double's version resource reads as JAWS 10.
void tst_JawsClose::runningFolderOfABareNameIsEmpty()
{
    QTemporaryDir folder;
    const QString jfw = folder.filePath(QStringLiteral("JFW.EXE"));
    QVERIFY(QFile::copy(Fixtures::program(QStringLiteral("jawsdouble")), jfw));
    QCOMPARE(FileVersionReader::fileVersionField(jfw, 1, QStringLiteral("000004b0")), QStringLiteral("10"));
    QProcess double_;
    QVERIFY(startDouble(double_, {}, jfw));
    Jaws jaws;
    QVERIFY(jaws.setCurrentFolder(folder.path()));
    QCOMPARE(jaws.runningJawsFolder(), QString());
    QCOMPARE(jaws.currentFolderPath(), QString());
    QVERIFY(jaws.close());
}

QTEST_GUILESS_MAIN(tst_JawsClose)
#include "tst_jawsclose.moc"
