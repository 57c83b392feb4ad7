#include "links.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTest>

#ifdef Q_OS_WIN
#include <windows.h>

namespace {
// The system's own command `tool` on Unix names of `paths`: Wine makes no symbolic link itself.
void runOnUnixNames(const QString &tool, const QStringList &arguments, const QStringList &paths)
{
    using UnixName = char *(CDECL *)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    QStringList all = arguments;
    for (const QString &path : paths) {
        char *name = unixName ? unixName(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(path).utf16())) : nullptr;
        all << (name ? QString::fromUtf8(name) : QString());
        HeapFree(GetProcessHeap(), 0, name);
    }
    QProcess process;
    process.start(QStringLiteral("Z:\\bin\\") + tool, all);
}
} // namespace
#endif

bool plantLink(const QString &target, const QString &link)
{
#ifdef Q_OS_WIN
    runOnUnixNames(QStringLiteral("ln"), { QStringLiteral("-s") }, { target, link });
    return QTest::qWaitFor([&link] { return QFileInfo(link).exists(); }, 30000);
#else
    return QFile::link(target, link);
#endif
}

bool removeLink(const QString &link)
{
#ifdef Q_OS_WIN
    runOnUnixNames(QStringLiteral("rm"), {}, { link });
    return QTest::qWaitFor([&link] { return !QFileInfo(link).exists(); }, 30000);
#else
    return QFile::remove(link);
#endif
}
