#include "jawsversion.h"

#include "version/fileversionreader.h"

#include <QDir>
#include <QRegularExpression>

namespace {

// JAWS 2018 was the first named by its year; its program files count the major from 1999.
constexpr int firstYear = 2018;
constexpr int internalBase = 1999;

int numberOf(const QString &text)
{
    bool ok = false;
    const int number = text.toInt(&ok, 10);
    return ok ? number : 0; // not a number: 0, the oldest layout
}

} // namespace

JawsVersion JawsVersion::fromFields(const QString &majorText, const QString &minorText)
{
    JawsVersion version;
    version.m_majorText = majorText;
    version.m_minorText = minorText;
    version.m_number = numberOf(majorText);
    if (version.m_number >= firstYear)
        version.m_year = version.m_number;
    else if (version.m_number >= firstYear - internalBase)
        version.m_year = version.m_number + internalBase;
    return version;
}

JawsVersion JawsVersion::fromFileVersion(const QString &fileVersion)
{
    if (!fileVersion.contains(QLatin1Char(','))) {
        // The dotted form of the program files since JAWS 2018: "26.6.24.0".
        const QString major = fileVersion.section(QLatin1Char('.'), 0, 0).trimmed();
        if (fileVersion.contains(QLatin1Char('.')) && numberOf(major) > 0)
            return fromFields(major, fileVersion.section(QLatin1Char('.'), 1, 1).trimmed());
    }
    return fromFields(fileVersion.section(QLatin1Char(','), 0, 0).trimmed(),
                      fileVersion.section(QLatin1Char(','), 1, 1).trimmed());
}

JawsVersion JawsVersion::fromName(const QString &name)
{
    static const QRegularExpression versionName(QStringLiteral("^(?:JAWS\\s*)?(\\d{1,4})(?:\\.(\\d{1,3}))?$"),
                                                QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = versionName.match(name.trimmed());
    if (!match.hasMatch())
        return {};
    const JawsVersion version = fromFields(match.captured(1), match.captured(2));
    // Up to 18 a version is named with its minor ("10.0"): a bare small number names nothing.
    if (!version.isYearNumbered() && match.captured(2).isEmpty())
        return {};
    return version;
}

JawsVersion JawsVersion::ofInstallation(const QString &jawsFolder, const QString &registryKey)
{
    // In whatever case the folder has it, as Windows would find it.
    const QStringList named = QDir(jawsFolder).entryList({ QStringLiteral("jfw.exe") }, QDir::Files | QDir::Hidden | QDir::System);
    const QString jfwExe = jawsFolder + QDir::separator() + (named.isEmpty() ? QStringLiteral("jfw.exe") : named.constFirst());
    JawsVersion version = fromFileVersion(FileVersionReader::fileVersion(jfwExe, QStringLiteral("000004b0")));
    if (!version.isKnown())
        version = fromName(registryKey);
    if (!version.isKnown())
        version = fromName(QDir(jawsFolder).dirName());
    return version;
}

QString JawsVersion::settingsFolderName() const
{
    if (isYearNumbered())
        return QString::number(m_year);
    return m_majorText + QLatin1Char('.') + m_minorText;
}

bool JawsVersion::isNamedBy(const QString &folderName) const
{
    const JawsVersion other = fromName(folderName);
    if (!isKnown() || !other.isKnown())
        return false;
    if (isYearNumbered() || other.isYearNumbered())
        return other.m_year == m_year;
    return other.m_number == m_number && numberOf(other.m_minorText) == numberOf(m_minorText);
}
