#include "jaws/jaws.h"
#include "support/fixtures.h"
#include "support/scriptedwindows.h"
#include "support/textfiles.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// A registry record in a row: "view/subkey=value" ("32/..." for the 32-bit view, "=" alone:
// no Target value). In values, "|" stands for the native separator, "~" for the other slash and
// "^" for a zero stored within the value's length.
struct Record
{
    bool view32;
    QString subkey;
    std::optional<QString> target;
    bool noTerminator = false; // "!" before the value: stored without its terminating zero
};

QList<Record> parseRecords(const QStringList &rows)
{
    const QString otherSlash = QDir::separator() == QLatin1Char('/') ? QStringLiteral("\\") : QStringLiteral("/");
    QList<Record> records;
    for (const QString &row : rows) {
        Record record;
        record.view32 = row.startsWith(QLatin1String("32/"));
        const QString rest = record.view32 ? row.mid(3) : row;
        const qsizetype equals = rest.indexOf(QLatin1Char('='));
        record.subkey = rest.left(equals);
        if (equals + 1 < rest.size()) {
            QString value = rest.mid(equals + 1);
            record.noTerminator = value.startsWith(QLatin1Char('!'));
            if (record.noTerminator)
                value.remove(0, 1);
            value.replace(QLatin1Char('|'), QDir::separator()).replace(QLatin1Char('~'), otherSlash).replace(QLatin1Char('^'), QChar(0));
            record.target = value;
        }
        records << record;
    }
    return records;
}

QStringList expandFolders(QStringList folders)
{
    const QString otherSlash = QDir::separator() == QLatin1Char('/') ? QStringLiteral("\\") : QStringLiteral("/");
    for (QString &folder : folders)
        folder.replace(QLatin1Char('|'), QDir::separator()).replace(QLatin1Char('~'), otherSlash);
    return folders;
}

// Writes the records where the platform's registry is: the simulated machine's registry.reg,
// or, in the Windows build, Wine's real registry (a fresh one for each run of the tests).
bool writeRegistry(const QList<Record> &records, const QString &systemRoot)
{
#ifdef Q_OS_WIN
    Q_UNUSED(systemRoot);
    for (REGSAM view : { REGSAM(0), REGSAM(KEY_WOW64_32KEY) }) {
        HKEY maker = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Freedom Scientific", 0, KEY_ALL_ACCESS | view, &maker) == ERROR_SUCCESS) {
            RegDeleteTreeW(maker, L"Jaws");
            RegCloseKey(maker);
        }
    }
    for (const Record &record : records) {
        const QString path = QStringLiteral("SOFTWARE\\Freedom Scientific\\Jaws\\") + record.subkey;
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, reinterpret_cast<const wchar_t *>(path.utf16()), 0, nullptr, 0,
                            KEY_ALL_ACCESS | (record.view32 ? KEY_WOW64_32KEY : 0), nullptr, &key, nullptr) != ERROR_SUCCESS)
            return false;
        if (record.target)
            RegSetValueExW(key, L"Target", 0, REG_SZ, reinterpret_cast<const BYTE *>(record.target->utf16()),
                           DWORD((record.target->size() + (record.noTerminator ? 0 : 1)) * 2));
        RegCloseKey(key);
    }
    return true;
#else
    QString text = QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n");
    for (const Record &record : records) {
        text += QStringLiteral("[HKEY_LOCAL_MACHINE\\SOFTWARE\\%1Freedom Scientific\\Jaws\\%2]\r\n")
                    .arg(record.view32 ? QStringLiteral("WOW6432Node\\") : QString(), record.subkey);
        if (record.target && (record.noTerminator || record.target->contains(QChar(0)))) {
            // The registry editor writes such a value as hex(1): its UTF-16 bytes as stored.
            QStringList bytes;
            for (QChar c : *record.target)
                bytes << QString::number(c.unicode() & 0xFF, 16) << QString::number(c.unicode() >> 8, 16);
            if (!record.noTerminator)
                bytes << QStringLiteral("0") << QStringLiteral("0");
            text += QStringLiteral("\"Target\"=hex(1):%1\r\n").arg(bytes.join(QLatin1Char(',')));
        } else if (record.target) {
            QString escaped = *record.target;
            escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
            text += QStringLiteral("\"Target\"=\"%1\"\r\n").arg(escaped);
        }
        text += QStringLiteral("\r\n");
    }
    // The registry editor writes UTF-16LE with a byte-order mark.
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    qputenv("QUOROLMA_SYSTEM_ROOT", systemRoot.toUtf8());
    return records.isEmpty() || TextFiles::write(systemRoot + QStringLiteral("/registry.reg"), bytes);
#endif
}

} // namespace

class tst_Jaws : public QObject
{
    Q_OBJECT

private slots:
    void installedFolders_data();
    void installedFolders();
    void closeProtocol_data();
    void closeProtocol();
#ifndef Q_OS_WIN
    // Before any restart below leaves a JFW.EXE of its own in the process list.
    void runningFolderFromTheProcessList();
#endif
    void restartOnlyFromAnAbsoluteFolderWithJfw();
    void setCurrentFolderNeedsJfw();
};

void tst_Jaws::installedFolders_data()
{
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("no key") << QStringList() << QStringList();
    QTest::newRow("trailing separator cut, enumeration order")
        << QStringList{ "a=C:|JAWS|9.0|", "b=C:|JAWS|10.0|" } << QStringList{ "C:|JAWS|9.0", "C:|JAWS|10.0" };
    QTest::newRow("the other slash kept") << QStringList{ "a=C:|JAWS~" } << QStringList{ "C:|JAWS~" };
    QTest::newRow("two separators: one cut") << QStringList{ "a=C:|JAWS||" } << QStringList{ "C:|JAWS|" };
    QTest::newRow("stored without its zero: last character kept") << QStringList{ "a=!C:|JAWS" } << QStringList{ "C:|JAWS" };
    QTest::newRow("a zero within the stored length: cut there")
        << QStringList{ "a=C:|JAWS|^old|", "b=!C:|J^" } << QStringList{ "C:|JAWS", "C:|J" };
    QTest::newRow("same folder twice") << QStringList{ "a=C:|J", "b=C:|J" } << QStringList{ "C:|J", "C:|J" };
    QTest::newRow("no Target value") << QStringList{ "a=", "b=C:|J" } << QStringList{ "C:|J" };
    QTest::newRow("127 characters kept, 128 left out")
        << QStringList{ "a=" + QString(127, QLatin1Char('x')), "b=" + QString(128, QLatin1Char('y')) }
        << QStringList{ QString(127, QLatin1Char('x')) };
    QTest::newRow("32-bit view after the default one")
        << QStringList{ "32/a=C:|Program Files (x86)|JAWS", "a=C:|Program Files|JAWS" }
        << QStringList{ "C:|Program Files|JAWS", "C:|Program Files (x86)|JAWS" };
}

void tst_Jaws::installedFolders()
{
    QFETCH(QStringList, records);
    QFETCH(QStringList, expected);
    QTemporaryDir root;
    QVERIFY(writeRegistry(parseRecords(records), root.path()));
    Jaws jaws;
    QCOMPARE(jaws.jawsFolders(), expandFolders(expected));
}

void tst_Jaws::closeProtocol_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("result");
    QTest::addColumn<quint32>("atLeast"); // ms of the test clock the call must have taken
    QTest::addColumn<quint32>("atMost");

    QTest::newRow("English") << "English" << QStringList{ "foreground", "post", "click:Quit JAWS/OK" } << true
                             << 2000u << 3000u;
    QTest::newRow("French, error dialog first")
        << "French error" << QStringList{ "click:Erreur/OK", "click:JAWS for Windows/OK", "foreground", "post",
                                          "click:Quitter JAWS pour Windows/OK" }
        << true << 7000u << 8000u;
    QTest::newRow("two titles: the earlier one first")
        << "two titles" << QStringList{ "foreground", "post", "click:Quitter JAWS pour Windows/OK", "click:Quit JAWS/OK" }
        << true << 2000u << 3000u;
    QTest::newRow("&OK is not OK: gives up after a minute") << "ampersand" << QStringList{ "foreground", "post" } << true
                                                            << 72000u << 73000u;
    QTest::newRow("main window already gone") << "gone" << QStringList() << false << 2000u << 2100u;
    QTest::newRow("another program's Erreur dialog left alone")
        << "stranger" << QStringList{ "foreground", "post", "click:Quit JAWS/OK" } << true << 2000u << 3000u;
    QTest::newRow("braille window stays: the wait is bounded") << "braille stays"
                                                               << QStringList{ "foreground", "post", "click:Quit JAWS/OK" }
                                                               << true << 12000u << 13000u;
}

void tst_Jaws::closeProtocol()
{
    QFETCH(QString, scenario);
    QFETCH(QStringList, expected);
    QFETCH(bool, result);
    QFETCH(quint32, atLeast);
    QFETCH(quint32, atMost);

    ScriptedWindows windows;
    const QString dialog = QStringLiteral("#32770");
    const QString braille = QStringLiteral("Freedom_Scientific_fsBraille");
    Platform::WindowHandle main = 0;
    if (scenario != QLatin1String("gone"))
        main = windows.add(QStringLiteral("JFWUI2"), QStringLiteral("JAWS"));
    const Platform::WindowHandle brailleWindow = windows.add(braille, braille);
    if (scenario == QLatin1String("gone"))
        windows.close(brailleWindow);
    const bool brailleStays = scenario == QLatin1String("braille stays") || scenario == QLatin1String("ampersand");
    auto quitDone = [&] {
        windows.close(main);
        if (!brailleStays)
            windows.close(brailleWindow);
    };

    windows.onClick = [&](Platform::WindowHandle clicked, const QString &) {
        windows.close(clicked);
        if (!windows.isOpen(main))
            return;
        // After the error dialog, JAWS shows an information dialog of its own.
        if (scenario == QLatin1String("French error") && windows.log.size() == 1) {
            windows.add(dialog, QStringLiteral("JAWS for Windows"), { QStringLiteral("OK") });
            return;
        }
        if (scenario == QLatin1String("two titles") && windows.log.last().contains(QLatin1String("Quitter")))
            return; // the English dialog is still there
        if (windows.log.last().startsWith(QLatin1String("click:Qu")))
            quitDone();
    };
    windows.onClose = [&](Platform::WindowHandle) {
        if (scenario == QLatin1String("English") || scenario == QLatin1String("braille stays")
            || scenario == QLatin1String("stranger"))
            windows.add(dialog, QStringLiteral("Quit JAWS"), { QStringLiteral("Cancel"), QStringLiteral("OK") });
        else if (scenario == QLatin1String("French error"))
            windows.add(dialog, QStringLiteral("Quitter JAWS pour Windows"), { QStringLiteral("OK") });
        else if (scenario == QLatin1String("two titles")) {
            windows.add(dialog, QStringLiteral("Quit JAWS"), { QStringLiteral("OK") });
            windows.add(dialog, QStringLiteral("Quitter JAWS pour Windows"), { QStringLiteral("OK") });
        } else if (scenario == QLatin1String("ampersand"))
            windows.add(dialog, QStringLiteral("Quit JAWS"), { QStringLiteral("&OK") });
    };
    if (scenario == QLatin1String("French error"))
        windows.add(dialog, QStringLiteral("Erreur"), { QStringLiteral("OK") });
    // Another program's dialogs, made before JAWS's own, so that they are the first found.
    QList<Platform::WindowHandle> strangers;
    if (scenario == QLatin1String("stranger")) {
        strangers << windows.add(dialog, QStringLiteral("Erreur"), { QStringLiteral("OK") }, 2);
        strangers << windows.add(dialog, QStringLiteral("Quit JAWS"), { QStringLiteral("OK") }, 2);
    }

    Jaws jaws;
    QCOMPARE(jaws.close(), result);
    QCOMPARE(windows.log, expected);
    QVERIFY2(windows.now >= atLeast && windows.now <= atMost, qPrintable(QString::number(windows.now)));
    for (Platform::WindowHandle stranger : strangers)
        QVERIFY(windows.isOpen(stranger));
    // No message to a JAWS dialog may wait past the minute, nor more than a second.
    for (const auto &[sent, limit] : windows.messages)
        QVERIFY2(limit <= 1000 && (sent >= 60000 || sent + limit <= 60000 + 100),
                 qPrintable(QStringLiteral("sent at %1 ms, limit %2 ms").arg(sent).arg(limit)));
}

void tst_Jaws::restartOnlyFromAnAbsoluteFolderWithJfw()
{
    QTemporaryDir folder;
#ifdef Q_OS_WIN
    QVERIFY(QFile::copy(Fixtures::program(QStringLiteral("iniwriterchild")), folder.filePath(QStringLiteral("JFW.EXE"))));
#else
    // A JFW.EXE that notes where it runs and what its standard channels are.
    const QString jfw = folder.filePath(QStringLiteral("JFW.EXE"));
    QVERIFY(TextFiles::write(jfw, "#!/bin/sh\n"
                                  "in=$(readlink /proc/$$/fd/0); out=$(readlink /proc/$$/fd/1); err=$(readlink /proc/$$/fd/2)\n"
                                  "printf '%s\\n%s\\n%s\\n%s\\n' \"$(pwd)\" \"$in\" \"$out\" \"$err\" > \"$0.part\"\n"
                                  "mv \"$0.part\" \"$0.log\"\n"));
    QVERIFY(QFile::setPermissions(jfw, QFile::permissions(jfw) | QFile::ExeOwner));
#endif
    Jaws jaws;
    QVERIFY(!jaws.restart()); // no folder chosen: nothing started by bare name
    QVERIFY(jaws.setCurrentFolder(folder.path()));
    QVERIFY(jaws.restart());
#ifndef Q_OS_WIN
    // In JAWS's folder, with none of the installer's standard channels.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(jfw + QStringLiteral(".log")), 30000);
    QCOMPARE(QString::fromUtf8(TextFiles::read(jfw + QStringLiteral(".log"))).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
             (QStringList{ QDir(folder.path()).canonicalPath(), "/dev/null", "/dev/null", "/dev/null" }));
#endif

    // A relative folder holding JFW.EXE is refused too.
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.path()));
    Jaws relative;
    QVERIFY(relative.setCurrentFolder(QStringLiteral(".")));
    QVERIFY(!relative.restart());
    QDir::setCurrent(previous);
}

void tst_Jaws::setCurrentFolderNeedsJfw()
{
    QTemporaryDir withJfw, without;
    QVERIFY(TextFiles::write(withJfw.filePath(QStringLiteral("JFW.EXE")), "program"));
    Jaws jaws;
    QVERIFY(jaws.setCurrentFolder(withJfw.path()));
    QVERIFY(!jaws.setCurrentFolder(without.path()));
    QCOMPARE(jaws.currentFolderPath(), withJfw.path());
}

#ifndef Q_OS_WIN
// A program named JFW.EXE runs from a folder: the process list gives its folder, upper case.
void tst_Jaws::runningFolderFromTheProcessList()
{
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("jaws"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), folder + QStringLiteral("/JFW.EXE")));
    QProcess running;
    running.start(folder + QStringLiteral("/JFW.EXE"), { QStringLiteral("30") });
    QVERIFY(running.waitForStarted());

    Jaws jaws;
    QCOMPARE(jaws.runningJawsFolder(), QString()); // no main window: the list is not even read
    ScriptedWindows windows;
    windows.add(QStringLiteral("JFWUI2"), QStringLiteral("JAWS"));
    QCOMPARE(jaws.runningJawsFolder(), folder.toUpper());
    QCOMPARE(jaws.currentFolderPath(), folder.toUpper());
    running.kill();
    running.waitForFinished();
}
#endif

QTEST_GUILESS_MAIN(tst_Jaws)
#include "tst_jaws.moc"
