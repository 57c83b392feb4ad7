// configureJaws on a large JAWS tree: 40 language folders in each settings folder, a
// 2,000-section braille.ini, default.jcf files of about 500 KB. A plain driver, run on demand.
// Usage: configure_benchmark [JFW_EXE]   (a PE file whose FileVersion gives the JAWS version;
// without it, the JAWS 5 layout)
#include "installer/jawsinstaller.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

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

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir root;
    qputenv("QUOROLMA_SYSTEM_ROOT", root.path().toUtf8());
    const QString package = root.filePath(QStringLiteral("package"));
    const QString jaws = root.filePath(QStringLiteral("JAWS"));
    QDir().mkpath(jaws);
    if (argc > 1)
        QFile::copy(QString::fromLocal8Bit(argv[1]), jaws + QStringLiteral("/jfw.exe"));

    QByteArray manifest = "[MERGE]\r\nkorvalis_default.jcf\r\n[ENU_KBD_BRAILLE_TABLE]\r\nBrailleTranslationTable=enu\r\n";
    for (int l = 0; l < 40; ++l)
        manifest += "[L" + QByteArray::number(l) + "_JBT_BRAILLE_TABLE]\r\nBrailleTranslationTable=table" + QByteArray::number(l) + ".jbt\r\n";
    write(package + QStringLiteral("/list.install"), manifest);
    write(package + QStringLiteral("/korvalis_default.jcf"), iniFile(50, 6, "Korvalis"));
    write(package + QStringLiteral("/braille.ini"), "[Korvalis Olma (1.71 et plus r\xe9" "cent)]\r\nPort=COM1\r\n[Korvalis Quor]\r\nPort=USB\r\n"
                                                    + iniFile(2000, 6, "Display"));
    write(jaws + QStringLiteral("/braille.ini"), iniFile(2000, 6, "Display"));
    write(jaws + QStringLiteral("/jfw.ini"), "[BrailleDisplays]\r\nBraille1LongName=Other\r\nBraille1Name=other\r\n");

    JawsInstaller installer;
    installer.setSourceFolder(package);
    installer.setJawsFolder(jaws);
    installer.setSelectedDevice(QStringLiteral("Korvalis Quor"));
    installer.computeTargetFolders();
    installer.createTargetFolders();
    // About 500 KB each: 4,600 sections of 6 keys.
    const QByteArray jcf = iniFile(4600, 6, "Section");
    for (const QString &folder : { installer.sharedSettingsFolder(), installer.userSettingsFolder() })
        for (int l = 0; l < 40 && !folder.isEmpty(); ++l)
            write(folder + QStringLiteral("/L%1/default.jcf").arg(l), jcf);
    installer.report().open(root.filePath(QStringLiteral("installLog.txt")));

    QElapsedTimer timer;
    timer.start();
    installer.configureJaws();
    std::printf("configureJaws, JAWS %s layout, 40 language folders per settings folder, %lld KB default.jcf: %.1f ms\n",
                qPrintable(installer.jawsVersion().isKnown() ? QString::number(installer.jawsVersion().major()) : QStringLiteral("5")),
                (long long)(jcf.size() / 1024), timer.nsecsElapsed() / 1e6);
    return 0;
}
