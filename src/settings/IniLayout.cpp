#include "settings/IniLayout.h"

#include "base/CodePage.h"
#include "settings/IniCache.h"
#include "settings/IniFile.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace zoz {

namespace {

// The file's lines as text, without their CR LF or LF.
bool readLines(QFile& file, QStringList& lines) {
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    lines = IniDocument::splitLines(bytes);
    return true;
}

bool isEntryCandidate(const QString& trimmed) {
    return !trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char('[')) &&
           !trimmed.startsWith(QLatin1Char(';'));
}

// The bytes on the disk, not only in the system's cache, before the rename makes them the file.
bool syncToDisk(QFile& file) {
#ifdef Q_OS_UNIX
    return ::fsync(file.handle()) == 0;
#else
    return file.flush();
#endif
}

qint16 failed(int step, const QFile* file = nullptr) {
    int code = errno;
    if (code == 0 && file)
        code = static_cast<int>(file->error());
    return static_cast<qint16>(1000 * step + code);
}

} // namespace

std::optional<QStringList> LinedUpIniLines(const QStringList& lines) {
    // The first pass: the longest key of every section.
    QList<int> longest;
    int section = -1;
    for (const QString& raw : lines) {
        const QString line = IniDocument::trimBlanks(raw);
        if (line.startsWith(QLatin1Char('['))) {
            ++section;
            longest.append(0);
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (!isEntryCandidate(line) || eq < 0)
            continue;
        if (section < 0) // an entry that belongs to no section
            return std::nullopt;
        longest[section] =
            qMax(longest[section], int(IniDocument::trimBlanks(line.left(eq)).size()));
    }

    // The second pass: the lined-up copy.
    QStringList out;
    out.reserve(lines.size());
    section = -1;
    for (const QString& raw : lines) {
        QString line = IniDocument::trimBlanks(raw);
        if (line.startsWith(QLatin1Char('['))) {
            ++section;
        } else if (isEntryCandidate(line)) {
            const int eq = line.indexOf(QLatin1Char('='));
            if (eq < 0) {
                line = QStringLiteral("  ") + line;
            } else {
                const int width = section >= 0 ? longest[section] : 0;
                line = QStringLiteral("  ") +
                       IniDocument::trimBlanks(line.left(eq)).leftJustified(width) +
                       QStringLiteral(" = ") + IniDocument::trimBlanks(line.mid(eq + 1));
            }
        }
        out.append(line);
    }
    return out;
}

qint16 FormatIniFile(const QString& fileName, IniCache* cache) {
    // Step 1
    if (!FileExists(fileName))
        return 1000;
    if (cache)
        cache->drop(fileName);

    // Steps 2 to 4
    QStringList lines;
    {
        QFile source(fileName);
        errno = 0;
        if (!source.open(QIODevice::ReadOnly))
            return failed(2, &source);
        errno = 0;
        if (!readLines(source, lines))
            return failed(3, &source);
    }
    const std::optional<QStringList> linedUp = LinedUpIniLines(lines);
    if (!linedUp) {
        errno = ERANGE;
        return failed(3);
    }

    // Steps 5 to 10: the lined-up copy into the temporary file beside the settings file. A copy
    // that could not be written whole goes again, so that no cut copy is ever taken back.
    const QString tempName = TempIniFileName(fileName);
    QFile temp(tempName);
    errno = 0;
    if (!temp.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return failed(6, &temp);
    auto dropTemp = [&temp](qint16 result) {
        temp.close();
        temp.remove();
        return result;
    };
    for (const QString& line : *linedUp) {
        const QByteArray bytes = CodePage::fromUnicode(line) + "\r\n";
        errno = 0;
        if (temp.write(bytes) != bytes.size())
            return dropTemp(failed(7, &temp));
    }
    errno = 0;
    if (!temp.flush() || !syncToDisk(temp))
        return dropTemp(failed(10, &temp));
    temp.close();

    // Steps 11 and 12: the rename replaces the settings file in one step (never deleted first),
    // so a kill at any moment leaves the old or the new file.
    errno = 0;
    if (std::rename(QFile::encodeName(tempName).constData(),
                    QFile::encodeName(fileName).constData()) != 0) {
        const qint16 result = failed(12);
        QFile::remove(tempName);
        return result;
    }
    return 0;
}

QString TempIniFileName(const QString& fileName) {
    const int slash =
        qMax(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
    return fileName.left(slash + 1) + QStringLiteral("tmptmp.tmp");
}

bool TakeBackIniFile(const QString& fileName) {
    const QString tempName = TempIniFileName(fileName);
    if (QFileInfo::exists(fileName) || !QFileInfo(tempName).isFile())
        return false;
    QFile temp(tempName);
    if (!temp.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = temp.readAll();
    temp.close();
    // Complete: every line ended with CR LF and already lined up, as the re-layout writes it.
    // A copy cut inside a line, or a file of someone else, stays where it is.
    if (bytes.isEmpty() || !bytes.endsWith("\r\n"))
        return false;
    const QStringList lines = IniDocument::splitLines(bytes);
    const std::optional<QStringList> linedUp = LinedUpIniLines(lines);
    if (!linedUp || *linedUp != lines)
        return false;
    return std::rename(QFile::encodeName(tempName).constData(),
                       QFile::encodeName(fileName).constData()) == 0;
}

} // namespace zoz
