#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

class TestMachine;

// Runs of the program laid into a test machine's package folder, as a user or a deployment tool
// starts it, and what such a run needs around it.
namespace ProgramRuns {

// Starts the program laid into the machine's package folder, as a user would, and waits for it.
// With `launcher`, through that command (its arguments, then the program).
bool install(const TestMachine &machine, const QString &program, const QMap<QString, QString> &settings,
             QMap<QString, QStringList> &seen, const QStringList &launcher = {});

// Runs the program of `machine` with `arguments`; its exit code, or -1.
int runProgram(const TestMachine &machine, const QString &program, const QStringList &arguments, QString *output = nullptr);

#ifndef Q_OS_WIN
// Makes the package folder one that the program cannot write, and gives the command that runs
// it so: as this account when it is not root's (root writes anything), else as nobody, who then
// owns the rest of the machine.
bool makePackageReadOnly(const TestMachine &machine, QStringList &launcher);
#endif

// Ends every JAWS double of the session, the ones the installation started again included, so
// that the next case meets only its own.
void endJawsDoubles();

// The stand-in reads the registry and Program Files of the machine the program ran on; under Wine
// the test shares the prefix's.
void lookAtMachine(const TestMachine &machine);

} // namespace ProgramRuns
