#pragma once

#include "dataset/DataSet.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <optional>

namespace zoz {

// What the editor knows of the controller's data set: the set as last received ("85" "20") or as
// last sent and confirmed (an "86" carrying the checksum we sent), with time and port. Unknown
// until either has happened, and again once the port changes.
class ControllerCopy : public QObject {
    Q_OBJECT
public:
    enum class Origin { Unknown, Received, Sent };

    explicit ControllerCopy(QObject* parent = nullptr) : QObject(parent) {}

    bool known() const { return m_origin != Origin::Unknown; }
    Origin origin() const { return m_origin; }
    const DataSet& dataSet() const { return m_set; }
    const QDateTime& time() const { return m_time; }
    const QString& port() const { return m_port; }

    // The set as the controller now holds it.
    void adopt(const DataSet& set, Origin origin, const QString& port,
               const QDateTime& when = QDateTime::currentDateTime());
    // The data set leaves with this checksum; it becomes the controller's copy once confirmed.
    void sending(const DataSet& set, qint32 checksum);
    // Another controller may be on the line now (the port changed): nothing is known of it.
    void forget();
    // The controller confirmed a frame with this checksum. Only the data set announced by
    // sending() counts: configurations are confirmed the same way but are no data set.
    void confirmed(qint32 checksum, const QString& port);

signals:
    void changed(zoz::ControllerCopy::Origin origin);

private:
    struct Pending {
        DataSet set;
        qint32 checksum;
    };

    DataSet m_set;
    Origin m_origin = Origin::Unknown;
    QDateTime m_time;
    QString m_port;
    std::optional<Pending> m_pending;
};

} // namespace zoz
