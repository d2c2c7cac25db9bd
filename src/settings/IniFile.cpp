#include "settings/IniFile.h"

#include "base/CodePage.h"
#include "settings/IniCache.h"

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

using Line = IniDocument::Line;

// The cached copy when there is a cache, otherwise a fresh reading.
const IniDocument& documentOf(const QString& fileName, IniCache* cache, IniDocument& fresh) {
    if (cache)
        return cache->document(fileName);
    QFile file(fileName);
    fresh = IniDocument::fromBytes(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    return fresh;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
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
    // Unbuffered and written until done or refused: a buffered QSaveFile takes a short write
    // (file-size limit, full disk) for done and commits a cut settings file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            file.cancelWriting();
            return false;
        }
        done += written;
    }
    return file.commit();
}

} // namespace

QString GetIniValue(const QString& fileName, const QString& section, const QString& key,
                    const QString& defaultValue, IniCache* cache) {
    IniDocument fresh;
    return GetIniValue(documentOf(fileName, cache, fresh), section, key, defaultValue);
}

QString GetIniValue(const IniDocument& doc, const QString& section, const QString& key,
                    const QString& defaultValue) {
    QString text = doc.value(doc.findSection(section), key).value_or(defaultValue);
    text.truncate(kValueBuffer);
    const int comment = text.indexOf(QLatin1Char(';'));
    if (comment >= 0)
        text.truncate(comment);
    text = ReplaceAll(text, QStringLiteral("\t"), QString());
    return IniDocument::trimBlanks(text);
}

int SetIniValue(const QString& fileName, const QString& section, const QString& key,
                const QString& value, IniCache* cache) {
    const QString sectionName = IniDocument::trimBlanks(section);
    const QString keyName = IniDocument::trimBlanks(key);
    if (sectionName.isEmpty() || keyName.isEmpty())
        return 0;

    IniDocument fresh;
    const IniDocument& doc = documentOf(fileName, cache, fresh);
    const QList<Line> parsed = doc.lines();
    QStringList lines;
    lines.reserve(parsed.size());
    for (const Line& line : parsed)
        lines.append(line.text);
    const int wanted = doc.findSection(sectionName);
    if (cache)
        cache->drop(fileName); // whatever the outcome, the next reading sees the file anew
    if (wanted < 0) {
        lines.append(QLatin1Char('[') + sectionName + QLatin1Char(']'));
        lines.append(keyName + QLatin1Char('=') + value);
        return writeLines(fileName, lines) ? 1 : 0;
    }

    int lastEntry = -1; // the header, then every non-blank line of the section
    for (int i = 0; i < parsed.size(); ++i) {
        const Line& line = parsed[i];
        if (line.section != wanted)
            continue;
        if (line.kind == Line::Entry && sameName(line.name, keyName)) {
            lines[i] = line.name + QLatin1Char('=') + value;
            return writeLines(fileName, lines) ? 1 : 0;
        }
        if (line.kind == Line::Section || !IniDocument::trimBlanks(lines[i]).isEmpty())
            lastEntry = i;
    }
    lines.insert(lastEntry + 1, keyName + QLatin1Char('=') + value);
    return writeLines(fileName, lines) ? 1 : 0;
}

QStringList GetIniKeys(const QString& section, const QString& fileName, IniCache* cache) {
    IniDocument fresh;
    return GetIniKeys(documentOf(fileName, cache, fresh), section);
}

QStringList GetIniKeys(const IniDocument& doc, const QString& section) {
    QStringList keys{QString()};
    // The names as the profile read delivers them: each followed by a separator, the whole
    // cut so that two separators still fit into the buffer.
    int used = 0;
    for (const QString& name : doc.keys(doc.findSection(section))) {
        const int room = kKeyBuffer - 2 - used;
        if (room <= 0)
            break;
        keys.append(name.left(room));
        used += name.size() + 1;
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
