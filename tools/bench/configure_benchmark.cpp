// configureJaws on a large JAWS tree: 40 language folders in each settings folder, a
// 2,000-section braille.ini, default.jcf files of about 500 KB. A plain driver, run on demand.
// Usage: configure_benchmark [JFW_EXE [SECTIONS [phases]]]   (a PE file whose FileVersion gives
// the JAWS version, "-" or nothing for the JAWS 5 layout; the sections of each default.jcf, 4,600
// unless given, to see how the cost grows with the files; "phases" to measure reading, parsing,
// writing and freeing the default.jcf files apart afterwards)
#include "ini/inidocument.h"
#include "installer/jawsinstaller.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <vector>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/resource.h>
#endif

namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

QByteArray iniFile(int sections, int keys, const QByteArray &prefix)
{
    QByteArray bytes;
    for (int s = 0; s < sections; ++s) {
        bytes += "[" + prefix + QByteArray::number(s) + "]\r\n";
        for (int k = 0; k < keys; ++k)
            bytes += "Key" + QByteArray::number(k) + "=value " + QByteArray::number(s * k) + "\r\n";
    }
    return bytes;
}

// The processor time of the whole process so far, user and system, in milliseconds: on a busy
// shared machine the wall-clock time says as much about the other processes and the disk.
struct ProcessorTime
{
    double user = 0;
    double system = 0;
};

ProcessorTime processorMs()
{
#ifdef Q_OS_WIN
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return {};
    auto ms = [](const FILETIME &t) { return ((quint64(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4; };
    return { ms(user), ms(kernel) };
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval &t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return { ms(usage.ru_utime), ms(usage.ru_stime) };
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir root;
    qputenv("QUOROLMA_SYSTEM_ROOT", root.path().toUtf8());
    const QString package = root.filePath(QStringLiteral("package"));
    const QString jaws = root.filePath(QStringLiteral("JAWS"));
    QDir().mkpath(jaws);
    if (argc > 1 && QByteArray(argv[1]) != "-")
        QFile::copy(QString::fromLocal8Bit(argv[1]), jaws + QStringLiteral("/jfw.exe"));
    const int jcfSections = argc > 2 ? QByteArray(argv[2]).toInt() : 4600;

    QByteArray manifest = "[MERGE]\r\nkorvalis_default.jcf\r\n[ENU_KBD_BRAILLE_TABLE]\r\nBrailleTranslationTable=enu\r\n";
    for (int l = 0; l < 40; ++l)
        manifest += "[L" + QByteArray::number(l) + "_JBT_BRAILLE_TABLE]\r\nBrailleTranslationTable=table" + QByteArray::number(l) + ".jbt\r\n";
    write(package + QStringLiteral("/list.install"), manifest);
    write(package + QStringLiteral("/korvalis_default.jcf"), iniFile(50, 6, "Korvalis"));
    write(package + QStringLiteral("/braille.ini"), "[Korvalis Olma (1.71 et plus r\xe9" "cent)]\r\nPort=COM1\r\n[Korvalis Quor]\r\nPort=USB\r\n"
                                                    + iniFile(2000, 6, "Display"));
    write(jaws + QStringLiteral("/braille.ini"), iniFile(2000, 6, "Display"));
    write(jaws + QStringLiteral("/jfw.ini"), "[BrailleDisplays]\r\nBraille1LongName=Other\r\nBraille1Name=other\r\n");

    JawsInstaller installer(package);
    installer.setJawsFolder(jaws);
    installer.jawsConfiguration().setSelectedDevice(QStringLiteral("Korvalis Quor"));
    installer.computeTargetFolders();
    installer.recorder().createTargetFolders();
    // About 500 KB each: 4,600 sections of 6 keys.
    const QByteArray jcf = iniFile(jcfSections, 6, "Section");
    for (const QString &folder : { installer.target().sharedSettingsFolder(), installer.target().userSettingsFolder() })
        for (int l = 0; l < 40 && !folder.isEmpty(); ++l)
            write(folder + QStringLiteral("/L%1/default.jcf").arg(l), jcf);
    installer.report().open(root.filePath(QStringLiteral("installLog.txt")));

    QElapsedTimer timer;
    const ProcessorTime before = processorMs();
    timer.start();
    const bool failed = installer.jawsConfiguration().configureJaws();
    const double wall = timer.nsecsElapsed() / 1e6;
    const ProcessorTime after = processorMs();
    const double user = after.user - before.user, system = after.system - before.system;
    std::printf("configureJaws, JAWS %s layout, 40 language folders per settings folder, %lld KB default.jcf: %.1f ms "
                "(processor %.1f ms: user %.1f, system %.1f)%s\n",
                qPrintable(installer.target().jawsVersion().isKnown() ? QString::number(installer.target().jawsVersion().major()) : QStringLiteral("5")),
                (long long)(jcf.size() / 1024), wall, user + system, user, system, failed ? ", WITH ERRORS" : "");

    if (argc <= 3 || QByteArray(argv[3]) != "phases")
        return 0;
    // Where the time goes, afterwards and apart: the same 80 default.jcf files (as the
    // configuration left them) read, parsed with one value read in each, written back the way
    // a save replaces a file, and freed.
    QStringList jcfs;
    for (const QString &folder : { installer.target().sharedSettingsFolder(), installer.target().userSettingsFolder() })
        for (int l = 0; l < 40 && !folder.isEmpty(); ++l)
            jcfs << folder + QStringLiteral("/L%1/default.jcf").arg(l);
    const auto phase = [](const char *name, const std::function<void()> &work) {
        const ProcessorTime before = processorMs();
        work();
        const ProcessorTime after = processorMs();
        std::printf("  %s: processor %.1f ms (user %.1f, system %.1f)\n", name,
                    after.user - before.user + after.system - before.system, after.user - before.user,
                    after.system - before.system);
    };
    std::vector<QByteArray> bytes;
    phase("read 80 default.jcf", [&] {
        for (const QString &path : std::as_const(jcfs)) {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            bytes.push_back(file.readAll());
        }
    });
    std::vector<IniDocument> documents;
    documents.reserve(bytes.size());
    phase("parse them, one value read in each", [&] {
        for (const QByteArray &file : bytes) {
            documents.push_back(IniDocument::parse(file));
            documents.back().value(QStringLiteral("Section10"), QStringLiteral("Key1"));
        }
    });
    phase("write them as a save does (flushed, each renamed over its file)", [&] {
        for (size_t i = 0; i < documents.size(); ++i) {
            QSaveFile out(jcfs.at(qsizetype(i)));
            if (out.open(QIODevice::WriteOnly))
                documents.at(i).writeTo(out);
            out.commit();
        }
    });
    phase("free them", [&] {
        documents.clear();
        bytes.clear();
    });
    return 0;
}
