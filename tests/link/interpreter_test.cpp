#include "dataset/HexCodec.h"
#include "support/LinkRig.h"

#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::LinkRig;

namespace {

QByteArray frame(quint8 code, const QByteArray& payload = {}) {
    return char(code) + payload + '\r';
}

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

TEST(Interpreter, AnswersTheControllersOnlineTest) {
    LinkRig rig;
    rig.sim.command("send 80");
    EXPECT_EQ(rig.sim.waitFor("RX "), "RX 81 ");
    EXPECT_TRUE(waitStatus(rig, "  Comm_OnlineTest_Request_Info"));
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

TEST(Interpreter, StoresTheQplVersionNumber) {
    LinkRig rig;
    rig.switches.ShowMsgBox = false;
    rig.sim.command("send 89 56322E31"); // "V2.1"
    ASSERT_TRUE(waitStatus(rig, "  QPL Versionsnummer empfangen"));
    EXPECT_EQ(rig.store.QPLVersion.text(), "V2.1");
    EXPECT_TRUE(rig.ui.boxes.isEmpty());
}

TEST(Interpreter, ADataRequestRemembersTheBlockAndArmsTheSendTimer) {
    LinkRig rig;
    rig.sim.command("send 84 33");
    ASSERT_TRUE(LinkRig::spinUntil([&] { return !rig.sendTimerArmed.isEmpty(); }, 2000));
    EXPECT_EQ(rig.interpreter->RequestedBlock, "33");
    EXPECT_EQ(rig.sendTimerArmed, QList<int>{100});
    EXPECT_TRUE(rig.ui.boxes.isEmpty());
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

TEST(Interpreter, AnEmptyDataFrameIsAcknowledgedWithZero) {
    LinkRig rig;
    rig.sim.command("send 85");
    EXPECT_EQ(rig.sim.waitFor("RX "), "RX 86 30");
    // 01 02 FF sum to 258: the digits "2", "5", "8".
    rig.sim.command("send 85 0102FF");
    EXPECT_EQ(rig.sim.waitFor("RX "), "RX 86 323538");
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

TEST(Interpreter, AnAcknowledgementWithoutDataSentComparesWithZero) {
    LinkRig rig;
    rig.sim.command("send 86 30");
    ASSERT_TRUE(waitStatus(rig, "  Comm_Data_Sent"));
    rig.sim.command("send 86 41"); // "A" is no number
    ASSERT_TRUE(
        LinkRig::spinUntil([&] { return rig.proto.text().contains("Interpret error: "); }, 2000));
    EXPECT_EQ(rig.ui.boxes.size(), 1); // only the first one
}

TEST(Interpreter, AResetRequestResetsTheDataSetAndIsAnswered) {
    LinkRig rig;
    rig.sim.command("send 87");
    EXPECT_EQ(rig.sim.waitFor("RX "), "RX 88 ");
    EXPECT_EQ(rig.resets, 1);
    EXPECT_TRUE(waitStatus(rig, "  Comm_Reset_ByRequest"));
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
