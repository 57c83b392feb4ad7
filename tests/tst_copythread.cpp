#include "copy/copythread.h"
#include "support/textfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace {

// The signals of a run as text, in the order they arrive on this thread: queued to `context`,
// which lives here, as the page's slots are.
struct Recorder
{
    QObject context;
    QStringList events;
    QString sourceRoot, destinationRoot;

    QString shorten(QString path) const
    {
        path.replace(QDir::toNativeSeparators(destinationRoot), QStringLiteral("$D"));
        return path;
    }

    void attach(CopyThread &worker)
    {
        QObject::connect(&worker, &CopyThread::setCurrentFile, &context, [this](const QString &p) { events << "current:" + shorten(p); });
        QObject::connect(&worker, &CopyThread::setMinimum, &context, [this](int v) { events << QStringLiteral("min:%1").arg(v); });
        QObject::connect(&worker, &CopyThread::setMaximum, &context, [this](int v) { events << QStringLiteral("max:%1").arg(v); });
        QObject::connect(&worker, &CopyThread::setValue, &context, [this](int v) { events << QStringLiteral("value:%1").arg(v); });
        QObject::connect(&worker, &CopyThread::copyDone, &context, [this] { events << QStringLiteral("done"); });
        QObject::connect(&worker, &CopyThread::copyFileSuccess, &context, [this](const QString &p) { events << "ok:" + shorten(p); });
        // Whether the system gave its reason, not its words: each system has its own.
        QObject::connect(&worker, &CopyThread::copyFileFails, &context, [this](const QString &p, const QString &reason) {
            events << "fail:" + shorten(p) + (reason.isEmpty() ? QString() : QStringLiteral(" (the system's reason)"));
        });
        QObject::connect(&worker, &CopyThread::copyFileBackedUp, &context, [this](const QString &, const QString &b) { events << "backup:" + shorten(b); });
        QObject::connect(&worker, &CopyThread::createDirectoryPathSuccess, &context, [this](const QString &p) { events << "folder:" + shorten(p); });
        QObject::connect(&worker, &CopyThread::createDirectoryPathFails, &context, [this](const QString &p, const QString &reason) {
            events << "nofolder:" + shorten(p) + (reason.isEmpty() ? QString() : QStringLiteral(" (the system's reason)"));
        });
    }
};

bool runToEnd(CopyThread &worker, const Recorder &recorder)
{
    worker.start(QThread::InheritPriority);
    return QTest::qWaitFor([&] { return recorder.events.contains(QStringLiteral("done")); }, 30000) && worker.wait(30000);
}

// Paths in rows: "$S/..." in the source folder, "$D/..." in the destination folder.
QStringList expand(const QStringList &paths, const QString &source, const QString &destination)
{
    QStringList out;
    for (QString path : paths)
        out << path.replace(QStringLiteral("$S"), source).replace(QStringLiteral("$D"), destination);
    return out;
}

QStringList native(QStringList events)
{
    for (QString &event : events)
        event = QDir::toNativeSeparators(event);
    return events;
}

// What copies leave behind in a folder: temporary files (in the copy's own folders, as
// earlier versions named them too) and those folders.
QStringList leftovers(const QString &folder)
{
    QStringList found;
    QDirIterator it(folder, { QStringLiteral("*.iqotmp"), QStringLiteral(".iqotmp") },
                    QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next();
    return found;
}

} // namespace

class tst_CopyThread : public QObject
{
    Q_OBJECT

private slots:
    void signalSequences_data();
    void signalSequences();
    void unequalListsAreRefused();
    void stopBeforeRunIsIgnored();
    void stopDuringRunFinishesTheCurrentFile();
    void progressFitsAnInt_data();
    void progressFitsAnInt();
    void cancelAtRandomMomentsLosesNothing();
#ifdef Q_OS_WIN
    void destinationHeldOpenStaysIntact();
#endif
};

void tst_CopyThread::signalSequences_data()
{
    QTest::addColumn<QStringList>("sources"); // "$S/name:content" (no content: missing)
    QTest::addColumn<QStringList>("destinations");
    QTest::addColumn<QStringList>("before"); // what lies in the destination folder first: "name:content", "name/" a folder
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty lists") << QStringList() << QStringList() << QStringList() << QStringList{ "min:0", "max:0", "done" };
    QTest::newRow("missing source left out")
        << QStringList{ "$S/a:abc", "$S/missing", "$S/b:hello" } << QStringList{ "$D/a", "$D/m", "$D/b" } << QStringList()
        << QStringList{ "min:0", "max:8", "current:$D/a", "ok:$D/a", "value:3", "current:$D/b", "ok:$D/b", "value:8", "done" };
    QTest::newRow("missing folder created")
        << QStringList{ "$S/a:abc" } << QStringList{ "$D/new/sub/a" } << QStringList()
        << QStringList{ "min:0", "max:3", "current:$D/new/sub/a", "folder:$D/new/sub", "ok:$D/new/sub/a", "value:3", "done" };
    QTest::newRow("existing file replaced")
        << QStringList{ "$S/a:new" } << QStringList{ "$D/a" } << QStringList{ "a:old content" }
        << QStringList{ "min:0", "max:3", "current:$D/a", "backup:$D/a.001", "ok:$D/a", "value:3", "done" };
    QTest::newRow("a folder where the file goes")
        << QStringList{ "$S/a:abc", "$S/b:xy" } << QStringList{ "$D/a", "$D/b" } << QStringList{ "a/" }
        << QStringList{ "min:0", "max:5", "current:$D/a", "fail:$D/a (the system's reason)", "value:3", "current:$D/b", "ok:$D/b", "value:5", "done" };
    QTest::newRow("a file where the folder goes")
        << QStringList{ "$S/a:abc" } << QStringList{ "$D/file/a" } << QStringList{ "file:not a folder" }
        << QStringList{ "min:0", "max:3", "current:$D/file/a", "fail:$D/file/a", "value:3", "done" };
    // The temporary name must fit wherever the destination's fits.
    const QString longName = QString(241, QLatin1Char('n')) + QStringLiteral(".jlb");
    QTest::newRow("a name of 245 characters")
        << QStringList{ "$S/a:abc" } << QStringList{ "$D/" + longName } << QStringList{ longName + ":old" }
        << QStringList{ "min:0", "max:3", "current:$D/" + longName, "backup:$D/" + longName + ".001", "ok:$D/" + longName, "value:3", "done" };
    // Beyond MAX_PATH (260) on Windows, where the file functions need the long form of a path.
    const QString deep = QStringLiteral("$D/") + QStringList(5, QString(60, QLatin1Char('d'))).join(QLatin1Char('/'));
    QTest::newRow("a path of more than 300 characters")
        << QStringList{ "$S/a:abc" } << QStringList{ deep + "/" + longName } << QStringList()
        << QStringList{ "min:0", "max:3", "current:" + deep + "/" + longName, "folder:" + deep, "ok:" + deep + "/" + longName,
                        "value:3", "done" };
    // A run killed between the copy and the rename leaves the temporary file: the next copy of
    // the same file takes it over, and it is neither reported nor left behind.
    QTest::newRow("a killed run's temporary file")
        << QStringList{ "$S/a:abc" } << QStringList{ "$D/QuorOlma.jlb" } << QStringList{ ".iqotmp/", ".iqotmp/QuorOlma.jlb:half a co" }
        << QStringList{ "min:0", "max:3", "current:$D/QuorOlma.jlb", "ok:$D/QuorOlma.jlb", "value:3", "done" };
    QTest::newRow("a read-only temporary file of a killed run")
        << QStringList{ "$S/a:abc" } << QStringList{ "$D/QuorOlma.jlb" } << QStringList{ ".iqotmp/", ".iqotmp/QuorOlma.jlb:half a co:ro" }
        << QStringList{ "min:0", "max:3", "current:$D/QuorOlma.jlb", "ok:$D/QuorOlma.jlb", "value:3", "done" };
    // JAWS 5 keeps its driver where the other files go: one file listed twice for one place. The
    // owner reads the first copy (for the install record) while the second would replace it,
    // which Windows refuses: it is copied once.
    QTest::newRow("the same file twice for the same place, read once copied")
        << QStringList{ "$S/a:abc", "$S/a:abc" } << QStringList{ "$D/a", "$D/a" } << QStringList()
        << QStringList{ "min:0", "max:6", "current:$D/a", "ok:$D/a", "value:3", "ok:$D/a", "value:6", "done" };
#ifndef Q_OS_WIN
    // A named pipe claims no size: it is read until its writer closes it.
    QTest::newRow("a named pipe, read to its end")
        << QStringList{ "$S/a:abc", "$S/pipe:written into the pipe:fifo" } << QStringList{ "$D/a", "$D/pipe" } << QStringList{ "pipe:old" }
        << QStringList{ "min:0", "max:3", "current:$D/a", "ok:$D/a", "value:3", "current:$D/pipe", "backup:$D/pipe.001", "ok:$D/pipe", "value:3", "done" };
#endif
}

void tst_CopyThread::signalSequences()
{
    QFETCH(QStringList, sources);
    QFETCH(QStringList, destinations);
    QFETCH(QStringList, before);
    QFETCH(QStringList, expected);

    QTemporaryDir from, to;
    QStringList fromFiles;
    std::unique_ptr<QThread> pipeWriter;
    for (const QString &entry : sources) {
        const QStringList parts = entry.split(QLatin1Char(':'));
        const QString path = expand({ parts.at(0) }, from.path(), to.path()).first();
#ifndef Q_OS_WIN
        if (parts.value(2) == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
            pipeWriter.reset(QThread::create([path, content = parts.at(1).toUtf8()] { TextFiles::write(path, content); }));
            pipeWriter->start();
            fromFiles << path;
            continue;
        }
#endif
        if (parts.size() > 1)
            QVERIFY(TextFiles::write(path, parts.at(1).toUtf8()));
        fromFiles << path;
    }
    for (const QString &entry : before) {
        if (entry.endsWith(QLatin1Char('/'))) {
            QVERIFY(QDir(to.path()).mkpath(entry));
            continue;
        }
        const QString file = to.filePath(entry.section(QLatin1Char(':'), 0, 0));
        QVERIFY(TextFiles::write(file, entry.section(QLatin1Char(':'), 1, 1).toUtf8()));
        if (entry.section(QLatin1Char(':'), 2) == QLatin1String("ro"))
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadUser));
    }

    CopyThread worker;
    Recorder recorder;
    recorder.destinationRoot = to.path();
    recorder.attach(worker);
    // Forward slashes in, native separators out.
    QVERIFY(worker.setLists(fromFiles, expand(destinations, from.path(), to.path())));
    // The owner's read of a copied file, held open as long as the run lasts, on the worker's thread
    // so that it comes before anything else the worker does.
    std::vector<std::unique_ptr<QFile>> reading;
    if (QTest::currentDataTag() == QByteArray("the same file twice for the same place, read once copied"))
        connect(&worker, &CopyThread::copyFileSuccess, &worker, [&reading](const QString &path) {
            reading.push_back(std::make_unique<QFile>(path));
            reading.back()->open(QIODevice::ReadOnly);
        }, Qt::DirectConnection);
    QVERIFY(runToEnd(worker, recorder));
    reading.clear();
    if (pipeWriter)
        QVERIFY(pipeWriter->wait());
    QCOMPARE(recorder.events, native(expected));

    for (qsizetype i = 0; i < sources.size(); ++i) {
        const QString content = sources.at(i).section(QLatin1Char(':'), 1, 1);
        const QString target = expand({ destinations.at(i) }, from.path(), to.path()).first();
        if (recorder.events.contains(QDir::toNativeSeparators("ok:" + destinations.at(i))))
            QCOMPARE(TextFiles::read(target), content.toUtf8());
    }
    if (QTest::currentDataTag() == QByteArray("a folder where the file goes"))
        QVERIFY(QFileInfo(to.filePath(QStringLiteral("a"))).isDir());
    if (QTest::currentDataTag() == QByteArray("a file where the folder goes"))
        QCOMPARE(TextFiles::read(to.filePath(QStringLiteral("file"))), QByteArray("not a folder"));
    QCOMPARE(leftovers(to.path()), QStringList());
}

void tst_CopyThread::unequalListsAreRefused()
{
    QTemporaryDir from, to;
    QVERIFY(TextFiles::write(from.filePath(QStringLiteral("a")), "abc"));
    CopyThread worker;
    QVERIFY(worker.setLists({ from.filePath(QStringLiteral("a")) }, { to.filePath(QStringLiteral("a")) }));
    QVERIFY(!worker.setLists({ "x", "y", "z" }, { "x", "y" }));
    Recorder recorder;
    recorder.destinationRoot = to.path();
    recorder.attach(worker);
    QVERIFY(runToEnd(worker, recorder));
    QCOMPARE(recorder.events, native({ "min:0", "max:3", "current:$D/a", "ok:$D/a", "value:3", "done" }));
}

void tst_CopyThread::stopBeforeRunIsIgnored()
{
    QTemporaryDir from, to;
    QVERIFY(TextFiles::write(from.filePath(QStringLiteral("a")), "abc"));
    CopyThread worker;
    QVERIFY(worker.setLists({ from.filePath(QStringLiteral("a")) }, { to.filePath(QStringLiteral("a")) }));
    worker.stop();
    Recorder recorder;
    recorder.attach(worker);
    QVERIFY(runToEnd(worker, recorder));
    QCOMPARE(TextFiles::read(to.filePath(QStringLiteral("a"))), QByteArray("abc"));
}

void tst_CopyThread::stopDuringRunFinishesTheCurrentFile()
{
    QTemporaryDir from, to;
    QStringList sources, destinations;
    for (int i = 0; i < 50; ++i) {
        sources << from.filePath(QStringLiteral("f%1").arg(i));
        destinations << to.filePath(QStringLiteral("f%1").arg(i));
        QVERIFY(TextFiles::write(sources.last(), QByteArray(1000, char('a' + i % 26))));
    }
    CopyThread worker;
    QVERIFY(worker.setLists(sources, destinations));
    Recorder recorder;
    recorder.destinationRoot = to.path();
    recorder.attach(worker);
    // Asked on the worker's own thread as the third file begins, so the moment is exact.
    int started = 0;
    connect(&worker, &CopyThread::setCurrentFile, &worker, [&](const QString &) {
        if (++started == 3)
            worker.stop();
    }, Qt::DirectConnection);
    QVERIFY(runToEnd(worker, recorder));
    QCOMPARE(recorder.events.filter(QStringLiteral("ok:")).size(), 3);
    QCOMPARE(recorder.events.last(), QStringLiteral("done"));
    QCOMPARE(recorder.events.at(recorder.events.size() - 2), QStringLiteral("value:3000"));
    QVERIFY(!QFileInfo::exists(to.filePath(QStringLiteral("f3"))));
}

void tst_CopyThread::progressFitsAnInt_data()
{
    QTest::addColumn<qint64>("total");
    QTest::newRow("empty") << qint64(0);
    QTest::newRow("2 GiB - 1") << qint64(INT_MAX);
    QTest::newRow("2 GiB") << qint64(INT_MAX) + 1;
    QTest::newRow("5 GiB + 3") << (qint64(5) << 30) + 3;
    QTest::newRow("1 TiB") << (qint64(1) << 40);
}

// Past 2 GiB the bar counts in larger units: the maximum and every value stay positive ints,
// and the value reaches the maximum exactly at the end.
void tst_CopyThread::progressFitsAnInt()
{
    QFETCH(qint64, total);
    const qint64 unit = CopyThread::progressUnit(total);
    QVERIFY(unit >= 1);
    QVERIFY(total / unit <= INT_MAX);
    QVERIFY(total <= INT_MAX ? unit == 1 : total / unit > INT_MAX / 2);
}

// Cancelled at any moment, the worker ends cleanly, leaves no temporary file, and every
// destination is whole: the old file or the new one.
void tst_CopyThread::cancelAtRandomMomentsLosesNothing()
{
    QTemporaryDir from, to;
    QStringList sources, destinations;
    QList<QByteArray> oldContent, newContent;
    QRandomGenerator random(7);
    for (int i = 0; i < 20; ++i) {
        sources << from.filePath(QStringLiteral("f%1").arg(i));
        destinations << to.filePath(QStringLiteral("sub%1/f%2").arg(i % 3).arg(i));
        newContent << QByteArray(int(random.bounded(64 * 1024, 512 * 1024)), char('A' + i));
        oldContent << QByteArray(int(random.bounded(1, 100 * 1024)), char('a' + i));
        QVERIFY(TextFiles::write(sources.last(), newContent.last()));
    }
    auto putOldFiles = [&] {
        for (int i = 0; i < 20; ++i) {
            QDir().mkpath(QFileInfo(destinations.at(i)).absolutePath());
            if (!TextFiles::write(destinations.at(i), oldContent.at(i)))
                return false;
        }
        return true;
    };
    // Round 0 lets go at once, before the thread may have begun; how far each round gets is
    // up to the scheduler, and nothing below depends on it.
    for (int round = 0; round < 16; ++round) {
        QVERIFY(putOldFiles());
        CopyThread worker;
        Recorder recorder;
        recorder.destinationRoot = to.path();
        recorder.attach(worker);
        QVERIFY(worker.setLists(sources, destinations));
        worker.start();
        if (round > 0)
            QThread::usleep(random.bounded(0, 40000));
        worker.stopAndWait();
        QVERIFY(worker.isFinished());
        QCoreApplication::sendPostedEvents(&recorder.context, QEvent::MetaCall);
        for (int i = 0; i < 20; ++i) {
            const QByteArray now = TextFiles::read(destinations.at(i));
            const QString where = QStringLiteral("round %1 file %2").arg(round).arg(i);
            QVERIFY2(now == oldContent.at(i) || now == newContent.at(i), qPrintable(where));
            // Exactly the files that were replaced are reported as copied.
            const bool reported = recorder.events.contains(QDir::toNativeSeparators(QStringLiteral("ok:$D/sub%1/f%2").arg(i % 3).arg(i)));
            QVERIFY2(reported == (now == newContent.at(i)), qPrintable(where));
        }
        QCOMPARE(leftovers(to.path()), QStringList());
    }
}

#ifdef Q_OS_WIN
// A file held open by a running program, with no sharing, cannot be replaced: the copy fails,
// says the system's reason, and the file stays as it was.
void tst_CopyThread::destinationHeldOpenStaysIntact()
{
    QTemporaryDir from, to;
    QVERIFY(TextFiles::write(from.filePath(QStringLiteral("a")), "new"));
    const QString held = to.filePath(QStringLiteral("a"));
    QVERIFY(TextFiles::write(held, "old and busy"));
    HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(held).utf16()), GENERIC_READ, 0,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    QVERIFY(handle != INVALID_HANDLE_VALUE);
    CopyThread worker;
    Recorder recorder;
    recorder.destinationRoot = to.path();
    recorder.attach(worker);
    QVERIFY(worker.setLists({ from.filePath(QStringLiteral("a")) }, { held }));
    QVERIFY(runToEnd(worker, recorder));
    CloseHandle(handle);
    QCOMPARE(recorder.events, native({ "min:0", "max:3", "current:$D/a", "fail:$D/a (the system's reason)", "value:3", "done" }));
    QCOMPARE(TextFiles::read(held), QByteArray("old and busy"));
    QCOMPARE(leftovers(to.path()), QStringList());
}
#endif

QTEST_GUILESS_MAIN(tst_CopyThread)
#include "tst_copythread.moc"
