#pragma once

#include <QString>
#include <QStringList>

class MachineScenario;

// The command line for people who install on many machines: the same installation as the
// wizard's, an exit code that says how it went, nothing touched when the command is wrong, and
// the package folder only ever read.
namespace UnattendedChecks {

// Makes the machine `scenario` describes, runs the program on it with `arguments` ($JAWS: the
// JAWS folder as a user might write it, $ROOT: the machine's folder) and checks the exit code
// and `result`: the wizard's golden result the JAWS side must equal; "untouched"; "all";
// "latest:FOLDER"; "unchanged"; "cancelled"; "removed"; "removal interrupted"; "gone";
// "package's entry"; "log note"; "prints:TEXT"; or a line of the report (--log), as a pattern.
// Fails the calling test when a check fails.
void verify(QStringList arguments, const MachineScenario &scenario, int exitCode, const QString &result);

} // namespace UnattendedChecks
