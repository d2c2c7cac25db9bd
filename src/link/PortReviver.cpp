#include "link/PortReviver.h"

#include "link/FrameTransport.h"
#include "link/LinkReporter.h"
#include "link/SerialPort.h"

namespace zoz {

PortReviver::PortReviver(SerialPort& port, FrameTransport& transport, LinkReporter& reporter,
                         QObject* parent)
    : QObject(parent), m_port(port), m_reporter(reporter) {
    m_timer.setObjectName(QStringLiteral("PortReviver"));
    m_timer.setInterval(IntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &PortReviver::tryNow);
    connect(&m_port, &SerialPort::hungUp, &m_timer, qOverload<>(&QTimer::start));
    connect(&transport, &FrameTransport::aboutToTransmit, this, &PortReviver::tryNow);
}

bool PortReviver::tryNow() {
    if (!m_port.isHungUp()) {
        m_timer.stop();
        return m_port.isOpen();
    }
    if (!m_port.Reopen())
        return false;
    m_timer.stop();
    m_reporter.statusAndLog(
        m_reporter.line(QStringLiteral("Comm_Port_Back_Info"), m_port.portText()));
    return true;
}

} // namespace zoz
