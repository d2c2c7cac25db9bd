#include "support/LinkRig.h"

#include <QElapsedTimer>
#include <QFile>
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
