#include "inidocument.h"

namespace {

// Windows-1252: the 32 characters of 0x80..0x9F; the five bytes it leaves undefined map to the
// control characters of the same number, as the system's conversion does, so every byte
// round-trips.
const char16_t cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool isIniSpace(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x09 && u <= 0x0D) || u == 0x1A || u == 0x20;
}

QStringView trimmedView(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isIniSpace(text.at(begin)))
        ++begin;
    while (end > begin && isIniSpace(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

QString trimmedIni(QStringView text)
{
    return trimmedView(text).toString();
}

QString leftTrimmedIni(QStringView text)
{
    qsizetype begin = 0;
    while (begin < text.size() && isIniSpace(text.at(begin)))
        ++begin;
    return text.mid(begin).toString();
}

} // namespace

IniDocument::IniDocument()
{
    m_sections.append(Section()); // the text before the first header
}

QString IniDocument::fold(const QString &name)
{
    return trimmedIni(name).toCaseFolded();
}

IniDocument::Line IniDocument::parseLine(const QString &fullText)
{
    // What follows a NUL is not part of the line's meaning.
    const qsizetype nul = fullText.indexOf(QChar(0));
    const QStringView text = trimmedView(nul < 0 ? QStringView(fullText) : QStringView(fullText).left(nul));
    Line line;
    if (text.isEmpty())
        return line;
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.lastIndexOf(QLatin1Char(']'));
        if (close > 0) {
            line.kind = Kind::Header;
            line.name = trimmedIni(text.mid(1, close - 1));
            return line;
        }
    }
    line.kind = Kind::Entry;
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals < 0) {
        line.name = text.toString();
    } else {
        line.name = trimmedIni(text.left(equals));
        line.value = leftTrimmedIni(text.mid(equals + 1));
    }
    return line;
}

IniDocument::Line IniDocument::entryLine(const QString &name, const QString &value)
{
    Line line;
    line.kind = Kind::Entry;
    line.name = trimmedIni(name);
    line.value = trimmedIni(value);
    return line;
}

IniDocument IniDocument::parse(const QByteArray &bytes)
{
    IniDocument document;
    qsizetype start = 0;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        document.m_encoding = Encoding::Utf8;
        start = 3;
    } else if (bytes.startsWith("\xFF\xFE")) {
        document.m_encoding = Encoding::Utf16LE;
        start = 2;
    } else if (bytes.startsWith("\xFE\xFF")) {
        document.m_encoding = Encoding::Utf16BE;
        start = 2;
    }
    document.m_bom = bytes.left(start);

    const qsizetype unit = (document.m_encoding == Encoding::Utf16LE || document.m_encoding == Encoding::Utf16BE) ? 2 : 1;
    auto unitAt = [&](qsizetype at) -> char16_t {
        if (unit == 1)
            return uchar(bytes.at(at));
        const uchar a = uchar(bytes.at(at)), b = uchar(bytes.at(at + 1));
        return document.m_encoding == Encoding::Utf16LE ? char16_t(a | (b << 8)) : char16_t((a << 8) | b);
    };
    // An odd last byte of a UTF-16 file cannot be a character; it is kept as it was.
    const qsizetype usable = start + (bytes.size() - start) / unit * unit;

    qsizetype sectionIndex = 0;
    qsizetype lineStart = start;
    qsizetype at = start;
    document.m_original = bytes;
    const char *const data = document.m_original.constData();
    auto addLine = [&](qsizetype contentEnd, qsizetype lineEnd) {
        Line line = parseLine(document.decode(QByteArray::fromRawData(data + lineStart, contentEnd - lineStart)));
        line.raw = QByteArray::fromRawData(data + lineStart, lineEnd - lineStart);
        line.ended = lineEnd > contentEnd && contentEnd < usable;
        if (line.kind == Kind::Header) {
            Section &section = document.appendSection(line.name);
            sectionIndex = document.m_sections.size() - 1;
            section.lines.append(std::move(line));
        } else {
            document.m_sections[sectionIndex].lines.append(std::move(line));
        }
        lineStart = lineEnd;
    };
    while (at < usable) {
        const char16_t c = unitAt(at);
        if (c == u'\n' || c == u'\r') {
            qsizetype end = at + unit;
            if (c == u'\r' && end < usable && unitAt(end) == u'\n')
                end += unit;
            addLine(at, end);
            at = end;
        } else {
            at += unit;
        }
    }
    if (lineStart < bytes.size())
        addLine(usable, bytes.size());
    return document;
}

QByteArray IniDocument::serialize() const
{
    QByteArray out;
    out.reserve(m_original.size() + 4096);
    out += m_bom;
    for (const Section &section : m_sections) {
        for (const Line &line : section.lines) {
            if (!line.raw.isEmpty()) {
                out += line.raw;
            } else if (line.kind == Kind::Header) {
                out += encode(QLatin1Char('[') + line.name + QLatin1Char(']')) + lineEnd();
            } else if (line.value) {
                out += encode(line.name + QLatin1Char('=') + *line.value) + lineEnd();
            } else {
                out += encode(line.name) + lineEnd();
            }
        }
    }
    return out;
}

QString IniDocument::decode(const QByteArray &bytes) const
{
    switch (m_encoding) {
    case Encoding::Utf8:
        return QString::fromUtf8(bytes);
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
        QString text(bytes.size() / 2, Qt::Uninitialized);
        char16_t *units = reinterpret_cast<char16_t *>(text.data());
        const auto *raw = reinterpret_cast<const uchar *>(bytes.constData());
        for (qsizetype i = 0; i < text.size(); ++i) {
            const uchar a = raw[2 * i], b = raw[2 * i + 1];
            units[i] = m_encoding == Encoding::Utf16LE ? char16_t(a | (b << 8)) : char16_t((a << 8) | b);
        }
        return text;
    }
    case Encoding::Ansi:
        break;
    }
    // Windows-1252 is Latin-1 but for 0x80..0x9F.
    QString text = QString::fromLatin1(bytes);
    char16_t *units = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (units[i] >= 0x80 && units[i] < 0xA0)
            units[i] = cp1252High[units[i] - 0x80];
    }
    return text;
}

QByteArray IniDocument::encode(const QString &text) const
{
    switch (m_encoding) {
    case Encoding::Utf8:
        return text.toUtf8();
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
        QByteArray bytes(text.size() * 2, Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t u = text.at(i).unicode();
            const char high = char(u >> 8), low = char(u & 0xFF);
            bytes[2 * i] = m_encoding == Encoding::Utf16LE ? low : high;
            bytes[2 * i + 1] = m_encoding == Encoding::Utf16LE ? high : low;
        }
        return bytes;
    }
    case Encoding::Ansi:
        break;
    }
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        char b = '?';
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            b = char(u);
        } else {
            for (int k = 0; k < 32; ++k) {
                if (cp1252High[k] == u) {
                    b = char(0x80 + k);
                    break;
                }
            }
        }
        bytes[i] = b;
    }
    return bytes;
}

QByteArray IniDocument::lineEnd() const
{
    return encode(QStringLiteral("\r\n"));
}

// A line added after the last line of the file needs that line to be ended first.
void IniDocument::endLastLine()
{
    for (qsizetype s = m_sections.size() - 1; s >= 0; --s) {
        if (m_sections[s].lines.isEmpty())
            continue;
        Line &last = m_sections[s].lines.last();
        if (last.raw.isEmpty() || last.ended)
            return; // an added line carries its own line end
        // A UTF-16 file cut in the middle of a character ends in half of one, which no reader
        // can make sense of: it goes, so that what follows stays aligned. (Completing it would
        // make up a character, which could even be a "]" or a "=".)
        const bool utf16 = m_encoding == Encoding::Utf16LE || m_encoding == Encoding::Utf16BE;
        if (utf16 && (m_bom.size() + totalSizeBefore(s) + last.raw.size()) % 2 != 0)
            last.raw.chop(1);
        last.raw += lineEnd();
        last.ended = true;
        return;
    }
}

qsizetype IniDocument::totalSizeBefore(qsizetype sectionIndex) const
{
    qsizetype size = 0;
    for (qsizetype s = 0; s < sectionIndex; ++s) {
        for (const Line &line : m_sections.at(s).lines)
            size += line.raw.size();
    }
    const Section &section = m_sections.at(sectionIndex);
    for (qsizetype i = 0; i + 1 < section.lines.size(); ++i)
        size += section.lines.at(i).raw.size();
    return size;
}

IniDocument::Section &IniDocument::appendSection(const QString &name)
{
    m_sections.append(Section());
    Section &section = m_sections.last();
    section.name = name;
    m_index[fold(name)].append(m_sections.size() - 1);
    return section;
}

// A new section, header and entries, after the file's last line.
void IniDocument::appendSectionAtEnd(const QString &name, const QList<Line> &entries)
{
    endLastLine();
    Section &section = appendSection(trimmedIni(name));
    Line header;
    header.kind = Kind::Header;
    header.name = section.name;
    section.lines.append(header);
    section.lines.append(entries);
}

const IniDocument::Section *IniDocument::firstSection(const QString &name) const
{
    const QString folded = fold(name);
    if (folded.isEmpty())
        return &m_sections.first();
    const auto found = m_index.constFind(folded);
    return found == m_index.constEnd() ? nullptr : &m_sections.at(found->first());
}

qsizetype IniDocument::findKey(const Section &section, const QString &key) const
{
    if (!section.keysValid) {
        section.keys.clear();
        for (qsizetype i = 0; i < section.lines.size(); ++i) {
            const Line &line = section.lines.at(i);
            if (line.kind == Kind::Entry) {
                const QString folded = fold(line.name);
                if (!section.keys.contains(folded))
                    section.keys.insert(folded, i);
            }
        }
        section.keysValid = true;
    }
    return section.keys.value(fold(key), -1);
}

QStringList IniDocument::sectionNames() const
{
    QStringList names;
    for (qsizetype s = 1; s < m_sections.size(); ++s) {
        if (!m_sections.at(s).name.isEmpty())
            names.append(m_sections.at(s).name);
    }
    return names;
}

QStringList IniDocument::sectionLines(const QString &name) const
{
    QStringList lines;
    const Section *section = firstSection(name);
    if (!section)
        return lines;
    bool previousNameEmpty = false;
    for (const Line &line : section->lines) {
        if (line.kind != Kind::Entry)
            continue;
        // Of two entries in a row without a name, the second is not kept by the system.
        const bool nameEmpty = line.name.isEmpty();
        if (nameEmpty && previousNameEmpty)
            continue;
        previousNameEmpty = nameEmpty;
        if (line.name.startsWith(QLatin1Char(';')) || (nameEmpty && !line.value))
            continue;
        lines.append(line.value ? line.name + QLatin1Char('=') + *line.value : line.name);
    }
    return lines;
}

std::optional<QString> IniDocument::value(const QString &sectionName, const QString &key) const
{
    const Section *section = firstSection(sectionName);
    if (!section)
        return std::nullopt;
    const qsizetype at = findKey(*section, key);
    if (at < 0 || !section->lines.at(at).value)
        return std::nullopt;
    QString text = *section->lines.at(at).value;
    if (text.size() >= 2 && (text.front() == QLatin1Char('"') || text.front() == QLatin1Char('\''))
        && text.back() == text.front())
        text = text.mid(1, text.size() - 2);
    return text;
}

void IniDocument::insertAfterLastEntry(qsizetype sectionIndex, Line line)
{
    Section &section = m_sections[sectionIndex];
    qsizetype at = section.lines.size();
    while (at > 0 && section.lines.at(at - 1).kind == Kind::Blank)
        --at;
    // Inserting after the file's last line: that line must end first.
    bool atFileEnd = at == section.lines.size();
    for (qsizetype s = sectionIndex + 1; atFileEnd && s < m_sections.size(); ++s)
        atFileEnd = m_sections.at(s).lines.isEmpty();
    if (atFileEnd)
        endLastLine();
    section.lines.insert(at, std::move(line));
    section.keysValid = false;
}

bool IniDocument::writeString(const QString &sectionName, const QString &key, const QString &value)
{
    const QString folded = fold(sectionName);
    qsizetype sectionIndex = 0;
    if (!folded.isEmpty()) {
        const auto found = m_index.constFind(folded);
        if (found == m_index.constEnd()) {
            appendSectionAtEnd(sectionName, { entryLine(key, value) });
            return true;
        }
        sectionIndex = found->first();
    }
    Section &section = m_sections[sectionIndex];
    const qsizetype at = findKey(section, key);
    const QString newValue = trimmedIni(value);
    if (at >= 0) {
        Line &line = section.lines[at];
        if (line.value && *line.value == newValue)
            return false;
        line.value = newValue;
        line.raw.clear(); // re-encoded with CR LF, like every line the system writes
        return true;
    }
    insertAfterLastEntry(sectionIndex, entryLine(key, value));
    return true;
}

bool IniDocument::writeSection(const QString &sectionName, const QStringList &lines)
{
    QList<Line> entries;
    for (const QString &text : lines) {
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        if (equals >= 0)
            entries.append(entryLine(text.left(equals), text.mid(equals + 1)));
    }
    const QString folded = fold(sectionName);
    const auto found = m_index.constFind(folded);
    QList<qsizetype> targets;
    if (folded.isEmpty())
        targets.append(0);
    else if (found != m_index.constEnd())
        targets = *found;

    if (targets.isEmpty()) {
        if (entries.isEmpty())
            return false;
        appendSectionAtEnd(sectionName, entries);
        return true;
    }
    bool changed = false;
    for (qsizetype s : targets) {
        Section &section = m_sections[s];
        QList<Line> kept;
        for (Line &line : section.lines) {
            if (line.kind == Kind::Entry)
                changed = true;
            else
                kept.append(std::move(line));
        }
        section.lines = std::move(kept);
        section.keysValid = false;
    }
    if (!entries.isEmpty()) {
        // The new entries go where the first section's entries began: right after its header.
        Section &first = m_sections[targets.first()];
        const qsizetype at = first.lines.isEmpty() || first.lines.first().kind != Kind::Header ? 0 : 1;
        bool atFileEnd = at == first.lines.size();
        for (qsizetype s = targets.first() + 1; atFileEnd && s < m_sections.size(); ++s)
            atFileEnd = m_sections.at(s).lines.isEmpty();
        if (atFileEnd)
            endLastLine();
        for (qsizetype i = 0; i < entries.size(); ++i)
            first.lines.insert(at + i, entries.at(i));
        changed = true;
    }
    return changed;
}
