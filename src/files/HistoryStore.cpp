#include "files/HistoryStore.h"

#include "dataset/DataSetImage.h"
#include "files/SafeFile.h"
#include "settings/IniFile.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>

namespace zoz {

namespace {

const QRegularExpression& namePattern() {
    static const QRegularExpression re(
        QStringLiteral(R"(^(\d{4}-\d{2}-\d{2}_\d{6})_(received|sent|unsent)(?:_(\d+))?\.DAT$)"),
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd_HHmmss");
constexpr int kUnchangedAfterSecs = 1;

QString directionWord(HistoryEntry::Direction direction) {
    return direction == HistoryEntry::Direction::Sent ? QStringLiteral("sent")
                                                      : QStringLiteral("received");
}

bool newerFirst(const HistoryEntry& a, const HistoryEntry& b) {
    if (a.readable != b.readable)
        return a.readable;
    const bool unsentA = a.direction == HistoryEntry::Direction::Unsent;
    if (unsentA != (b.direction == HistoryEntry::Direction::Unsent))
        return unsentA;
    if (a.time != b.time)
        return a.time > b.time;
    if (a.sequence != b.sequence)
        return a.sequence > b.sequence;
    return a.filePath < b.filePath;
}

} // namespace

QString HistoryStore::folderIn(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("History"));
}

int HistoryStore::keepFrom(const QString& iniFileName) {
    bool ok = false;
    const int keep =
        GetIniValue(iniFileName, QStringLiteral("History"), QStringLiteral("Keep"), QString())
            .trimmed()
            .toInt(&ok);
    return ok && keep > 0 ? keep : DefaultKeep;
}

QString HistoryStore::write(const DataSet& set, HistoryEntry::Direction direction,
                            const QDateTime& when, int keep, QString* failure) {
    QDir dir(m_folder);
    if (!dir.exists() && !QDir().mkpath(m_folder)) {
        if (failure)
            *failure = QStringLiteral("cannot create the folder %1").arg(m_folder);
        return {};
    }
    // The number counts every set of that second, whatever its direction, so that the names
    // keep the order in which the sets came.
    const QString stem = when.toString(kTimeFormat) + QLatin1Char('_');
    auto name = [&](HistoryEntry::Direction d, int n) {
        return stem + directionWord(d) +
               (n > 1 ? QStringLiteral("_%1.DAT").arg(n) : QStringLiteral(".DAT"));
    };
    const QByteArray image = DataSetImage::Write(set);

    // A receive that brings exactly what the newest entry received adds nothing: that entry stays
    // and only notes when the set was last seen unchanged (its file's modification time).
    const QList<HistoryEntry> before = ours();
    if (direction == HistoryEntry::Direction::Received && !before.isEmpty() &&
        before.first().direction == HistoryEntry::Direction::Received) {
        QFile newest(before.first().filePath);
        if (newest.open(QIODevice::ReadWrite) && newest.readAll() == image &&
            newest.setFileTime(when, QFileDevice::FileModificationTime))
            return newest.fileName();
    }

    int n = 1;
    while (dir.exists(name(HistoryEntry::Direction::Received, n)) ||
           dir.exists(name(HistoryEntry::Direction::Sent, n)))
        ++n;
    const QString path = dir.filePath(name(direction, n));

    // Whole or not at all: a full disk or a file-size limit leaves no entry behind.
    const QString error = SafeFile::Write(path, image);
    if (!error.isEmpty()) {
        if (failure)
            *failure = error;
        return {};
    }

    // The file's time is the entry's, so that a later one tells when it was last seen.
    QFile written(path);
    if (written.open(QIODevice::Append))
        written.setFileTime(when, QFileDevice::FileModificationTime);
    written.close();

    // Each direction keeps its own newest: a run of receives never pushes out the last confirmed
    // send. Only our own entries count and go (unsent ones have their own bound); foreign and
    // broken files stay where they are.
    QHash<int, int> kept;
    for (const HistoryEntry& entry : ours()) {
        if (++kept[int(entry.direction)] > keep)
            QFile::remove(entry.filePath);
    }
    return path;
}

QList<HistoryEntry> HistoryStore::ours() const {
    QList<HistoryEntry> list = scan(false);
    list.erase(std::remove_if(list.begin(), list.end(),
                              [](const HistoryEntry& e) {
                                  return !e.readable ||
                                         e.direction == HistoryEntry::Direction::Unsent;
                              }),
               list.end());
    return list;
}

QString HistoryStore::keepUnsent(const DataSet& set, const QDateTime& when, const QString& replace,
                                 QString* failure) {
    const QDir dir(m_folder);
    if (!QDir().mkpath(m_folder)) {
        if (failure)
            *failure = QStringLiteral("cannot create the folder %1").arg(m_folder);
        return {};
    }
    const QString old = replace.isEmpty() ? QString() : QFileInfo(replace).absoluteFilePath();
    QString path;
    for (int n = 1; path.isEmpty() || (QFileInfo::exists(path) && path != old); ++n)
        path = dir.absoluteFilePath(
            when.toString(kTimeFormat) + QStringLiteral("_unsent") +
            (n > 1 ? QStringLiteral("_%1.DAT").arg(n) : QStringLiteral(".DAT")));
    const QString error = SafeFile::Write(path, DataSetImage::Write(set));
    if (!error.isEmpty()) {
        if (failure)
            *failure = error;
        return {};
    }
    if (!old.isEmpty() && old != path)
        QFile::remove(old);
    int unsent = 0;
    for (const HistoryEntry& entry : scan(false))
        if (entry.direction == HistoryEntry::Direction::Unsent && ++unsent > MaxUnsent)
            QFile::remove(entry.filePath);
    return path;
}

void HistoryStore::dropUnsent(const QString& path) {
    for (const HistoryEntry& entry : scan(false))
        if (entry.direction == HistoryEntry::Direction::Unsent &&
            (path.isEmpty() || entry.filePath == QFileInfo(path).absoluteFilePath()))
            QFile::remove(entry.filePath);
}

HistoryStore::ReadResult HistoryStore::readDataSet(const QString& path, DataSet& set) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadResult::Unreadable;
    if (file.size() != DataSetImage::Size)
        return ReadResult::WrongLength;
    return DataSetImage::Read(file.read(DataSetImage::Size), set) ? ReadResult::Ok
                                                                  : ReadResult::Unreadable;
}

QList<HistoryEntry> HistoryStore::entries() const {
    return scan(true);
}

QList<HistoryEntry> HistoryStore::scan(bool readData) const {
    QList<HistoryEntry> list;
    const QFileInfoList files =
        QDir(m_folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo& info : files) {
        HistoryEntry entry;
        entry.filePath = info.absoluteFilePath();
        const QRegularExpressionMatch m = namePattern().match(info.fileName());
        if (m.hasMatch()) {
            entry.time = QDateTime::fromString(m.captured(1), kTimeFormat);
            const QString word = m.captured(2).toLower();
            entry.direction = word == QLatin1String("sent")     ? HistoryEntry::Direction::Sent
                              : word == QLatin1String("unsent") ? HistoryEntry::Direction::Unsent
                                                                : HistoryEntry::Direction::Received;
            entry.sequence = m.captured(3).isEmpty() ? 1 : m.captured(3).toInt();
            if (!entry.time.isValid())
                entry.direction = HistoryEntry::Direction::Unknown;
        }
        entry.readable = entry.direction != HistoryEntry::Direction::Unknown &&
                         info.size() == DataSetImage::Size;
        // Written at its name's time; a later time is the last receive that found it unchanged.
        const QDateTime modified = info.lastModified();
        if (entry.readable && entry.time.secsTo(modified) >= kUnchangedAfterSecs)
            entry.lastSeen = modified;
        if (entry.readable && readData)
            entry.readable = readDataSet(entry.filePath, entry.data) == ReadResult::Ok;
        list.append(entry);
    }
    std::sort(list.begin(), list.end(), newerFirst);
    return list;
}

} // namespace zoz
