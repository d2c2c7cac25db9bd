#pragma once

#include <QObject>
#include <QTimer>

namespace zoz {

class FrameTransport;
class LinkReporter;
class SerialPort;

// Brings a port back that went away with a hang-up: one quiet attempt to open the configured
// device before the next send and one every IntervalMs meanwhile; no attempts while the port is
// open or was closed on purpose. Works from SerialPort's signals alone, whatever the device is.
class PortReviver : public QObject {
    Q_OBJECT
public:
    static constexpr int IntervalMs = 2000;

    PortReviver(SerialPort& port, FrameTransport& transport, LinkReporter& reporter,
                QObject* parent = nullptr);

    // One attempt when the port is down after a hang-up; true when it is open afterwards.
    bool tryNow();
    bool waiting() const { return m_timer.isActive(); }

private:
    SerialPort& m_port;
    LinkReporter& m_reporter;
    QTimer m_timer;
};

} // namespace zoz
