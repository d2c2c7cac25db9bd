#include "TcpBridge.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace zoz::sim {

TcpBridge::TcpBridge(QString device, QObject* parent)
    : QObject(parent), m_device(std::move(device)) {
    connect(&m_v4, &QTcpServer::newConnection, this, [this] { onConnection(&m_v4); });
    connect(&m_v6, &QTcpServer::newConnection, this, [this] { onConnection(&m_v6); });
}

TcpBridge::~TcpBridge() {
    drop();
}

bool TcpBridge::listen(quint16 port) {
    if (!m_v4.listen(QHostAddress::LocalHost, port)) {
        std::fprintf(stderr, "qpl-sim: cannot listen on 127.0.0.1:%u: %s\n", unsigned(port),
                     qPrintable(m_v4.errorString()));
        return false;
    }
    m_v6.listen(QHostAddress::LocalHostIPv6, m_v4.serverPort()); // a system without IPv6: v4 only
    return true;
}

void TcpBridge::onConnection(QTcpServer* server) {
    while (QTcpSocket* socket = server->nextPendingConnection()) {
        if (m_client) { // one client at a time, as a serial line has one end
            socket->abort();
            socket->deleteLater();
            continue;
        }
        const QByteArray name = m_device.toLocal8Bit();
        m_fd = ::open(name.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_fd < 0) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        termios t{};
        if (::tcgetattr(m_fd, &t) == 0) {
            ::cfmakeraw(&t);
            ::tcsetattr(m_fd, TCSANOW, &t);
        }
        ::tcflush(m_fd, TCIOFLUSH); // nothing of an earlier client's exchange
        m_client = socket;
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(socket, &QTcpSocket::readyRead, this, &TcpBridge::fromClient);
        connect(socket, &QTcpSocket::disconnected, this, &TcpBridge::drop);
        m_readable = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
        connect(m_readable.get(), &QSocketNotifier::activated, this, &TcpBridge::fromDevice);
        m_writable = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Write);
        m_writable->setEnabled(false);
        connect(m_writable.get(), &QSocketNotifier::activated, this, &TcpBridge::flushToDevice);
        std::printf("CLIENT CONNECTED\n");
        std::fflush(stdout);
    }
}

void TcpBridge::fromClient() {
    if (!m_client)
        return;
    m_toDevice += m_client->readAll();
    flushToDevice();
}

void TcpBridge::flushToDevice() {
    while (!m_toDevice.isEmpty() && m_fd >= 0) {
        const ssize_t n = ::write(m_fd, m_toDevice.constData(), size_t(m_toDevice.size()));
        if (n < 0) {
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                drop();
            break;
        }
        m_toDevice.remove(0, qsizetype(n));
    }
    if (m_writable)
        m_writable->setEnabled(!m_toDevice.isEmpty());
}

// A pty whose master has gone (the simulator hung up) reads as an error: so does the socket then.
void TcpBridge::fromDevice() {
    char buffer[4096];
    const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
    if (n > 0 && m_client)
        m_client->write(buffer, qint64(n));
    else if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK))
        drop();
}

void TcpBridge::drop() {
    m_readable.reset();
    m_writable.reset();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_toDevice.clear();
    if (m_client) {
        QTcpSocket* client = m_client;
        m_client = nullptr;
        client->disconnect(this);
        client->flush();
        client->disconnectFromHost();
        client->deleteLater();
    }
}

} // namespace zoz::sim
