#pragma once

#include <QList>
#include <QString>

#include <memory>

namespace Platform {

// The system's process snapshot functions (CreateToolhelp32Snapshot, Process32FirstW,
// Process32NextW) and QueryFullProcessImageNameW, loaded from KERNEL32.DLL at run time and
// released after use. On systems without Windows the processes come from /proc.
class Toolhelp
{
public:
    struct Process
    {
        quint32 id = 0;
        QString name; // as the snapshot gives it: a bare file name on Windows
    };

    Toolhelp();
    ~Toolhelp();

    bool load();
    void unload();
    bool isLoaded() const;
    // Each running process with its executable name, in the snapshot's order.
    QList<Process> processes() const;
    // The full path of the process's program, asked with the least right that allows it (so
    // that it works for a process of another user, or an elevated one); empty when the
    // process cannot be asked.
    QString imagePath(quint32 id) const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace Platform
