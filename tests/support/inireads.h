#pragma once

#include "ini/inifile.h"

#include <QFileInfo>

// What a settings file on disk holds, read afresh for each check. A missing file reads as empty.
namespace IniReads {

inline QStringList readSectionNames(const QString &file)
{
    return IniFile(file).sectionNames();
}

inline QStringList readSection(const QString &section, const QString &file)
{
    return IniFile(file).section(section);
}

inline QString readString(const QString &section, const QString &key, const QString &file, const QString &defaultValue)
{
    return QFileInfo::exists(file) ? IniFile(file).string(section, key, defaultValue) : QString();
}

} // namespace IniReads
