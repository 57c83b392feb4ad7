#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

class TestMachine;

// A test machine's files read whole, to compare what a run left with what was there before.
namespace MachineFiles {

// A dump's part from `from` (a place's name) on, up to the next place after it.
QString dumpPart(const QString &dump, const QString &from, const QString &to = QString());

// Every file of the JAWS installations and their settings, with its content, but the reports.
QMap<QString, QByteArray> settingsFiles(const TestMachine &machine, const QStringList &jawsFolders);

// Every file and folder of the machine but the package, those of the settings folders included,
// with their contents (folders as "/").
QMap<QString, QByteArray> machineState(const TestMachine &machine);

// Every file that was there has its bytes again; of what came since, only reports and numbered
// backups are left.
bool restoredAsBefore(const QMap<QString, QByteArray> &before, const QMap<QString, QByteArray> &after);

// Every file and folder of the JAWS installation and its settings, with its content (folders as
// "/"), but the reports and numbered backups and the folders that hold nothing else: what a
// run taken back must leave as it was.
QMap<QString, QByteArray> jawsState(const TestMachine &machine);

} // namespace MachineFiles
