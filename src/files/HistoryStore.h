#pragma once

#include "dataset/DataSet.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace zoz {

// One file of the history folder. A file that is not one of ours or cannot be read as a data set
// is listed with readable false.
struct HistoryEntry {
    // Unsent: the editor's set with edits not yet sent, kept so that they are never lost.
    enum class Direction { Unknown, Received, Sent, Unsent };

    QString filePath;
    QDateTime time;
    Direction direction = Direction::Unknown;
    int sequence = 1; // 2, 3, ... for more sets within the same second
    bool readable = false;
    DataSet data;
    // A received entry that later receives found unchanged: when it was last seen; else invalid.
    QDateTime lastSeen;
};

// The automatic history: every data set received from the controller or sent and confirmed, as
// a data file "YYYY-MM-DD_HHMMSS_received.DAT" / "..._sent.DAT" (then "..._received_2.DAT" for a
// second one in the same second) in the folder "History" of the program folder. Beside them
// "..._unsent.DAT": the editor's edits not sent (of this run, of a run that ended with them, of a
// set a receive replaced), listed first and never counted by Keep.
class HistoryStore {
public:
    static constexpr int DefaultKeep = 500;

    explicit HistoryStore(QString folder) : m_folder(std::move(folder)) {}

    static QString folderIn(const QString& programFolder);
    // [History] Keep of the settings file; a missing, odd or non-positive value gives the default.
    static int keepFrom(const QString& iniFileName);

    const QString& folder() const { return m_folder; }

    // A data file read into a set without touching the editor's; WrongLength is the version
    // conflict of the data files.
    enum class ReadResult { Ok, WrongLength, Unreadable };
    static ReadResult readDataSet(const QString& path, DataSet& set);

    // Writes the set and then removes the oldest of our entries beyond keep in its direction
    // (received and sent are counted apart). A receive identical to the newest entry, itself a
    // receive, writes nothing and marks that entry as seen at when. Returns the entry's path, or
    // "" with failure set to the system's description.
    QString write(const DataSet& set, HistoryEntry::Direction direction, const QDateTime& when,
                  int keep, QString* failure);
    // The editor's set with unsent edits as an unsent entry in place of `replace` (the run's
    // previous one); beyond MaxUnsent the oldest go. Returns the path written, or "" with
    // failure set.
    static constexpr int MaxUnsent = 5;
    QString keepUnsent(const DataSet& set, const QDateTime& when, const QString& replace,
                       QString* failure);
    // Removes the unsent entry at path, or every unsent entry when path is "".
    void dropUnsent(const QString& path = {});
    // Every file of the folder: the unsent entry first, then ours newest first, then the unreadable
    // ones by name.
    QList<HistoryEntry> entries() const;

private:
    QList<HistoryEntry> scan(bool readData) const;
    // Our own entries (names of ours, 2913 bytes), newest first; the data is not read.
    QList<HistoryEntry> ours() const;

    QString m_folder;
};

} // namespace zoz
