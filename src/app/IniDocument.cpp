#include "app/IniDocument.h"

#include "base/CodePage.h"

namespace zoz {

namespace {

QString unquote(const QString& value) {
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

IniDocument::Line classify(const QString& raw, int currentSection) {
    IniDocument::Line line;
    line.section = currentSection;
    const QString text = IniDocument::trimBlanks(raw);
    if (text.startsWith(QLatin1Char('['))) {
        int end = text.indexOf(QLatin1Char(']'));
        if (end < 0)
            end = text.size();
        line.kind = IniDocument::Line::Section;
        line.section = currentSection + 1;
        line.name = IniDocument::trimBlanks(text.mid(1, end - 1));
        return line;
    }
    if (currentSection < 0 || text.isEmpty() || text.startsWith(QLatin1Char(';')))
        return line;
    const int eq = text.indexOf(QLatin1Char('='));
    line.name = IniDocument::trimBlanks(eq < 0 ? text : text.left(eq));
    if (line.name.isEmpty())
        return line;
    line.kind = IniDocument::Line::Entry;
    if (eq >= 0)
        line.value = unquote(IniDocument::trimBlanks(text.mid(eq + 1)));
    return line;
}

} // namespace

QString IniDocument::trimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return begin == 0 && end == text.size() ? text : text.mid(begin, end - begin);
}

QStringList IniDocument::splitLines(const QByteArray& bytes) {
    QStringList lines = CodePage::toUnicode(bytes).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

IniDocument IniDocument::fromBytes(const QByteArray& bytes) {
    IniDocument doc;
    doc.m_lines = splitLines(bytes);
    doc.m_parsed.reserve(doc.m_lines.size());
    int section = -1;
    for (const QString& raw : std::as_const(doc.m_lines)) {
        Line line = classify(raw, section);
        section = line.section;
        doc.m_parsed.append(std::move(line));
    }
    // The first of duplicates wins: index backwards so that earlier lines overwrite later ones.
    for (auto it = doc.m_parsed.crbegin(); it != doc.m_parsed.crend(); ++it) {
        if (it->kind == Line::Section)
            doc.m_sections.insert(it->name.toCaseFolded(), it->section);
        else if (it->kind == Line::Entry)
            doc.m_values.insert({it->section, it->name.toCaseFolded()}, it->value);
    }
    return doc;
}

int IniDocument::findSection(const QString& name) const {
    return m_sections.value(folded(name), -1);
}

const QString* IniDocument::value(int section, const QString& key) const {
    const auto it = m_values.constFind({section, folded(key)});
    return it == m_values.cend() ? nullptr : &it.value();
}

} // namespace zoz
