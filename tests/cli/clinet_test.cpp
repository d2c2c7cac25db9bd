// zozedud-cli over TCP: the simulator's socket gives what its pseudo terminal gives, and a port
// that cannot be reached is the port-open failure within the time-out.
#include "dataset/DataSetImage.h"
#include "files/HistoryOrigins.h"
#include "settings/IniFile.h"
#include "support/CliRun.h"
#include "support/DataHarness.h"
#include "support/SimProcess.h"

#include <QDir>
#include <QRegularExpression>
#include <QTcpServer>
#include <gtest/gtest.h>

using zoz::test::CliRun;
using zoz::test::DataHarness;
using zoz::test::runCli;
using zoz::test::SimProcess;

namespace {

// Send, receive and ping over the pty, tcp:// and tcp://[::1]: the same file, the same frame.
TEST(CliNetwork, TcpGivesTheSameBytesAsThePty) {
    DataHarness h;
    SimProcess sim({"--tcp", "0"});
    const QString port = sim.waitFor("TCP ").mid(4);
    ASSERT_FALSE(port.isEmpty());
    const QStringList ports = {sim.device(), "tcp://127.0.0.1:" + port, "tcp://[::1]:" + port};
    QRandomGenerator random(11);
    h.write("in.DAT", zoz::DataSetImage::Write(h.randomDataSet(random, zoz::DataSet{})));
    QList<QByteArray> files;
    QStringList sent;
    for (const QString& p : ports) {
        const QString out = h.path(QString("out%1.DAT").arg(files.size()));
        for (const QStringList& args : {QStringList{"send", h.path("in.DAT")},
                                        QStringList{"receive", out}, QStringList{"ping"}}) {
            const CliRun run = runCli(h.switches.IniFileName, QStringList{"--port", p} + args);
            ASSERT_EQ(run.exitCode, 0) << p.toStdString() << ": " << run.err.toStdString();
        }
        files << DataHarness::readFile(out);
        sent << sim.waitFor("RX 85");
    }
    EXPECT_EQ(files[0].size(), zoz::DataSetImage::Size);
    EXPECT_TRUE(files == QList<QByteArray>(3, files[0]));
    EXPECT_FALSE(sent[0].isEmpty());
    EXPECT_EQ(sent, QStringList(3, sent[0]));
}

// Nothing listening, a name that cannot be resolved, a server that never answers the telnet
// negotiation and an address without a port: exit 5 within the time-out, naming the place.
TEST(CliNetwork, UnreachablePortsAreThePortOpenFailure) {
    DataHarness h;
    // The shipped texts, in English.
    QString shipped =
        QString::fromLatin1(DataHarness::readFile(ZOZ_SOURCE_DIR "/resources/zozedud.Ini"));
    shipped.replace(QRegularExpression("Language *= *GER"), "Language = ENG");
    DataHarness::writeFile(h.path("zozedud.Ini"), shipped.toLatin1());
    QTcpServer closed, silent;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost) && silent.listen(QHostAddress::LocalHost));
    const QString closedAt = QString("127.0.0.1:%1").arg(closed.serverPort());
    closed.close();
    const QString silentAt = QString("127.0.0.1:%1").arg(silent.serverPort());
    // A name longer than DNS allows: the resolver refuses it without asking any server.
    const QString label(60, 'x');
    const QString nameless = QStringList(5, label).join('.') + ".invalid:2001";
    const std::pair<QString, QString> rows[] = {
        {"tcp://" + closedAt, closedAt + " refused the connection"},
        {"tcp://127.0.0.1:1", "127.0.0.1:1 refused the connection"}, // the lowest port is one
        {"tcp://" + nameless, "the host name of " + nameless + " was not found"},
        {"rfc2217://" + silentAt, silentAt + " did not answer within 1 s"},
        {"tcp://127.0.0.1", "tcp://127.0.0.1"},
    };
    for (const auto& [port, says] : rows) {
        const CliRun run =
            runCli(h.path("zozedud.Ini"), {"--port", port, "--timeout", "1", "ping"});
        EXPECT_EQ(run.exitCode, 5) << port.toStdString();
        EXPECT_LT(run.ms, 3000) << port.toStdString();
        EXPECT_TRUE(run.err.contains(says)) << run.err.toStdString();
    }
}

// backup: each saved connection one line, the one that answered into the History, the exit code
// that of the worst.
TEST(CliNetwork, BackupReceivesEverySavedConnectionIntoTheHistory) {
    DataHarness h;
    SimProcess sim({"--tcp", "0"});
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString gone = QString("tcp://127.0.0.1:%1").arg(closed.serverPort());
    closed.close();
    const QString ini = h.switches.IniFileName;
    zoz::SetIniValue(ini, "Connections", "Studio A",
                     "tcp://127.0.0.1:" + sim.waitFor("TCP ").mid(4));
    zoz::SetIniValue(ini, "Connections", "Studio B", gone);
    const CliRun run = runCli(ini, {"--timeout", "2", "backup"});
    EXPECT_EQ(run.exitCode, 5);
    EXPECT_TRUE(run.out.startsWith("Studio A\t") && run.out.count('\n') == 1)
        << run.out.toStdString();
    EXPECT_TRUE(run.err.startsWith("zozedud-cli: Studio B\t") && run.err.contains(gone))
        << run.err.toStdString();
    // The settings name a default data file this folder lacks: a plain exchange adds no entry.
    zoz::SetIniValue(ini, "Main", "LoadAtStartup_Default", "Default.DAT");
    for (const char* command : {"receive", "send"})
        ASSERT_EQ(runCli(ini, {"--port", sim.device(), command, h.path("direct.DAT")}).exitCode, 0);
    const QStringList history = QDir(h.path("History")).entryList(QDir::Files);
    ASSERT_EQ(history.size(), 1);
    EXPECT_TRUE(DataHarness::readFile(h.path("History/" + history[0])) ==
                DataHarness::readFile(h.path("direct.DAT")));
    EXPECT_TRUE(zoz::HistoryOrigins(h.path("History"))
                    .all()
                    .value(history[0])
                    .port.startsWith("Studio A (tcp://"));
}

} // namespace
