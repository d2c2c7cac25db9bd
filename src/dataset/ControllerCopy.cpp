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
