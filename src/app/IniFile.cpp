#include "app/IniFile.h"

#include "base/CodePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zoz {

namespace {

// The private-profile read kept 127 characters in a buffer of 128.
constexpr int kValueBuffer = 127;
// Key names are read into a buffer of 10240 characters ending with two separators.
constexpr int kKeyBuffer = 10240;

// One line of the file as the profile functions see it.
struct ProfileLine {
    enum Kind { Other, Section, Entry };
    Kind kind = Other;
    int section = -1; // index of the section the line belongs to, -1 before the first
    QString name;     // section or key name, trimmed
    QString value;    // entry value, trimmed, quotes removed
};

QStringList readLines(const QString& fileName, bool* exists = nullptr) {
    QFile file(fileName);
    if (exists)
        *exists = false;
    if (!file.open(QIODevice::ReadOnly))
        return {};
    if (exists)
        *exists = true;
    QStringList lines = CodePage::toUnicode(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the break after the last line opens no line of its own
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

QString unquote(const QString& value) {
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

ProfileLine classify(const QString& raw, int currentSection) {
    ProfileLine line;
    line.section = currentSection;
    const QString text = raw.trimmed();
    if (text.startsWith(QLatin1Char('['))) {
        int end = text.indexOf(QLatin1Char(']'));
        if (end < 0)
            end = text.size();
        line.kind = ProfileLine::Section;
        line.section = currentSection + 1;
        line.name = text.mid(1, end - 1).trimmed();
        return line;
    }
    if (currentSection < 0 || text.isEmpty() || text.startsWith(QLatin1Char(';')))
        return line;
    const int eq = text.indexOf(QLatin1Char('='));
    line.name = (eq < 0 ? text : text.left(eq)).trimmed();
    if (line.name.isEmpty())
        return line;
    line.kind = ProfileLine::Entry;
    if (eq >= 0)
        line.value = unquote(text.mid(eq + 1).trimmed());
    return line;
}

QList<ProfileLine> parse(const QStringList& lines) {
    QList<ProfileLine> parsed;
    parsed.reserve(lines.size());
    int section = -1;
    for (const QString& raw : lines) {
        parsed.append(classify(raw, section));
        section = parsed.last().section;
    }
    return parsed;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index of the first section of that name, -1 when there is none.
int findSection(const QList<ProfileLine>& parsed, const QString& section) {
    const QString wanted = section.trimmed();
    for (const ProfileLine& line : parsed) {
        if (line.kind == ProfileLine::Section && sameName(line.name, wanted))
            return line.section;
    }
    return -1;
}

bool writeLines(const QString& fileName, const QStringList& lines) {
    const QFileInfo info(fileName);
    if (info.exists() && (!info.isFile() || !info.isWritable()))
        return false;
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes.append(CodePage::fromUnicode(line));
        bytes.append("\r\n");
    }
    QSaveFile file(fileName);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

QString GetIniValue(const QString& fileName, const QString& section, const QString& key,
                    const QString& defaultValue) {
    QString text = defaultValue;
    const QList<ProfileLine> parsed = parse(readLines(fileName));
    const int wanted = findSection(parsed, section);
    if (wanted >= 0) {
        const QString wantedKey = key.trimmed();
        for (const ProfileLine& line : parsed) {
            if (line.section == wanted && line.kind == ProfileLine::Entry &&
                sameName(line.name, wantedKey)) {
                text = line.value;
                break;
            }
        }
    }
    text.truncate(kValueBuffer);
    const int comment = text.indexOf(QLatin1Char(';'));
    if (comment >= 0)
        text.truncate(comment);
    text = ReplaceAll(text, QStringLiteral("\t"), QString());
    return text.trimmed();
}

int SetIniValue(const QString& fileName, const QString& section, const QString& key,
                const QString& value) {
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    if (sectionName.isEmpty() || keyName.isEmpty())
        return 0;

    QStringList lines = readLines(fileName);
    const QList<ProfileLine> parsed = parse(lines);
    const int wanted = findSection(parsed, sectionName);
    if (wanted < 0) {
        lines.append(QLatin1Char('[') + sectionName + QLatin1Char(']'));
        lines.append(keyName + QLatin1Char('=') + value);
        return writeLines(fileName, lines) ? 1 : 0;
    }

    int lastEntry = -1; // the header, then every non-blank line of the section
    for (int i = 0; i < parsed.size(); ++i) {
        const ProfileLine& line = parsed[i];
        if (line.section != wanted)
            continue;
        if (line.kind == ProfileLine::Entry && sameName(line.name, keyName)) {
            lines[i] = line.name + QLatin1Char('=') + value;
            return writeLines(fileName, lines) ? 1 : 0;
        }
        if (line.kind == ProfileLine::Section || !lines[i].trimmed().isEmpty())
            lastEntry = i;
    }
    lines.insert(lastEntry + 1, keyName + QLatin1Char('=') + value);
    return writeLines(fileName, lines) ? 1 : 0;
}

QStringList GetIniKeys(const QString& section, const QString& fileName) {
    QStringList keys{QString()};
    const QList<ProfileLine> parsed = parse(readLines(fileName));
    const int wanted = findSection(parsed, section);
    if (wanted < 0)
        return keys;

    // The names as the profile read delivers them: each followed by a separator, the whole
    // cut so that two separators still fit into the buffer.
    int used = 0;
    for (const ProfileLine& line : parsed) {
        if (line.section != wanted || line.kind != ProfileLine::Entry)
            continue;
        bool seen = false;
        for (int k = 1; k < keys.size() && !seen; ++k)
            seen = sameName(keys[k], line.name);
        if (seen)
            continue;
        const int room = kKeyBuffer - 2 - used;
        if (room <= 0)
            break;
        keys.append(line.name.left(room));
        used += line.name.size() + 1;
    }
    return keys;
}

bool IsYes(const QString& value) {
    const QString upper = value.toUpper();
    return upper == QLatin1String("JA") || upper == QLatin1String("YES");
}

QString ReplaceParams(QString& text, const QString& p1, const QString& p2, const QString& p3,
                      const QString& p4, const QString& p5) {
    for (const QString* param : {&p1, &p2, &p3, &p4, &p5}) {
        const int at = text.indexOf(QLatin1Char('&'));
        if (at >= 0)
            text.replace(at, 1, *param);
    }
    return text;
}

QString ReplaceAll(const QString& text, const QString& find, const QString& replacement) {
    if (find.isEmpty())
        return text;
    QString result = text;
    if (replacement.contains(find)) // searching from the start again would never end
        return result.replace(find, replacement);
    for (int at = result.indexOf(find); at >= 0; at = result.indexOf(find))
        result.replace(at, find.size(), replacement);
    return result;
}

bool FileExists(const QString& fileName) {
    if (fileName.isEmpty())
        return false;
    const QFileInfo info(fileName);
    const QString name = info.fileName();
    if (!name.contains(QLatin1Char('*')) && !name.contains(QLatin1Char('?')))
        return info.isFile();
    const QDir folder = info.dir();
    if (!folder.exists())
        return false;
    return !folder.entryList({name}, QDir::Files | QDir::Hidden | QDir::System).isEmpty();
}

} // namespace zoz
