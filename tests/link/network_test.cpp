// Ports on a device server: the link over TCP and telnet as over a serial line.
#include "link/NetworkLink.h"
#include "settings/IniFile.h"
#include "support/Bytes.h"
#include "support/LinkRig.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

using zoz::test::bytes;
using zoz::test::LinkRig;

namespace {

// A loopback listener on the IPv6 literal where there is one, for the bracketed form.
QString listenLocal(QTcpServer& server) {
    if (server.listen(QHostAddress::LocalHostIPv6))
        return QStringLiteral("[::1]:%1").arg(server.serverPort());
    server.listen(QHostAddress::LocalHost);
    return QStringLiteral("127.0.0.1:%1").arg(server.serverPort());
}

} // namespace

// An RFC 2217 server gets [Comm] Settings and the modem lines once it takes the COM port option;
// its telnet commands stay off the frames, 0xFF doubled both ways; a drop mid-receive is a hang-up.
TEST(NetworkPort, Rfc2217CarriesSettingsAndKeepsTelnetOffTheLine) {
    QTcpServer server;
    const QString where = listenLocal(server);
    QPointer<QTcpSocket> peer;
    QByteArray fromClient;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        peer = server.nextPendingConnection();
        QObject::connect(peer, &QTcpSocket::readyRead, [&] {
            fromClient += peer->readAll();
            if (fromClient.contains(bytes({255, 251, 44})) && !fromClient.contains("sent")) {
                peer->write(bytes({255, 253, 44})); // DO COM-PORT-OPTION
                fromClient += "sent";
            }
        });
    });
    LinkRig rig({{"Port", "rfc2217://" + where},
                 {"Settings", "38400,e,7,1"},
                 {"DTREnable", "no"},
                 {"TimeOut", "2"}},
                {}, false);
    rig.write("zozedud.Ini", rig.read("zozedud.Ini") + "Comm_HangUp_Err=Lost '&' on port &\r\n");
    ASSERT_EQ(rig.port->SetCommParameters(), 0);
    ASSERT_TRUE(rig.port->OpenPort()) << rig.port->openError().toStdString();
    const QList<QByteArray> settings = {
        bytes({255, 250, 44, 1, 0, 0, 0x96, 0, 255, 240}), // 38400 baud
        bytes({255, 250, 44, 2, 7, 255, 240}),             // 7 data bits
        bytes({255, 250, 44, 5, 9, 255, 240}),             // DTR off
        bytes({255, 250, 44, 5, 11, 255, 240}),            // RTS on
    };
    ASSERT_TRUE(LinkRig::spinUntil([&] { return fromClient.contains(settings.last()); }, 2000));
    for (const QByteArray& s : settings)
        EXPECT_TRUE(fromClient.contains(s)) << s.toHex(' ').toStdString();

    QByteArray received;
    QObject::connect(rig.port.get(), &zoz::SerialPort::received,
                     [&](const QByteArray& b) { received += b; });
    fromClient.clear();
    ASSERT_TRUE(rig.port->write(bytes({0x80, 0xFF, 0x0D})));
    peer->write(bytes({0x85, '2', 0, 255, 251, 1, '0', 255, 255, 0x0D})); // NUL dropped
    ASSERT_TRUE(LinkRig::spinUntil([&] { return received.endsWith('\r'); }, 2000));
    EXPECT_EQ(received.toHex(' '), bytes({0x85, '2', '0', 0xFF, 0x0D}).toHex(' '));
    const QByteArray dontEcho = bytes({255, 254, 1});
    ASSERT_TRUE(LinkRig::spinUntil([&] { return fromClient.contains(dontEcho); }, 2000))
        << "WILL ECHO answered with DONT";
    EXPECT_TRUE(fromClient.startsWith(bytes({0x80, 0xFF, 0xFF, 0x0D})))
        << fromClient.toHex(' ').toStdString();

    rig.transport->WaitForData(); // the frame is taken; the next one is cut off by the hang-up
    ASSERT_TRUE(rig.transport->ReceiveBuffer().isEmpty());
    peer->write(bytes({0x85, '2', '0'}));
    QTimer::singleShot(200, peer, [&] { peer->close(); });
    EXPECT_FALSE(rig.transport->WaitForResponse("85"));
    ASSERT_TRUE(LinkRig::spinUntil([&] { return !rig.port->isOpen(); }, 2000));
    const QString lost = QStringLiteral("' on port rfc2217://") + where;
    EXPECT_EQ(rig.proto.text().count(lost), 1) << rig.proto.text().toStdString();
    EXPECT_FALSE(rig.transport->TransmitData(QByteArray("\x80\r")));
}

// Each parity and stop-bit setting reaches an RFC 2217 server as its own COM port value.
TEST(NetworkPort, ParityAndStopBitsBecomeTheirComPortValues) {
    QTcpServer server;
    const QString where = listenLocal(server);
    QByteArray got;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket* peer = server.nextPendingConnection();
        peer->write(bytes({255, 253, 44})); // DO COM-PORT-OPTION
        QObject::connect(peer, &QTcpSocket::readyRead, [&got, peer] { got += peer->readAll(); });
    });
    LinkRig rig({{"Port", "rfc2217://" + where}, {"TimeOut", "2"}}, {}, false);
    const std::tuple<const char*, int, int> rows[] = {
        {"9600,n,8,1", 1, 1}, {"9600,o,8,2", 2, 2},   {"9600,e,7,1", 3, 1},
        {"9600,m,8,1", 4, 1}, {"9600,s,8,1.5", 5, 3},
    };
    for (const auto& [settings, parity, stop] : rows) {
        zoz::SetIniValue(rig.iniPath(), "Comm", "Settings", settings);
        got.clear();
        ASSERT_EQ(rig.port->SetCommParameters(), 0) << settings;
        ASSERT_TRUE(rig.port->OpenPort()) << settings;
        const QByteArray stopSize = bytes({255, 250, 44, 4, stop, 255, 240});
        EXPECT_TRUE(LinkRig::spinUntil([&] { return got.contains(stopSize); }, 2000)) << settings;
        EXPECT_TRUE(got.contains(bytes({255, 250, 44, 3, parity, 255, 240}))) << settings;
        rig.port->ClosePort();
    }
}

// A server that takes the connection but never answers the telnet negotiation fails the open
// within [Comm] TimeOut, naming host and port, while events keep running.
TEST(NetworkPort, ASilentServerFailsWithinTheTimeOutWithoutBlocking) {
    QTcpServer silent;
    const QString where = listenLocal(silent);
    LinkRig rig({{"Port", "rfc2217://" + where}, {"TimeOut", "1"}}, {}, false);
    rig.write("zozedud.Ini", rig.read("zozedud.Ini") + "Comm_OpenPort_Err=Error '&' opening &\r\n"
                                                       "Comm_Net_TimedOut=& silent for & s\r\n");
    ASSERT_EQ(rig.port->SetCommParameters(), 0);
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(50);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(rig.port->OpenPort());
    EXPECT_GE(clock.elapsed(), 900);
    EXPECT_LT(clock.elapsed(), 2500);
    EXPECT_GE(ticks, 10);
    EXPECT_TRUE(rig.proto.text().contains(
        QStringLiteral("Error '%1 silent for 1 s' opening rfc2217://%1").arg(where)))
        << rig.proto.text().toStdString();
}

// Closing a network port on purpose ends its connection: the device server sees the editor go
// and is free for the next client.
TEST(NetworkPort, ClosingEndsTheConnection) {
    QTcpServer server;
    LinkRig rig({{"Port", "tcp://" + listenLocal(server)}}, {}, false);
    ASSERT_EQ(rig.port->SetCommParameters(), 0);
    ASSERT_TRUE(rig.port->OpenPort()) << rig.port->openError().toStdString();
    ASSERT_TRUE(LinkRig::spinUntil([&] { return server.hasPendingConnections(); }, 2000));
    QTcpSocket* peer = server.nextPendingConnection();
    EXPECT_TRUE(rig.port->ClosePort());
    EXPECT_FALSE(rig.port->isOpen());
    EXPECT_TRUE(LinkRig::spinUntil(
        [&] { return peer->state() == QAbstractSocket::UnconnectedState; }, 2000));
    // Back on the serial line, the next open talks to the controller there, not to the server.
    zoz::SetIniValue(rig.iniPath(), "Comm", "Port", rig.sim.device());
    ASSERT_EQ(rig.port->SetCommParameters(), 0);
    ASSERT_TRUE(rig.port->OpenPort()) << rig.port->openError().toStdString();
    ASSERT_TRUE(rig.transport->TransmitData(QByteArray("\x80\r")));
    EXPECT_TRUE(rig.transport->WaitForResponse("81"));
    EXPECT_FALSE(server.hasPendingConnections());
}
