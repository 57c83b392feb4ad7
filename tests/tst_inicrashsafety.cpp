// A writer killed at any instant leaves the ini file whole: the old one or a new one, byte for
// byte, never a mixture or a truncated file. A configuration stopped before its commit leaves
// every file of JAWS as it was.
#include "support/fixtures.h"
#include "support/testmachine.h"
#include "support/textfiles.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const int sections = 2000;
const int kills = 24;

QByteArray largeFile()
{
    QByteArray bytes = "; settings of a screen reader\r\n";
    for (int s = 0; s < sections; ++s) {
        bytes += "[Section" + QByteArray::number(s) + "]\r\n";
        for (int k = 0; k < 8; ++k)
            bytes += "Key" + QByteArray::number(k) + "=old value " + QByteArray::number(s * k) + "\r\n";
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace

class tst_IniCrashSafety : public QObject
{
    Q_OBJECT

private slots:
    void killedWriterLeavesWholeFile_data();
    void killedWriterLeavesWholeFile();
    void stoppedConfigurationChangesNothing_data();
    void stoppedConfigurationChangesNothing();
};

void tst_IniCrashSafety::killedWriterLeavesWholeFile_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("a whole-file merge in one batch") << "batch";
    QTest::newRow("one write to a large file") << "single";
}

void tst_IniCrashSafety::killedWriterLeavesWholeFile()
{
    QFETCH(QString, mode);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("jfw.ini"));
    const QByteArray old = largeFile();

    QVERIFY(TextFiles::write(file, old));
    const QStringList arguments{ mode, file, QString::number(sections) };
    QElapsedTimer clock;
    {
        // The kills below spread over the time the writer works, once it has started.
        QProcess child;
        child.start(Fixtures::program(QStringLiteral("iniwriterchild")), arguments);
        QVERIFY(child.waitForReadyRead(60000));
        clock.start();
        QVERIFY(child.waitForFinished(300000));
        QCOMPARE(child.exitCode(), 0);
    }
    const qint64 duration = clock.elapsed();
    const QByteArray written = TextFiles::read(file);
    QVERIFY(written != old);

    int interrupted = 0;
    for (int i = 0; i < kills; ++i) {
        QVERIFY(TextFiles::write(file, old));
        QProcess child;
        child.start(Fixtures::program(QStringLiteral("iniwriterchild")), arguments);
        // "started": the writer is at work (or, quick, done already).
        QVERIFY(child.waitForStarted(60000));
        child.waitForReadyRead(60000);
        QTest::qWait(int(duration * i / kills));
        if (child.state() != QProcess::NotRunning) {
            child.kill();
            QVERIFY(child.waitForFinished(60000));
        }
        if (child.exitStatus() == QProcess::CrashExit)
            ++interrupted;
        const QByteArray now = TextFiles::read(file);
        QVERIFY2(now == old || now == written, qPrintable(QStringLiteral("kill %1 left a file of %2 bytes that is neither old nor new")
                                                     .arg(i).arg(now.size())));
    }
    // How many kills fell inside the writer's work is the scheduler's affair, not a property
    // of the writer: it is told, not asserted.
    qInfo("%d of %d kills interrupted the writer", interrupted, kills);
}

void tst_IniCrashSafety::stoppedConfigurationChangesNothing_data()
{
    QTest::addColumn<QString>("point");
    QTest::addColumn<int>("exitCode");
    for (const char *step : { "start", "settings files", "braille.ini", "displays", "default device", "keyboard table", "translation tables" })
        QTest::addRow("crash after %s", step) << QString::fromLatin1(step) << 9;
    QTest::newRow("cancelled before the commit") << "cancel" << 0;
    QTest::newRow("committed") << "commit" << 0;
}

// Every step has edited the files in memory by its point; none may have reached the disk, not
// even a backup or a temporary file.
void tst_IniCrashSafety::stoppedConfigurationChangesNothing()
{
    QFETCH(QString, point);
    QFETCH(int, exitCode);
    QTemporaryDir root;
    TestMachine machine(root.path(), TestMachine::Jaws::Version2025);
    QVERIFY(machine.make());
    const QString before = machine.dump();
    QProcess child;
    child.setProcessEnvironment(machine.environment());
    child.start(Fixtures::program(QStringLiteral("iniwriterchild")),
                { QStringLiteral("configure"), point, machine.jawsFolder, machine.packageFolder });
    QVERIFY(child.waitForFinished(300000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QVERIFY2(child.exitCode() == exitCode, child.readAllStandardError().constData());
    if (point == QLatin1String("commit"))
        QVERIFY(machine.dump() != before);
    else
        QCOMPARE(machine.dump(), before);
}

QTEST_GUILESS_MAIN(tst_IniCrashSafety)
#include "tst_inicrashsafety.moc"
