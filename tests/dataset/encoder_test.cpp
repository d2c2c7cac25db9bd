#include "dataset/Encoder.h"

#include "app/CodePage.h"
#include "support/DataHarness.h"

#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::DataHarness;

namespace {

class EncoderTest : public ::testing::Test {
protected:
    DataHarness h;

    void SetUp() override {
        DataSet& d = h.store.DataSet;
        d.Monitor.MonMode[2] = 1;
        d.Monitor.MonAbgriff[3] = 1;
        d.Monitor.Peakmeter[1] = 1;
        d.Editor.Control[2] = 1;
    }

    QString payload(const QString& code) {
        QString frame;
        EXPECT_EQ(h.encoder.Preparing_DataExchange(frame, code), "");
        EXPECT_GE(frame.size(), 2);
        EXPECT_EQ(frame.front(), CodePage::toUnicode(0x85));
        EXPECT_EQ(frame.back(), QLatin1Char('\r'));
        return frame.mid(1, frame.size() - 2);
    }
    // n bytes at a byte offset of the payload, as hex digits.
    static QString at(const QString& payload, int offset, int n = 1) {
        return payload.mid(offset * 2, n * 2);
    }
};

TEST_F(EncoderTest, NamesTravelAsTheirEightCharacters) {
    h.store.DataSet.Name.InputDigitalName[1] = QStringLiteral("Kick");
    h.store.DataSet.Name.OutputSummenName[4] = QStringLiteral("M\u00fcx");
    h.store.DataSet.Name.InputDigitalName[0] = QStringLiteral("never");
    const QString p = payload("20");
    EXPECT_EQ(p.size(), 892);
    EXPECT_EQ(at(p, 0), "20");
    EXPECT_EQ(at(p, 1, 8), "4B69636B20202020");
    EXPECT_EQ(at(p, 9, 8), "0000000000000000"); // never set: code-0 characters
    EXPECT_EQ(at(p, 289 + 24, 8), "4DFC782020202020");
}

TEST_F(EncoderTest, ChannelsTravelAsFlatNumbersRowByRow) {
    DataSet& d = h.store.DataSet;
    d.Layer.LayerB[1] = 203;
    d.Layer.LayerA[2] = 503;
    d.Layer.LayerD[6] = 100;
    d.Monitor.ExtMon[4] = 302;
    const QString p = payload("20");
    EXPECT_EQ(at(p, 321, 4), "00140000");
    EXPECT_EQ(at(p, 325), "28");
    EXPECT_EQ(at(p, 344), "01");
    EXPECT_EQ(at(p, 350, 4), "0000001B");
}

TEST_F(EncoderTest, MonitorOptionsAndVolume) {
    DataSet& d = h.store.DataSet;
    d.Monitor.MonMode[4] = 1; // the first member at 1 counts: still 2
    d.Monitor.MonVolume = -1;
    d.Monitor.MonKanal = 0;
    const QString p = payload("20");
    EXPECT_EQ(at(p, 345, 5), "0200010301");
    d.Monitor.MonVolume = 44;
    d.Monitor.MonKanal = 13;
    EXPECT_EQ(at(payload("20"), 346, 2), "2D0E");
}

TEST_F(EncoderTest, AnOptionGroupWithNoMemberSetWritesNoByte) {
    h.store.DataSet.Monitor.MonMode[2] = 2; // only exactly 1 is on
    const QString p = payload("20");
    EXPECT_EQ(p.size(), 890);
    EXPECT_EQ(at(p, 345), "01"); // the volume moved up
}

TEST_F(EncoderTest, GpioCodesTravelAsTheirListKeys) {
    DataSet& d = h.store.DataSet;
    d.GPIO.GPIOOutput[1] = 101; // output key "300"
    d.GPIO.GPIOOutput[2] = 105; // no such entry: sent as itself
    d.GPIO.GPIOOutput[16] = -2; // not positive: sent as itself
    d.GPIO.GPIOInput[1] = 101;  // input key "5"
    d.GPIO.GPIOInput[4] = 105;  // input key "32767"
    d.FBox.FBoxInput[9] = 103;  // input key "300"
    d.FBox.FBoxOutput[1] = 103; // output key "4095"
    const QString p = payload("20");
    EXPECT_EQ(at(p, 354, 2), "0005");
    EXPECT_EQ(at(p, 360, 2), "7FFF");
    EXPECT_EQ(at(p, 362, 2), "012C");
    EXPECT_EQ(at(p, 364, 2), "0069");
    EXPECT_EQ(at(p, 392, 2), "FFFE");
    EXPECT_EQ(at(p, 426, 2), "012C");
    EXPECT_EQ(at(p, 428, 2), "0FFF");
}

TEST_F(EncoderTest, MachineSourceMatrixTwoBytesPerRow) {
    DataSet& d = h.store.DataSet;
    d.Editor.MachSource01[1] = 1;
    d.Editor.MachSource09[1] = 1;
    EXPECT_EQ(at(payload("20"), 394, 11), "0201010000000000000000");
    d.Editor.MachSource08[5] = 1;
    d.Editor.MachSource12[5] = 1;
    d.Editor.MachSource12[3] = 2; // only 1 counts
    EXPECT_EQ(at(payload("20"), 395, 10), "01010000000000008008");
}

TEST_F(EncoderTest, ListNumbersAndSwitchBits) {
    DataSet& d = h.store.DataSet;
    d.Editor.Frames = 1;
    d.Editor.Channels = 1;
    d.SnapShot.SnapShotSwitch1[1] = 1;
    d.SnapShot.SnapShotSwitch1[8] = 1;
    d.SnapShot.SnapShotSwitch2[3] = 1;
    d.SnapShot.StartUpConf = 8;
    EXPECT_EQ(at(payload("20"), 405, 5), "1E01810408");
    d.Editor.Frames = 0;
    d.Editor.Channels = 0;
    d.SnapShot.StartUpConf = 0;
    EXPECT_EQ(at(payload("20"), 405, 5), "1902810400");
}

TEST_F(EncoderTest, ConfigurationBlocks) {
    h.store.SnapShotData = QString(512, ' ');
    EXPECT_EQ(payload("35"), "35"); // an all-blank image has no digits
    h.store.SnapShotData = QStringLiteral("AB");
    const QString single = payload("31");
    EXPECT_EQ(single.size(), 2 + 1024);
    EXPECT_TRUE(single.startsWith("314142202020"));
    for (int j = 1; j <= 8; ++j)
        h.store.SnapShotGroupData[j] = QString(512, QChar('0' + j));
    const QString group = payload("30");
    EXPECT_EQ(group.size(), 8194);
    EXPECT_EQ(at(group, 1), "31");
    EXPECT_EQ(at(group, 512), "31");
    EXPECT_EQ(at(group, 513), "32");
    EXPECT_EQ(at(group, 4096), "38");
    h.store.SnapShotGroupData[2] = QString();
    EXPECT_EQ(payload("30").size(), 8194 - 1024);
}

TEST_F(EncoderTest, OtherCodesGiveAnEmptyFrame) {
    EXPECT_EQ(payload("21"), "");
    EXPECT_EQ(payload("39"), "");
    EXPECT_EQ(payload("3a"), "");
}

TEST_F(EncoderTest, ShowsAndLogsItsStatusAndRestoresTheCursor) {
    payload("20");
    EXPECT_EQ(h.ui.statusTexts, QStringList{"  Daten werden vorbereitet"});
    EXPECT_TRUE(h.logText().contains(">    Daten werden vorbereitet\r\n"));
    EXPECT_FALSE(h.ui.busy);
}

TEST_F(EncoderTest, HexDumpKeepsOnlyTheLastPayload) {
    payload("20");
    EXPECT_FALSE(QFile::exists(h.switches.HexFileName)); // switched off
    h.switches.LogHexData = true;
    const QString first = payload("20");
    EXPECT_EQ(DataHarness::readFile(h.switches.HexFileName), first.toLatin1() + "\r\n\r\n\r\n");
    h.store.SnapShotData = QStringLiteral("x");
    payload("32");
    EXPECT_EQ(DataHarness::readFile(h.switches.HexFileName),
              QByteArray("3278") + QByteArray(511 * 2, '2').replace("22", "20") + "\r\n\r\n\r\n");
}

TEST_F(EncoderTest, ListPositionWithoutEntryOrKeyNoNumberFailsAndLeavesTheCursorToTheCaller) {
    h.store.DataSet.Editor.Frames = 2;
    QString frame = QStringLiteral("old");
    EXPECT_EQ(h.encoder.Preparing_DataExchange(frame, "20"), "Subscript out of range");
    EXPECT_EQ(frame, "");
    EXPECT_TRUE(h.ui.busy);
    h.store.DataSet.Editor.Frames = 0;
    h.store.DataSet.SnapShot.StartUpConf = -1;
    EXPECT_EQ(h.encoder.Preparing_DataExchange(frame, "20"), "Subscript out of range");
    // A GPIO key that is no whole number, or too big for one.
    h.store.DataSet.SnapShot.StartUpConf = 0;
    h.store.lstData[DataStore::GpioOutputList][0].text = QStringLiteral("x7|Talk");
    h.store.DataSet.GPIO.GPIOOutput[3] = 100;
    EXPECT_EQ(h.encoder.Preparing_DataExchange(frame, "20"), "Type mismatch");
    h.store.lstData[DataStore::GpioOutputList][0].text = QStringLiteral("40000|Big");
    EXPECT_EQ(h.encoder.Preparing_DataExchange(frame, "20"), "Overflow");
}

} // namespace
