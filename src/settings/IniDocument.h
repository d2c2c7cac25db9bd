#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <vector>

namespace zoz {

// One reading of a settings file, kept lean as the program holds it for its whole run: the file's
// bytes and, per section and entry, where its name and value lie in them, with an index of the
// case-folded names so that a lookup needs no scan. The text is decoded only for what is asked.
class IniDocument {
public:
    // A line as the writers see it, made only when the file is to be changed.
    struct Line {
        enum Kind { Other, Section, Entry };
        Kind kind = Other;
        int section = -1; // index of the section the line belongs to, -1 before the first
        QString text;     // the line without its CR LF or LF
        QString name;     // section or key name, blanks trimmed
    };

    IniDocument() = default;
    // Windows-1252 bytes, CR LF or LF lines.
    static IniDocument fromBytes(const QByteArray& bytes);
    // The text's lines without their CR LF or LF; the break after the last line opens no line.
    static QStringList splitLines(const QByteArray& bytes);
    // Blanks (0x20) only: tabs, no-break spaces and line breaks belong to the text.
    static QString trimBlanks(const QString& text);

    const QByteArray& bytes() const { return m_bytes; }
    // Every line classified as the lookups classify it, for the writers.
    QList<Line> lines() const;
    int sectionCount() const { return int(m_sections.size()); }
    QString sectionName(int section) const;
    // Index of the first section of that name, -1 when there is none.
    int findSection(const QString& name) const;
    // The value of the first entry of that key in the section (blanks trimmed, one pair of
    // matching quotes removed); nothing when there is none.
    std::optional<QString> value(int section, const QString& key) const;
    // The section's key names in file order, of duplicates (without case) the first.
    QStringList keys(int section) const;

private:
    struct Span {
        int at = 0;
        int size = 0;
    };
    struct Section {
        Span name;
        uint hash = 0;
        int firstEntry = 0;
    };
    struct Entry {
        Span name;
        Span value;
        uint hash = 0;
        int section = 0;
    };

    QString text(Span span) const;
    bool sameName(Span span, QStringView folded) const;
    uint hashOf(Span span) const;
    // The first entry of that case-folded name in the section, -1 when there is none.
    int findEntry(int section, QStringView folded, uint hash) const;

    QByteArray m_bytes;
    std::vector<Section> m_sections;
    std::vector<Entry> m_entries;
    // Indexes sorted by hash (entries: by section, then hash), file order among equals.
    std::vector<int> m_sectionOrder;
    std::vector<int> m_entryOrder;
};

} // namespace zoz
