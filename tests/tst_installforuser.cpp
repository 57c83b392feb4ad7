// Whole installations where the person at the machine is not the account that installs, on the
// simulated machine's sessions and profiles (Wine has one account and no sessions).
#include "support/goldentext.h"
#include "support/testmachine.h"
#include "support/textfiles.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace GoldenText;

class tst_InstallForUser : public QObject
{
    Q_OBJECT

private slots:
    void interactiveUser_data();
    void interactiveUser();
};

void tst_InstallForUser::interactiveUser_data()
{
#ifdef Q_OS_WIN
    QSKIP("Wine has one account and no sessions: the simulated machine plays them in the native build");
#endif
    QTest::addColumn<QString>("interactive");    // the user at the machine; empty: nobody is logged on
    QTest::addColumn<QStringList>("arguments");  // none: the wizard
    QTest::addColumn<QString>("jaws");           // "starts", "fails" (closed, then JFW.EXE cannot start), "out of reach"
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("configured"); // whose settings name the Quor: users, "installer"
    QTest::addColumn<QString>("reportLine");

    const QStringList unattended{ "--unattended", "--jaws", "latest", "--display", "QUOR" };
    const QString restartFailed = QStringLiteral("^ERROR : Jaws could not be started again from .*JAWS10\\. Please start Jaws yourself\\.$");
    QTest::newRow("the user's settings, not the installer's") << "alice" << QStringList() << "" << 0 << QStringList{ "alice" }
                                                              << "^User settings: those of PC\\\\alice\\.$";
    QTest::newRow("JAWS started again as the user") << "alice" << QStringList() << "starts" << 0 << QStringList{ "alice" }
                                                    << "^'QUOR' Braille device selected in .*alice.*$";
    QTest::newRow("JAWS not started again: the page") << "alice" << QStringList() << "fails" << 0 << QStringList{ "alice" } << restartFailed;
    QTest::newRow("JAWS not started again: the exit code") << "alice" << unattended << "fails" << 1 << QStringList{ "alice" } << restartFailed;
    // The wizard run by a deployment agent as SYSTEM, in session 0: no window nobody would see.
    QTest::newRow("the wizard in session 0") << "alice" << QStringList() << "session 0" << 2 << QStringList() << "";
    // Bob and carol, logged on in other sessions, are configured too where they have settings.
    QTest::newRow("every user") << "alice" << (unattended + QStringList{ "--all-users" }) << "bob logged on" << 0 << QStringList{ "alice", "bob" }
                                << "^User carol has no settings for this Jaws: left untouched\\.$";
    // Bob is not logged on: where his settings are cannot be known, so they stay as they are.
    QTest::newRow("every user, one not logged on") << "alice" << (unattended + QStringList{ "--all-users" }) << "" << 0 << QStringList{ "alice" }
                                                   << "^User bob is not logged on: their settings are left as they are .*$";
    QTest::newRow("nobody logged on: the installer's settings") << "" << QStringList() << "" << 0 << QStringList{ "installer" }
                                                                << "^No interactive user was found: the user settings are those of .*\\.$";
    QTest::newRow("JAWS in a session out of reach") << "alice" << unattended << "out of reach" << 5 << QStringList() << "";
    // JAWS 10 runs while the latest, 18.0, is installed into: JAWS 10 comes back, not the other.
    QTest::newRow("the JAWS that ran comes back") << "alice" << unattended << "another runs" << 0 << QStringList()
                                                 << "^User settings: those of PC\\\\alice\\.$";
    // Nobody logged on, JAWS closed: it is not started as the installer's account, and the report says how to start it.
    QTest::newRow("nobody logged on: JAWS not started as the installer") << "" << unattended << "fails" << 1 << QStringList{ "installer" }
                                                                        << restartFailed;
}

// The person at the machine is not the account that installs (an administrator's password typed
// over their shoulder, or a deployment tool running as SYSTEM): their settings and their JAWS
// are the ones that count.
void tst_InstallForUser::interactiveUser()
{
    QFETCH(QString, interactive);
    QFETCH(QStringList, arguments);
    QFETCH(QString, jaws);
    QFETCH(int, exitCode);
    QFETCH(QStringList, configured);
    QFETCH(QString, reportLine);
    QTemporaryDir root;
    TestMachine machine(root.path());
    QVERIFY(machine.make());
    QVERIFY(machine.addUsers(interactive, { "alice", "bob" }, { "carol" }));
    if (jaws == QLatin1String("bob logged on")) {
        QVERIFY(TextFiles::write(machine.root + QStringLiteral("/session.ini"),
                                 TextFiles::read(machine.root + QStringLiteral("/session.ini")) + "[LoggedOn]\r\nSids=S-1-5-21-7-1002;S-1-5-21-7-1003\r\n"));
        jaws.clear(); // JAWS itself does not run
    }
    if (jaws == QLatin1String("session 0"))
        QVERIFY(TextFiles::write(machine.root + QStringLiteral("/session.ini"),
                                 TextFiles::read(machine.root + QStringLiteral("/session.ini")) + "[ThisProcess]\r\nSession=0\r\n"));
    const QString jfw = machine.jawsFolder + QStringLiteral("/JFW.EXE");
    QProcessEnvironment environment = machine.environment();
    // The restart runs JFW.EXE for real: a program that ends at once, or a file that is none.
    QVERIFY(TextFiles::write(jfw, jaws == QLatin1String("starts") ? "#!/bin/sh\nexit 0\n" : "MZ"));
    QVERIFY(QFile::setPermissions(jfw, QFile::permissions(jfw) | (jaws == QLatin1String("starts") ? QFileDevice::ExeOwner : QFileDevice::ReadOwner)));
    if (jaws == QLatin1String("starts") || jaws == QLatin1String("fails"))
        environment.insert(QStringLiteral("IQO_PROBE_JAWS_WINDOW"), QStringLiteral("1"));
    // The running JAWS is the program of the process that owns JAWS's window.
    QString reportFolder = machine.jawsFolder;
    QProcess running;
    if (jaws == QLatin1String("another runs")) {
        reportFolder = machine.addJaws(QStringLiteral("18.0"), QStringLiteral("pe/jfw_18.dll"));
        QVERIFY(!reportFolder.isEmpty());
        QVERIFY(QFile::remove(jfw) && QFile::copy(QStringLiteral("/bin/sleep"), jfw));
        running.start(jfw, { QStringLiteral("60") });
        QVERIFY(running.waitForStarted());
        environment.insert(QStringLiteral("IQO_PROBE_JAWS_WINDOW"), QString::number(running.processId()));
    }
    QProcess otherSession;
    if (jaws == QLatin1String("out of reach")) {
        const QString running = root.filePath(QStringLiteral("session 2/JFW.EXE"));
        QVERIFY(QDir().mkpath(QFileInfo(running).path()) && QFile::copy(QStringLiteral("/bin/sleep"), running));
        QVERIFY(TextFiles::write(machine.root + QStringLiteral("/session.ini"),
                                 TextFiles::read(machine.root + QStringLiteral("/session.ini")) + "[OtherSession]\r\nPrograms=" + running.toUtf8() + "\r\n"));
        otherSession.start(running, { QStringLiteral("60") });
        QVERIFY(otherSession.waitForStarted());
    }
    const QString before = machine.dump();

    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(root.path());
    process.start(machine.addProgram(QStringLiteral("installationprobe")), arguments);
    QVERIFY(process.waitForFinished(120000));
    otherSession.kill();
    otherSession.waitForFinished();
    running.kill();
    running.waitForFinished();
    const QString output = QString::fromUtf8(process.readAllStandardOutput());
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    qInfo("output:\n%s\nerrors:\n%s", qPrintable(output), qPrintable(errors));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);

    if (jaws == QLatin1String("out of reach")) {
        // Nothing touched, not even a report, and the reason told.
        QVERIFY(sameText(machine.dump(), before, QStringLiteral("the machine")));
        QVERIFY2(errors.contains(QStringLiteral("cannot reach")), qPrintable(errors));
        return;
    }
    if (jaws == QLatin1String("session 0")) {
        QVERIFY(sameText(machine.dump(), before, QStringLiteral("the machine")));
        QVERIFY2(errors.contains(QStringLiteral("without a visible desktop")), qPrintable(errors));
        QVERIFY2(!output.contains(QStringLiteral("page=")), qPrintable(output));
        return;
    }
    const QString report = QString::fromLocal8Bit(TextFiles::read(reportFolder + QStringLiteral("/installLog.txt")));
    qInfo("report:\n%s", qPrintable(report));
    QVERIFY2(report.split(QRegularExpression(QStringLiteral("\r?\n"))).indexOf(QRegularExpression(reportLine)) >= 0, qPrintable(report));
    if (arguments.isEmpty()) {
        const bool failed = jaws == QLatin1String("fails");
        QVERIFY2(output.contains(failed ? QStringLiteral("sentence=Error during installation.") : QStringLiteral("sentence=Installation correctly done.")),
                 qPrintable(output));
    }
    const QMap<QString, QString> settings{ { "alice", machine.profileSettings("alice") },
                                           { "bob", machine.profileSettings("bob") },
                                           { "installer", machine.userSettings } };
    for (auto user = settings.cbegin(); user != settings.cend(); ++user) {
        const QByteArray jcf = TextFiles::read(user.value() + QStringLiteral("/enu/default.jcf"));
        QVERIFY2(jcf.contains("BrailleDisplay=QUOR") == configured.contains(user.key()), qPrintable(user.key() + ": " + jcf));
    }
    // A user who never ran this JAWS gets no settings folder of it.
    QVERIFY(!QFileInfo::exists(root.filePath(QStringLiteral("Users/carol/AppData/Roaming/Freedom Scientific"))));
    // Started as the user, in JAWS's folder; or not at all, when JAWS was not running.
    const QByteArray started = TextFiles::read(machine.root + QStringLiteral("/started.txt"));
    if (jaws.isEmpty() || interactive.isEmpty())
        QCOMPARE(started, QByteArray());
    else
        QCOMPARE(started, QStringLiteral("PC\\%1|%2|%3\n").arg(interactive, QDir::toNativeSeparators(jfw), QDir::toNativeSeparators(machine.jawsFolder)).toUtf8());
}

QTEST_GUILESS_MAIN(tst_InstallForUser)
#include "tst_installforuser.moc"
