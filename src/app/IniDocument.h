#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace zoz {

// One reading of a settings file: its lines, each classified once, and an index of the first
// section of every name and the first entry of every key in it, so that a lookup needs no scan.
class IniDocument {
public:
    struct Line {
        enum Kind { Other, Section, Entry };
        Kind kind = Other;
        int section = -1; // index of the section the line belongs to, -1 before the first
        QString name;     // section or key name, blanks trimmed
        QString value;    // entry value, blanks trimmed, one pair of matching quotes removed
    };

    IniDocument() = default;
    // Windows-1252 bytes, CR LF or LF lines.
    static IniDocument fromBytes(const QByteArray& bytes);
    // The text's lines without their CR LF or LF; the break after the last line opens no line.
    static QStringList splitLines(const QByteArray& bytes);
    // Blanks (0x20) only: tabs, no-break spaces and line breaks belong to the text.
    static QString trimBlanks(const QString& text);

    const QStringList& lines() const { return m_lines; }
    const QList<Line>& parsed() const { return m_parsed; }
    // Index of the first section of that name, -1 when there is none.
    int findSection(const QString& name) const;
    // The value of the first entry of that key in the section; nullptr when there is none.
    const QString* value(int section, const QString& key) const;

private:
    static QString folded(const QString& name) { return trimBlanks(name).toCaseFolded(); }

    QStringList m_lines;
    QList<Line> m_parsed;
    QHash<QString, int> m_sections;
    QHash<QPair<int, QString>, QString> m_values;
};

} // namespace zoz
