#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace Platform {

// The two views of the registry: the 64-bit one (the default) and the one 32-bit programs see
// (WOW6432Node on 64-bit Windows).
enum class RegistryView { Default, Registry32 };

// A key of HKEY_LOCAL_MACHINE, opened for reading in the view asked for, read the way the
// installer reads the screen reader's installation records. On systems without
// Windows, the keys of the simulated machine's registry.reg ($QUOROLMA_SYSTEM_ROOT).
class RegistryKey
{
public:
    enum class Enumeration { Item, NoMoreItems, Other };

    RegistryKey();
    ~RegistryKey();
    RegistryKey(RegistryKey &&other) noexcept;
    RegistryKey &operator=(RegistryKey &&other) noexcept;

    static RegistryKey openLocalMachine(const QString &path, RegistryView view);
    RegistryKey openSubKey(const QString &name) const;
    bool isOpen() const;

    // The name of the subkey at `index`, read into a buffer of 256 characters that lives as
    // long as the key: on an answer other than an item or the end, `name` is what the buffer
    // holds.
    Enumeration enumerateSubKey(quint32 index, QString *name) const;
    // The value's bytes as stored (a string with its terminating zero), read into a buffer of
    // 256 bytes; false when the query fails, a longer value included.
    bool queryValue(const QString &name, QByteArray *data) const;

    // Whether the 32-bit view is a view of its own (64-bit Windows), or the same as the default.
    static bool viewsDiffer();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace Platform
