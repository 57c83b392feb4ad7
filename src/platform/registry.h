#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace Platform {

// The two views of the registry: the 64-bit one (the default) and the one 32-bit programs see
// (WOW6432Node on 64-bit Windows).
enum class RegistryView { Default, Registry32 };

// A key of HKEY_LOCAL_MACHINE, opened for reading in the view asked for, read the way the
// installer reads the screen reader's installation records, or created for writing. On systems
// without Windows, the keys of the simulated machine's registry.reg ($QUOROLMA_SYSTEM_ROOT),
// which each write replaces whole, atomically, in the registry editor's format.
class RegistryKey
{
public:
    enum class Enumeration { Item, NoMoreItems, Other };

    RegistryKey();
    ~RegistryKey();
    RegistryKey(RegistryKey &&other) noexcept;
    RegistryKey &operator=(RegistryKey &&other) noexcept;

    static RegistryKey openLocalMachine(const QString &path, RegistryView view);
    // Opens `path` for reading and writing, created with its missing parents; not open when
    // that is refused (no administrator's rights).
    static RegistryKey createLocalMachine(const QString &path, RegistryView view);
    // Deletes `path` with its values and subkeys. True when it is gone, also when it never was.
    static bool deleteLocalMachineKey(const QString &path, RegistryView view);
    RegistryKey openSubKey(const QString &name) const;
    bool isOpen() const;

    // The name of the subkey at `index`, read into a buffer of 256 characters that lives as
    // long as the key: on an answer other than an item or the end, `name` is what the buffer
    // holds.
    Enumeration enumerateSubKey(quint32 index, QString *name) const;
    // The value's bytes as stored (a string with its terminating zero), read into a buffer of
    // `maxBytes` bytes; false when the query fails, a longer value included.
    bool queryValue(const QString &name, QByteArray *data, int maxBytes = 256) const;
    // Writes a string value (REG_SZ) or a number (REG_DWORD) into a key that createLocalMachine
    // opened; false when the write fails or the key was opened for reading only.
    bool setStringValue(const QString &name, const QString &value);
    bool setDwordValue(const QString &name, quint32 value);

    // Whether the 32-bit view is a view of its own (64-bit Windows), or the same as the default.
    static bool viewsDiffer();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace Platform
