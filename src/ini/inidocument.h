#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

class QIODevice;

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
// without one, the system's ANSI code page (Windows-1252 where there is no Windows; see
// ansicodepage.h). New lines end in CR LF.
//
// Parsing finds the headers only. A section's lines are split and decoded when a read or a write
// first needs them, into one text where each line keeps its name and value as places, and
// their bytes as places in the file's bytes; a section nothing needed is written back as the
// bytes it was. A configuration touches a few sections of a large file: it pays for those.
class IniDocument
{
public:
    enum class Encoding { Ansi, Utf8, Utf16LE, Utf16BE };

    IniDocument();
    static IniDocument parse(const QByteArray &bytes);
    QByteArray serialize() const;
    // Writes what serialize() gives, without making it first: untouched sections go to the
    // device straight from the bytes parsed. False when a write fails.
    bool writeTo(QIODevice &device) const;
    // Gives what serialize() gives to `onBytes`, piece by piece, without making it first.
    void forEachByteRun(const std::function<void(QByteArrayView)> &onBytes) const;
    Encoding encoding() const { return m_encoding; }

    // Names of the named sections, in file order, duplicates included.
    QStringList sectionNames() const;
    bool hasSection(const QString &section) const { return !section.isEmpty() && firstSection(section); }
    // The entries of the first section of that name, as "name=value" or "name"; comments (names
    // starting with ";") and blank lines left out.
    QStringList sectionLines(const QString &section) const;
    // The names of the sections whose lines may differ from the bytes parsed: those read line by
    // line, or added, since (the text before the first header has the empty name). Every other
    // section is still the file's bytes, unchanged.
    QStringList touchedSectionNames() const;
    // The first section of that name as the bytes parsed held it, in a document of its own: what
    // it was before the changes made since, without parsing the whole file again. Without the
    // section in those bytes (added since, or never there), a document without it.
    IniDocument sectionAsRead(const QString &section) const;
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
    // Removes the first key of that name from the first section of that name, line and all.
    // True when the document changed.
    bool removeKey(const QString &section, const QString &key);
    // Removes the first section of that name, its header and its lines. True when the document
    // changed.
    bool removeSection(const QString &section);

    // Public only so that the lists below can move them as bytes (Q_DECLARE_TYPEINFO).
    enum class Kind { Blank, Header, Entry };
    struct Line
    {
        QByteArray raw; // the line's bytes with its line end; empty when the line must be encoded
        bool ended = true; // false for a last line without a line end
        Kind kind = Kind::Blank;
        // The line's text: a place in the document's decoded text, or a text of its own (a
        // line the document wrote). Name and value are places in that text; valueBegin is -1
        // for a line without "=".
        QString own;
        qsizetype textBegin = 0;
        qsizetype textSize = 0;
        qsizetype nameBegin = 0;
        qsizetype nameSize = 0;
        qsizetype valueBegin = -1;
        qsizetype valueSize = 0;
    };
    struct Section
    {
        // The header first, for a named section; its name is read from there. Until `parsed`,
        // the section's lines are still the bytes [byteBegin, byteEnd) of the file.
        mutable QList<Line> lines;
        mutable QHash<QString, qsizetype> keys; // folded name -> first entry; built on demand
        qsizetype byteBegin = 0;
        qsizetype byteEnd = 0;
        qsizetype nextSameName = -1; // the next section of the same name, if any
        mutable bool parsed = true;
        mutable bool keysValid = false;
    };

private:
    QStringView textOf(const Line &line) const
    {
        return line.own.isNull() ? QStringView(m_text).mid(line.textBegin, line.textSize) : QStringView(line.own);
    }
    QStringView nameOf(const Line &line) const { return textOf(line).mid(line.nameBegin, line.nameSize); }
    std::optional<QStringView> valueOf(const Line &line) const
    {
        if (line.valueBegin < 0)
            return std::nullopt;
        return textOf(line).mid(line.valueBegin, line.valueSize);
    }

    static QString fold(QStringView name);
    qsizetype unitSize() const;
    char16_t unitAt(qsizetype at) const;
    // Calls onLine(begin, contentEnd, lineEnd) for each line of the file's bytes [begin, end).
    template<typename OnLine>
    void forEachLine(qsizetype begin, qsizetype end, const OnLine &onLine) const;
    QString decodeLine(qsizetype begin, qsizetype end) const;
    // The name of the section, as its header gives it (empty for the text before the first).
    QString nameOf(const Section &section) const;
    bool mayBeHeader(qsizetype begin, qsizetype end) const;
    // Calls onLine(begin, contentEnd) for each line of [begin, end) that mayBeHeader, and
    // perhaps for no other (the header scan of parse).
    template<typename OnLine>
    void forEachHeaderCandidate(qsizetype begin, qsizetype end, const OnLine &onLine) const;
    // Splits and decodes a section's lines, once.
    void materialize(const Section &section) const;
    // Calls onPiece(QByteArrayView) with the serialized document, piece after piece.
    template<typename OnPiece>
    void forEachPiece(const OnPiece &onPiece) const;
    QList<Line> &linesOf(const Section &section) const;
    static bool isEmpty(const Section &section);
    // Kind, name and value of a line's text, as places in that text.
    static void parseLine(QStringView text, Line &line);
    static Line entryLine(const QString &name, const QString &value);
    static Line headerLine(const QString &name);
    // Decodes `bytes` into `out`, which has room for bytes.size() units; the units written.
    qsizetype decodeInto(QByteArrayView bytes, char16_t *out) const;
    QByteArray encode(QStringView text) const;
    void appendEncoded(QStringView text, QByteArray &out) const;
    QByteArray lineEnd() const;
    void endLastLine();
    qsizetype totalSizeBefore(qsizetype sectionIndex) const;
    const Section *firstSection(const QString &name) const;
    qsizetype findKey(const Section &section, const QString &key) const;
    Section &appendSection(const QString &name);
    // Adds a section to the index under its folded name, which must stay where it is as long
    // as the index (see m_index).
    void index(qsizetype sectionIndex, QStringView folded);
    // The index made afresh, after a section went.
    void reindex();
    void appendSectionAtEnd(const QString &name, const QList<Line> &entries);
    void insertAfterLastEntry(qsizetype sectionIndex, Line line);

    Encoding m_encoding = Encoding::Ansi;
    // The bytes parsed. Untouched lines' raw bytes point into them rather than copy them; the
    // buffer is never changed, and every copy of the document keeps it alive.
    QByteArray m_original;
    QByteArray m_bom;
    qsizetype m_usable = 0; // the bytes that make whole units: all but an odd last byte of UTF-16
    mutable QString m_text; // the decoded text of every split line, end to end, without line ends
    QList<Section> m_sections; // m_sections[0]: the text before the first header
    // Folded name -> the first and the last section of that name (the others are chained by
    // nextSameName, in order). The names are places in m_foldedNames (the file's sections, end to
    // end, written once by parse) and in m_addedNames (one text per section added since): texts
    // never changed once indexed, shared by every copy of the document, so their places hold
    // for as long as any copy's index does. A file of thousands of sections costs no
    // allocation per name.
    QHash<QStringView, std::pair<qsizetype, qsizetype>> m_index;
    QString m_foldedNames;
    QStringList m_addedNames;
};

Q_DECLARE_TYPEINFO(IniDocument::Line, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(IniDocument::Section, Q_RELOCATABLE_TYPE);
