#pragma once

#include <QHash>
#include <QString>

namespace zoz {

// Which controller each History entry came from: the port (its string or connection name) and
// the controller's status texts when they were known. Kept in "History.Origins" beside the
// History folder, one tab-separated line per entry file, so that the folder holds data files only.
class HistoryOrigins {
public:
    struct Origin {
        QString port;
        QString status; // the status texts, " | " between them; "" when unknown
    };

    explicit HistoryOrigins(const QString& historyFolder);

    // Appends the origin of the entry file; false when the file cannot be written.
    bool record(const QString& entryPath, const Origin& origin) const;
    // Every recorded origin by entry file name; a later line for a name wins.
    QHash<QString, Origin> all() const;

private:
    QString m_file;
};

} // namespace zoz
