#pragma once

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

// Random ini files and names for comparing ini engines: mixed-case and duplicate names, blank
// lines, comments, lines without "=", quotes, both line-end styles, no final line end, and the
// three encodings. Names and values carry no surrounding blanks and no line breaks, which the
// engines are free to treat differently.
class RandomIni
{
public:
    explicit RandomIni(quint32 seed) : m_random(seed) {}

    QString sectionName() { return pick(m_sections); }
    QString keyName() { return pick(m_keys); }
    QString value() { return pick(m_values); }
    int bounded(int n) { return int(m_random.bounded(n)); }
    QStringList sectionLines();
    QByteArray file();

    static QStringList sectionPool() { return QStringList(m_sections, m_sections + 6); }
    static QStringList keyPool() { return QStringList(m_keys, m_keys + 7); }

private:
    QString pick(const char *const *pool);
    QString line();
    QByteArray encode(const QString &text, int encoding) const;

    static const char *const m_sections[];
    static const char *const m_keys[];
    static const char *const m_values[];
    QRandomGenerator m_random;
};
