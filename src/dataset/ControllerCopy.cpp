#include "dataset/ControllerCopy.h"

namespace zoz {

void ControllerCopy::adopt(const DataSet& set, Origin origin, const QString& port,
                           const QDateTime& when) {
    m_set = set;
    m_origin = origin;
    m_port = port;
    m_time = when;
    emit changed(origin);
}

void ControllerCopy::forget() {
    m_pending.reset();
    if (m_origin == Origin::Unknown)
        return;
    m_origin = Origin::Unknown;
    m_set = DataSet{};
    m_port.clear();
    m_time = QDateTime();
    emit changed(Origin::Unknown);
}

void ControllerCopy::sending(const DataSet& set, qint32 checksum) {
    m_pending = Pending{set, checksum};
}

void ControllerCopy::confirmed(qint32 checksum, const QString& port) {
    if (!m_pending || m_pending->checksum != checksum)
        return;
    const DataSet set = m_pending->set;
    m_pending.reset();
    adopt(set, Origin::Sent, port);
}

} // namespace zoz
