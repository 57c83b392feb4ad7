#include "registry.h"

#include <windows.h>

namespace Platform {

struct RegistryKey::Private
{
    HKEY key = nullptr;
    REGSAM view = 0;
    bool writable = false;
    mutable wchar_t name[256] = {};

    ~Private()
    {
        if (key)
            RegCloseKey(key);
    }
};

RegistryKey::RegistryKey() = default;
RegistryKey::~RegistryKey() = default;
RegistryKey::RegistryKey(RegistryKey &&other) noexcept = default;
RegistryKey &RegistryKey::operator=(RegistryKey &&other) noexcept = default;

RegistryKey RegistryKey::openLocalMachine(const QString &path, RegistryView view)
{
    RegistryKey result;
    // The view is named in every open: the default one is the 64-bit view, which a 32-bit
    // build would not see otherwise (the flag is ignored on 32-bit Windows). Reading needs
    // nothing more than KEY_READ, which is granted where full access may be refused (a key
    // that an administrator cannot write, a non-elevated run).
    const REGSAM flag = view == RegistryView::Registry32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, reinterpret_cast<const wchar_t *>(path.utf16()), 0, KEY_READ | flag, &key)
        == ERROR_SUCCESS) {
        result.d.reset(new Private);
        result.d->key = key;
        result.d->view = flag;
    }
    return result;
}

RegistryKey RegistryKey::createLocalMachine(const QString &path, RegistryView view)
{
    RegistryKey result;
    // The view is named here too: a 32-bit build must still write where the Settings app and
    // the deployment tools read, the 64-bit view.
    const REGSAM flag = view == RegistryView::Registry32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, reinterpret_cast<const wchar_t *>(path.utf16()), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_READ | KEY_SET_VALUE | flag, nullptr, &key, nullptr)
        == ERROR_SUCCESS) {
        result.d.reset(new Private);
        result.d->key = key;
        result.d->view = flag;
        result.d->writable = true;
    }
    return result;
}

bool RegistryKey::deleteLocalMachineKey(const QString &path, RegistryView view)
{
    const REGSAM flag = view == RegistryView::Registry32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    const auto *name = reinterpret_cast<const wchar_t *>(path.utf16());
    HKEY key = nullptr;
    const LONG opened = RegOpenKeyExW(HKEY_LOCAL_MACHINE, name, 0,
                                      DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | KEY_SET_VALUE | flag, &key);
    if (opened == ERROR_FILE_NOT_FOUND)
        return true;
    if (opened != ERROR_SUCCESS)
        return false;
    // RegDeleteTreeW empties the key (its subkeys and values); the key itself goes with
    // RegDeleteKeyExW, which alone takes the view.
    const LONG emptied = RegDeleteTreeW(key, nullptr);
    RegCloseKey(key);
    if (emptied != ERROR_SUCCESS)
        return false;
    const LONG deleted = RegDeleteKeyExW(HKEY_LOCAL_MACHINE, name, flag, 0);
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

RegistryKey RegistryKey::openSubKey(const QString &name) const
{
    RegistryKey result;
    if (!d)
        return result;
    HKEY key = nullptr;
    if (RegOpenKeyExW(d->key, reinterpret_cast<const wchar_t *>(name.utf16()), 0, KEY_READ | d->view, &key)
        == ERROR_SUCCESS) {
        result.d.reset(new Private);
        result.d->key = key;
        result.d->view = d->view;
    }
    return result;
}

bool RegistryKey::isOpen() const
{
    return d != nullptr;
}

RegistryKey::Enumeration RegistryKey::enumerateSubKey(quint32 index, QString *name) const
{
    if (!d)
        return Enumeration::NoMoreItems;
    DWORD length = 256;
    const LONG answer = RegEnumKeyExW(d->key, index, d->name, &length, nullptr, nullptr, nullptr, nullptr);
    // A name too long for the buffer goes on with what the buffer holds; any other error (the
    // key deleted meanwhile) would answer the same for every index, so it ends the walk.
    if (answer != ERROR_SUCCESS && answer != ERROR_MORE_DATA)
        return Enumeration::NoMoreItems;
    *name = QString::fromWCharArray(d->name, int(wcsnlen(d->name, 256)));
    return answer == ERROR_SUCCESS ? Enumeration::Item : Enumeration::Other;
}

bool RegistryKey::queryValue(const QString &name, QByteArray *data, int maxBytes) const
{
    if (!d || maxBytes <= 0)
        return false;
    QByteArray buffer(maxBytes, '\0');
    DWORD size = DWORD(maxBytes);
    if (RegQueryValueExW(d->key, reinterpret_cast<const wchar_t *>(name.utf16()), nullptr, nullptr,
                         reinterpret_cast<BYTE *>(buffer.data()), &size)
        != ERROR_SUCCESS)
        return false;
    buffer.truncate(int(size));
    *data = buffer;
    return true;
}

bool RegistryKey::setStringValue(const QString &name, const QString &value)
{
    if (!d || !d->writable)
        return false;
    // The size counts the terminating zero, as readers of REG_SZ expect it stored.
    const DWORD size = DWORD((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(d->key, reinterpret_cast<const wchar_t *>(name.utf16()), 0, REG_SZ,
                          reinterpret_cast<const BYTE *>(value.utf16()), size)
        == ERROR_SUCCESS;
}

bool RegistryKey::setDwordValue(const QString &name, quint32 value)
{
    if (!d || !d->writable)
        return false;
    const DWORD data = value;
    return RegSetValueExW(d->key, reinterpret_cast<const wchar_t *>(name.utf16()), 0, REG_DWORD,
                          reinterpret_cast<const BYTE *>(&data), sizeof data)
        == ERROR_SUCCESS;
}

bool RegistryKey::viewsDiffer()
{
#ifdef _WIN64
    return true;
#else
    // A 32-bit program has two views only when it runs on 64-bit Windows.
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}

} // namespace Platform
