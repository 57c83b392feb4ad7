#pragma once

#include <QByteArray>
#include <QMap>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace Fixtures {

// A fixture file built beside the tests: "pe/driver.dll", "malformed-pe/...".
QString path(const QString &relative);
QByteArray read(const QString &relative);
// The names of the files in a fixture folder.
QStringList list(const QString &folder);
// A program built beside the tests ("iniwriterchild"), with ".exe" in the Windows build.
QString program(const QString &name);
// Copies a fixture to `destination`, creating its folder.
bool copy(const QString &relative, const QString &destination);

// Runs a probe program (one that prints "key=value" lines) to its end: the values by key, in
// the order printed. False, with a warning, when it does not end in time or ends in failure.
// `arguments` go to `program`, which may be a launcher of the probe.
bool runProbe(const QString &program, const QProcessEnvironment &environment, const QString &workingFolder,
              QMap<QString, QStringList> &seen, int timeoutMs = 240000, const QStringList &arguments = {});

} // namespace Fixtures
