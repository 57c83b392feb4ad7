// The ini work of a configuration, at scale: merging a braille.ini of N sections into a target
// of N sections, saved once, and many reads of a large file, each reading it afresh, through
// the ini engine that both builds use.
// A plain driver, run on demand (tools/benchmark.sh); results are written down in
// docs/benchmarks.md, never asserted by a test.
#include "ini/inifile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

QByteArray iniFile(int sections, int keys, const QByteArray &valuePrefix)
{
    QByteArray bytes;
    for (int s = 0; s < sections; ++s) {
        bytes += "[Display" + QByteArray::number(s) + "]\r\n";
        for (int k = 0; k < keys; ++k)
            bytes += "Key" + QByteArray::number(k) + "=" + valuePrefix + QByteArray::number(s * 31 + k) + "\r\n";
        bytes += "\r\n";
    }
    return bytes;
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

template<typename Session>
double mergeMs(const QString &folder, int sections)
{
    const QString source = folder + QStringLiteral("/source.ini");
    const QString target = folder + QStringLiteral("/target.ini");
    write(source, iniFile(sections, 8, "driver value "));
    write(target, iniFile(sections, 8, "user value "));
    QElapsedTimer timer;
    timer.start();
    {
        Session from(source);
        Session to(target);
        const QStringList names = from.sectionNames();
        for (const QString &name : names)
            to.writeSection(name, from.section(name));
        to.save();
    }
    return timer.nsecsElapsed() / 1e6;
}

template<typename Session>
double readStringsMs(const QString &folder, int sections, int calls)
{
    const QString file = folder + QStringLiteral("/large.ini");
    write(file, iniFile(sections, 8, "value "));
    QElapsedTimer timer;
    timer.start();
    qsizetype sink = 0;
    for (int i = 0; i < calls; ++i) {
        Session session(file); // read afresh for each call
        sink += session.string(QStringLiteral("Display%1").arg((i * 7919) % sections), QStringLiteral("Key%1").arg(i % 8),
                               QString()).size();
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    return sink > 0 ? ms : -1;
}

template<typename Session>
void run(const char *engine, const QString &folder, const QList<int> &mergeSizes)
{
    for (int sections : mergeSizes)
        std::printf("%-10s merge %6d sections into %6d sections: %10.1f ms\n", engine, sections, sections,
                    mergeMs<Session>(folder, sections));
    // 520 sections of 8 keys make about 50 KB; 5,200 about 500 KB.
    for (int sections : { 520, 5200 }) {
        QFile probe(folder + QStringLiteral("/size.ini"));
        const QByteArray bytes = iniFile(sections, 8, "value ");
        std::printf("%-10s 10000 fresh reads on %4lld KB: %10.1f ms\n", engine, (long long)(bytes.size() / 1024),
                    readStringsMs<Session>(folder, sections, 10000));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    std::printf("ini engine%s\n",
#ifdef Q_OS_WIN
                " (Windows build)"
#else
                " (native build)"
#endif
    );
    run<IniFile>("IniFile", folder.path(), { 200, 2000, 20000 });
    return 0;
}
