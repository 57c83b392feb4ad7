#pragma once

#include <QByteArray>
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

} // namespace Fixtures
