// Writes a large ini file through IniProfile and is killed part-way by tst_inicrashsafety.
// Usage: iniwriterchild batch|single FILE SECTIONS
#include "installer/iniprofile.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 4)
        return 2;
    const QString mode = arguments.at(1);
    const QString file = arguments.at(2);
    const int sections = arguments.at(3).toInt();
    std::printf("started\n");
    std::fflush(stdout);
    if (mode == QLatin1String("batch")) {
        // A whole-file merge: every section rewritten, one replacement of the file.
        IniProfile::Batch batch(file);
        for (int s = 0; s < sections; ++s) {
            QStringList lines;
            for (int k = 0; k < 8; ++k)
                lines.append(QStringLiteral("Key%1=new value %2 of section %3").arg(k).arg(k * s).arg(s));
            IniProfile::writeSection(QStringLiteral("Section%1").arg(s), lines, file);
        }
        if (!batch.commit())
            return 1;
    } else {
        // One write, replacing the large file whole.
        if (!IniProfile::writeString(QStringLiteral("Section%1").arg(sections / 2), QStringLiteral("Key0"),
                                     QStringLiteral("single"), file))
            return 1;
    }
    std::printf("done\n");
    return 0;
}
