#include "devicetable.h"

const QList<Device> &deviceTable()
{
    static const QList<Device> devices{
        { QStringLiteral("OLMA (1.71 et plus r\u00e9cent)"), QStringLiteral("Korvalis Olma (1.71 et plus r\u00e9cent)"),
          QStringLiteral("OLMA171"), QStringLiteral("OLMA (1.71 et plus r\u00e9cent)"), QStringLiteral("OLMA171"),
          QStringLiteral("quorolma"), QStringLiteral("COM1:9600,e,8,1"), QStringLiteral("OLMA (1.71 et plus r\u00e9cent)"),
          QStringLiteral("OLMA") },
        { QStringLiteral("QUOR"), QStringLiteral("Korvalis Quor"), QStringLiteral("QUOR"), QStringLiteral("QUOR"),
          QStringLiteral("QUOR"), QStringLiteral("quorolma"), QStringLiteral("USB"), QStringLiteral("Quor"),
          QStringLiteral("QUOR") },
    };
    return devices;
}
