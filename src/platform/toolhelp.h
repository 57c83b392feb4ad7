#pragma once

#include <QByteArray>
#include <QList>

#include <memory>

namespace Platform {

// The system's process snapshot functions (CreateToolhelp32Snapshot, Process32First,
// Process32Next), loaded from KERNEL32.DLL at run time and released after use. On systems
// without Windows the processes come from /proc.
class Toolhelp
{
public:
    Toolhelp();
    ~Toolhelp();

    bool load();
    void unload();
    bool isLoaded() const;
    // The executable name of each running process, as 8-bit text, in the snapshot's order.
    QList<QByteArray> processNames() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace Platform
