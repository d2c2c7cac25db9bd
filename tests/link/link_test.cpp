// The link: port set-up, frames on the wire, the received-command interpreter and the
// configuration transfers, all against the simulator on a pseudo terminal.
#include "dataset/Decoder.h"
#include "dataset/Encoder.h"
#include "dataset/HexCodec.h"
#include "files/ConfigFile.h"
#include "files/DataFile.h"
#include "link/ConfigTransfer.h"
#include "support/LinkRig.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::LinkRig;

namespace {

struct Received {
    QString code;
    QByteArray frame;
};

// Records what the transport hands to the interpreter.
struct Recorder {
    explicit Recorder(LinkRig& rig) {
        rig.transport->setInterpreter([this](const QString& code, const QByteArray& frame) {
            frames.append({code, frame});
        });
    }
    QList<Received> frames;
};

QByteArray frame(quint8 code, const QByteArray& payload = {}) {
    return char(code) + payload + '\r';
}

bool balanced(const LinkRig& rig) {
    int shows = 0;
    int hides = 0;
    for (const QString& e : rig.ui.events) {
        shows += e.startsWith(QLatin1String("commShow:"));
        hides += e == QLatin1String("commHide");
    }
    return rig.ui.commDialogDepth == 0 && shows == hides;
}

} // namespace

TEST(FrameTransport, ACommandItsAnswerAndTheInterpreterInOrder) {
    LinkRig rig{{{"TimerInterval", "1"}}};
    ASSERT_TRUE(rig.opened);
    Recorder rec(rig);
    ASSERT_TRUE(rig.transport->TransmitData(frame(0x80), QStringLiteral("Online")));
    EXPECT_FALSE(rig.sim.waitFor("RX 80").isEmpty());
    ASSERT_TRUE(rig.transport->WaitForResponse(QStringLiteral("81")));
    // The ticks during the wait must not have taken the answer away.
    EXPECT_TRUE(rec.frames.isEmpty());
    EXPECT_EQ(rig.transport->ReceiveBuffer(), frame(0x81));
    EXPECT_FALSE(rig.transport->WaitingForResponse());
    ASSERT_TRUE(LinkRig::spinUntil([&] { return !rec.frames.isEmpty(); }, 2000));
    EXPECT_EQ(rec.frames.first().code, "81");
    EXPECT_EQ(rec.frames.first().frame, frame(0x81));
    EXPECT_TRUE(rig.transport->ReceiveBuffer().isEmpty());
    EXPECT_FALSE(rig.transport->ReceiveBusy());

    const QStringList expected{"  Comm_TransmitData_Info", "  Comm_TransferDone",
                               "  Waiting for answer 81", "Comm_Receiving_Data"};
    EXPECT_EQ(rig.ui.statusTexts, expected);
    EXPECT_TRUE(balanced(rig));
    EXPECT_EQ(rig.ui.events.first(), "commShow:Online");
    EXPECT_FALSE(rig.ui.busy);
    EXPECT_TRUE(rig.proto.text().contains("Comm_Receiving_Data"));
}

TEST(FrameTransport, ACaptionIsUsedOnceAndAnEmptyOneKeepsTheDialogs) {
    LinkRig rig;
    ASSERT_TRUE(rig.transport->TransmitData(frame(0x89, "56322E31"), QStringLiteral("Version")));
    ASSERT_TRUE(rig.transport->TransmitData(frame(0x89, "56322E31")));
    QStringList shows;
    for (const QString& e : rig.ui.events)
        if (e.startsWith("commShow:"))
            shows << e;
    EXPECT_EQ(shows, QStringList({"commShow:Version", "commShow:"}));
    EXPECT_EQ(rig.sim.waitFor("VERSION"), "VERSION V2.1");
}

TEST(FrameTransport, WithoutTheCancelDialogNothingIsShown) {
    LinkRig rig{{{"ShowCancelDialog", "no"}}};
    ASSERT_TRUE(rig.transport->TransmitData(frame(0x80)));
    ASSERT_TRUE(rig.transport->WaitForResponse(QStringLiteral("81")));
    for (const QString& e : rig.ui.events)
        EXPECT_FALSE(e.startsWith("comm")) << e.toStdString();
}

TEST(FrameTransport, ChunksOfOutBufferSizeEachAfterThePreviousLeft) {
    for (const int size : {7, 0}) {
        LinkRig rig{{{"OutBufferSize", QString::number(size)}}};
        QList<QByteArray> chunks;
        QList<qint64> pendingAtWrite;
        QObject::connect(rig.port.get(), &SerialPort::writing, [&](const QByteArray& c) {
            chunks << c;
            pendingAtWrite << rig.port->OutBufferCount();
        });
        QByteArray payload;
        for (int i = 0; i < 50; ++i)
            payload += QByteArray::number(i % 16, 16).toUpper() + "F";
        const QByteArray f = frame(0x85, payload); // 102 bytes
        ASSERT_TRUE(rig.transport->TransmitData(f));
        EXPECT_EQ(chunks.join(), f);
        EXPECT_EQ(chunks.size(), size == 0 ? 1 : (f.size() + size - 1) / size) << size;
        for (qint64 pending : pendingAtWrite)
            EXPECT_EQ(pending, 0);
        EXPECT_EQ(rig.sim.waitFor("RX 85"), "RX 85 " + QString::fromLatin1(payload));
    }
}

TEST(FrameTransport, NulBytesNeverReachTheBuffer) {
    LinkRig rig;
    rig.sim.command("fault nul");
    rig.sim.waitFor("OK fault");
    ASSERT_TRUE(rig.transport->TransmitData(frame(0x80)));
    ASSERT_TRUE(rig.transport->WaitForResponse(QStringLiteral("81")));
    LinkRig::spin(50);
    EXPECT_FALSE(rig.transport->ReceiveBuffer().contains('\0'));
}

TEST(FrameTransport, TwoFramesBackToBackAreHandedOverAsOne) {
    LinkRig rig{{{"TimerInterval", "200"}}};
    Recorder rec(rig);
    rig.sim.command("raw 810D880D");
    ASSERT_TRUE(LinkRig::spinUntil([&] { return !rec.frames.isEmpty(); }, 3000));
    LinkRig::spin(300);
    ASSERT_EQ(rec.frames.size(), 1);
    EXPECT_EQ(rec.frames.first().code, "81");
    EXPECT_EQ(rec.frames.first().frame, QByteArray("\x81\r\x88\r"));
}

TEST(FrameTransport, AFrameSplitOverManyReadsIsCollected) {
    LinkRig rig{{{"TimerInterval", "1"}}};
    Recorder rec(rig);
    rig.sim.command("fault split 5");
    rig.sim.waitFor("OK fault");
    rig.sim.command("send 84 33");
    ASSERT_TRUE(LinkRig::spinUntil([&] { return !rec.frames.isEmpty(); }, 3000));
    EXPECT_EQ(rec.frames.first().frame, frame(0x84, "33"));
    EXPECT_EQ(rec.frames.size(), 1);
}

TEST(FrameTransport, TextThatNeverBecomesAFrameIsDiscardedAfterTheTimeOut) {
    LinkRig rig{{{"TimeOut", "1"}}};
    Recorder rec(rig);
    QElapsedTimer clock;
    clock.start();
    rig.sim.command("raw 41424344"); // starts below 0x80
    ASSERT_TRUE(LinkRig::spinUntil(
        [&] { return !rig.statusesWith("Comm_Timeout_Short").isEmpty(); }, 3000));
    EXPECT_LT(clock.elapsed(), 2500);
    EXPECT_TRUE(rec.frames.isEmpty());
    EXPECT_TRUE(rig.transport->ReceiveBuffer().isEmpty());
    ASSERT_EQ(rig.ui.boxes.size(), 1);
    EXPECT_EQ(rig.ui.boxes.first().text, "Comm_Timeout_Completing_Data");
    EXPECT_EQ(rig.ui.boxes.first().icon, MsgIcon::Exclamation);
    EXPECT_FALSE(rig.transport->ReceiveBusy());
    EXPECT_TRUE(balanced(rig));
}

TEST(FrameTransport, NoAnswerTimesOutAndClearsTheBuffer) {
    LinkRig rig{{{"TimeOut", "1"}}};
    rig.switches.ShowMsgBox = false;
    rig.sim.command("fault noanswer");
    rig.sim.waitFor("OK fault");
    ASSERT_TRUE(rig.transport->TransmitData(frame(0x80)));
    rig.sim.command("raw 81"); // a start that never completes
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(rig.transport->WaitForResponse(QStringLiteral("81")));
    EXPECT_GE(clock.elapsed(), 900);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_TRUE(rig.transport->ReceiveBuffer().isEmpty());
    EXPECT_EQ(rig.ui.lastStatus(), "  Comm_Timeout_Short");
    EXPECT_TRUE(rig.ui.boxes.isEmpty()); // ShowMsgBox off
    EXPECT_FALSE(rig.transport->WaitingForResponse());
    EXPECT_TRUE(balanced(rig));
}

TEST(FrameTransport, AnAnswerWithAnotherCodeDoesNotEndTheWait) {
    LinkRig rig{{{"TimeOut", "1"}}};
    ASSERT_TRUE(rig.transport->TransmitData(frame(0x80)));
    EXPECT_FALSE(rig.transport->WaitForResponse(QStringLiteral("83")));
    EXPECT_TRUE(rig.transport->ReceiveBuffer().isEmpty()); // the 81 went with the time-out
    ASSERT_EQ(rig.ui.boxes.size(), 1);
    EXPECT_EQ(rig.ui.boxes.first().text, "  No answer 83 in time");
}

TEST(FrameTransport, WithoutTimeOutOnlyCancelEndsTheWait) {
    LinkRig rig{{{"TimeOut", "0"}}};
    rig.sim.command("fault noanswer");
    rig.sim.waitFor("OK fault");
    ASSERT_TRUE(rig.transport->TransmitData(frame(0x80)));
    QTimer::singleShot(1500, rig.transport.get(), [&] { rig.transport->Cancel(); });
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(rig.transport->WaitForResponse(QStringLiteral("81")));
    EXPECT_GE(clock.elapsed(), 1400);
    EXPECT_EQ(rig.ui.lastStatus(), "  Comm_Cancelled");
    EXPECT_TRUE(rig.ui.boxes.isEmpty());
    // Completion still ends a wait without time-out.
    ASSERT_TRUE(rig.transport->TransmitData(frame(0x80)));
    EXPECT_TRUE(rig.transport->WaitForResponse(QStringLiteral("81")));
    EXPECT_TRUE(balanced(rig));
}

TEST(FrameTransport, CancelDuringAWaitClearsTheBuffer) {
    LinkRig rig;
    Recorder rec(rig);
    // The user presses Cancel while the receive wait collects an unfinished frame.
    bool pressed = false;
    rig.ui.onProcessEvents = [&] {
        if (rig.transport->ReceiveBusy() && rig.ui.commDialogDepth > 0 && !pressed) {
            pressed = true;
            rig.transport->Cancel();
        }
    };
    QElapsedTimer clock;
    clock.start();
    rig.sim.command("raw 85414243");
    ASSERT_TRUE(
        LinkRig::spinUntil([&] { return !rig.statusesWith("Comm_Cancelled").isEmpty(); }, 3000));
    EXPECT_LT(clock.elapsed(), 1500); // well before the time-out
    EXPECT_TRUE(rig.transport->ReceiveBuffer().isEmpty());
    EXPECT_FALSE(rig.transport->ReceiveBusy());
    EXPECT_TRUE(rec.frames.isEmpty());
    EXPECT_EQ(rig.ui.lastStatus(), "  Comm_Cancelled");
    EXPECT_TRUE(rig.ui.boxes.isEmpty());
    EXPECT_TRUE(balanced(rig));
}

TEST(FrameTransport, CancelAndTimeOutDuringASendThatCannotLeave) {
    for (const bool cancel : {true, false}) {
        LinkRig rig{{{"TimeOut", cancel ? "0" : "1"}, {"OutBufferSize", "0"}}};
        rig.sim.command("stall on");
        rig.sim.waitFor("OK stall");
        if (cancel)
            QTimer::singleShot(300, rig.transport.get(), [&] { rig.transport->Cancel(); });
        const QByteArray big = frame(0x85, QByteArray(400000, 'A'));
        EXPECT_FALSE(rig.transport->TransmitData(big));
        ASSERT_EQ(rig.ui.boxes.size(), 1);
        const QString key = cancel ? "  Comm_Action_Cancelled" : "  Comm_TransmitData_Timeout_Err";
        EXPECT_EQ(rig.ui.boxes.first().text, key);
        EXPECT_EQ(rig.ui.lastStatus(), key);
        EXPECT_TRUE(balanced(rig));
        rig.sim.command("stall off");
    }
}

TEST(FrameTransport, APortThatVanishesEndsTheWaitAndTheNextSendFails) {
    LinkRig rig{{{"TimeOut", "1"}}};
    rig.switches.ShowMsgBox = false;
    rig.sim.command("fault hangup");
    rig.sim.waitFor("OK fault");
    ASSERT_TRUE(rig.transport->TransmitData(frame(0x82)));
    EXPECT_FALSE(rig.transport->WaitForResponse(QStringLiteral("83")));
    EXPECT_FALSE(rig.sim.waitFor("HANGUP").isEmpty());
    ASSERT_TRUE(LinkRig::spinUntil([&] { return !rig.port->isOpen(); }, 2000));
    EXPECT_FALSE(rig.transport->TransmitData(frame(0x80)));
    ASSERT_EQ(rig.ui.boxes.size(), 1); // shown whatever ShowMsgBox says
    EXPECT_TRUE(rig.ui.boxes.first().text.startsWith("  Transmit error: "));
    EXPECT_TRUE(balanced(rig));
    EXPECT_FALSE(rig.ui.busy);
}

namespace {

// Status texts of an "83" payload as the controller would read them.
QStringList versionEntries(const QString& payload) {
    QStringList texts;
    for (int pos = 0; pos + 2 <= payload.size();) {
        const int len = HexToByte(payload.mid(pos, 2));
        texts << HexToStr(payload.mid(pos + 2, 2 * len));
        pos += 2 + 2 * len;
    }
    return texts;
}

QString hexEntry(const QByteArray& text) {
    return ByteToHex(quint8(text.size())) + QString::fromLatin1(text.toHex().toUpper());
}

bool waitStatus(LinkRig& rig, const QString& text, int ms = 3000) {
    return LinkRig::spinUntil([&] { return rig.ui.statusTexts.contains(text); }, ms);
}

} // namespace

// The controller's own frames, one after the other on one link: each answered (or not) and
// reported in its own words.
TEST(Interpreter, TheControllersFramesAreAnsweredAndReported) {
    LinkRig rig;
    rig.switches.ShowMsgBox = false;
    struct Case {
        const char *send, *answer, *status;
    };
    const Case cases[] = {
        {"80", "81 ", "  Comm_OnlineTest_Request_Info"},
        {"87", "88 ", "  Comm_Reset_ByRequest"},
        {"85", "86 30", "  Comm_Data_Received"},                    // an empty data frame sums to 0
        {"85 0102FF", "86 323538", "  Comm_Data_Received"},         // 258: the digits "2", "5", "8"
        {"89 56322E31", nullptr, "  QPL Versionsnummer empfangen"}, // "V2.1"
        {"86 30", nullptr, "  Comm_Data_Sent"},                     // nothing sent: compared with 0
        {"84 33", nullptr, nullptr}};
    for (const Case& c : cases) {
        rig.ui.statusTexts.clear();
        rig.sim.command(QStringLiteral("send ") + c.send);
        if (c.answer) {
            EXPECT_EQ(rig.sim.waitFor("RX "), QStringLiteral("RX ") + c.answer);
        }
        if (c.status) {
            EXPECT_TRUE(waitStatus(rig, c.status)) << c.send;
        }
    }
    ASSERT_TRUE(LinkRig::spinUntil([&] { return !rig.sendTimerArmed.isEmpty(); }, 2000));
    EXPECT_EQ(rig.interpreter->RequestedBlock, "33");
    EXPECT_EQ(rig.sendTimerArmed, QList<int>{100});
    EXPECT_EQ(rig.resets, 1);
    EXPECT_EQ(rig.store.QPLVersion.text(), "V2.1");
    EXPECT_EQ(rig.decoded, QStringList({"", "0102FF"}));
    EXPECT_TRUE(rig.ui.boxes.isEmpty());
    rig.sim.command("send 86 41"); // "A" is no number
    ASSERT_TRUE(
        LinkRig::spinUntil([&] { return rig.proto.text().contains("Interpret error: "); }, 2000));
    EXPECT_TRUE(rig.ui.boxes.isEmpty());
    EXPECT_TRUE(rig.sim.quietFor("RX ", 200));
}

TEST(Interpreter, OurOnlineTestIsAnsweredWithABox) {
    LinkRig rig;
    ASSERT_TRUE(rig.transport->TransmitData(frame(0x80)));
    ASSERT_TRUE(rig.transport->WaitForResponse("81"));
    ASSERT_TRUE(waitStatus(rig, "  Comm_OnlineTest_Info"));
    ASSERT_EQ(rig.ui.boxes.size(), 1);
    EXPECT_EQ(rig.ui.boxes[0].text, "  Comm_OnlineTest_Info");
    EXPECT_EQ(rig.ui.boxes[0].icon, MsgIcon::Information);
    EXPECT_EQ(rig.ui.boxes[0].title, "zozedud");
}

TEST(Interpreter, AnswersAVersionRequestWithSixTextsOfThirtyTwo) {
    LinkRig rig;
    rig.store.StatusText[1] = QStringLiteral("Alpha");
    rig.store.StatusText[2] = QStringLiteral("   ");
    rig.store.StatusText[3] = QStringLiteral("whatever the page says");
    rig.sim.command("send 82");
    const QString rx = rig.sim.waitFor("RX ");
    ASSERT_TRUE(rx.startsWith("RX 83 "));
    const QString payload = rx.mid(6);
    EXPECT_EQ(payload.size(), 6 * (2 + 64));
    const QStringList texts = versionEntries(payload);
    ASSERT_EQ(texts.size(), 6);
    EXPECT_EQ(texts[0], QString("Alpha").leftJustified(32));
    EXPECT_EQ(texts[1], QString("TextStatus(2)").leftJustified(32));
    EXPECT_EQ(texts[2], QString("QPL SW V2.123 by R&N").leftJustified(32));
    EXPECT_TRUE(waitStatus(rig, "  Comm_VersionInfo_Sent"));
    // The pages go into the data set before the answer is built.
    EXPECT_EQ(rig.ui.takeOverCount, 1);
    EXPECT_LT(rig.ui.events.indexOf("takeover"), rig.ui.events.lastIndexOf("commShow:"));
}

TEST(Interpreter, StoresTheControllersStatusTextsAndAcceptsItsVersion) {
    LinkRig rig{{}, {"--status", "QPL Box", "--status", "SN 7", "--status", " qpl sw v2.40 "}};
    ASSERT_TRUE(rig.transport->TransmitData(frame(0x82)));
    ASSERT_TRUE(rig.transport->WaitForResponse("83"));
    ASSERT_TRUE(waitStatus(rig, "")); // cleared before the result is shown
    ASSERT_TRUE(LinkRig::spinUntil([&] { return !rig.ui.boxes.isEmpty(); }, 2000));
    EXPECT_EQ(rig.store.StatusText[1].trimmedRight(), "QPL Box");
    EXPECT_EQ(rig.store.StatusText[2].trimmedRight(), "SN 7");
    EXPECT_EQ(rig.store.StatusText[3].trimmedRight(), " qpl sw v2.40");
    EXPECT_EQ(rig.store.StatusText[4].trimmedRight(), "Hardware B");
    EXPECT_EQ(rig.ui.boxes.last().text, "  Comm_VersionInfo_Received");
    EXPECT_EQ(rig.endings, 0);
    const int takeover = rig.ui.events.lastIndexOf("takeover");
    EXPECT_GE(takeover, 0);
    EXPECT_GT(rig.ui.events.lastIndexOf("refresh"), takeover);
}

TEST(Interpreter, AnotherMajorVersionEndsTheProgram) {
    for (const char* text : {"QPL SW V3.00", "QPL SW V20.1", "QPL SW 2.1"}) {
        LinkRig rig;
        rig.ui.caption = "VX418 ZozEdud";
        rig.sim.command(QStringLiteral("fault version ") + text);
        rig.sim.waitFor("OK fault");
        ASSERT_TRUE(rig.transport->TransmitData(frame(0x82)));
        ASSERT_TRUE(rig.transport->WaitForResponse("83"));
        ASSERT_TRUE(LinkRig::spinUntil([&] { return rig.endings > 0; }, 2000)) << text;
        EXPECT_EQ(rig.endings, 1);
        ASSERT_EQ(rig.ui.boxes.size(), 1);
        EXPECT_EQ(rig.ui.boxes[0].icon, MsgIcon::Critical);
        EXPECT_EQ(rig.ui.boxes[0].title, "VX418 ZozEdud");
        EXPECT_EQ(rig.ui.boxes[0].text,
                  "Bitte benutzen Sie die PC-Software-Version 'V3'...\r\nDanke!\r\n\r\n"
                  "Please use the pc software version 'V3'...\r\nThank you!");
    }
}

TEST(Interpreter, FewerStatusTextsLeaveTheRestBlankASeventhIsAnError) {
    LinkRig rig;
    rig.store.StatusText[5] = QStringLiteral("old");
    rig.sim.command("send 83 " + hexEntry("One") + hexEntry("QPL V2.0"));
    ASSERT_TRUE(
        LinkRig::spinUntil([&] { return rig.store.StatusText[1].trimmedRight() == "One"; }, 2000));
    EXPECT_EQ(rig.store.StatusText[5].text(), QString(32, ' '));

    QString seven;
    for (int i = 0; i < 7; ++i)
        seven += hexEntry("V2.");
    rig.ui.boxes.clear();
    rig.sim.command("send 83 " + seven);
    ASSERT_TRUE(
        LinkRig::spinUntil([&] { return rig.proto.text().contains("Interpret error: "); }, 2000));
    EXPECT_TRUE(rig.ui.boxes.isEmpty());        // the log only
    EXPECT_EQ(rig.sim.waitFor("RX ", 300), ""); // nothing answered
}

TEST(Interpreter, ReceivedDataIsAcknowledgedWithItsChecksumThenDecoded) {
    LinkRig rig;
    ASSERT_TRUE(rig.transport->TransmitData(frame(0x84, "20")));
    ASSERT_TRUE(rig.transport->WaitForResponse("85"));
    ASSERT_TRUE(waitStatus(rig, "  Comm_Data_Received"));
    const QString ack = rig.sim.waitFor("RX 86");
    EXPECT_FALSE(rig.sim.waitFor("ACK OK").isEmpty());
    const QString sent = rig.sim.dump().value("20");
    ASSERT_EQ(sent.size(), 892);
    ASSERT_EQ(rig.decoded.size(), 1);
    EXPECT_EQ(rig.decoded[0], sent);
    EXPECT_EQ(ack, "RX 86 " + StrToHex(QString::number(CalcChecksum(sent))));
}

TEST(Interpreter, ComparesTheAcknowledgementWithWhatWasSent) {
    LinkRig rig;
    rig.switches.ShowMsgBox = false;
    const QByteArray payload = "31" + QByteArray(1024, '4');
    rig.interpreter->LastSentChecksum = CalcChecksum(QString::fromLatin1(payload));
    ASSERT_TRUE(rig.transport->TransmitData(frame(0x85, payload)));
    ASSERT_TRUE(rig.transport->WaitForResponse("86"));
    ASSERT_TRUE(waitStatus(rig, "  Comm_Data_Sent"));
    EXPECT_TRUE(rig.ui.boxes.isEmpty());

    rig.sim.command("fault badsum");
    rig.sim.waitFor("OK fault");
    ASSERT_TRUE(rig.transport->TransmitData(frame(0x85, payload)));
    ASSERT_TRUE(rig.transport->WaitForResponse("86"));
    ASSERT_TRUE(waitStatus(rig, "  Comm_Checksum_Err"));
    ASSERT_EQ(rig.ui.boxes.size(), 1); // whatever ShowMsgBox says
    EXPECT_EQ(rig.ui.boxes[0].icon, MsgIcon::Exclamation);
}

TEST(Interpreter, OurResetIsConfirmed) {
    LinkRig rig;
    rig.sim.command("config 2 edited");
    rig.sim.waitFor("OK config");
    ASSERT_TRUE(rig.transport->TransmitData(frame(0x87)));
    ASSERT_TRUE(rig.transport->WaitForResponse("88"));
    ASSERT_TRUE(waitStatus(rig, "  Comm_Reset_Done"));
    EXPECT_EQ(rig.ui.boxes.last().text, "  Comm_Reset_Done");
    EXPECT_TRUE(rig.sim.dump().value("32").startsWith(
        QString::fromLatin1(QByteArray("Sim configuration 2").toHex().toUpper())));
}

TEST(Interpreter, AnAnswerThatCannotBeSentSkipsTheDecoding) {
    LinkRig rig;
    rig.switches.ShowMsgBox = false;
    rig.port->ClosePort();
    rig.interpreter->InterpretCommand("85", frame(0x85, "20AA"));
    EXPECT_TRUE(rig.decoded.isEmpty());
    EXPECT_TRUE(rig.statusesWith("Comm_Data_Received").isEmpty());
    ASSERT_EQ(rig.ui.boxes.size(), 1);
    EXPECT_TRUE(rig.ui.boxes[0].text.startsWith("  Transmit error: "));
}

namespace {

// A settings file holding only the given [Comm] lines, and a fresh port reading it.
struct PortOnly {
    explicit PortOnly(const QByteArray& commLines) {
        QFile f(rig.switches.IniFileName);
        f.open(QIODevice::WriteOnly);
        f.write("[Comm]\r\n" + commLines +
                "[Messages_ENG]\r\nComm_OpenPort_Err=Port error: & on port&\r\n");
        f.close();
        port = std::make_unique<SerialPort>(*rig.reporter);
    }
    LinkRig rig{{}, {}, false};
    std::unique_ptr<SerialPort> port;
};

QByteArray portLine(const LinkRig& rig) {
    return "Port=" + rig.sim.device().toLocal8Bit() + "\r\n";
}

} // namespace

TEST(SerialPortSetUp, MissingKeysTakeTheDefaults) {
    LinkRig probe{{}, {}, false};
    PortOnly p(portLine(probe));
    ASSERT_EQ(p.port->SetCommParameters(), 0);
    const SerialPort& s = *p.port;
    EXPECT_EQ(QStringList({s.Settings, QString::number(s.InBufferSize),
                           QString::number(s.OutBufferSize), QString::number(s.Handshaking),
                           QString::number(s.TimeOut), QString::number(s.TimerInterval),
                           QString::number(s.InputLen), QString::number(s.InputMode),
                           QString::number(s.RThreshold), QString::number(s.SThreshold)}),
              QStringList({"19200,n,8,1", "1024", "512", "0", "10", "500", "0", "1", "1", "1"}));
    EXPECT_TRUE(s.DTREnable && s.RTSEnable && s.ShowCancelDialog && s.NullDiscard && !s.PortOpened);
}

TEST(SerialPortSetUp, EachBadValueFailsItsOwnStepAndStopsThere) {
    struct Case {
        QByteArray lines;
        int step;
    };
    const QList<Case> cases{
        {"Port=/dev/no-such-port\r\n", 1},
        {"Port=0\r\n", 1}, // the 0th port does not exist
        {"Port=40000\r\n", 1},
        {"Settings=19200,x,8,1\r\n", 2},
        {"Settings=19200,n,9,1\r\n", 2},
        {"Settings=19200,n,4,1\r\n", 2},
        {"Settings=19200,n,5,1\r\n", 0}, // 5 to 8 data bits are fine
        {"Settings=fast,n,8,1\r\n", 2},
        {"Settings=19200,n,8\r\n", 2},
        {"Settings=19200,n,8,3\r\n", 2},
        {"InBufferSize=big\r\n", 3},
        {"OutBufferSize=-1\r\n", 4},
        {"HandShaking=4\r\n", 7},
        {"HandShaking=none\r\n", 7},
        {"TimeOut=never\r\n", 9},
        {"TimeOut=40000\r\n", 9},
        {"TimerInterval=soon\r\n", 11},
    };
    LinkRig probe{{}, {}, false};
    for (const Case& c : cases) {
        QByteArray lines = c.lines;
        if (!lines.startsWith("Port="))
            lines.prepend(portLine(probe));
        PortOnly p(lines);
        EXPECT_EQ(p.port->SetCommParameters(), c.step) << c.lines.constData();
        if (c.step > 0 && c.step <= 2) { // later steps never ran
            EXPECT_EQ(p.port->InBufferSize, 0) << c.lines.constData();
        }
        if (c.step == 9) {
            EXPECT_EQ(p.port->TimerInterval, 0);
        }
    }
}

TEST(SerialPortSetUp, ConvertsNumbersAndSwitchesAsWritten) {
    LinkRig probe{{}, {}, false};
    PortOnly p(portLine(probe) +
               "Settings=9600,E,7,1.5\r\nInBufferSize=2048.9\r\nOutBufferSize=7.5\r\n"
               "DTREnable=ja\r\nRTSEnable=true\r\nHandShaking=3\r\nTimeOut=0\r\n"
               "ShowCancelDialog=1\r\nTimerInterval=20\r\n");
    ASSERT_EQ(p.port->SetCommParameters(), 0);
    EXPECT_EQ(p.port->Settings, "9600,E,7,1.5");
    EXPECT_EQ(p.port->InBufferSize, 2048);
    EXPECT_EQ(p.port->OutBufferSize, 7);
    EXPECT_TRUE(p.port->DTREnable);  // "ja"
    EXPECT_FALSE(p.port->RTSEnable); // "true" is no yes
    EXPECT_FALSE(p.port->ShowCancelDialog);
    EXPECT_EQ(p.port->Handshaking, 3);
    EXPECT_EQ(p.port->TimeOut, 0);
    EXPECT_EQ(p.port->TimerInterval, 20);

    PortOnly yes(portLine(probe) + "DTREnable=Yes\r\n");
    ASSERT_EQ(yes.port->SetCommParameters(), 0);
    EXPECT_TRUE(yes.port->DTREnable);
}

TEST(SerialPortSetUp, AWholeNumberNamesTheNthPlatformPort) {
    if (!QFileInfo::exists(QStringLiteral("/dev/ttyS0")))
        GTEST_SKIP() << "no /dev/ttyS0 here";
    PortOnly p("Port=1.8\r\n");
    ASSERT_EQ(p.port->SetCommParameters(), 0);
    EXPECT_EQ(p.port->deviceName(), "/dev/ttyS0");
    EXPECT_EQ(p.port->portText(), " 1");
}

TEST(SerialPortOpen, OpensOncePtyModemLinesAreNoErrorAndClosesOnce) {
    LinkRig rig{{}, {}, false};
    ASSERT_EQ(rig.setUpStep, 0);
    EXPECT_TRUE(rig.port->OpenPort());
    EXPECT_TRUE(rig.port->PortOpened);
    EXPECT_TRUE(rig.port->OpenPort()); // already open: nothing set, still true
    EXPECT_TRUE(rig.ui.boxes.isEmpty());
    EXPECT_TRUE(rig.port->ClosePort());
    EXPECT_FALSE(rig.port->PortOpened);
    EXPECT_TRUE(rig.port->ClosePort()); // already closed
    EXPECT_TRUE(rig.ui.boxes.isEmpty());
}

TEST(SerialPortOpen, AFailedOpenIsReportedInABoxEvenWithoutShowMsgBox) {
    LinkRig rig{{}, {}, false};
    // A device that exists but is no serial port.
    const QString notATty = rig.dir.filePath(QStringLiteral("plain-file"));
    QFile f(notATty);
    f.open(QIODevice::WriteOnly);
    f.close();
    PortOnly p("Port=" + notATty.toLocal8Bit() + "\r\n");
    p.rig.switches.ShowMsgBox = false;
    ASSERT_EQ(p.port->SetCommParameters(), 0);
    p.rig.ui.busy = true;
    EXPECT_FALSE(p.port->OpenPort());
    EXPECT_FALSE(p.port->PortOpened);
    ASSERT_EQ(p.rig.ui.boxes.size(), 1);
    const auto& box = p.rig.ui.boxes.first();
    EXPECT_TRUE(box.text.startsWith("  Port error: ")) << box.text.toStdString();
    EXPECT_TRUE(box.text.endsWith("on port" + notATty)) << box.text.toStdString();
    EXPECT_EQ(box.icon, MsgIcon::Exclamation);
    EXPECT_EQ(box.title, "zozedud");
    EXPECT_EQ(p.rig.ui.lastStatus(), box.text);
    EXPECT_TRUE(p.rig.proto.text().contains(box.text)) << p.rig.proto.text().toStdString();
    EXPECT_FALSE(p.rig.ui.busy);
}

TEST(SerialPortOpen, ASecondProgramCannotOpenTheSamePort) {
    LinkRig rig;
    ASSERT_TRUE(rig.opened);
    SerialPort second(*rig.reporter);
    ASSERT_EQ(second.SetCommParameters(), 0);
    EXPECT_FALSE(second.OpenPort());
    EXPECT_EQ(rig.ui.boxes.size(), 1);
}

namespace {

// The link with the real encoder, decoder and configuration files behind it.
struct TransferRig : LinkRig {
    explicit TransferRig(const QStringList& simArgs = {}) : LinkRig({}, simArgs) {
        dataFile = std::make_unique<DataFile>(store, switches, *texts, *log, ui, [] {});
        configFile = std::make_unique<ConfigFile>(*dataFile, *texts, *log, ui);
        encoder = std::make_unique<Encoder>(store, switches, *texts, *log, ui);
        decoder = std::make_unique<Decoder>(store, switches, *texts, *log, ui,
                                            configFile->decoderFiles());
        transfer = std::make_unique<ConfigTransfer>(store, *configFile, *encoder, *transport,
                                                    *interpreter, *reporter);
        CommandInterpreter::Collaborators c;
        c.interpretHexData = [this](QString& payload) {
            decoded << payload;
            decoder->Interpret_HexData(payload);
        };
        interpreter->setCollaborators(c);
    }
    std::unique_ptr<DataFile> dataFile;
    std::unique_ptr<ConfigFile> configFile;
    std::unique_ptr<Encoder> encoder;
    std::unique_ptr<Decoder> decoder;
    std::unique_ptr<ConfigTransfer> transfer;
};

// 512 bytes that differ from block to block and from the simulator's own.
QByteArray block(int k) {
    QByteArray b;
    for (int i = 0; b.size() < 512; ++i)
        b += "Cfg" + QByteArray::number(k) + "-" + QByteArray::number(i) + ";";
    return b.left(512);
}

QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

QString hex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex().toUpper());
}

} // namespace

TEST(ConfigTransfer, ProposesTheProgramNameWithTheTwoDigitIndex) {
    TransferRig rig;
    EXPECT_EQ(rig.transfer->ProposedFileName(3), rig.dir.path() + "/zozedud 03.CNS");
    EXPECT_EQ(rig.transfer->ProposedFileName(0), rig.dir.path() + "/zozedud 00.CNG");
    // Cancelling the open dialog leaves the names and the controller untouched.
    EXPECT_EQ(rig.transfer->SendConfiguration(3), "");
    ASSERT_EQ(rig.ui.fileDialogs.size(), 1);
    EXPECT_TRUE(rig.ui.fileDialogs[0].initialName.endsWith("zozedud 03.CNS"))
        << rig.ui.fileDialogs[0].initialName.toStdString();
    EXPECT_FALSE(rig.ui.fileDialogs[0].save);
    EXPECT_TRUE(rig.store.DataSet.SnapShot.SnapShotFile[3] == FileText{}); // untouched
    EXPECT_TRUE(rig.sim.quietFor("RX ", 300));
}

TEST(ConfigTransfer, SendsOneConfigurationFromItsFile) {
    TransferRig rig;
    const QString file = writeFile(rig.dir.filePath("three.CNS"), block(3));
    rig.ui.fileNames.enqueue(file);
    EXPECT_EQ(rig.transfer->SendConfiguration(3), "");
    EXPECT_EQ(rig.sim.waitFor("RX 85"), "RX 85 33" + hex(block(3)));
    ASSERT_TRUE(
        LinkRig::spinUntil([&] { return !rig.statusesWith("Comm_Data_Sent").isEmpty(); }, 2000));
    EXPECT_TRUE(rig.statusesWith("Comm_Checksum_Err").isEmpty());
    EXPECT_EQ(TrimBlanks(rig.store.DataSet.SnapShot.SnapShotFile[3].text()), file);
    const auto held = rig.sim.dump();
    EXPECT_EQ(held.value("33"), hex(block(3)));
    EXPECT_EQ(held.value("34"), hex(QByteArray("Sim configuration 4").leftJustified(512, ' ')));
}

TEST(ConfigTransfer, TheGroupGoesAsEightAcknowledgedBlocksEachFollowedByAPause) {
    TransferRig rig;
    QByteArray all;
    for (int k = 1; k <= 8; ++k)
        all += block(k);
    rig.ui.fileNames.enqueue(writeFile(rig.dir.filePath("all.CNG"), all));
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
    EXPECT_EQ(rig.statusesWith("Comm_Data_Sent").size(), 8);
    EXPECT_TRUE(rig.statusesWith("Comm_Checksum_Err").isEmpty());
    const auto held = rig.sim.dump();
    for (int k = 1; k <= 8; ++k)
        EXPECT_EQ(held.value(QString::number(30 + k)), hex(block(k))) << k;
}

TEST(ConfigTransfer, RequestingOneConfigurationAsksForTheNameOnlyWhenItArrives) {
    TransferRig rig;
    rig.sim.command("config 5 five");
    rig.sim.waitFor("OK config");
    const QString target = rig.dir.filePath("five.CNS");
    rig.ui.fileNames.enqueue(target);
    EXPECT_EQ(rig.transfer->RequestConfiguration(5), "");
    EXPECT_EQ(rig.sim.waitFor("RX 84"), "RX 84 35");
    ASSERT_TRUE(LinkRig::spinUntil([&] { return QFile::exists(target); }, 3000));
    ASSERT_EQ(rig.ui.fileDialogs.size(), 1);
    EXPECT_TRUE(rig.ui.fileDialogs[0].save);
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("five").leftJustified(512, ' '));
    EXPECT_FALSE(rig.store.GroupReceiveActive);
}

TEST(ConfigTransfer, TheGroupArrivesAsEightSingleBlocksInOneFile) {
    TransferRig rig; // the simulator answers "30" with "31".."38", each after its 86
    for (int k = 1; k <= 8; ++k) {
        rig.sim.command(QStringLiteral("config %1 group block %1").arg(k));
        rig.sim.waitFor("OK config");
    }
    const QString target = rig.dir.filePath("group.CNG");
    rig.ui.fileNames.enqueue(target);
    EXPECT_EQ(rig.transfer->RequestConfiguration(0), "");
    EXPECT_EQ(rig.sim.waitFor("RX 84"), "RX 84 30");
    ASSERT_TRUE(LinkRig::spinUntil([&] { return QFile::exists(target); }, 8000));
    EXPECT_EQ(rig.decoded.size(), 8);
    EXPECT_FALSE(rig.store.GroupReceiveActive);
    EXPECT_EQ(rig.store.GroupReceiveCount, 0);
    EXPECT_EQ(rig.ui.fileDialogs.size(), 1); // only the group's name, asked first
    EXPECT_EQ(TrimBlanks(rig.store.DataSet.SnapShot.SnapShotGroupFile.text()), target);
    QByteArray expected;
    for (int k = 1; k <= 8; ++k)
        expected += QByteArray("group block " + QByteArray::number(k)).leftJustified(512, ' ');
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), expected);
    // The simulator reports its last acknowledgement after the file was written.
    EXPECT_TRUE(
        LinkRig::spinUntil([&] { return rig.sim.lines().filter("ACK OK").size() == 8; }, 3000));
}

TEST(ConfigTransfer, CancellingTheGroupNameSendsNothing) {
    TransferRig rig;
    EXPECT_EQ(rig.transfer->RequestConfiguration(0), "");
    EXPECT_EQ(rig.ui.fileDialogs.size(), 1);
    EXPECT_FALSE(rig.store.GroupReceiveActive);
    EXPECT_TRUE(rig.sim.quietFor("RX ", 300));
}
