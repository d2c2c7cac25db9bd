// A real device server in front of the simulator's pseudo terminal: ser2net with a raw and an
// RFC 2217 accepter on loopback ports, started and stopped by the test.
#include "support/CliRun.h"
#include "support/LinkRig.h"

#include "settings/IniFile.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

using zoz::test::LinkRig;

namespace {

quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

// The line settings of the tty as words: "speed", "4800", "baud", "cs8", "-parenb" ...
QStringList ttySettings(const QString& device) {
    QProcess stty;
    stty.start("stty", {"-F", device, "-a"});
    stty.waitForFinished(3000);
    return QString::fromLatin1(stty.readAllStandardOutput())
        .split(QRegularExpression("[;\\s]+"), Qt::SkipEmptyParts);
}

// The exit code; stderr goes to the test's output.
int cliReceive(const QString& settings, const QString& port, const QString& file) {
    const zoz::test::CliRun run =
        zoz::test::runCli(settings, {"--port", port, "--quiet", "receive", file});
    fputs(qPrintable(run.err), stderr);
    return run.exitCode;
}

} // namespace

// The CLI receives the same file through both accepters as on the pty itself, and the line
// settings of [Comm] reach the server's tty while an rfc2217:// port is open.
TEST(Ser2net, RawAndRfc2217AccepterGiveTheSameBytesAndTheLineSettingsArrive) {
    if (QStandardPaths::findExecutable("ser2net").isEmpty())
        GTEST_SKIP() << "ser2net is not installed (tools/install-deps.sh installs it)";
    const quint16 raw = freePort(), rfc = freePort();
    LinkRig rig({{"Port", QString("rfc2217://127.0.0.1:%1").arg(rfc)}, {"Settings", "4800,n,8,1"}},
                {}, false);
    const QString device = rig.sim.device();
    const QString connector =
        "  connector: serialdev," + device + ",19200n81,local\n  options:\n    kickolduser: true\n";
    rig.write("ser2net.yaml", QString("connection: &raw\n"
                                      "  accepter: tcp,127.0.0.1,%1\n" +
                                      connector +
                                      "connection: &rfc\n"
                                      "  accepter: telnet(rfc2217),tcp,127.0.0.1,%2\n" +
                                      connector)
                                  .arg(raw)
                                  .arg(rfc)
                                  .toLatin1());
    // On the pty before ser2net runs: ser2net's close of the device would hang up a receive.
    const QString ini = rig.iniPath();
    ASSERT_EQ(cliReceive(ini, device, rig.dir.filePath("pty.DAT")), 0);
    QProcess server;
    server.setProcessChannelMode(QProcess::ForwardedChannels);
    server.start("ser2net", {"-n", "-u", "-c", rig.dir.filePath("ser2net.yaml"), "-P",
                             rig.dir.filePath("pid")});
    ASSERT_TRUE(server.waitForStarted(5000));
    QTcpSocket knock;
    ASSERT_TRUE(LinkRig::spinUntil(
        [&] {
            knock.abort();
            knock.connectToHost(QHostAddress::LocalHost, rfc);
            return knock.waitForConnected(200);
        },
        5000));
    knock.abort();
    for (const QString& port :
         {QString("tcp://127.0.0.1:%1").arg(raw), QString("rfc2217://127.0.0.1:%1").arg(rfc)}) {
        const QString file = rig.dir.filePath("net.DAT");
        // ser2net frees the device a moment after the last client has gone; until then it
        // drops a new connection at once (exit 5).
        ASSERT_TRUE(LinkRig::spinUntil([&] { return cliReceive(ini, port, file) == 0; }, 5000))
            << port.toStdString();
        EXPECT_TRUE(rig.read("net.DAT") == rig.read("pty.DAT")) << port.toStdString();
    }

    // Rate, stop bits and flow control reach the server's tty (a pseudo terminal keeps eight
    // bits without parity whatever it is told).
    QProcess::execute("stty", {"-F", device, "9600"});
    zoz::SetIniValue(ini, "Comm", "Settings", "4800,n,8,2");
    zoz::SetIniValue(ini, "Comm", "HandShaking", "2");
    ASSERT_EQ(rig.port->SetCommParameters(), 0);
    ASSERT_TRUE(rig.port->OpenPort()) << rig.port->openError().toStdString();
    const auto arrived = [&] {
        const QStringList now = ttySettings(device);
        return now.contains("4800") && now.contains("cstopb") && now.contains("crtscts");
    };
    EXPECT_TRUE(LinkRig::spinUntil(arrived, 3000)) << ttySettings(device).join(' ').toStdString();
    rig.port->ClosePort();
    server.terminate();
    server.waitForFinished(3000);
}
