#include "testregistry.h"

#include "support/textfiles.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace TestRegistry {

bool writeJawsRecords(const QList<Record> &records, const QString &systemRoot)
{
#ifdef Q_OS_WIN
    Q_UNUSED(systemRoot);
    HKEY maker = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Freedom Scientific", 0, KEY_ALL_ACCESS, &maker) == ERROR_SUCCESS) {
        RegDeleteTreeW(maker, L"JAWS");
        RegCloseKey(maker);
    }
    for (const Record &record : records) {
        const QString path = QStringLiteral("SOFTWARE\\Freedom Scientific\\JAWS\\") + record.key;
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, reinterpret_cast<const wchar_t *>(path.utf16()), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return false;
        bool written = true;
        if (record.target)
            written = RegSetValueExW(key, L"Target", 0, REG_SZ, reinterpret_cast<const BYTE *>(record.target->utf16()),
                                     DWORD((record.target->size() + 1) * 2)) == ERROR_SUCCESS;
        RegCloseKey(key);
        if (!written)
            return false;
    }
    return true;
#else
    QString text = QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n");
    for (const Record &record : records) {
        text += QStringLiteral("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Freedom Scientific\\JAWS\\%1]\r\n").arg(record.key);
        if (record.target) {
            QString escaped = *record.target;
            escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
            text += QStringLiteral("\"Target\"=\"%1\"\r\n").arg(escaped);
        }
        text += QStringLiteral("\r\n");
    }
    return TextFiles::write(systemRoot + QStringLiteral("/registry.reg"), text.toUtf8());
#endif
}

} // namespace TestRegistry
