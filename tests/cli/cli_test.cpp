// zozedud-cli as a process against the simulator on a pseudo terminal.
#include "dataset/DataSetImage.h"
#include "files/HistoryStore.h"
#include "support/CliRun.h"
#include "support/DataHarness.h"
#include "support/SimProcess.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSysInfo>
#include <cstring>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::CliRun;
using zoz::test::DataHarness;
using zoz::test::SimProcess;

namespace {

// The tool with the harness's settings file.
CliRun cli(const DataHarness& h, const QStringList& args, QStringList wrapper = {}) {
    return zoz::test::runCli(h.switches.IniFileName, args, std::move(wrapper));
}

// Receive writes the data set as the editor holds it (the simulator's payload through the
// decoder); what was sent comes back unchanged, acknowledged with the right checksum.
TEST(CliTest, ReceiveThenSendThenReceiveRoundTrips) {
    DataHarness h;
    SimProcess sim;
    QString payload = sim.dump().value(QStringLiteral("20"));
    h.decoder.Interpret_HexData(payload);
    const QByteArray held = DataSetImage::Write(h.store.DataSet);
    QRandomGenerator random(7);
    const QByteArray sent = DataSetImage::Write(h.randomDataSet(random, DataSet{}));
    DataHarness::writeFile(h.path("in.DAT"), sent);
    DataHarness::writeFile(h.path("Default.DAT"), sent); // an editor's folder: History is kept
    h.writeIni(h.read("zozedud.Ini")
                   .replace("[Main]\r\n", "[Main]\r\nLoadAtStartup_Default=Default.DAT\r\n"));
    for (const auto& [command, file, expected] : {std::tuple{"receive", "out.DAT", held},
                                                  {"send", "in.DAT", sent},
                                                  {"receive", "out.DAT", sent}}) {
        const CliRun run =
            cli(h, {"--port", sim.device(), "--timeout", "32767", command, h.path(file)});
        ASSERT_EQ(run.exitCode, 0) << command << ": " << run.err.toStdString();
        EXPECT_EQ(DataHarness::readFile(h.path(file)), expected) << command;
    }
    EXPECT_FALSE(sim.waitFor(QStringLiteral("TX 86")).isEmpty());

    // Run with the editor's settings file, each exchange is in the editor's History too.
    QList<QByteArray> history;
    for (const HistoryEntry& e : HistoryStore(HistoryStore::folderIn(h.dir.path())).entries())
        history << (e.filePath.contains("_sent") ? "s" : "r") + DataHarness::readFile(e.filePath);
    EXPECT_EQ(history, (QList<QByteArray>{"r" + sent, "s" + sent, "r" + held}));
}

// Past a file-size limit (a full disk) no data file is written: exit code 2 and the write error
// naming the file, never SIGXFSZ nor the question about an existing file, which stays as it was.
TEST(CliTest, FileSizeLimitEndsTheWriteWithAnError) {
    for (const QByteArray& before : {QByteArray(), QByteArray("old")}) {
        DataHarness h;
        SimProcess sim;
        const QString out = h.path("out.DAT");
        QStringList args{"--port", sim.device(), "receive", out};
        if (!before.isEmpty()) {
            DataHarness::writeFile(out, before);
            args.prepend("--quiet");
        }
        const CliRun run =
            cli(h, args, {"prlimit", before.isEmpty() ? "--fsize=2048" : "--fsize=1000"});
        EXPECT_EQ(run.exitCode, 2) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(out) &&
                    run.err.contains(QString::fromLocal8Bit(std::strerror(EFBIG))))
            << run.err.toStdString();
        EXPECT_EQ(DataHarness::readFile(out), before);
    }
}

// Each failure has its exit code and one error line naming the port and the cause, long before the
// time-out where the line hangs up, and leaves an existing output file as it was. A controller of
// another major version stops every controller command before anything is sent or written.
TEST(CliTest, FailuresGiveTheirExitCodes) {
    const QString v3 = QStringLiteral("fault version QPL SW V3.00");
    const std::tuple<QStringList, const char*, int, const char*> rows[] = {
        // simulator options, command, code, cause (and extra options after "+")
        {{"--do", "fault badsum"}, "send", 3, "checksum"},
        {{"--do", "fault badsum"}, "put-config", 3, "checksum"},
        {{"--do", "fault noanswer"}, "receive", 4, "no answer 83"},
        {{"--do", "fault noanswer 2"}, "ping", 4, "+--no-version-check"},
        {{"--do", v3}, "info", 6, "V3.00"},
        {{"--do", v3}, "ping", 6, "V3.00"},
        {{"--do", v3}, "receive", 6, "V3.00"},
        {{"--do", v3}, "send", 6, "V3.00"},
        {{"--do", v3}, "ping", 0, "+--no-version-check"},
        {{"--do", "fault hangup"}, "receive", 7, "hung up"},
        {{}, "receive", 5, "no such device"},
        {{}, "ping", 5, "in use by another program (PID "},
    };
    for (const auto& [options, command, exitCode, cause] : rows) {
        DataHarness h;
        SimProcess sim(options);
        const QString port =
            QString(cause) == "no such device" ? h.path("no-such-tty") : sim.device();
        // Another program's lock on the port: a live process (this one) in QSerialPort's file.
        const bool busy = QString(cause).startsWith("in use");
        QFile lock("/var/lock/LCK.." + sim.device().mid(5).replace('/', '_'));
        // QLockFile's lines: process id, program name, host.
        const QByteArray holder =
            QByteArray::number(QCoreApplication::applicationPid()) + "\n" +
            QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() + "\n" +
            QSysInfo::machineHostName().toUtf8() + "\n";
        ASSERT_TRUE(!busy || (lock.open(QIODevice::WriteOnly) && lock.write(holder) > 0));
        lock.close();
        const QString file = h.path(QStringLiteral("data.DAT"));
        const QByteArray before = DataSetImage::Write(DataSet{});
        DataHarness::writeFile(file, before);
        const bool hangUp = exitCode == 7;
        QStringList args = {"--port", port, "--timeout", hangUp ? "10" : "1", command};
        if (QStringList{"send", "receive"}.contains(command))
            args << file;
        if (QString(command) == "put-config") // configuration 1 from a file of its size
            args << "1" << h.write("one.CNS", QByteArray(512, ' '));
        if (cause[0] == '+')
            args << QString(cause).mid(1);
        const CliRun run = cli(h, args);
        if (busy)
            lock.remove();
        EXPECT_EQ(run.exitCode, exitCode) << command << ": " << run.err.toStdString();
        EXPECT_LT(run.ms, hangUp ? 3000 : 5000) << command;
        EXPECT_EQ(DataHarness::readFile(file), before) << command;
        // A version stop asked the version and sent nothing else.
        EXPECT_TRUE(exitCode != 6 || (sim.quietFor("RX 84", 200) && sim.quietFor("RX 85", 0)))
            << command;
        if (exitCode == 0)
            continue;
        EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(port)) << run.err.toStdString();
        EXPECT_TRUE(cause[0] == '+' || run.err.contains(cause)) << run.err.toStdString();
    }
}

// A bad command line is refused with exit 2 and one line naming what is wrong, before the port
// (one that does not exist) is touched.
TEST(CliTest, BadArgumentsAreRefusedBeforeThePort) {
    DataHarness h;
    const QString cns = h.path("c.CNS"), missing = h.path("missing.CNS");
    DataHarness::writeFile(h.path("short.DAT"), "0123456789");
    const std::pair<QStringList, QString> rows[] = {
        {{"frobnicate"}, "unknown command 'frobnicate'"},
        {{"send"}, "send takes 1 argument(s), 0 given"},
        {{"get-config", "9", cns}, "configuration number 0..8 expected, not '9'"},
        {{"get-config", "x", cns}, "not 'x'"},
        {{"--", "put-config", "-1", cns}, "not '-1'"},
        {{"put-config", "8", missing}, missing + ": no such file"}, // 8 is a configuration
        {{"--timeout", "0", "ping"}, "--timeout 0: a number of seconds 1..32767 expected"},
        {{"--timeout", "32768", "ping"}, "--timeout 32768:"},
        {{"import", h.path("short.DAT")}, "import needs -o OUT.DAT"},
        {{"send", h.path("short.DAT")}, "not a data file (10 bytes, a data file has 2913)"},
    };
    for (const auto& [args, says] : rows) {
        const CliRun run = cli(h, QStringList{"--port", h.path("no-such-tty")} + args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(says)) << run.err.toStdString();
    }
}

// The monitor volume as the page, the report and show name it: each stretch of its list, and a
// value past its end as the number.
TEST(CliTest, ShowNamesEveryStretchOfTheMonitorVolumes) {
    DataHarness h;
    const std::pair<int, const char*> rows[] = {
        {0, "off"},       {3, "- 48 dB"},   {7, "- 27 dB"}, {8, "- 24 dB"},  {22, "- 10 dB"},
        {23, "-   9 dB"}, {31, "-   1 dB"}, {32, "0 dB"},   {33, "+  1 dB"}, {41, "+  9 dB"},
        {42, "+10 dB"},   {44, "+12 dB"},   {45, "#45"}};
    for (const auto& [index, text] : rows) {
        DataSet set;
        set.Monitor.MonVolume = qint16(index);
        DataHarness::writeFile(h.path("v.DAT"), DataSetImage::Write(set));
        const CliRun run = cli(h, {"show", h.path("v.DAT")});
        const QStringList line = run.out.split('\n').filter("\tVolume\t").value(0).split('\t');
        EXPECT_EQ(line.value(3), QString(text)) << index << ": " << line.join('|').toStdString();
    }
}

// The whole group comes as eight single blocks, each acknowledged, into one file.
TEST(CliTest, GroupOfConfigurationsArrivesInOneFile) {
    DataHarness h;
    SimProcess sim;
    const CliRun run = cli(h, {"--port", sim.device(), "get-config", "0", h.path("all.CNG")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QFileInfo(h.path("all.CNG")).size(), 4096);
}

// Offline: diff tells equal from different by its exit code and names the field as the pages do;
// a bad text form is refused naming the field, and the output file is not created.
TEST(CliTest, DiffAndImportWorkOnFiles) {
    DataHarness h;
    DataSet a;
    a.Name.InputAdatName[3] = QStringLiteral("Vox 1");
    DataHarness::writeFile(h.path("a.DAT"), DataSetImage::Write(a));
    a.Name.InputAdatName[3] = QStringLiteral("Vox 2");
    DataHarness::writeFile(h.path("b.DAT"), DataSetImage::Write(a));
    const CliRun diff = cli(h, {"diff", h.path("a.DAT"), h.path("b.DAT")});
    EXPECT_EQ(diff.exitCode, 1);
    EXPECT_EQ(diff.out.count('\n'), 1);
    EXPECT_TRUE(diff.out.endsWith("\tVox 1\tVox 2\n")) << diff.out.toStdString();
    EXPECT_EQ(cli(h, {"export", h.path("b.DAT"), "-o", h.path("b.json")}).exitCode, 0);
    EXPECT_EQ(cli(h, {"diff", h.path("b.json"), h.path("b.DAT")}).exitCode, 0);
    EXPECT_EQ(cli(h, {"import", h.path("b.json"), "-o", h.path("c.DAT")}).exitCode, 0);
    EXPECT_EQ(DataHarness::readFile(h.path("c.DAT")), DataSetImage::Write(a)); // back as it was

    QByteArray json = DataHarness::readFile(h.path("b.json"));
    DataHarness::writeFile(h.path("bad.json"), json.replace("\"Vox 2\"", "\"Vox 2 too long\""));
    const CliRun bad = cli(h, {"import", h.path("bad.json"), "-o", h.path("bad.DAT")});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.err.contains("names.adat[3]")) << bad.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(h.path("bad.DAT")));
}

} // namespace
