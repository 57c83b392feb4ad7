#pragma once

#include "ini/inidocument.h"

#include <QString>
#include <QStringList>

// What the ini engine promises for any input, checked by the test suite on the files in
// tests/fixtures/ini and malformed-ini, and by the fuzz target on whatever it makes. Empty when
// every promise holds, else the first one broken.
inline QString brokenIniPromise(const QByteArray &bytes)
{
    IniDocument document = IniDocument::parse(bytes);
    if (document.serialize() != bytes)
        return QStringLiteral("not given back unchanged");

    const QStringList names = document.sectionNames();
    for (const QString &name : names.mid(0, 8)) {
        const QStringList lines = document.sectionLines(name);
        for (const QString &line : lines.mid(0, 8))
            document.value(name, line.section(QLatin1Char('='), 0, 0));
    }

    // Writes into a section of the input, or a new one, read back after a round trip.
    const QString section = names.isEmpty() ? QStringLiteral("Fuzz") : names.first();
    document.writeString(section, QStringLiteral("FuzzKey"), QStringLiteral("fuzz value"));
    document.writeSection(QStringLiteral("FuzzSection"), { QStringLiteral("a=1"), QStringLiteral("b=2") });
    const IniDocument reread = IniDocument::parse(document.serialize());
    if (reread.value(section, QStringLiteral("FuzzKey")) != QStringLiteral("fuzz value"))
        return QStringLiteral("a written value not read back");
    if (reread.sectionLines(QStringLiteral("FuzzSection")) != QStringList({ QStringLiteral("a=1"), QStringLiteral("b=2") }))
        return QStringLiteral("a written section not read back");
    return QString();
}
