#pragma once

#include <QList>
#include <QString>

#include <optional>

// JAWS's installation records, written where the program under test reads them: the simulated
// machine's registry.reg natively, Wine's own registry (fresh for each test program) on Windows.
namespace TestRegistry {

struct Record
{
    QString key;                   // "10.0", "2025", "Common"
    std::optional<QString> target; // none: a key without a Target value
};

// Replaces every record under HKLM\SOFTWARE\Freedom Scientific\JAWS by `records`.
bool writeJawsRecords(const QList<Record> &records, const QString &systemRoot);

} // namespace TestRegistry
