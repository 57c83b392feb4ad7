#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// An ini file in memory, read and changed the way the Windows profile functions read and change
// one, except that every line a change does not touch is written back exactly as it was (bytes,
// order, comments, blank lines, text before the first section).
//
// Reading: a line ends at CR LF, LF or CR, and is trimmed at both ends. A header is "[" up to the
// last "]", its name trimmed; other lines split at their first "=" into a name (trimmed) and a
// value (trimmed); a line without "=" is a name without a value. Names are compared without
// regard to case; the first matching section and the first matching key win. Text before the
// first header forms a section without a name.
//
// Encoding: decided by the byte-order mark (UTF-8, UTF-16LE, UTF-16BE) and kept when written;
// without one, the ANSI code page (Windows-1252). New lines end in CR LF.
class IniDocument
{
public:
    enum class Encoding { Ansi, Utf8, Utf16LE, Utf16BE };

    IniDocument();
    static IniDocument parse(const QByteArray &bytes);
    QByteArray serialize() const;
    Encoding encoding() const { return m_encoding; }

    // Names of the named sections, in file order, duplicates included.
    QStringList sectionNames() const;
    // The entries of the first section of that name, as "name=value" or "name"; comments (names
    // starting with ";") and blank lines left out.
    QStringList sectionLines(const QString &section) const;
    // The value of the first key of that name in the first section of that name, without the
    // quotes of a quoted value; nullopt when the section, the key or its value is missing.
    std::optional<QString> value(const QString &section, const QString &key) const;

    // Replaces the entries of every section of that name by `lines` ("name=value"; lines without
    // "=" are dropped), keeping its header in place; a missing section is added at the end.
    // True when the document changed.
    bool writeSection(const QString &section, const QStringList &lines);
    // Sets the value of the first key of that name in place, or adds the key after the last
    // entry of the section, or adds the section at the end. True when the document changed.
    bool writeString(const QString &section, const QString &key, const QString &value);

private:
    enum class Kind { Blank, Header, Entry };
    struct Line
    {
        QByteArray raw; // the line's bytes with its line end; empty when the line must be encoded
        bool ended = true; // false for a last line without a line end
        Kind kind = Kind::Blank;
        QString name;
        std::optional<QString> value;
    };
    struct Section
    {
        QString name;
        QList<Line> lines; // the header first, for a named section
        mutable QHash<QString, qsizetype> keys; // folded name -> first entry; built on demand
        mutable bool keysValid = false;
    };

    static QString fold(const QString &name);
    static Line parseLine(const QString &text);
    static Line entryLine(const QString &name, const QString &value);
    QString decode(const QByteArray &bytes) const;
    QByteArray encode(const QString &text) const;
    QByteArray lineEnd() const;
    void endLastLine();
    qsizetype totalSizeBefore(qsizetype sectionIndex) const;
    const Section *firstSection(const QString &name) const;
    qsizetype findKey(const Section &section, const QString &key) const;
    Section &appendSection(const QString &name);
    void appendSectionAtEnd(const QString &name, const QList<Line> &entries);
    void insertAfterLastEntry(qsizetype sectionIndex, Line line);

    Encoding m_encoding = Encoding::Ansi;
    // The bytes parsed. Untouched lines' raw bytes point into them rather than copy them; the
    // buffer is never changed, and every copy of the document keeps it alive.
    QByteArray m_original;
    QByteArray m_bom;
    QList<Section> m_sections; // m_sections[0]: the text before the first header
    QHash<QString, QList<qsizetype>> m_index; // folded name -> sections of that name, in order
};
