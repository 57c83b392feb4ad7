#pragma once

#include <QString>
#include <QStringList>

// Where the rows of an install record may point: the record lies where a user may have written
// it (an earlier program's, or one forged), so each path it names must lie in the JAWS
// installation or in a settings folder that the program derives for it, whatever the record
// says. Paths refused are collected, each once, for the report.
class RecordPlace
{
public:
    RecordPlace(const QString &jawsFolder, const QStringList &settingsFolders);

    bool inJaws(const QString &path) const;
    bool inSettings(const QString &path) const;
    bool inEither(const QString &path) const { return inJaws(path) || inSettings(path); }
    // `ok`, noting `path` as refused when not.
    bool keep(const QString &path, bool ok);

    QStringList refused() const { return m_refused; }

private:
    QString jawsFolder;
    QStringList settingsFolders;
    QStringList m_refused;
};
