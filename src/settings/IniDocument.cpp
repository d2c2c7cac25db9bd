#include "settings/IniDocument.h"

#include "base/CodePage.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <tuple>

namespace zoz {

namespace {

// One line classified on the bytes: Windows-1252 maps every ASCII byte to itself and every byte
// to one character, so the offsets hold for the text too.
struct Classified {
    IniDocument::Line::Kind kind = IniDocument::Line::Other;
    int nameAt = 0, nameSize = 0;
    int valueAt = 0, valueSize = 0;
};

void trimBlankBytes(const char* data, int& at, int& size) {
    while (size > 0 && data[at] == ' ')
        ++at, --size;
    while (size > 0 && data[at + size - 1] == ' ')
        --size;
}

Classified classify(const char* data, int at, int size, bool inSection) {
    Classified line;
    trimBlankBytes(data, at, size);
    const char* const text = data + at;
    if (size > 0 && text[0] == '[') {
        const char* close = static_cast<const char*>(std::memchr(text, ']', size_t(size)));
        line.kind = IniDocument::Line::Section;
        line.nameAt = at + 1;
        line.nameSize = int((close ? close : text + size) - text) - 1;
        trimBlankBytes(data, line.nameAt, line.nameSize);
        return line;
    }
    if (!inSection || size == 0 || text[0] == ';')
        return line;
    const char* eq = static_cast<const char*>(std::memchr(text, '=', size_t(size)));
    line.nameAt = at;
    line.nameSize = eq ? int(eq - text) : size;
    trimBlankBytes(data, line.nameAt, line.nameSize);
    if (line.nameSize == 0)
        return line;
    line.kind = IniDocument::Line::Entry;
    if (eq) {
        line.valueAt = at + int(eq - text) + 1;
        line.valueSize = size - int(eq - text) - 1;
        trimBlankBytes(data, line.valueAt, line.valueSize);
        const char first = line.valueSize >= 2 ? data[line.valueAt] : 0;
        if ((first == '"' || first == '\'') && data[line.valueAt + line.valueSize - 1] == first) {
            ++line.valueAt;
            line.valueSize -= 2;
        }
    }
    return line;
}

// Calls visit(at, size) for every line without its CR LF or LF.
template <typename Visit> void forEachLine(const QByteArray& bytes, Visit visit) {
    const char* const data = bytes.constData();
    const int total = int(bytes.size());
    for (int at = 0; at < total;) {
        const char* nl = static_cast<const char*>(std::memchr(data + at, '\n', size_t(total - at)));
        const int end = nl ? int(nl - data) : total;
        const int size = end - at - (end > at && data[end - 1] == '\r' ? 1 : 0);
        visit(at, size);
        at = end + 1;
    }
}

// Case folding as QString::toCaseFolded does it: every character of the code page and every
// other one of the basic plane folds to one UTF-16 unit, so names are compared unit by unit.
char16_t folded(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80) // ASCII without a call
        return u >= 'A' && u <= 'Z' ? char16_t(u + ('a' - 'A')) : u;
    return c.toCaseFolded().unicode();
}

// The folded character of every byte of the file, made once.
char16_t foldedByte(char byte) {
    static const auto table = [] {
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b)
            t[size_t(b)] = folded(CodePage::toUnicode(static_cast<unsigned char>(b)));
        return t;
    }();
    return table[static_cast<unsigned char>(byte)];
}

// FNV-1a over the folded units, so that names equal without case hash equal.
uint foldHash(uint hash, char16_t folded) {
    return (hash ^ folded) * 16777619u;
}

constexpr uint kHashStart = 2166136261u;

uint foldHashOf(QStringView name) {
    uint hash = kHashStart;
    for (QChar c : name)
        hash = foldHash(hash, folded(c));
    return hash;
}

QStringView trimmedBlanks(QStringView text) {
    while (!text.isEmpty() && text.front() == QLatin1Char(' '))
        text = text.mid(1);
    while (!text.isEmpty() && text.back() == QLatin1Char(' '))
        text.chop(1);
    return text;
}

} // namespace

QString IniDocument::trimBlanks(const QString& text) {
    const QStringView trimmed = trimmedBlanks(text);
    return trimmed.size() == text.size() ? text : trimmed.toString();
}

QStringList IniDocument::splitLines(const QByteArray& bytes) {
    QStringList lines;
    forEachLine(bytes, [&](int at, int size) {
        lines.append(CodePage::toUnicode(QByteArray::fromRawData(bytes.constData() + at, size)));
    });
    return lines;
}

IniDocument IniDocument::fromBytes(const QByteArray& bytes) {
    IniDocument doc;
    doc.m_bytes = bytes;
    doc.m_entries.reserve(size_t(bytes.count('\n')) + 1);
    forEachLine(bytes, [&](int at, int size) {
        const Classified line = classify(bytes.constData(), at, size, !doc.m_sections.empty());
        const Span name{line.nameAt, line.nameSize};
        if (line.kind == Line::Section)
            doc.m_sections.push_back({name, doc.hashOf(name), int(doc.m_entries.size())});
        else if (line.kind == Line::Entry)
            doc.m_entries.push_back({name,
                                     {line.valueAt, line.valueSize},
                                     doc.hashOf(name),
                                     int(doc.m_sections.size()) - 1});
    });
    doc.m_sections.shrink_to_fit();
    doc.m_entries.shrink_to_fit();

    // Sorted stably on the hash, so that the first of duplicates comes first among equals.
    doc.m_sectionOrder.resize(doc.m_sections.size());
    std::iota(doc.m_sectionOrder.begin(), doc.m_sectionOrder.end(), 0);
    std::sort(doc.m_sectionOrder.begin(), doc.m_sectionOrder.end(), [&](int a, int b) {
        return std::tie(doc.m_sections[a].hash, a) < std::tie(doc.m_sections[b].hash, b);
    });
    doc.m_entryOrder.resize(doc.m_entries.size());
    std::iota(doc.m_entryOrder.begin(), doc.m_entryOrder.end(), 0);
    std::sort(doc.m_entryOrder.begin(), doc.m_entryOrder.end(), [&](int a, int b) {
        const Entry& x = doc.m_entries[a];
        const Entry& y = doc.m_entries[b];
        return std::tie(x.section, x.hash, a) < std::tie(y.section, y.hash, b);
    });
    return doc;
}

QList<IniDocument::Line> IniDocument::lines() const {
    QList<Line> lines;
    int section = -1;
    forEachLine(m_bytes, [&](int at, int size) {
        const Classified parsed = classify(m_bytes.constData(), at, size, section >= 0);
        Line line;
        line.kind = parsed.kind;
        if (parsed.kind == Line::Section)
            ++section;
        line.section = section;
        line.text = text({at, size});
        line.name = text({parsed.nameAt, parsed.nameSize});
        lines.append(std::move(line));
    });
    return lines;
}

QString IniDocument::text(Span span) const {
    return CodePage::toUnicode(QByteArray::fromRawData(m_bytes.constData() + span.at, span.size));
}

bool IniDocument::sameName(Span span, QStringView name) const {
    if (span.size != name.size())
        return false;
    const char* bytes = m_bytes.constData() + span.at;
    for (int i = 0; i < span.size; ++i) {
        if (foldedByte(bytes[i]) != folded(name[i]))
            return false;
    }
    return true;
}

uint IniDocument::hashOf(Span span) const {
    uint hash = kHashStart;
    const char* bytes = m_bytes.constData() + span.at;
    for (int i = 0; i < span.size; ++i)
        hash = foldHash(hash, foldedByte(bytes[i]));
    return hash;
}

QString IniDocument::sectionName(int section) const {
    return text(m_sections.at(size_t(section)).name);
}

int IniDocument::findSection(const QString& name) const {
    const QStringView wanted = trimmedBlanks(name);
    const uint hash = foldHashOf(wanted);
    auto it = std::lower_bound(m_sectionOrder.begin(), m_sectionOrder.end(), hash,
                               [&](int s, uint h) { return m_sections[s].hash < h; });
    for (; it != m_sectionOrder.end() && m_sections[*it].hash == hash; ++it) {
        if (sameName(m_sections[*it].name, wanted))
            return *it;
    }
    return -1;
}

int IniDocument::findEntry(int section, QStringView name, uint hash) const {
    const auto key = std::make_pair(section, hash);
    auto it = std::lower_bound(m_entryOrder.begin(), m_entryOrder.end(), key, [&](int e, auto k) {
        return std::make_pair(m_entries[e].section, m_entries[e].hash) < k;
    });
    for (; it != m_entryOrder.end() && m_entries[*it].section == section &&
           m_entries[*it].hash == hash;
         ++it) {
        if (sameName(m_entries[*it].name, name))
            return *it;
    }
    return -1;
}

std::optional<QString> IniDocument::value(int section, const QString& key) const {
    if (section < 0)
        return std::nullopt;
    const QStringView name = trimmedBlanks(key);
    const int entry = findEntry(section, name, foldHashOf(name));
    if (entry < 0)
        return std::nullopt;
    return text(m_entries[entry].value);
}

QStringList IniDocument::keys(int section) const {
    QStringList keys;
    if (section < 0 || section >= sectionCount())
        return keys;
    for (int e = m_sections[section].firstEntry;
         e < int(m_entries.size()) && m_entries[e].section == section; ++e) {
        QString name = text(m_entries[e].name);
        if (findEntry(section, name, m_entries[e].hash) == e)
            keys.append(std::move(name));
    }
    return keys;
}

} // namespace zoz
