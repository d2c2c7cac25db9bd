// The link: port set-up, frames on the wire, the received-command interpreter and the
// configuration transfers, all against the simulator on a pseudo terminal.
#include "dataset/HexCodec.h"
#include "support/LinkRig.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTimer>
#include <ctime>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::LinkRig;

namespace {

// Records what the transport hands to the interpreter.
struct Recorder {
    explicit Recorder(LinkRig& rig) {
        rig.transport->setInterpreter([this](const QString& code, const QByteArray& frame) {
            frames.append({code, frame});
        });
    }
    QList<std::pair<QString, QByteArray>> frames; // code, frame
};

QByteArray frame(quint8 code, const QByteArray& payload = {}) {
    return char(code) + payload + '\r';
}

bool balanced(const LinkRig& rig) {
    return rig.ui.commDialogDepth == 0 &&
           rig.ui.events.filter("commShow:").size() == rig.ui.events.count("commHide");
}

bool waitStatus(LinkRig& rig, const QString& text, int ms = 3000) {
    return LinkRig::spinUntil([&] { return rig.ui.statusTexts.contains(text); }, ms);
}

QString hex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex().toUpper());
}

QString hexEntry(const QByteArray& text) {
    return ByteToHex(quint8(text.size())) + hex(text);
}

// A settings file holding only the given [Comm] lines (the simulator's port unless they name one),
// and a fresh port reading it.
struct PortOnly {
    explicit PortOnly(QByteArray lines) {
        if (!lines.startsWith("Port="))
            lines.prepend("Port=" + rig.sim.device().toLocal8Bit() + "\r\n");
        rig.writeIni("[Comm]\r\n" + lines);
        port = std::make_unique<SerialPort>(*rig.reporter);
    }
    LinkRig rig{{}, {}, false};
    std::unique_ptr<SerialPort> port;
};

// 512 bytes that differ from block to block and from the simulator's own.
QByteArray block(int k) {
    QByteArray b;
    for (int i = 0; b.size() < 512; ++i)
        b += "Cfg" + QByteArray::number(k) + "-" + QByteArray::number(i) + ";";
    return b.left(512);
}

} // namespace

TEST(FrameTransport, ACommandItsAnswerAndTheInterpreterInOrder) {
    LinkRig rig{{{"TimerInterval", "1"}}};
    QList<bool> busyWhileWaiting; // the cursor in each turn of the waits
    rig.ui.onProcessEvents = [&] { busyWhileWaiting << rig.ui.busy; };
    ASSERT_TRUE(rig.transport->TransmitData(frame(0x80), QStringLiteral("Online")));
    ASSERT_TRUE(rig.transport->WaitForResponse(QStringLiteral("81")));
    // The ticks during the wait must not have taken the answer away.
    EXPECT_EQ(rig.transport->ReceiveBuffer(), frame(0x81));
    EXPECT_FALSE(rig.transport->WaitingForResponse());
    ASSERT_TRUE(LinkRig::spinUntil([&] { return !rig.ui.boxes.isEmpty(); }, 2000));
    EXPECT_TRUE(rig.transport->ReceiveBuffer().isEmpty());
    EXPECT_EQ(rig.ui.statusTexts, QStringList({"  Comm_TransmitData_Info", "  Comm_TransferDone",
                                               "  Waiting for answer 81", "Comm_Receiving_Data",
                                               "  Comm_OnlineTest_Info"}));
    ASSERT_EQ(rig.ui.boxes.size(), 1);
    EXPECT_EQ(rig.ui.boxes[0].text, "  Comm_OnlineTest_Info");
    EXPECT_EQ(rig.ui.boxes[0].icon, MsgIcon::Information);
    EXPECT_EQ(rig.ui.boxes[0].title, "zozedud");
    EXPECT_TRUE(balanced(rig));
    EXPECT_EQ(rig.ui.events.first(), "commShow:Online");
    EXPECT_TRUE(busyWhileWaiting.value(0)) << "busy from the start of the send";
    EXPECT_FALSE(rig.ui.busy);
}

// Chunks of OutBufferSize (0: the frame at once), each written after the previous one left.
TEST(FrameTransport, ChunksOfOutBufferSizeEachAfterThePreviousLeft) {
    QByteArray payload;
    for (int i = 0; i < 50; ++i)
        payload += QByteArray::number(i % 16, 16).toUpper() + "F";
    const QByteArray f = frame(0x85, payload); // 102 bytes
    for (const int size : {7, 0}) {
        // Without the cancel dialog nothing of it is shown.
        LinkRig rig{{{"OutBufferSize", QString::number(size)},
                     {"ShowCancelDialog", size > 0 ? "ja" : "no"}}};
        QList<QByteArray> chunks;
        QObject::connect(rig.port.get(), &SerialPort::writing, [&](const QByteArray& c) {
            chunks << c;
            EXPECT_EQ(rig.port->OutBufferCount(), 0);
        });
        ASSERT_TRUE(rig.transport->TransmitData(f));
        EXPECT_EQ(chunks.size(), size == 0 ? 1 : (f.size() + size - 1) / size) << size;
        EXPECT_EQ(rig.sim.waitFor("RX 85"), "RX 85 " + QString::fromLatin1(payload));
        EXPECT_EQ(rig.ui.events.filter("comm").isEmpty(), size == 0) << size;
    }
}

// Whatever way a frame arrives, the interpreter gets it once, complete and without NUL bytes;
// two frames back to back within one tick go over as one.
TEST(FrameTransport, WhatArrivesIsHandedOverAsOneFrame) {
    // fault, command, TimerInterval, the frame handed over
    const QList<std::tuple<const char*, const char*, const char*, QByteArray>> cases{
        {"split 5", "send 84 33", "1", frame(0x84, "33")},
        {"nul", "send 84 33", "1", frame(0x84, "33")},
        {"none", "raw 810D880D", "200", QByteArray("\x81\r\x88\r")}};
    for (const auto& [fault, command, interval, expected] : cases) {
        LinkRig rig{{{"TimerInterval", interval}}};
        Recorder rec(rig);
        rig.sim.command(QStringLiteral("fault ") + fault);
        rig.sim.waitFor("OK fault");
        rig.sim.command(command);
        ASSERT_TRUE(LinkRig::spinUntil([&] { return !rec.frames.isEmpty(); }, 3000)) << fault;
        LinkRig::spinUntil([&] { return rec.frames.size() > 1; }, 300); // nothing more follows
        ASSERT_EQ(rec.frames.size(), 1) << fault;
        EXPECT_EQ(rec.frames[0].first, QString::number(quint8(expected[0]), 16)) << fault;
        EXPECT_EQ(rec.frames[0].second, expected) << fault;
    }
}

TEST(FrameTransport, TextThatNeverBecomesAFrameIsDiscardedAfterTheTimeOut) {
    LinkRig rig{{{"TimeOut", "1"}}};
    Recorder rec(rig);
    QElapsedTimer clock;
    clock.start();
    rig.sim.command("raw 414243440d"); // starts below 0x80, though it ends like a frame
    ASSERT_TRUE(waitStatus(rig, "  Comm_Timeout_Short"));
    EXPECT_LT(clock.elapsed(), 2500);
    EXPECT_TRUE(rec.frames.isEmpty());
    EXPECT_TRUE(rig.transport->ReceiveBuffer().isEmpty());
    ASSERT_EQ(rig.ui.boxes.size(), 1);
    EXPECT_EQ(rig.ui.boxes.first().text, "Comm_Timeout_Completing_Data");
    EXPECT_EQ(rig.ui.boxes.first().icon, MsgIcon::Exclamation);
    EXPECT_TRUE(balanced(rig));
}

// Once the program ends, bytes that arrive start no wait and no box (an end during an exchange
// otherwise hung in the time-out box of a receive begun while the port closed).
TEST(FrameTransport, AfterStopArrivingBytesStartNoWait) {
    LinkRig rig{{{"TimeOut", "1"}}};
    rig.transport->Stop();
    rig.sim.command("raw 85414243");
    ASSERT_TRUE(
        LinkRig::spinUntil([&] { return !rig.transport->ReceiveBuffer().isEmpty(); }, 5000));
    QElapsedTimer clock;
    clock.start();
    rig.transport->WaitForData();
    EXPECT_LT(clock.elapsed(), 500);
    EXPECT_TRUE(rig.ui.boxes.isEmpty());
    EXPECT_FALSE(rig.transport->ReceiveBusy());
}

// Neither a start that never completes nor an answer with another code ends the wait; the time-out
// clears the buffer, and its box shows only with ShowMsgBox.
TEST(FrameTransport, AWaitWithoutItsAnswerTimesOutAndClearsTheBuffer) {
    for (const bool otherCode : {false, true}) {
        LinkRig rig{{{"TimeOut", "1"}}};
        rig.switches.ShowMsgBox = otherCode;
        rig.sim.command(otherCode ? "fault none" : "fault noanswer");
        rig.sim.waitFor("OK fault");
        ASSERT_TRUE(rig.transport->TransmitData(frame(0x80)));
        if (!otherCode)
            rig.sim.command("raw 81");
        QElapsedTimer clock;
        clock.start();
        const std::clock_t cpu = std::clock();
        EXPECT_FALSE(rig.transport->WaitForResponse(otherCode ? "83" : "81"));
        EXPECT_GE(clock.elapsed(), 900);
        EXPECT_LT(clock.elapsed(), 2000);
        // The wait sleeps in its event loop: a spinning one would take the whole second.
        EXPECT_LT(std::clock() - cpu, CLOCKS_PER_SEC / 4);
        EXPECT_TRUE(rig.transport->ReceiveBuffer().isEmpty());
        EXPECT_EQ(rig.ui.lastStatus(), "  Comm_Timeout_Short");
        EXPECT_EQ(rig.ui.boxes.size(), otherCode ? 1 : 0);
        EXPECT_EQ(rig.ui.boxes.value(0).text, otherCode ? "  No answer 83 in time" : "");
        EXPECT_FALSE(rig.transport->WaitingForResponse());
        EXPECT_TRUE(balanced(rig));
    }
}

// Without TimeOut only Cancel or completion end a wait.
TEST(FrameTransport, CancelWhileAFrameIsCollectedClearsTheBuffer) {
    LinkRig rig{{{"TimeOut", "0"}}};
    Recorder rec(rig);
    bool pressed = false;
    rig.ui.onProcessEvents = [&] {
        if (rig.transport->ReceiveBusy() && rig.ui.commDialogDepth > 0 && !pressed) {
            pressed = true;
            rig.transport->Cancel();
        }
    };
    rig.sim.command("raw 85414243");
    ASSERT_TRUE(waitStatus(rig, "  Comm_Cancelled"));
    EXPECT_TRUE(rig.transport->ReceiveBuffer().isEmpty());
    EXPECT_FALSE(rig.transport->ReceiveBusy());
    EXPECT_TRUE(rec.frames.isEmpty());
    EXPECT_EQ(rig.ui.lastStatus(), "  Comm_Cancelled");
    EXPECT_TRUE(rig.ui.boxes.isEmpty());
    ASSERT_TRUE(rig.transport->TransmitData(frame(0x80)));
    EXPECT_TRUE(rig.transport->WaitForResponse(QStringLiteral("81")));
    EXPECT_TRUE(balanced(rig));
}

TEST(FrameTransport, CancelAndTimeOutDuringASendThatCannotLeave) {
    for (const bool cancel : {true, false}) {
        LinkRig rig{{{"TimeOut", cancel ? "0" : "1"}, {"OutBufferSize", "0"}}};
        rig.sim.command("stall on");
        rig.sim.waitFor("OK stall");
        if (cancel)
            QTimer::singleShot(300, rig.transport.get(), [&] { rig.transport->Cancel(); });
        EXPECT_FALSE(rig.transport->TransmitData(frame(0x85, QByteArray(400000, 'A'))));
        ASSERT_EQ(rig.ui.boxes.size(), 1);
        const QString key = cancel ? "  Comm_Action_Cancelled" : "  Comm_TransmitData_Timeout_Err";
        EXPECT_EQ(rig.ui.boxes.first().text, key);
        EXPECT_EQ(rig.ui.lastStatus(), key);
        EXPECT_TRUE(balanced(rig));
        rig.sim.command("stall off");
    }
}

// The controller's own frames, one after the other on one link: each answered (or not) and
// reported in its own words.
TEST(Interpreter, TheControllersFramesAreAnsweredAndReported) {
    LinkRig rig;
    rig.switches.ShowMsgBox = false;
    QSignalSpy sendTimer(rig.interpreter.get(), &CommandInterpreter::sendDataRequested);
    const std::tuple<const char*, const char*, const char*> cases[] = {
        // send, answer, status
        {"80", "81 ", "  Comm_OnlineTest_Request_Info"},
        {"87", "88 ", "  Comm_Reset_ByRequest"},
        {"85", "86 30", "  Comm_Data_Received"},                    // an empty data frame sums to 0
        {"85 0102FF", "86 323538", "  Comm_Data_Received"},         // 258: the digits "2", "5", "8"
        {"89 56322E31", nullptr, "  QPL Versionsnummer empfangen"}, // "V2.1"
        {"86 30", nullptr, "  Comm_Data_Sent"},                     // nothing sent: compared with 0
        {"86 31", nullptr, "  Comm_Checksum_Err"}, // shown whatever ShowMsgBox says
        {"84 33", nullptr, nullptr}};
    for (const auto& [send, answer, status] : cases) {
        rig.ui.statusTexts.clear();
        rig.sim.command(QStringLiteral("send ") + send);
        if (answer) {
            EXPECT_EQ(rig.sim.waitFor("RX "), QStringLiteral("RX ") + answer);
        }
        EXPECT_TRUE(!status || waitStatus(rig, status)) << send;
    }
    ASSERT_TRUE(LinkRig::spinUntil([&] { return !sendTimer.isEmpty(); }, 2000));
    EXPECT_EQ(rig.interpreter->RequestedBlock, "33");
    ASSERT_EQ(sendTimer.size(), 1);
    EXPECT_EQ(sendTimer[0][0].toInt(), 100);
    EXPECT_EQ(rig.resets, 1);
    EXPECT_EQ(rig.store.QPLVersion.text(), "V2.1");
    EXPECT_EQ(rig.decoded, QStringList({"", "0102FF"}));
    ASSERT_EQ(rig.ui.boxes.size(), 1);
    EXPECT_EQ(rig.ui.boxes[0].text, "  Comm_Checksum_Err");
    EXPECT_EQ(rig.ui.boxes[0].icon, MsgIcon::Exclamation);
    rig.sim.command("send 86 41"); // "A" is no number
    ASSERT_TRUE(LinkRig::spinUntil(
        [&] { return rig.proto.text().contains("Comm_InterpretCommand_Err"); }, 2000));
    EXPECT_EQ(rig.ui.boxes.size(), 1);
    EXPECT_TRUE(rig.sim.quietFor("RX ", 200));

    // A version request is answered with six texts of 32, the pages taken over first.
    rig.store.StatusText[1] = QStringLiteral("Alpha");
    rig.store.StatusText[2] = QStringLiteral("   ");
    rig.store.StatusText[3] = QStringLiteral("whatever the page says");
    rig.ui.events.clear();
    rig.sim.command("send 82");
    const QString rx = rig.sim.waitFor("RX ");
    EXPECT_EQ(rx.size(), 6 + 6 * (2 + 64));
    EXPECT_TRUE(rx.startsWith("RX 83 " + hexEntry(QByteArray("Alpha").leftJustified(32)) +
                              hexEntry(QByteArray("TextStatus(2)").leftJustified(32)) +
                              hexEntry(QByteArray("QPL SW V2.123 by R&N").leftJustified(32))))
        << rx.toStdString();
    EXPECT_TRUE(waitStatus(rig, "  Comm_VersionInfo_Sent"));
    // The pages go into the data set before the answer is built.
    EXPECT_EQ(rig.ui.events.count("takeover"), 1);
    EXPECT_LT(rig.ui.events.indexOf("takeover"), rig.ui.events.lastIndexOf("commShow:"));
}

// The controller's status texts are stored; another major version than 2 ends the program.
TEST(Interpreter, StoresTheControllersStatusTextsAndChecksItsVersion) {
    LinkRig rig{{}, {"--status", "QPL Box", "--status", "SN 7", "--status", " qpl sw v2.40 "}};
    rig.ui.caption = "VX418 ZozEdud";
    // Fewer texts leave the rest blank, as does a text cut short; a seventh is an error, logged
    // only, and not answered.
    rig.store.StatusText[5] = QStringLiteral("old");
    rig.sim.command("send 83 " + hexEntry("One") + hexEntry("QPL V2.0") + "05" + hex("QP"));
    ASSERT_TRUE(
        LinkRig::spinUntil([&] { return rig.store.StatusText[1].trimmedRight() == "One"; }, 2000));
    for (int cleared : {3, 5})
        EXPECT_EQ(rig.store.StatusText[cleared].text(), QString(32, ' ')) << cleared;
    rig.ui.boxes.clear();
    rig.sim.command("send 83 " + hexEntry("V2.").repeated(7));
    ASSERT_TRUE(LinkRig::spinUntil(
        [&] { return rig.proto.text().contains("Comm_InterpretCommand_Err"); }, 2000));
    EXPECT_TRUE(rig.ui.boxes.isEmpty());
    EXPECT_EQ(rig.sim.waitFor("RX ", 300), "");

    rig.ui.statusTexts.clear();
    ASSERT_TRUE(rig.transport->TransmitData(frame(0x82)));
    ASSERT_TRUE(rig.transport->WaitForResponse("83"));
    ASSERT_TRUE(waitStatus(rig, "")); // cleared before the result is shown
    ASSERT_TRUE(LinkRig::spinUntil([&] { return !rig.ui.boxes.isEmpty(); }, 2000));
    for (const auto& [i, text] : {std::pair{1, "QPL Box"}, {2, "SN 7"}, {3, " qpl sw v2.40"}})
        EXPECT_EQ(rig.store.StatusText[i].trimmedRight(), text) << i;
    EXPECT_EQ(rig.ui.boxes.last().text, "  Comm_VersionInfo_Received");
    const int takeover = rig.ui.events.lastIndexOf("takeover");
    EXPECT_GE(takeover, 0);
    EXPECT_GT(rig.ui.events.lastIndexOf("refresh"), takeover);

    int endings = rig.endings;
    for (const char* version : {"QPL SW V3.00", "QPL SW V20.1", "QPL SW 2.1"}) {
        rig.ui.boxes.clear();
        rig.sim.command(QStringLiteral("fault version ") + version);
        rig.sim.waitFor("OK fault");
        ASSERT_TRUE(rig.transport->TransmitData(frame(0x82)));
        ASSERT_TRUE(rig.transport->WaitForResponse("83"));
        ASSERT_TRUE(LinkRig::spinUntil([&] { return rig.endings > endings; }, 2000)) << version;
        EXPECT_EQ(rig.endings, ++endings);
        ASSERT_EQ(rig.ui.boxes.size(), 1);
        EXPECT_EQ(rig.ui.boxes[0].icon, MsgIcon::Critical);
        EXPECT_EQ(rig.ui.boxes[0].title, "VX418 ZozEdud");
    }
}

TEST(Interpreter, AnAnswerThatCannotBeSentSkipsTheDecoding) {
    LinkRig rig;
    rig.switches.ShowMsgBox = false;
    rig.port->ClosePort();
    rig.interpreter->InterpretCommand("85", frame(0x85, "20AA"));
    EXPECT_TRUE(rig.decoded.isEmpty());
    EXPECT_TRUE(rig.ui.statusTexts.filter("Comm_Data_Received").isEmpty());
    ASSERT_EQ(rig.ui.boxes.size(), 1);
    EXPECT_TRUE(rig.ui.boxes[0].text.startsWith("  Comm_TransmitData_Err"));
}

// Missing keys take the defaults; numbers are cut to whole ones; only "yes" and "ja" are yes.
TEST(SerialPortSetUp, ReadsEachKeyAsWritten) {
    const QList<std::pair<QByteArray, QString>> cases{
        {"", "19200,n,8,1 1024 512 1 1 0 10 1 500"},
        {"Settings=9600,E,7,1.5\r\nInBufferSize=2048.9\r\nOutBufferSize=7.5\r\nDTREnable=ja\r\n"
         "RTSEnable=true\r\nHandShaking=3\r\nTimeOut=0\r\nShowCancelDialog=1\r\nTimerInterval="
         "20\r\n",
         "9600,E,7,1.5 2048 7 1 0 3 0 0 20"},
        {"DTREnable=Yes\r\nRTSEnable=no\r\n", "19200,n,8,1 1024 512 1 0 0 10 1 500"}};
    for (const auto& [lines, expected] : cases) {
        PortOnly p(lines);
        ASSERT_EQ(p.port->SetCommParameters(), 0) << lines.constData();
        const SerialPort& s = *p.port;
        QStringList read{s.Settings};
        for (const int v : {s.InBufferSize, s.OutBufferSize, int(s.DTREnable), int(s.RTSEnable),
                            s.Handshaking, s.TimeOut, int(s.ShowCancelDialog), s.TimerInterval})
            read << QString::number(v);
        EXPECT_EQ(read.join(' '), expected) << lines.constData();
    }
}

TEST(SerialPortSetUp, EachBadValueFailsItsOwnStepAndStopsThere) {
    const QList<std::pair<int, QStringList>> cases{
        {0, {"Settings=19200,n,5,1"}},                           // 5 to 8 data bits are fine
        {1, {"Port=/dev/no-such-port", "Port=0", "Port=40000"}}, // there is no 0th port
        {2,
         {"Settings=19200,x,8,1", "Settings=19200,n,9,1", "Settings=19200,n,4,1",
          "Settings=fast,n,8,1", "Settings=0,n,8,1", "Settings=19200,n,8", "Settings=19200,n,8,3"}},
        {3, {"InBufferSize=big"}},
        {4, {"OutBufferSize=-1"}},
        {7, {"HandShaking=4", "HandShaking=none"}},
        {9, {"TimeOut=never", "TimeOut=40000"}},
        {11, {"TimerInterval=soon"}}};
    for (const auto& [step, lines] : cases) {
        for (const QString& line : lines) {
            PortOnly p(line.toLatin1() + "\r\n");
            EXPECT_EQ(p.port->SetCommParameters(), step) << line.toStdString();
            // Later steps never ran.
            EXPECT_EQ(p.port->InBufferSize == 0, step >= 1 && step <= 3) << line.toStdString();
            EXPECT_EQ(p.port->TimerInterval == 0, step != 0) << line.toStdString();
        }
    }
}

TEST(SerialPortSetUp, AWholeNumberNamesTheNthPlatformPort) {
    if (!QFileInfo::exists(QStringLiteral("/dev/ttyS0")))
        GTEST_SKIP() << "no /dev/ttyS0 here";
    PortOnly p("Port=1.8\r\n");
    ASSERT_EQ(p.port->SetCommParameters(), 0);
    EXPECT_EQ(p.port->deviceName(), "/dev/ttyS0");
    EXPECT_EQ(p.port->portText(), " 1");
}

// Opening or closing twice is no error. A second program cannot open the same port: a box even
// without ShowMsgBox, the same text in the status bar and the log, the cursor back.
TEST(SerialPortOpen, OpensAndClosesOnceASecondOpenOfThePortFails) {
    LinkRig rig{{}, {}, false};
    rig.write("zozedud.Ini",
              rig.read("zozedud.Ini") + "Comm_OpenPort_Err=Port error: & on port&\r\n");
    rig.switches.ShowMsgBox = false;
    EXPECT_TRUE(rig.port->OpenPort());
    EXPECT_TRUE(rig.port->PortOpened);
    EXPECT_TRUE(rig.port->OpenPort());
    EXPECT_TRUE(rig.ui.boxes.isEmpty());
    SerialPort second(*rig.reporter);
    ASSERT_EQ(second.SetCommParameters(), 0);
    rig.ui.busy = true;
    EXPECT_FALSE(second.OpenPort());
    EXPECT_FALSE(second.PortOpened);
    ASSERT_EQ(rig.ui.boxes.size(), 1);
    const auto& box = rig.ui.boxes.first();
    EXPECT_TRUE(box.text.startsWith("  Port error: ")) << box.text.toStdString();
    EXPECT_TRUE(box.text.endsWith("on port" + rig.sim.device())) << box.text.toStdString();
    EXPECT_EQ(box.icon, MsgIcon::Exclamation);
    EXPECT_EQ(box.title, "zozedud");
    EXPECT_EQ(rig.ui.lastStatus(), box.text);
    EXPECT_TRUE(rig.proto.text().contains(box.text));
    EXPECT_FALSE(rig.ui.busy);
    EXPECT_TRUE(rig.port->ClosePort());
    EXPECT_FALSE(rig.port->PortOpened);
    EXPECT_TRUE(rig.port->ClosePort());
    EXPECT_EQ(rig.ui.boxes.size(), 1);
}

// The dialogs propose the program's name with the two-digit index; cancelled, nothing is sent.
// One configuration goes from its file and comes back into another.
TEST(ConfigTransfer, OneConfigurationGoesFromItsFileAndComesBackIntoAnother) {
    LinkRig rig;
    rig.addFiles();
    EXPECT_EQ(rig.transfer->SendConfiguration(3), "");
    EXPECT_EQ(rig.transfer->RequestConfiguration(0), "");
    ASSERT_EQ(rig.ui.fileDialogs.size(), 2);
    EXPECT_EQ(rig.ui.fileDialogs[0].initialName, rig.path("zozedud 03.CNS"));
    EXPECT_FALSE(rig.ui.fileDialogs[0].save);
    EXPECT_EQ(rig.transfer->ProposedFileName(0), rig.path("zozedud 00.CNG"));
    EXPECT_TRUE(rig.ui.fileDialogs[1].save);
    EXPECT_TRUE(rig.store.DataSet.SnapShot.SnapShotFile[3] == FileText{});
    EXPECT_FALSE(rig.store.GroupReceiveActive);
    EXPECT_TRUE(rig.sim.quietFor("RX ", 300));

    const QString file = rig.write("three.CNS", block(3));
    rig.ui.fileNames.enqueue(file);
    QString shown; // the SnapShot page shows the file read before it goes out
    rig.ui.onRefresh = [&] { shown = rig.store.DataSet.SnapShot.SnapShotFile[3].text(); };
    EXPECT_EQ(rig.transfer->SendConfiguration(3), "");
    EXPECT_EQ(TrimBlanks(shown), file);
    EXPECT_EQ(rig.sim.waitFor("RX 85"), "RX 85 33" + hex(block(3)));
    ASSERT_TRUE(waitStatus(rig, "  Comm_Data_Sent", 2000));
    EXPECT_TRUE(rig.ui.statusTexts.filter("Comm_Checksum_Err").isEmpty());
    EXPECT_EQ(TrimBlanks(rig.store.DataSet.SnapShot.SnapShotFile[3].text()), file);

    const QString target = rig.path("back.CNS");
    rig.ui.fileNames.enqueue(target);
    EXPECT_EQ(rig.transfer->RequestConfiguration(3), "");
    EXPECT_EQ(rig.sim.waitFor("RX 84"), "RX 84 33");
    ASSERT_TRUE(LinkRig::spinUntil([&] { return QFile::exists(target); }, 3000));
    ASSERT_EQ(rig.ui.fileDialogs.size(), 4);
    EXPECT_TRUE(rig.ui.fileDialogs[3].save);
    EXPECT_EQ(rig.read("back.CNS"), block(3));
}

// The group goes as eight acknowledged blocks, each followed by a pause, and comes back (the
// simulator answers "30" with "31".."38", each after its 86) into one file named first.
TEST(ConfigTransfer, TheGroupGoesAndComesBackAsEightBlocks) {
    LinkRig rig;
    rig.addFiles();
    QByteArray all;
    for (int k = 1; k <= 8; ++k)
        all += block(k);
    rig.ui.fileNames.enqueue(rig.write("all.CNG", all));
    QList<qint64> sentAt;
    QList<QByteArray> codes;
    QElapsedTimer clock;
    QObject::connect(rig.port.get(), &SerialPort::writing, [&](const QByteArray& bytes) {
        if (bytes.startsWith('\x85')) {
            sentAt << clock.elapsed();
            codes << bytes.mid(1, 2);
        }
    });
    clock.start();
    EXPECT_EQ(rig.transfer->SendConfiguration(0), "");
    const qint64 finished = clock.elapsed();
    ASSERT_EQ(codes, QList<QByteArray>({"31", "32", "33", "34", "35", "36", "37", "38"}));
    for (int i = 1; i < sentAt.size(); ++i)
        EXPECT_GE(sentAt[i] - sentAt[i - 1], 500) << i;
    EXPECT_GE(finished - sentAt.last(), 500); // the eighth pause too
    EXPECT_EQ(rig.ui.statusTexts.filter("Comm_Data_Sent").size(), 8);
    EXPECT_TRUE(rig.ui.statusTexts.filter("Comm_Checksum_Err").isEmpty());

    const QString target = rig.path("group.CNG");
    rig.ui.fileNames.enqueue(target);
    EXPECT_EQ(rig.transfer->RequestConfiguration(0), "");
    EXPECT_EQ(rig.sim.waitFor("RX 84"), "RX 84 30");
    ASSERT_TRUE(LinkRig::spinUntil([&] { return QFile::exists(target); }, 8000));
    EXPECT_FALSE(rig.store.GroupReceiveActive);
    EXPECT_EQ(rig.store.GroupReceiveCount, 0);
    EXPECT_EQ(rig.ui.fileDialogs.size(), 2); // the group's name only, asked first
    EXPECT_EQ(TrimBlanks(rig.store.DataSet.SnapShot.SnapShotGroupFile.text()), target);
    EXPECT_EQ(rig.read("group.CNG"), all);
    // The simulator reports its last acknowledgement after the file was written.
    EXPECT_TRUE(
        LinkRig::spinUntil([&] { return rig.sim.lines().filter("ACK OK").size() == 8; }, 3000));
}
