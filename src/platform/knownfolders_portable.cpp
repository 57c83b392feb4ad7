#include "knownfolders.h"

#include <QDir>

namespace Platform {

QString specialFolderPath(SpecialFolder folder)
{
    const QString root = qEnvironmentVariable("QUOROLMA_SYSTEM_ROOT");
    if (root.isEmpty())
        return QString();
    const char *relative = nullptr;
    switch (folder) {
    case SpecialFolder::Windows: relative = "Windows"; break;
    case SpecialFolder::System: relative = "Windows/System32"; break;
    case SpecialFolder::CommonStartup: relative = "Startup"; break;
    case SpecialFolder::Desktop: relative = "Desktop"; break;
    case SpecialFolder::Documents: relative = "Documents"; break;
    case SpecialFolder::ProgramFiles: relative = "Program Files"; break;
    case SpecialFolder::AppData: relative = "AppData/Roaming"; break;
    case SpecialFolder::CommonAppData: relative = "ProgramData"; break;
    }
    if (!relative)
        return QString();
    return QDir::toNativeSeparators(QDir(root).absoluteFilePath(QString::fromLatin1(relative)));
}

QString programFiles64Path()
{
    return specialFolderPath(SpecialFolder::ProgramFiles); // the simulated machine is a 64-bit one
}

} // namespace Platform
