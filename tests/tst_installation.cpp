// Whole installations through the program's own wizard, driven with the keyboard, on a machine
// made for each case: what lands on disk and in the reports is compared with hand-checked
// results (tests/fixtures/golden/installation-*.txt).
#include "support/fixtures.h"
#include "support/testmachine.h"
#include "support/textfiles.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_WIN
#include "platform/windowsystem.h"
#endif

namespace {

// Starts the program laid into the machine's package folder, as a user would, and waits for it.
bool install(const TestMachine &machine, const QString &program, const QMap<QString, QString> &settings,
             QMap<QString, QStringList> &seen)
{
    QProcessEnvironment environment = machine.environment();
    for (auto setting = settings.cbegin(); setting != settings.cend(); ++setting)
        environment.insert(setting.key(), setting.value());
    return Fixtures::runProbe(program, environment, machine.root, seen);
}

QString golden(const QString &name)
{
    return QString::fromUtf8(Fixtures::read(QStringLiteral("golden/installation-") + name + QStringLiteral(".txt")));
}

// Compares line by line, so that a difference is shown where it is.
bool sameAsGolden(const QString &actual, const QString &name)
{
    // IQO_GOLDEN_OUTPUT=folder keeps each result there, to be read line by line before it
    // replaces an expected result.
    if (qEnvironmentVariableIsSet("IQO_GOLDEN_OUTPUT"))
        TextFiles::write(qEnvironmentVariable("IQO_GOLDEN_OUTPUT") + QStringLiteral("/installation-") + name + QStringLiteral(".txt"), actual.toUtf8());
    const QStringList expected = golden(name).split(QLatin1Char('\n'));
    const QStringList lines = actual.split(QLatin1Char('\n'));
    for (int i = 0; i < qMax(expected.size(), lines.size()); ++i) {
        if (expected.value(i) != lines.value(i)) {
            qWarning("%s, line %d:\n  expected: %s\n  actual:   %s\n--- whole result:\n%s", qPrintable(name), i + 1,
                     qPrintable(expected.value(i)), qPrintable(lines.value(i)), qPrintable(actual));
            return false;
        }
    }
    return true;
}

} // namespace

class tst_Installation : public QObject
{
    Q_OBJECT

private slots:
    void installs_data();
    void installs();
    void noJawsRowChosen();
    void cancelDuringTheCopy_data();
    void cancelDuringTheCopy();
#ifdef Q_OS_WIN
    void runningJawsIsClosedAndRestarted_data();
    void runningJawsIsClosedAndRestarted();
#endif
};

void tst_Installation::installs_data()
{
    QTest::addColumn<int>("runs");
    QTest::addColumn<QString>("inTheWay"); // a folder where this file of JAWS should be
    QTest::addColumn<bool>("jawsGone");    // listed in the registry, its folder deleted
    QTest::addColumn<bool>("errorSentence");
    QTest::addColumn<QString>("result");
    QTest::newRow("one run") << 1 << "" << false << false << "one-run";
    QTest::newRow("second run after the first") << 2 << "" << false << false << "two-runs";
    QTest::newRow("a copy fails") << 1 << "QuorOlma.chm" << false << true << "failed-copy";
    // A display that JAWS does not list cannot be used: an error, and the package stays whole
    // for a second run.
    QTest::newRow("jfw.ini cannot be written") << 1 << "jfw.ini" << false << true << "jfw-ini-blocked";
    QTest::newRow("the JAWS folder is gone") << 1 << "" << true << true << "jaws-gone";
}

// JAWS not running: no box, nothing closed or started; every file of the package in place,
// the settings written, the report published, the package's used files gone and the user's
// own files still there.
void tst_Installation::installs()
{
    QFETCH(int, runs);
    QFETCH(QString, inTheWay);
    QFETCH(bool, jawsGone);
    QFETCH(bool, errorSentence);
    QFETCH(QString, result);
    QTemporaryDir root;
    TestMachine machine(root.path());
    QVERIFY(machine.make());
    // A folder where the help file should go: its copy cannot succeed.
    if (!inTheWay.isEmpty()) {
        QFile::remove(machine.jawsFolder + QLatin1Char('/') + inTheWay);
        QVERIFY(QDir().mkpath(machine.jawsFolder + QLatin1Char('/') + inTheWay));
    }
    if (jawsGone)
        QVERIFY(QDir(machine.jawsFolder).removeRecursively());
    QMap<QString, QStringList> seen;
    for (int i = 0; i < runs; ++i) {
        QVERIFY(i == 0 || machine.makePackage()); // unpacked again for the second run
        const QString program = machine.addProgram(QStringLiteral("installationprobe"));
        QVERIFY(!program.isEmpty());
        seen.clear();
        QVERIFY(install(machine, program, {}, seen));
    }
    QCOMPARE(seen.value("page"), (QStringList{ "1", "2", "3" }));
    QCOMPARE(seen.value("focusInJawsList"), QStringList{ "1" });
    QVERIFY(!seen.contains("box"));
    // Without the JAWS folder the report stays beside the program, and the sentence says so.
    const QString publishedReport = QDir::toNativeSeparators((jawsGone ? machine.packageFolder : machine.jawsFolder)
                                                             + QStringLiteral("/installLog.txt"));
    QCOMPARE(QDir::toNativeSeparators(seen.value("reportPath").value(0)), publishedReport);
    const QString sentence = errorSentence
        ? QStringLiteral("Error during installation. Please check the %1 file for details.").arg(publishedReport)
        : QStringLiteral("Installation correctly done.");
    QCOMPARE(seen.value("sentence"), (QStringList{ sentence, "Click Finish to end the installation process." }));
#ifdef Q_OS_WIN
    QVERIFY(publishedReport.endsWith(jawsGone ? QStringLiteral("\\package\\installLog.txt") : QStringLiteral("\\JAWS10\\installLog.txt")));
#endif
    QVERIFY(sameAsGolden(machine.dump(), result));
}

// No row chosen: nothing is started, nothing written, and only Cancel is left.
void tst_Installation::noJawsRowChosen()
{
    QTemporaryDir root;
    TestMachine machine(root.path());
    QVERIFY(machine.make());
    const QString before = machine.dump();
    const QString program = machine.addProgram(QStringLiteral("installationprobe"));
    QMap<QString, QStringList> seen;
    QVERIFY(install(machine, program, { { "IQO_PROBE_NO_ROW", "1" } }, seen));
    QCOMPARE(seen.value("page"), (QStringList{ "1", "2" }));
    QCOMPARE(seen.value("nextEnabled"), QStringList{ "0" });
    QCOMPARE(seen.value("infoText"), QStringList{ "Installation in progress..." });
    // The report holds its header and nothing after it.
    const QStringList report = QString::fromLocal8Bit(TextFiles::read(machine.packageFolder + QStringLiteral("/installLog.txt")))
                                   .split(QRegularExpression(QStringLiteral("\r?\n")));
    QCOMPARE(report.size(), 5);
    QVERIFY(report.at(2).startsWith(QStringLiteral("Installation ")));
    QCOMPARE(report.mid(3), (QStringList{ "", "" }));
    // Apart from the report and the program, the machine is as it was.
    QString after = machine.dump();
    after.remove(QRegularExpression(QStringLiteral("\\$PACKAGE/installLog.txt\n(  \\|[^\n]*\n)*")));
    QCOMPARE(after, before);
}

void tst_Installation::cancelDuringTheCopy_data()
{
    QTest::addColumn<QString>("when");
    QTest::addColumn<bool>("stopsTheCopy");
    QTest::newRow("as the copy starts") << "start" << true;
    // Under Wine the whole copy may be done by then: Cancel still comes before the settings.
    QTest::newRow("at the first progress") << "progress" << false;
}

// Cancel while the files are copied: the program ends cleanly, no file is half there, the
// settings are untouched and the report says what happened.
void tst_Installation::cancelDuringTheCopy()
{
    QFETCH(QString, when);
    QFETCH(bool, stopsTheCopy);
    QTemporaryDir root;
    TestMachine machine(root.path());
    QVERIFY(machine.make());
    // Many large files make a copy that lasts long enough to be cancelled.
    QByteArray big(4 * 1024 * 1024, 'x');
    QStringList names;
    for (int i = 0; i < 60; ++i) {
        big[i] = 'y';
        names << QStringLiteral("bulk_%1.chm").arg(i, 2, 10, QLatin1Char('0'));
        QVERIFY(TextFiles::write(machine.packageFolder + QLatin1Char('/') + names.last(), big));
    }
    const QByteArray jcfBefore = TextFiles::read(machine.userSettings + QStringLiteral("/enu/default.jcf"));
    const QString program = machine.addProgram(QStringLiteral("installationprobe"));
    QMap<QString, QStringList> seen;
    QVERIFY(install(machine, program, { { "IQO_PROBE_CANCEL", when } }, seen));
    QCOMPARE(seen.value("page"), (QStringList{ "1", "2" }));
    QVERIFY(seen.contains("cancelAt"));

    const QStringList report = QString::fromLocal8Bit(TextFiles::read(machine.packageFolder + QStringLiteral("/installLog.txt")))
                                   .split(QRegularExpression(QStringLiteral("\r?\n")));
    const int cancelled = report.indexOf(QRegularExpression(QStringLiteral("^ERROR : Installation cancelled by the user\\..*")));
    QVERIFY2(cancelled > 0, qPrintable(report.join('\n')));
    QCOMPARE(report.value(cancelled + 1), QString(QLatin1Char('-')).repeated(79));
    // Each file is there whole or not at all, and the report names exactly those that are.
    int copied = 0;
    for (const QString &name : std::as_const(names)) {
        const QString destination = machine.jawsFolder + QLatin1Char('/') + name;
        const bool inReport = report.contains(QStringLiteral("OK : %1 file successfully copied.").arg(QDir::toNativeSeparators(destination)));
        QCOMPARE(QFileInfo::exists(destination), inReport);
        if (inReport) {
            QCOMPARE(TextFiles::read(destination), TextFiles::read(machine.packageFolder + QLatin1Char('/') + name));
            ++copied;
        }
    }
    qInfo("%d of %d large files copied before the cancel took effect", copied, int(names.size()));
    // Under Wine the page is switched more slowly than the files are copied.
#ifndef Q_OS_WIN
    if (stopsTheCopy)
        QVERIFY(copied < names.size());
#else
    Q_UNUSED(stopsTheCopy);
#endif
    QCOMPARE(QDir(machine.jawsFolder).entryList({ QStringLiteral("*.tmp"), QStringLiteral("*~*"), QStringLiteral(".*") },
                                                QDir::Files | QDir::Hidden | QDir::System),
             QStringList());
    // Nothing was configured, and the package is whole: a second run can finish the job.
    QCOMPARE(TextFiles::read(machine.userSettings + QStringLiteral("/enu/default.jcf")), jcfBefore);
    QVERIFY(!QFileInfo::exists(machine.jawsFolder + QStringLiteral("/installLog.txt")));
    QVERIFY(QFileInfo::exists(machine.packageFolder + QStringLiteral("/list.install")));
    QVERIFY(QFileInfo::exists(machine.packageFolder + QStringLiteral("/QuorOlma.jlb")));
}

#ifdef Q_OS_WIN
void tst_Installation::runningJawsIsClosedAndRestarted_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("whole installation") << false;
    QTest::newRow("cancelled during the copy") << true;
}

// The JAWS double runs as JFW.EXE of the chosen folder: the warning comes while it still runs,
// it is closed before the copy, and started again from that folder at the end, or on cancel.
void tst_Installation::runningJawsIsClosedAndRestarted()
{
    QFETCH(bool, cancel);
    QTemporaryDir root;
    TestMachine machine(root.path());
    QVERIFY(machine.make(QStringLiteral("jawsdouble")));
    const QString jfw = machine.jawsFolder + QStringLiteral("/JFW.EXE");
    const QString starts = machine.jawsFolder + QStringLiteral("/jawsdouble.log");
    if (cancel) {
        QByteArray big(4 * 1024 * 1024, 'x');
        for (int i = 0; i < 30; ++i)
            QVERIFY(TextFiles::write(machine.packageFolder + QStringLiteral("/bulk_%1.chm").arg(i), big));
    }
    QProcess::startDetached(jfw, {});
    QElapsedTimer timer;
    timer.start();
    while (!Platform::windowSystem().findWindow(QStringLiteral("JFWUI2"), QStringLiteral("JAWS")) && timer.elapsed() < 20000)
        QTest::qWait(100);
    QVERIFY(Platform::windowSystem().findWindow(QStringLiteral("JFWUI2"), QStringLiteral("JAWS")));

    const QString program = machine.addProgram(QStringLiteral("installationprobe"));
    QMap<QString, QStringList> seen;
    QMap<QString, QString> settings;
    if (cancel)
        settings.insert("IQO_PROBE_CANCEL", "start");
    QVERIFY(install(machine, program, settings, seen));
    for (auto printed = seen.cbegin(); printed != seen.cend(); ++printed)
        qInfo("%s=%s", qPrintable(printed.key()), qPrintable(printed.value().join(QLatin1Char('|'))));
    QCOMPARE(seen.value("box"), QStringList{ "Warning|Jaws will be closed while copying files. It will be automatically restarted." });
    QCOMPARE(seen.value("jawsRunningAtBox"), QStringList{ "1" });
    QCOMPARE(seen.value("page"), cancel ? (QStringList{ "1", "2" }) : (QStringList{ "1", "2", "3" }));
    // Started twice from the chosen folder: by the test, then by the installation.
    timer.restart();
    while (TextFiles::read(starts).count('\n') < 2 && timer.elapsed() < 20000)
        QTest::qWait(100);
    QCOMPARE(TextFiles::read(starts).count('\n'), 2);
    // The double notes its start before it makes its window.
    timer.restart();
    while (!Platform::windowSystem().findWindow(QStringLiteral("JFWUI2"), QStringLiteral("JAWS")) && timer.elapsed() < 20000)
        QTest::qWait(100);
    QVERIFY(Platform::windowSystem().findWindow(QStringLiteral("JFWUI2"), QStringLiteral("JAWS")));
    if (!cancel)
        QCOMPARE(TextFiles::read(machine.jawsFolder + QStringLiteral("/QuorOlma.jlb")), Fixtures::read(QStringLiteral("pe/driver.dll")));
}
#endif

QTEST_GUILESS_MAIN(tst_Installation)
#include "tst_installation.moc"
