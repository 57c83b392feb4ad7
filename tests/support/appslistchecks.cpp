#include "appslistchecks.h"

#include "support/textfiles.h"

#include "installer/appslistentry.h"
#include "platform/folderremoval.h"
#include "platform/registry.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>
#include <QtTest>

namespace AppsListChecks {

QByteArray appsListValue(const QString &jawsFolder, const QString &name)
{
    const auto key = Platform::RegistryKey::openLocalMachine(AppsListEntry::uninstallKeyPath() + QLatin1Char('\\') + AppsListEntry::keyName(jawsFolder),
                                                             Platform::RegistryView::Default);
    QByteArray data;
    return key.queryValue(name, &data, 4096) ? data : QByteArray("<none>");
}

QString appsListString(const QString &jawsFolder, const QString &name)
{
    const QByteArray data = appsListValue(jawsFolder, name);
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(data.constData()), data.size() / 2).chopped(1);
}

quint32 appsListNumber(const QString &jawsFolder, const QString &name)
{
    const QByteArray data = appsListValue(jawsFolder, name);
    return data.size() == 4 ? qFromLittleEndian<quint32>(data.constData()) : 0xFFFFFFFF;
}

QString copiedProgram()
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(AppsListEntry::copyFolder() + QStringLiteral("/InstallQuorOlma.exe"));
#else
    return QDir::toNativeSeparators(AppsListEntry::copyFolder() + QStringLiteral("/InstallQuorOlma"));
#endif
}

void verifyListed(const QString &jawsFolder, const QString &jawsName)
{
    QVERIFY(AppsListEntry::isRegistered(jawsFolder));
    QCOMPARE(appsListString(jawsFolder, QStringLiteral("DisplayName")), QStringLiteral("QuorOlma braille driver for JAWS ") + jawsName);
    QCOMPARE(appsListString(jawsFolder, QStringLiteral("DisplayVersion")), QStringLiteral("2.1.0.7"));
    QCOMPARE(appsListString(jawsFolder, QStringLiteral("Publisher")), QStringLiteral("Korvalis"));
    const QString jaws = QDir::toNativeSeparators(QDir::cleanPath(jawsFolder));
    QCOMPARE(appsListString(jawsFolder, QStringLiteral("InstallLocation")), QDir::toNativeSeparators(jaws + QStringLiteral("/Drivers/Braille/quorolma")));
    const QString uninstall = QStringLiteral("\"%1\" /remove /jaws \"%2\"").arg(copiedProgram(), jaws);
    QCOMPARE(appsListString(jawsFolder, QStringLiteral("UninstallString")), uninstall);
    QCOMPARE(appsListString(jawsFolder, QStringLiteral("QuietUninstallString")), uninstall + QStringLiteral(" /unattended"));
    QCOMPARE(appsListNumber(jawsFolder, QStringLiteral("NoModify")), 1u);
    QCOMPARE(appsListNumber(jawsFolder, QStringLiteral("NoRepair")), 1u);
    const quint32 size = appsListNumber(jawsFolder, QStringLiteral("EstimatedSize"));
    QVERIFY2(size > 0 && size < 1024 * 1024, qPrintable(QString::number(size)));
    QVERIFY(QFileInfo(copiedProgram()).size() > 0);
    QCOMPARE(TextFiles::read(AppsListEntry::copyFolder() + QStringLiteral("/version.txt")), QByteArray(IQO_VERSION));
}

void startWithoutEntries()
{
#ifdef Q_OS_WIN
    for (const QString &name : AppsListEntry::registeredKeyNames())
        QVERIFY(Platform::RegistryKey::deleteLocalMachineKey(AppsListEntry::uninstallKeyPath() + QLatin1Char('\\') + name, Platform::RegistryView::Default));
    QVERIFY(Platform::removeFolderInUse(AppsListEntry::copyFolder()));
#endif
}

} // namespace AppsListChecks
