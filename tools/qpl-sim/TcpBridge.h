#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>

namespace zoz::sim {

// Serves the simulator's pseudo terminal on a loopback TCP port, as a device server's raw socket
// would serve a serial line: one client at a time, bytes passed both ways unchanged. The
// simulator's pacing and faults happen on the pty, so they reach the client as they are.
class TcpBridge : public QObject {
    Q_OBJECT
public:
    explicit TcpBridge(QString device, QObject* parent = nullptr);
    ~TcpBridge() override;
    // Listens on 127.0.0.1 (and ::1 where there is one); port 0 picks a free one. False with a
    // message on stderr when it cannot.
    bool listen(quint16 port);
    quint16 port() const { return m_v4.serverPort(); }

private:
    void onConnection(QTcpServer* server);
    void fromClient();
    void fromDevice();
    void flushToDevice();
    void drop();

    QString m_device;
    QTcpServer m_v4;
    QTcpServer m_v6;
    QPointer<QTcpSocket> m_client;
    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_readable;
    std::unique_ptr<QSocketNotifier> m_writable;
    QByteArray m_toDevice;
};

} // namespace zoz::sim
