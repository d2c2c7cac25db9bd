#pragma once

#include "link/TelnetCodec.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <optional>

namespace zoz {

// The far end of a port reached over TCP: a device server's raw socket ("tcp://HOST:PORT") or
// its telnet socket with the COM port option ("rfc2217://HOST:PORT"). The serial port class
// drives it exactly like its serial device; this class only connects, moves bytes and tells when
// the server hangs up.
class NetworkLink : public QObject {
    Q_OBJECT
public:
    struct Address {
        QString host; // without the brackets of an IPv6 literal
        quint16 port = 0;
        bool rfc2217 = false;
        QString text() const; // "host:port", "[::1]:port"
    };
    // The line settings an RFC 2217 server is given when the port opens.
    struct Line {
        quint32 baud = 19200;
        int dataBits = 8;
        int parity = 1;   // 1 none, 2 odd, 3 even, 4 mark, 5 space
        int stopSize = 1; // 1 one, 2 two, 3 one and a half
        TelnetCodec::Flow flow = TelnetCodec::Flow::None;
        bool dtr = true;
        bool rts = true;
    };
    // Why a connection could not be made.
    enum class Failure { None, Refused, Unreachable, NameNotFound, TimedOut, Other };

    explicit NetworkLink(QObject* parent = nullptr);

    // True for a value that means to be a network port (tcp:// or rfc2217://), well formed or not.
    static bool isNetworkPort(const QString& text);
    // The address of a well-formed network port value.
    static std::optional<Address> parse(const QString& text);

    // Connects within timeoutMs, events running meanwhile; for RFC 2217 the line settings are
    // sent once the server has answered the COM port option. False with failure() and why.
    bool open(const Address& address, const Line& line, int timeoutMs, QString& why);
    void close();
    bool isOpen() const { return m_open; }
    qint64 bytesToWrite() const { return m_socket.bytesToWrite(); }
    // Data bytes; 0xFF doubled on a telnet connection. False when the socket refuses them.
    bool write(const QByteArray& data);
    QString errorString() const { return m_socket.errorString(); }
    Failure failure() const { return m_failure; }
    // The baud rate an RFC 2217 server reported after the port opened, 0 when none.
    quint32 serverBaud() const { return m_telnet.serverBaud(); }

signals:
    void received(const QByteArray& data);
    void bytesWritten();
    // The server closed the connection or it broke; the link is closed already.
    void hungUp(const QString& why);

private:
    void onReadyRead();
    void onGone();
    Failure failureOf(QAbstractSocket::SocketError error) const;

    QTcpSocket m_socket;
    TelnetCodec m_telnet;
    bool m_rfc2217 = false;
    bool m_open = false;
    Failure m_failure = Failure::None;
};

} // namespace zoz
