#include "link/NetworkLink.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <QUrl>

namespace zoz {

namespace {

const QString kTcp = QStringLiteral("tcp");
const QString kRfc2217 = QStringLiteral("rfc2217");

} // namespace

QString NetworkLink::Address::text() const {
    return (host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host) +
           QLatin1Char(':') + QString::number(port);
}

NetworkLink::NetworkLink(QObject* parent) : QObject(parent) {
    connect(&m_socket, &QTcpSocket::readyRead, this, &NetworkLink::onReadyRead);
    connect(&m_socket, &QTcpSocket::bytesWritten, this, &NetworkLink::bytesWritten);
    connect(&m_socket, &QTcpSocket::disconnected, this, &NetworkLink::onGone);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &NetworkLink::onGone);
}

bool NetworkLink::isNetworkPort(const QString& text) {
    const QString t = text.trimmed();
    return t.startsWith(kTcp + QStringLiteral("://"), Qt::CaseInsensitive) ||
           t.startsWith(kRfc2217 + QStringLiteral("://"), Qt::CaseInsensitive);
}

std::optional<NetworkLink::Address> NetworkLink::parse(const QString& text) {
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != kTcp && scheme != kRfc2217) || url.host().isEmpty() ||
        url.port() < 1 || !url.userInfo().isEmpty() ||
        !(url.path().isEmpty() || url.path() == "/") || url.hasQuery() || url.hasFragment())
        return std::nullopt;
    Address address;
    address.host = url.host();
    address.port = quint16(url.port());
    address.rfc2217 = scheme == kRfc2217;
    return address;
}

NetworkLink::Failure NetworkLink::failureOf(QAbstractSocket::SocketError error) const {
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return Failure::Refused;
    case QAbstractSocket::HostNotFoundError:
        return Failure::NameNotFound;
    case QAbstractSocket::NetworkError:
        return Failure::Unreachable;
    case QAbstractSocket::SocketTimeoutError:
        return Failure::TimedOut;
    default:
        return Failure::Other;
    }
}

bool NetworkLink::open(const Address& address, const Line& line, int timeoutMs, QString& why) {
    close();
    m_telnet = TelnetCodec();
    m_rfc2217 = address.rfc2217;
    m_failure = Failure::None;
    const QDeadlineTimer deadline(qMax(1, timeoutMs));
    std::optional<QAbstractSocket::SocketError> error;
    const QMetaObject::Connection watch =
        connect(&m_socket, &QTcpSocket::errorOccurred, this,
                [&error](QAbstractSocket::SocketError e) { error = e; });
    // Waits in an event loop that any socket news or the deadline ends; the window stays live.
    const auto waitFor = [this, &deadline, &error](const auto& done) {
        while (!done() && !error && !deadline.hasExpired()) {
            QEventLoop loop;
            QTimer limit;
            limit.setSingleShot(true);
            connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
            connect(&m_socket, &QTcpSocket::connected, &loop, &QEventLoop::quit);
            connect(&m_socket, &QTcpSocket::readyRead, &loop, &QEventLoop::quit);
            connect(&m_socket, &QTcpSocket::errorOccurred, &loop, &QEventLoop::quit);
            limit.start(int(qMax<qint64>(1, deadline.remainingTime())));
            loop.exec();
        }
        return done();
    };
    m_socket.connectToHost(address.host, address.port);
    bool ok = waitFor([this] { return m_socket.state() == QAbstractSocket::ConnectedState; });
    if (ok && m_rfc2217) {
        m_socket.write(m_telnet.greeting(true));
        ok = waitFor([this] { return m_telnet.comPortAnswered(); });
        if (ok && m_telnet.comPortAccepted())
            m_socket.write(TelnetCodec::comPortSettings(line.baud, line.dataBits, line.parity,
                                                        line.stopSize, line.flow, line.dtr,
                                                        line.rts));
    }
    disconnect(watch);
    if (!ok) {
        m_failure = error ? failureOf(*error) : Failure::TimedOut;
        why = error ? m_socket.errorString() : QString();
        m_socket.abort();
        return false;
    }
    m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_open = true;
    return true;
}

void NetworkLink::close() {
    m_open = false; // first: the disconnect that follows is ours, not a hang-up
    m_socket.abort();
}

bool NetworkLink::write(const QByteArray& data) {
    const QByteArray bytes = m_rfc2217 ? TelnetCodec::escape(data) : data;
    return m_socket.write(bytes) == bytes.size();
}

void NetworkLink::onReadyRead() {
    QByteArray bytes = m_socket.readAll();
    if (m_rfc2217) {
        bytes = m_telnet.decode(bytes);
        const QByteArray replies = m_telnet.takeReplies();
        if (!replies.isEmpty())
            m_socket.write(replies);
    }
    if (m_open && !bytes.isEmpty())
        emit received(bytes);
}

void NetworkLink::onGone() {
    if (!m_open)
        return;
    m_open = false;
    const QString why = m_socket.errorString();
    m_socket.abort();
    emit hungUp(why);
}

} // namespace zoz
