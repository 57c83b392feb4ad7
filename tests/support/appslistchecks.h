#pragma once

#include <QByteArray>
#include <QString>

// The driver's entries in the list of apps, read back from the registry the program wrote them
// to, and the program's copy that they name.
namespace AppsListChecks {

QByteArray appsListValue(const QString &jawsFolder, const QString &name);
QString appsListString(const QString &jawsFolder, const QString &name);
quint32 appsListNumber(const QString &jawsFolder, const QString &name);

// The program's copy in Program Files, which the entries start to remove the driver.
QString copiedProgram();

// The JAWS installation has its entry in the list of apps, which removes it with the program's
// copy, there in Program Files. Fails the calling test otherwise.
void verifyListed(const QString &jawsFolder, const QString &jawsName);

// Under Wine every case of the program meets the same registry and Program Files: each starts
// with no entry and no copy, as each native case does on its own machine. Fails the calling test
// when they cannot be taken away.
void startWithoutEntries();

} // namespace AppsListChecks
