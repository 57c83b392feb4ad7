// Whole configuration runs on small JAWS trees of versions 5, 6, 10, 2019 and 2025, compared with result
// files and report lines written by hand (tests/fixtures/golden): any change in what lands on
// disk or in the report shows up here.
#include "installer/jawsinstaller.h"
#include "installer/shellfolders.h"
#include "ini/inidocument.h"
#include "support/fixtures.h"
#include "support/textfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Golden
{
    QString version;
    QString device = QStringLiteral("Korvalis Quor");
    bool errors = false;
    // Settings folders that JAWS made, "shared PATH" or "user PATH" under the application data
    // folder: there before the installer looks for them.
    QStringList settingsFolders;
    QList<QPair<QString, QByteArray>> before, after;
    QStringList folders, absent, report;
};

// Blocks start with "@before PATH", "@after PATH", "@folder PATH", "@absent PATH" or "@report";
// a file's lines are joined with CR LF and written as ANSI, like most of JAWS's own ini files,
// as UTF-16LE with its byte-order mark for "@before-utf16" and "@after-utf16", or as UTF-8 with
// its mark for "@before-utf8bom" and "@after-utf8bom". "@without PATH" drops the package's
// description of a file that this version does not have.
bool readGolden(const QString &name, Golden &golden)
{
    const QString text = QString::fromUtf8(Fixtures::read(QStringLiteral("golden/") + name));
    if (text.isEmpty())
        return false;
    QString kind, path;
    QStringList lines;
    auto flush = [&] {
        const QString joined = lines.isEmpty() ? QString() : lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
        QByteArray bytes = joined.toLatin1();
        if (kind.endsWith(QLatin1String("-utf16"))) {
            bytes = QByteArray("\xFF\xFE", 2);
            bytes.append(reinterpret_cast<const char *>(joined.utf16()), joined.size() * 2);
            kind.chop(6);
        } else if (kind.endsWith(QLatin1String("-utf8bom"))) {
            bytes = QByteArray("\xEF\xBB\xBF") + joined.toUtf8();
            kind.chop(8);
        }
        // A version's file replaces the package's description of the same path.
        auto put = [&](QList<QPair<QString, QByteArray>> &files) {
            for (auto &entry : files) {
                if (entry.first == path) {
                    entry.second = bytes;
                    return;
                }
            }
            files.append({ path, bytes });
        };
        if (kind == QLatin1String("before"))
            put(golden.before);
        else if (kind == QLatin1String("after"))
            put(golden.after);
        else if (kind == QLatin1String("report"))
            golden.report += lines;
        lines.clear();
    };
    for (QString line : text.split(QLatin1Char('\n'))) {
        line.remove(QLatin1Char('\r'));
        if (kind.isEmpty() && (line.startsWith(QLatin1Char('#')) || line.isEmpty()))
            continue;
        if (line.startsWith(QLatin1String("version ")) && kind.isEmpty()) {
            golden.version = line.mid(8);
            continue;
        }
        if (line.startsWith(QLatin1String("device ")) && kind.isEmpty()) {
            golden.device = line.mid(7);
            continue;
        }
        if (line == QLatin1String("errors") && kind.isEmpty()) {
            golden.errors = true;
            continue;
        }
        if (line.startsWith(QLatin1String("settings-folder ")) && kind.isEmpty()) {
            golden.settingsFolders << line.mid(16);
            continue;
        }
        if (line.startsWith(QLatin1Char('@'))) {
            flush();
            kind = line.mid(1).section(QLatin1Char(' '), 0, 0);
            path = line.section(QLatin1Char(' '), 1);
            if (kind == QLatin1String("folder"))
                golden.folders << path;
            else if (kind == QLatin1String("absent"))
                golden.absent << path;
            if (kind == QLatin1String("without")) {
                auto drop = [&](QList<QPair<QString, QByteArray>> &files) {
                    files.removeIf([&](const QPair<QString, QByteArray> &entry) { return entry.first == path; });
                };
                drop(golden.before);
                drop(golden.after);
            }
            continue;
        }
        lines << line;
    }
    // The last block ends with the file's final line end, not an empty line of its own.
    while (!lines.isEmpty() && lines.last().isEmpty() && kind != QLatin1String("report"))
        lines.removeLast();
    if (kind == QLatin1String("report") && !lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    flush();
    return true;
}

// What both engines promise about a file: its sections and their lines.
QStringList readBack(const QByteArray &bytes)
{
    const IniDocument document = IniDocument::parse(bytes);
    QStringList view;
    for (const QString &name : document.sectionNames())
        view << QLatin1Char('[') + name + QLatin1Char(']') << document.sectionLines(name);
    return view;
}

} // namespace

class tst_Golden : public QObject
{
    Q_OBJECT

private slots:
    void configureJaws_data();
    void configureJaws();
};

void tst_Golden::configureJaws_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("JAWS 10") << "jaws10.txt";
    QTest::newRow("JAWS 6") << "jaws6.txt";
    QTest::newRow("JAWS 5") << "jaws5.txt";
    QTest::newRow("JAWS 2019, no jfw.ini anywhere, Unicode files and folders") << "jaws2019.txt";
    QTest::newRow("JAWS 2025, jfw.ini with the shared settings") << "jaws2025.txt";
    QTest::newRow("JAWS 2025 never run by this user") << "jaws2025-no-user-settings.txt";
}

void tst_Golden::configureJaws()
{
    QFETCH(QString, file);
    Golden golden;
    QVERIFY(readGolden(QStringLiteral("package.txt"), golden));
    QVERIFY(readGolden(file, golden));

    QTemporaryDir machine, package, jaws, reportDir;
    qputenv("QUOROLMA_SYSTEM_ROOT", machine.path().toUtf8());
    // Under Wine the settings folders are the prefix's own: start from none.
    const ShellFolders shellFolders;
    for (const QString &appData : { shellFolders.commonAppDataFolder, shellFolders.appDataFolder })
        if (!appData.isEmpty())
            QDir(appData + QStringLiteral("/Freedom Scientific")).removeRecursively();
    for (const QString &folder : golden.settingsFolders) {
        const bool shared = folder.startsWith(QLatin1String("shared "));
        const QString appData = shared ? shellFolders.commonAppDataFolder : shellFolders.appDataFolder;
        QVERIFY(!appData.isEmpty());
        QVERIFY(QDir().mkpath(appData + QLatin1Char('/') + folder.section(QLatin1Char(' '), 1)));
    }

    QVERIFY(Fixtures::copy(golden.version, jaws.filePath(QStringLiteral("jfw.exe"))));
    JawsInstaller installer(package.path());
    installer.setJawsFolder(jaws.path());
    installer.jawsConfiguration().setSelectedDevice(golden.device);
    QVERIFY(installer.computeTargetFolders());
    installer.recorder().createTargetFolders();
    const QMap<QString, QString> roots{ { "package", package.path() }, { "jaws", jaws.path() },
                                        { "shared", installer.target().sharedSettingsFolder() }, { "user", installer.target().userSettingsFolder() } };
    auto where = [&](const QString &path) {
        const qsizetype slash = path.indexOf(QLatin1Char('/'));
        return slash < 0 ? roots.value(path) : roots.value(path.left(slash)) + path.mid(slash);
    };

    for (const QString &folder : golden.folders)
        QVERIFY(QDir().mkpath(where(folder)));
    for (const auto &entry : golden.before) {
        QVERIFY(QDir().mkpath(QFileInfo(where(entry.first)).absolutePath()));
        QVERIFY(TextFiles::write(where(entry.first), entry.second));
    }
    QVERIFY(installer.report().open(reportDir.filePath(QStringLiteral("installLog.txt"))));

    QCOMPARE(installer.jawsConfiguration().configureJaws(), golden.errors);

    for (const auto &entry : golden.after) {
        const QByteArray actual = TextFiles::read(where(entry.first));
        QVERIFY2(actual == entry.second, qPrintable(entry.first + QStringLiteral(":\n") + QString::fromLatin1(actual)));
        QCOMPARE(readBack(actual), readBack(entry.second));
    }
    // By its exact name: a file of another case (DEFAULT.JCF for default.jcf) is another file.
    for (const QString &path : golden.absent) {
        const QFileInfo absent(where(path));
        QVERIFY2(!absent.dir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System).contains(absent.fileName()), qPrintable(path));
    }

    QStringList expected;
    for (QString line : golden.report) {
        line.replace(QStringLiteral("$SHARED"), installer.target().sharedSettingsFolder())
            .replace(QStringLiteral("$USER"), installer.target().userSettingsFolder())
            .replace(QStringLiteral("$JAWS"), jaws.path());
        expected << QDir::toNativeSeparators(line);
    }
    QString problem;
    QCOMPARE(TextFiles::readLines(reportDir.filePath(QStringLiteral("installLog.txt")), &problem).mid(4), expected);
}

QTEST_GUILESS_MAIN(tst_Golden)
#include "tst_golden.moc"
