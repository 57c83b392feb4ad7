#include "testmachine.h"

#include "installer/shellfolders.h"
#include "support/fixtures.h"
#include "support/testregistry.h"
#include "support/textfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>

namespace {

QByteArray crlf(const char *text)
{
    return QByteArray(text).replace("\n", "\r\n");
}

// Settings files, manifests and reports, with their numbered backups.
bool isText(const QString &name)
{
    static const QRegularExpression text(QStringLiteral("\\.(ini|jcf|jkm|install|txt)(\\.\\d+)?$"),
                                         QRegularExpression::CaseInsensitiveOption);
    return text.match(name).hasMatch();
}

QString decode(const QString &name, const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QStringLiteral("(UTF-8 with its mark)\n") + QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE"))
        return QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + 2), (bytes.size() - 2) / 2);
    // The report is in the system's code page, JAWS's ini files in ANSI.
    return name.compare(QLatin1String("installLog.txt"), Qt::CaseInsensitive) == 0 ? QString::fromLocal8Bit(bytes)
                                                                                    : QString::fromLatin1(bytes);
}

} // namespace

TestMachine::TestMachine(const QString &root_, Jaws jaws)
    : root(root_)
    , jawsFolder(root_ + (jaws == Jaws::Version10 ? QStringLiteral("/Program Files/JAWS10")
                          : jaws == Jaws::Version5 ? QStringLiteral("/Program Files/JAWS5")
                                                   : QStringLiteral("/Program Files/Freedom Scientific/JAWS/2025")))
    , packageFolder(root_ + QStringLiteral("/package"))
    , kind(jaws)
{
}

QProcessEnvironment TestMachine::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUOROLMA_SYSTEM_ROOT"), root);
    return environment;
}

bool TestMachine::writeRegistry() const
{
    const QString target = QDir::toNativeSeparators(jawsFolder);
    if (kind == Jaws::Version10 || kind == Jaws::Version5) {
        QList<TestRegistry::Record> records{ { kind == Jaws::Version5 ? QStringLiteral("5.0") : QStringLiteral("10.0"), registryTarget.isNull() ? target : registryTarget } };
        for (const auto &record : moreRecords)
            records.append({ record.first, record.second });
        return TestRegistry::writeJawsRecords(records, root);
    }
    return TestRegistry::writeJawsRecords({ { QStringLiteral("2025"), registryTarget.isNull() ? target + QDir::separator() : registryTarget },
                                            { QStringLiteral("Common"), std::nullopt },
                                            { QStringLiteral("Registration"), std::nullopt } },
                                          root);
}

bool TestMachine::makeJaws(const QString &jfwProgram)
{
    qputenv("QUOROLMA_SYSTEM_ROOT", root.toUtf8());
    const bool today = kind != Jaws::Version10 && kind != Jaws::Version5;
    // Where JAWS keeps them: natively under the machine's root, under Wine the prefix's own
    // folders, fresh for each run of the test program.
    const ShellFolders shellFolders;
    if (shellFolders.commonAppDataFolder.isEmpty() || shellFolders.appDataFolder.isEmpty())
        return false;
    const QString common = QDir::fromNativeSeparators(shellFolders.commonAppDataFolder);
    const QString appData = QDir::fromNativeSeparators(shellFolders.appDataFolder);
    for (const QString &folder : { common, appData })
        QDir(folder + QStringLiteral("/Freedom Scientific")).removeRecursively();
    const QString versions = QStringLiteral("/Freedom Scientific/JAWS/");
    sharedSettings = common + versions + (today ? QStringLiteral("2025/SETTINGS") : QStringLiteral("10.0/Settings"));
    userSettings = appData + versions + (today ? QStringLiteral("2025/Settings") : QStringLiteral("10.0/Settings"));
    if (kind == Jaws::Version5) {
        sharedSettings = jawsFolder + QStringLiteral("/SETTINGS");
        userSettings = root + QStringLiteral("/no user settings");
    }
    const QString jfw = jawsFolder + QStringLiteral("/JFW.EXE");
    const QString version = today ? QStringLiteral("pe/jfw_2025.dll")
                                  : (kind == Jaws::Version5 ? QStringLiteral("pe/jfw_5.dll") : QStringLiteral("pe/jfw_10.dll"));
    const bool jfwMade = jfwProgram.isEmpty() ? Fixtures::copy(version, jfw)
                                              : QDir().mkpath(jawsFolder) && QFile::copy(Fixtures::program(jfwProgram), jfw);
    if (!jfwMade || !writeRegistry())
        return false;
#ifndef Q_OS_WIN
    // The version is read from jfw.exe and the restart looks for JFW.EXE: one file on Windows.
    if (!QFile::copy(jfw, jawsFolder + QStringLiteral("/jfw.exe")))
        return false;
#endif
    const QByteArray displays = crlf("[Options]\nVoice=Eloquence\n[BrailleDisplays]\nBraille1LongName=Focus 40 Blue\nBraille1Name=FOCUS\n");
    QList<QPair<QString, QByteArray>> files = {
        { today ? sharedSettings + "/INIT/jfw.ini" : jawsFolder + "/jfw.ini", displays },
        { jawsFolder + "/braille.ini", crlf("[Focus 40 Blue]\nPort=USB\n") },
        { jawsFolder + "/MANUALS/enu/readme.txt", "JAWS manual\r\n" },
        { jawsFolder + "/MANUALS/fra/readme.txt", "Manuel de JAWS\r\n" },
        { sharedSettings + "/enu/default.jcf", crlf("[Options]\nSpeech=0\n") },
        { sharedSettings + "/fra/default.jcf", crlf("[Options]\nSpeech=0\n") },
    };
    if (kind == Jaws::Version10)
        files.append({ userSettings + "/enu/default.jcf", crlf("[Options]\nBrailleDisplay=FOCUS\n") });
    else if (kind == Jaws::Version2025)
        files.append({ userSettings + "/enu/default.jcf", "\xEF\xBB\xBF" + crlf("[Options]\nBrailleDisplay=FOCUS\nVoice=Eloquence Reed\n") });
    return writeFiles(files);
}

namespace {
bool copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString copy = to + file.mid(from.size());
        if (!QDir().mkpath(QFileInfo(copy).path()) || !QFile::copy(file, copy))
            return false;
    }
    return true;
}
} // namespace

QString TestMachine::addJaws(const QString &key, const QString &jfwFixture)
{
    const QString folder = root + QStringLiteral("/Program Files/JAWS") + key;
    moreRecords.append({ key, QDir::toNativeSeparators(folder) });
    if (!jfwFixture.isEmpty()) {
        const QString versionFolder = QStringLiteral("/") + key + QStringLiteral("/");
        if (!copyTree(jawsFolder, folder) || !copyTree(sharedSettings, QString(sharedSettings).replace(QStringLiteral("/10.0/"), versionFolder))
            || !copyTree(userSettings, QString(userSettings).replace(QStringLiteral("/10.0/"), versionFolder)))
            return QString();
        for (const QString &name : QDir(folder).entryList({ QStringLiteral("*.exe"), QStringLiteral("*.log") }, QDir::Files))
            QFile::remove(folder + QLatin1Char('/') + name);
        if (!Fixtures::copy(jfwFixture, folder + QStringLiteral("/JFW.EXE")))
            return QString();
#ifndef Q_OS_WIN
        if (!QFile::copy(folder + QStringLiteral("/JFW.EXE"), folder + QStringLiteral("/jfw.exe")))
            return QString();
#endif
    }
    return writeRegistry() ? folder : QString();
}

QStringList TestMachine::settingsVersionFolders() const
{
    const ShellFolders shellFolders;
    QStringList folders;
    for (const auto &place : { qMakePair(QStringLiteral("shared"), shellFolders.commonAppDataFolder),
                               qMakePair(QStringLiteral("user"), shellFolders.appDataFolder) }) {
        const QDir versions(QDir::fromNativeSeparators(place.second) + QStringLiteral("/Freedom Scientific/JAWS"));
        for (const QString &name : versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            folders << place.first + QLatin1Char('/') + name;
    }
    return folders;
}

bool TestMachine::makePackage()
{
    const QList<QPair<QString, QByteArray>> files = {
        { packageFolder + "/list.install",
          crlf("[COPY]\nQuorOlma.jlb\n*.chm\n[DRIVERS_COPY]\nQuorOlma.jlb\n[MERGE]\nkorvalis_default.jcf\n"
               "[ENU_MANUALS_COPY]\nmanual_en.txt\n[FRA_MANUALS_COPY]\nmanual_fr.txt\n"
               "[ENU_KBD_BRAILLE_TABLE]\nBrailleTranslationTable=English_keys\n"
               "[ENU_JBT_BRAILLE_TABLE]\nBrailleTranslationTable=English.jbt\n"
               "[FRA_JBT_BRAILLE_TABLE]\nBrailleTranslationTable=French.jbt\n") },
        { packageFolder + "/braille.ini", crlf("[Korvalis Olma (1.71 et plus r\xe9" "cent)]\nPort=COM1\n[Korvalis Quor]\nPort=USB\n") },
        { packageFolder + "/korvalis_default.jcf", crlf("[Options]\nSpeech=1\n[Korvalis]\nEnabled=1\n") },
        { packageFolder + "/QuorOlma.chm", "driver help\r\n" },
        { packageFolder + "/manual_en.txt", "user manual\r\n" },
        { packageFolder + "/manual_fr.txt", "manuel utilisateur\r\n" },
    };
    if (!writeFiles(files))
        return false;
    if (!Fixtures::copy(QStringLiteral("pe/driver.dll"), packageFolder + QStringLiteral("/QuorOlma.jlb")))
        return false;
    // The user's own files beside the package, some named much like its files.
    strangerFiles = QStringList{ "QuorOlma.jlb.bak", "QuorOlma2.jlb", "list.install.old", "braille.ini.txt", "korvalis_default.jcf.orig",
                                 "manual_en.txt.1", "manual_de.txt", "QuorOlma.chm.part", "installLog.old", "default.jcf",
                                 "notes.chm" /* matched by the manifest's *.chm: copied, yet the user's */ };
    for (int i = 0; strangerFiles.size() < 50; ++i)
        strangerFiles << QStringLiteral("holiday_%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
    for (const QString &name : std::as_const(strangerFiles)) {
        if (!TextFiles::write(packageFolder + QLatin1Char('/') + name, "mine: " + name.toUtf8()))
            return false;
    }
    return true;
}

bool TestMachine::writeFiles(const QList<QPair<QString, QByteArray>> &files)
{
    for (const auto &file : files) {
        if (!QDir().mkpath(QFileInfo(file.first).path()) || !TextFiles::write(file.first, file.second))
            return false;
    }
    return true;
}

QString TestMachine::profileSettings(const QString &user) const
{
    return root + QStringLiteral("/Users/") + user + QStringLiteral("/AppData/Roaming/Freedom Scientific/JAWS/")
        + (kind == Jaws::Version10 ? QStringLiteral("10.0") : QStringLiteral("2025")) + QStringLiteral("/Settings");
}

bool TestMachine::addUsers(const QString &interactive, const QStringList &withSettings, const QStringList &without)
{
    QByteArray registry = TextFiles::read(root + QStringLiteral("/registry.reg"));
    QList<QPair<QString, QByteArray>> files;
    int number = 1000;
    for (const QString &user : withSettings + without) {
        registry += QStringLiteral("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\S-1-5-21-7-%1]\r\n"
                                   "\"ProfileImagePath\"=\"%2/Users/%3\"\r\n\r\n").arg(++number).arg(root, user).toUtf8();
        if (withSettings.contains(user))
            files.append({ profileSettings(user) + "/enu/default.jcf", crlf("[Options]\nBrailleDisplay=FOCUS\n") });
        else
            files.append({ root + "/Users/" + user + "/AppData/Roaming/desktop.ini", "[.ShellClassInfo]\r\n" });
        if (user == interactive)
            files.append({ root + "/session.ini", QStringLiteral("[InteractiveUser]\r\nName=PC\\%1\r\nSid=S-1-5-21-7-%2\r\n").arg(user).arg(number).toUtf8() });
    }
    if (interactive.isEmpty())
        files.append({ root + "/session.ini", "[InteractiveUser]\r\nName=\r\n" });
    return TextFiles::write(root + QStringLiteral("/registry.reg"), registry) && writeFiles(files);
}

QString TestMachine::addProgram(const QString &name)
{
    const QString built = Fixtures::program(name);
    const QString copy = packageFolder + QLatin1Char('/') + QFileInfo(built).fileName();
    QFile::remove(copy); // left by an earlier run, as a user's program would be
    if (!QFile::copy(built, copy))
        return QString();
#ifdef Q_OS_WIN
    // The Windows program is a launcher and the DLL that holds the program.
    const QString library = name + QStringLiteral("App.dll");
    const QString builtLibrary = QFileInfo(built).dir().filePath(library);
    if (QFileInfo::exists(builtLibrary)) {
        QFile::remove(packageFolder + QLatin1Char('/') + library);
        if (!QFile::copy(builtLibrary, packageFolder + QLatin1Char('/') + library))
            return QString();
    }
#endif
    return copy;
}

QString TestMachine::dump() const
{
    const QList<QPair<QString, QString>> places = { { QStringLiteral("$JAWS"), jawsFolder },
                                                   { QStringLiteral("$SHARED"), sharedSettings },
                                                   { QStringLiteral("$USER"), userSettings },
                                                   { QStringLiteral("$PACKAGE"), packageFolder } };
    QStringList lines;
    for (const auto &place : places) {
        QStringList files;
        QDirIterator it(place.second, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
        files.sort(Qt::CaseInsensitive);
        for (const QString &file : std::as_const(files)) {
            const QString name = QFileInfo(file).fileName();
            const QString relative = place.first + file.mid(place.second.size());
            if (strangerFiles.contains(name) && QFileInfo(file).path() == packageFolder) {
                const bool intact = TextFiles::read(file) == "mine: " + name.toUtf8();
                lines << relative + (intact ? QStringLiteral(" (the user's)") : QStringLiteral(" (the user's, CHANGED)"));
                continue;
            }
            // The JAWS double's own record of its starts is the test's business, not the installer's.
            if (name == QLatin1String("jawsdouble.log"))
                continue;
            // Programs (JFW.EXE, the installer itself) differ by build and are never changed.
            if (QFileInfo(file).suffix().compare(QLatin1String("exe"), Qt::CaseInsensitive) == 0 || QFileInfo(file).suffix().isEmpty())
                continue;
            const QByteArray bytes = TextFiles::read(file);
            if (!isText(name)) {
                lines << QStringLiteral("%1 (%2 bytes)").arg(relative).arg(bytes.size());
                continue;
            }
            lines << relative; // its line ends differ by system, its lines do not
            QString text = decode(name, bytes);
            for (const auto &other : places) {
                text.replace(QDir::toNativeSeparators(other.second), other.first);
                text.replace(other.second, other.first);
            }
            text.replace(QLatin1Char('\\'), QLatin1Char('/'));
            text.replace(QRegularExpression(QStringLiteral("^Installation .*\\d\\d:\\d\\d:\\d\\d.*$"),
                                            QRegularExpression::MultilineOption),
                         QStringLiteral("Installation <date>"));
            // A run's identifier holds the time it began and a random part.
            text.replace(QRegularExpression(QStringLiteral("\\d{8}T\\d{6}Z-[0-9a-f]{8}")), QStringLiteral("<run>"));
            // The account differs by machine and build; whose settings change is checked on its own.
            text.replace(QRegularExpression(QStringLiteral("^User settings: those of [^\r\n]*"), QRegularExpression::MultilineOption),
                         QStringLiteral("User settings: those of <user>."));
            for (const QString &line : text.split(QRegularExpression(QStringLiteral("\r?\n"))))
                lines << QStringLiteral("  | ") + line;
        }
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
