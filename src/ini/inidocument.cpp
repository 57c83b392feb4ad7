#include "inidocument.h"

#include "platform/ansicodepage.h"

#include <QStringDecoder>

namespace {

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

// Narrows [begin, end) of `text` to leave out the blanks at both ends.
void trimRange(QStringView text, qsizetype &begin, qsizetype &end)
{
    while (begin < end && isIniSpace(text.at(begin)))
        ++begin;
    while (end > begin && isIniSpace(text.at(end - 1)))
        --end;
}

QString trimmedIni(QStringView text)
{
    return trimmedView(text).toString();
}

} // namespace

IniDocument::IniDocument()
{
    m_sections.append(Section()); // the text before the first header
}

QString IniDocument::fold(QStringView name)
{
    const QStringView trimmed = trimmedView(name);
    // Most names are plain ASCII: folded by hand, in one allocation.
    QString folded(trimmed.size(), Qt::Uninitialized);
    QChar *out = folded.data();
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const char16_t c = trimmed.at(i).unicode();
        if (c >= 0x80)
            return trimmed.toString().toCaseFolded();
        out[i] = QChar(c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c);
    }
    return folded;
}

void IniDocument::parseLine(QStringView text, Line &line)
{
    // What follows a NUL is not part of the line's meaning.
    const qsizetype nul = text.indexOf(QChar(0));
    qsizetype begin = 0, end = nul < 0 ? text.size() : nul;
    trimRange(text, begin, end);
    line.kind = Kind::Blank;
    line.valueBegin = -1;
    if (begin == end)
        return;
    if (text.at(begin) == QLatin1Char('[')) {
        const qsizetype close = text.left(end).lastIndexOf(QLatin1Char(']'));
        if (close > begin) {
            line.kind = Kind::Header;
            qsizetype nameBegin = begin + 1, nameEnd = close;
            trimRange(text, nameBegin, nameEnd);
            line.nameBegin = nameBegin;
            line.nameSize = nameEnd - nameBegin;
            return;
        }
    }
    line.kind = Kind::Entry;
    const qsizetype equals = text.left(end).indexOf(QLatin1Char('='), begin);
    qsizetype nameEnd = equals < 0 ? end : equals;
    trimRange(text, begin, nameEnd);
    line.nameBegin = begin;
    line.nameSize = nameEnd - begin;
    if (equals >= 0) {
        qsizetype valueBegin = equals + 1;
        trimRange(text, valueBegin, end);
        line.valueBegin = valueBegin;
        line.valueSize = end - valueBegin;
    }
}

IniDocument::Line IniDocument::entryLine(const QString &name, const QString &value)
{
    Line line;
    line.kind = Kind::Entry;
    const QStringView n = trimmedView(name), v = trimmedView(value);
    line.own.reserve(n.size() + 1 + v.size());
    line.own.append(n).append(QLatin1Char('=')).append(v);
    line.nameBegin = 0;
    line.nameSize = n.size();
    line.valueBegin = n.size() + 1;
    line.valueSize = v.size();
    return line;
}

IniDocument::Line IniDocument::headerLine(const QString &name)
{
    Line line;
    line.kind = Kind::Header;
    line.own = QLatin1Char('[') + name + QLatin1Char(']');
    line.nameBegin = 1;
    line.nameSize = name.size();
    return line;
}

qsizetype IniDocument::unitSize() const
{
    return m_encoding == Encoding::Utf16LE || m_encoding == Encoding::Utf16BE ? 2 : 1;
}

char16_t IniDocument::unitAt(qsizetype at) const
{
    const char *const data = m_original.constData();
    if (unitSize() == 1)
        return uchar(data[at]);
    const uchar a = uchar(data[at]), b = uchar(data[at + 1]);
    return m_encoding == Encoding::Utf16LE ? char16_t(a | (b << 8)) : char16_t((a << 8) | b);
}

template<typename OnLine>
void IniDocument::forEachLine(qsizetype begin, qsizetype end, const OnLine &onLine) const
{
    const qsizetype unit = unitSize();
    const char *const data = m_original.constData();
    // The lines end where the file's usable part ends (an odd last byte of a UTF-16 file is
    // kept as it was, on the last line).
    const qsizetype stop = std::min(end, m_usable);
    qsizetype lineStart = begin;
    if (unit == 1) {
        // The common case, byte by byte without the general reader.
        const char *const last = data + stop;
        for (const char *p = data + begin; p < last; ++p) {
            if (*p != '\n' && *p != '\r')
                continue;
            qsizetype lineEnd = p - data + 1;
            if (*p == '\r' && p + 1 < last && p[1] == '\n')
                ++lineEnd;
            onLine(lineStart, p - data, lineEnd);
            lineStart = lineEnd;
            p = data + lineEnd - 1;
        }
    } else {
        qsizetype at = begin;
        while (at < stop) {
            const char16_t c = unitAt(at);
            if (c == u'\n' || c == u'\r') {
                qsizetype lineEnd = at + unit;
                if (c == u'\r' && lineEnd < stop && unitAt(lineEnd) == u'\n')
                    lineEnd += unit;
                onLine(lineStart, at, lineEnd);
                lineStart = at = lineEnd;
            } else {
                at += unit;
            }
        }
    }
    if (lineStart < end)
        onLine(lineStart, std::min(end, m_usable), end);
}

QString IniDocument::decodeLine(qsizetype begin, qsizetype end) const
{
    // Each line on its own, as the system reads lines: a broken sequence at the end of one
    // does not reach into the next. No encoding gives more UTF-16 units than bytes; one unit
    // more for the decoder's own needs.
    QString text(end - begin + 1, Qt::Uninitialized);
    const qsizetype units = decodeInto(QByteArrayView(m_original.constData() + begin, end - begin),
                                       reinterpret_cast<char16_t *>(text.data()));
    text.truncate(units);
    return text;
}

bool IniDocument::mayBeHeader(qsizetype begin, qsizetype end) const
{
    // The blanks and "[" are the same units in every encoding the document reads, and a line's
    // first character after blanks starts at a character's first byte: whether a line can be a
    // header is seen without decoding it.
    const qsizetype unit = unitSize();
    for (qsizetype at = begin; at + unit <= end; at += unit) {
        const char16_t c = unitAt(at);
        if (c == u'[')
            return true;
        if (!isIniSpace(QChar(c)))
            return false;
    }
    return false;
}

void IniDocument::materialize(const Section &section) const
{
    if (section.parsed)
        return;
    section.parsed = true;
    QList<Line> lines;
    forEachLine(section.byteBegin, section.byteEnd, [&](qsizetype begin, qsizetype contentEnd, qsizetype lineEnd) {
        const QString decoded = decodeLine(begin, contentEnd);
        Line line;
        line.raw = QByteArray::fromRawData(m_original.constData() + begin, lineEnd - begin);
        line.ended = lineEnd > contentEnd && contentEnd < m_usable;
        line.textBegin = m_text.size();
        line.textSize = decoded.size();
        m_text.append(decoded);
        parseLine(decoded, line);
        lines.append(std::move(line));
    });
    section.lines = std::move(lines);
}

bool IniDocument::isEmpty(const Section &section)
{
    return section.parsed ? section.lines.isEmpty() : section.byteBegin == section.byteEnd;
}

QList<IniDocument::Line> &IniDocument::linesOf(const Section &section) const
{
    materialize(section);
    return section.lines;
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
    document.m_original = bytes;
    const qsizetype unit = document.unitSize();
    document.m_usable = start + (bytes.size() - start) / unit * unit;

    // Only the headers are found now; a section's lines are split and decoded when a read or a
    // write first needs them. An untouched section is written back as the bytes it was.
    Section &preamble = document.m_sections.first();
    preamble.parsed = false;
    preamble.byteBegin = preamble.byteEnd = start;
    document.forEachLine(start, bytes.size(), [&](qsizetype begin, qsizetype contentEnd, qsizetype) {
        if (!document.mayBeHeader(begin, contentEnd))
            return;
        const QString decoded = document.decodeLine(begin, contentEnd);
        Line line;
        parseLine(decoded, line);
        if (line.kind != Kind::Header)
            return;
        document.m_sections.last().byteEnd = begin;
        document.m_sections.append(Section());
        Section &section = document.m_sections.last();
        section.name = QStringView(decoded).mid(line.nameBegin, line.nameSize).toString();
        section.parsed = false;
        section.byteBegin = begin;
    });
    document.m_sections.last().byteEnd = bytes.size();
    // Indexed once all are known: one allocation for the index.
    document.m_index.reserve(document.m_sections.size());
    for (qsizetype s = 1; s < document.m_sections.size(); ++s)
        document.index(s);
    return document;
}

QByteArray IniDocument::serialize() const
{
    QByteArray out;
    out.reserve(m_original.size() + 4096);
    out += m_bom;
    for (const Section &section : m_sections) {
        if (!section.parsed) {
            out.append(m_original.constData() + section.byteBegin, section.byteEnd - section.byteBegin);
            continue;
        }
        for (const Line &line : section.lines) {
            if (!line.raw.isEmpty())
                out += line.raw;
            else
                out += encode(textOf(line)) + lineEnd();
        }
    }
    return out;
}

qsizetype IniDocument::decodeInto(QByteArrayView bytes, char16_t *out) const
{
    switch (m_encoding) {
    case Encoding::Utf8:
        return QStringDecoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom)
                   .appendToBuffer(reinterpret_cast<QChar *>(out), bytes)
            - reinterpret_cast<QChar *>(out);
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
        const auto *raw = reinterpret_cast<const uchar *>(bytes.data());
        const qsizetype units = bytes.size() / 2;
        for (qsizetype i = 0; i < units; ++i) {
            const uchar a = raw[2 * i], b = raw[2 * i + 1];
            out[i] = m_encoding == Encoding::Utf16LE ? char16_t(a | (b << 8)) : char16_t((a << 8) | b);
        }
        return units;
    }
    case Encoding::Ansi:
        break;
    }
    return Platform::decodeAnsi(bytes, out);
}

QByteArray IniDocument::encode(QStringView text) const
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
    return Platform::encodeAnsi(text);
}

QByteArray IniDocument::lineEnd() const
{
    return encode(QStringLiteral("\r\n"));
}

// A line added after the last line of the file needs that line to be ended first.
void IniDocument::endLastLine()
{
    for (qsizetype s = m_sections.size() - 1; s >= 0; --s) {
        if (isEmpty(m_sections[s]))
            continue;
        Line &last = linesOf(m_sections[s]).last();
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
        const Section &section = m_sections.at(s);
        if (!section.parsed) {
            size += section.byteEnd - section.byteBegin;
            continue;
        }
        for (const Line &line : section.lines)
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
    m_sections.last().name = name;
    index(m_sections.size() - 1);
    return m_sections.last();
}

void IniDocument::index(qsizetype index)
{
    QString folded = fold(m_sections.at(index).name);
    const auto found = m_index.find(folded);
    if (found == m_index.end()) {
        m_index.insert(std::move(folded), { index, index });
    } else {
        m_sections[found->second].nextSameName = index;
        found->second = index;
    }
}

// A new section, header and entries, after the file's last line.
void IniDocument::appendSectionAtEnd(const QString &name, const QList<Line> &entries)
{
    endLastLine();
    Section &section = appendSection(trimmedIni(name));
    section.lines.append(headerLine(section.name));
    section.lines.append(entries);
}

const IniDocument::Section *IniDocument::firstSection(const QString &name) const
{
    const QString folded = fold(name);
    if (folded.isEmpty())
        return &m_sections.first();
    const auto found = m_index.constFind(folded);
    return found == m_index.constEnd() ? nullptr : &m_sections.at(found->first);
}

qsizetype IniDocument::findKey(const Section &section, const QString &key) const
{
    if (!section.keysValid) {
        section.keys.clear();
        const QList<Line> &lines = linesOf(section);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const Line &line = lines.at(i);
            if (line.kind == Kind::Entry) {
                const QString folded = fold(nameOf(line));
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
    for (const Line &line : linesOf(*section)) {
        if (line.kind != Kind::Entry)
            continue;
        // Of two entries in a row without a name, the second is not kept by the system.
        const QStringView name = nameOf(line);
        const std::optional<QStringView> value = valueOf(line);
        const bool nameEmpty = name.isEmpty();
        if (nameEmpty && previousNameEmpty)
            continue;
        previousNameEmpty = nameEmpty;
        if (name.startsWith(QLatin1Char(';')) || (nameEmpty && !value))
            continue;
        QString text = name.toString();
        if (value)
            text.append(QLatin1Char('=')).append(*value);
        lines.append(text);
    }
    return lines;
}

std::optional<QString> IniDocument::value(const QString &sectionName, const QString &key) const
{
    const Section *section = firstSection(sectionName);
    if (!section)
        return std::nullopt;
    const qsizetype at = findKey(*section, key);
    const std::optional<QStringView> found = at < 0 ? std::nullopt : valueOf(linesOf(*section).at(at));
    if (!found)
        return std::nullopt;
    QString text = found->toString();
    if (text.size() >= 2 && (text.front() == QLatin1Char('"') || text.front() == QLatin1Char('\''))
        && text.back() == text.front())
        text = text.mid(1, text.size() - 2);
    return text;
}

void IniDocument::insertAfterLastEntry(qsizetype sectionIndex, Line line)
{
    Section &section = m_sections[sectionIndex];
    materialize(section);
    qsizetype at = section.lines.size();
    while (at > 0 && section.lines.at(at - 1).kind == Kind::Blank)
        --at;
    // Inserting after the file's last line: that line must end first.
    bool atFileEnd = at == section.lines.size();
    for (qsizetype s = sectionIndex + 1; atFileEnd && s < m_sections.size(); ++s)
        atFileEnd = isEmpty(m_sections.at(s));
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
        sectionIndex = found->first;
    }
    Section &section = m_sections[sectionIndex];
    const qsizetype at = findKey(section, key); // the section's lines are split by now
    const QString newValue = trimmedIni(value);
    if (at >= 0) {
        Line &line = section.lines[at];
        const std::optional<QStringView> old = valueOf(line);
        if (old && *old == newValue)
            return false;
        // Re-encoded with CR LF, like every line the system writes; the name as it was.
        Line changed = entryLine(nameOf(line).toString(), newValue);
        changed.ended = line.ended;
        line = std::move(changed);
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
        for (qsizetype s = found->first; s >= 0; s = m_sections.at(s).nextSameName)
            targets.append(s);

    if (targets.isEmpty()) {
        if (entries.isEmpty())
            return false;
        appendSectionAtEnd(sectionName, entries);
        return true;
    }
    bool changed = false;
    for (qsizetype s : targets) {
        Section &section = m_sections[s];
        materialize(section);
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
        materialize(first);
        const qsizetype at = first.lines.isEmpty() || first.lines.first().kind != Kind::Header ? 0 : 1;
        bool atFileEnd = at == first.lines.size();
        for (qsizetype s = targets.first() + 1; atFileEnd && s < m_sections.size(); ++s)
            atFileEnd = isEmpty(m_sections.at(s));
        if (atFileEnd)
            endLastLine();
        for (qsizetype i = 0; i < entries.size(); ++i)
            first.lines.insert(at + i, entries.at(i));
        changed = true;
    }
    return changed;
}

bool IniDocument::removeKey(const QString &sectionName, const QString &key)
{
    const QString folded = fold(sectionName);
    qsizetype sectionIndex = 0;
    if (!folded.isEmpty()) {
        const auto found = m_index.constFind(folded);
        if (found == m_index.constEnd())
            return false;
        sectionIndex = found->first;
    }
    Section &section = m_sections[sectionIndex];
    const qsizetype at = findKey(section, key); // the section's lines are split by now
    if (at < 0)
        return false;
    section.lines.removeAt(at);
    section.keysValid = false;
    return true;
}

bool IniDocument::removeSection(const QString &sectionName)
{
    const QString folded = fold(sectionName);
    const auto found = m_index.constFind(folded);
    if (folded.isEmpty() || found == m_index.constEnd())
        return false;
    m_sections.removeAt(found->first);
    reindex();
    return true;
}

void IniDocument::reindex()
{
    m_index.clear();
    for (Section &section : m_sections)
        section.nextSameName = -1;
    for (qsizetype s = 1; s < m_sections.size(); ++s)
        index(s);
}
