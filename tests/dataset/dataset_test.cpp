// The data set: its 2913-byte image, the hex codec, the encoder and decoder of the controller's
// blocks and the store's rules.
#include "base/CodePage.h"
#include "dataset/ChannelRef.h"
#include "dataset/DataSetImage.h"
#include "dataset/DataStore.h"
#include "dataset/Decoder.h"
#include "dataset/Encoder.h"
#include "dataset/HexCodec.h"
#include "support/DataHarness.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::DataHarness;

namespace {

// Every field gets a value of its own so that a field written at the wrong place or in the wrong
// byte order shows.
struct Distinct {
    int next = 1;
    qint16 integer() { return static_cast<qint16>(0x0101 * (next++ % 128) + 0x8000); }
    quint8 byte() { return static_cast<quint8>(next++ % 251); }
    template <int N> void text(FixedText<N>& t) {
        for (int i = 0; i < N; ++i)
            t.bytes[i] = static_cast<char>(0x21 + (next + i) % 200);
        ++next;
    }
};

DataSet distinctDataSet() {
    Distinct v;
    DataSet d;
    for (auto& t : d.Name.InputDigitalName)
        v.text(t);
    for (auto& t : d.Name.InputAnalogName)
        v.text(t);
    for (auto& t : d.Name.InputAdatName)
        v.text(t);
    for (auto& t : d.Name.InputExtMonName)
        v.text(t);
    for (auto& t : d.Name.OutputSummenName)
        v.text(t);
    auto ints = [&v](auto& a) {
        for (size_t i = 1; i < a.size(); ++i)
            a[i] = v.integer();
    };
    ints(d.Layer.LayerA);
    ints(d.Layer.LayerB);
    ints(d.Layer.LayerC);
    ints(d.Layer.LayerD);
    ints(d.Monitor.MonMode);
    d.Monitor.MonVolume = v.integer();
    d.Monitor.MonKanal = v.integer();
    ints(d.Monitor.MonAbgriff);
    ints(d.Monitor.Peakmeter);
    ints(d.Monitor.ExtMon);
    ints(d.GPIO.GPIOInput);
    ints(d.GPIO.GPIOOutput);
    ints(d.Editor.Control);
    for (int s = 1; s <= 12; ++s) {
        for (int r = 1; r <= 5; ++r)
            d.Editor.MachSource(s)[r] = v.byte();
    }
    d.Editor.Frames = v.integer();
    d.Editor.Channels = v.integer();
    ints(d.SnapShot.SnapShotSwitch1);
    ints(d.SnapShot.SnapShotSwitch2);
    for (int i = 1; i <= 8; ++i)
        v.text(d.SnapShot.SnapShotFile[i]);
    v.text(d.SnapShot.SnapShotGroupFile);
    d.SnapShot.StartUpConf = v.integer();
    ints(d.FBox.FBoxInput);
    ints(d.FBox.FBoxOutput);
    return d;
}

qint16 intAt(const QByteArray& b, int offset) {
    return static_cast<qint16>(static_cast<quint8>(b[offset]) |
                               (static_cast<quint8>(b[offset + 1]) << 8));
}

template <int N> QByteArray bytesOf(const FixedText<N>& t) {
    return QByteArray(t.bytes.data(), N);
}

} // namespace

TEST(DataSetImage, EveryFieldAtItsOffset) {
    const DataSet d = distinctDataSet();
    const QByteArray b = DataSetImage::Write(d);
    ASSERT_EQ(b.size(), 2913);
    EXPECT_EQ(b.mid(416, 2), QByteArray(1, char(LoByte(d.Monitor.MonVolume))) +
                                 char(HiByte(d.Monitor.MonVolume))); // little-endian

    for (int i = 0; i <= 16; ++i)
        EXPECT_EQ(b.mid(0 + 8 * i, 8), bytesOf(d.Name.InputDigitalName[i])) << i;
    for (int i = 0; i <= 8; ++i) {
        EXPECT_EQ(b.mid(136 + 8 * i, 8), bytesOf(d.Name.InputAnalogName[i])) << i;
        EXPECT_EQ(b.mid(208 + 8 * i, 8), bytesOf(d.Name.InputAdatName[i])) << i;
    }
    for (int i = 0; i <= 4; ++i) {
        EXPECT_EQ(b.mid(280 + 8 * i, 8), bytesOf(d.Name.InputExtMonName[i])) << i;
        EXPECT_EQ(b.mid(320 + 8 * i, 8), bytesOf(d.Name.OutputSummenName[i])) << i;
    }
    for (int row = 1; row <= 6; ++row) {
        EXPECT_EQ(intAt(b, 360 + 2 * (row - 1)), d.Layer.LayerA[row]);
        EXPECT_EQ(intAt(b, 372 + 2 * (row - 1)), d.Layer.LayerB[row]);
        EXPECT_EQ(intAt(b, 384 + 2 * (row - 1)), d.Layer.LayerC[row]);
        EXPECT_EQ(intAt(b, 396 + 2 * (row - 1)), d.Layer.LayerD[row]);
    }
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(intAt(b, 408 + 2 * (i - 1)), d.Monitor.MonMode[i]);
    EXPECT_EQ(intAt(b, 416), d.Monitor.MonVolume);
    EXPECT_EQ(intAt(b, 418), d.Monitor.MonKanal);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(intAt(b, 420 + 2 * (i - 1)), d.Monitor.MonAbgriff[i]);
    for (int i = 1; i <= 2; ++i)
        EXPECT_EQ(intAt(b, 426 + 2 * (i - 1)), d.Monitor.Peakmeter[i]);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(intAt(b, 430 + 2 * (i - 1)), d.Monitor.ExtMon[i]);
        EXPECT_EQ(intAt(b, 438 + 2 * (i - 1)), d.GPIO.GPIOInput[i]);
    }
    for (int i = 1; i <= 16; ++i)
        EXPECT_EQ(intAt(b, 446 + 2 * (i - 1)), d.GPIO.GPIOOutput[i]);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(intAt(b, 478 + 2 * (i - 1)), d.Editor.Control[i]);
    for (int s = 1; s <= 12; ++s) {
        for (int r = 1; r <= 5; ++r)
            EXPECT_EQ(static_cast<quint8>(b[484 + 5 * (s - 1) + (r - 1)]),
                      d.Editor.MachSource(s)[r]);
    }
    EXPECT_EQ(intAt(b, 544), d.Editor.Frames);
    EXPECT_EQ(intAt(b, 546), d.Editor.Channels);
    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(intAt(b, 548 + 2 * (i - 1)), d.SnapShot.SnapShotSwitch1[i]);
        EXPECT_EQ(intAt(b, 564 + 2 * (i - 1)), d.SnapShot.SnapShotSwitch2[i]);
        EXPECT_EQ(b.mid(580 + 255 * (i - 1), 255), bytesOf(d.SnapShot.SnapShotFile[i]));
    }
    EXPECT_EQ(b.mid(2620, 255), bytesOf(d.SnapShot.SnapShotGroupFile));
    EXPECT_EQ(intAt(b, 2875), d.SnapShot.StartUpConf);
    for (int i = 1; i <= 9; ++i) {
        EXPECT_EQ(intAt(b, 2877 + 2 * (i - 1)), d.FBox.FBoxInput[i]);
        EXPECT_EQ(intAt(b, 2895 + 2 * (i - 1)), d.FBox.FBoxOutput[i]);
    }
}

TEST(DataSetImage, ReadsBackIdentical) {
    const DataSet d = distinctDataSet();
    DataSet back;
    ASSERT_TRUE(DataSetImage::Read(DataSetImage::Write(d), back));
    EXPECT_TRUE(back == d);
    EXPECT_EQ(DataSetImage::Write(back), DataSetImage::Write(d));
    EXPECT_EQ(back.Name.InputDigitalName[0], d.Name.InputDigitalName[0]); // element 0 kept
    EXPECT_EQ(back.Editor.MachSource(12)[5], d.Editor.MachSource(12)[5]);
    // A short image leaves the record alone.
    EXPECT_FALSE(DataSetImage::Read(QByteArray(2912, 'x'), back));
    EXPECT_TRUE(back == d);
}

TEST(DataSetImage, FreshRecordIsAllZeroAndTextsAssignBlankFilled) {
    DataSet d;
    EXPECT_EQ(DataSetImage::Write(d), QByteArray(2913, '\0'));
    d.Name.InputAnalogName[1] = QStringLiteral("Kick");
    EXPECT_EQ(bytesOf(d.Name.InputAnalogName[1]), QByteArray("Kick    "));
    d.Name.InputAnalogName[1] = QStringLiteral("Overhead-L");
    EXPECT_EQ(d.Name.InputAnalogName[1].text(), "Overhead");
    d.Name.InputAnalogName[2] = QStringLiteral("B\u00e4sse");
    EXPECT_EQ(DataSetImage::Write(d).mid(136 + 16, 8), QByteArray("B\xe4sse   "));
}

TEST(HexCodec, DigitPairsTextsAndChecksums) {
    // Only upper-case digit pairs are hex; anything else reads through (index - 1) * 16 + index
    // - 1.
    const QList<std::pair<QString, int>> bytes = {
        {"0A", 10},   {"FF", 255}, {"A", 10}, {"", 0},      {"ABC", 0xAB}, {"0a", 0}, {"1G", 15},
        {"3a", 0x2F}, {"G1", 0},   {"ff", 0}, {"Fz", 0xEF}, {"g", 0},      {" 1", 0}};
    for (const auto& [hex, value] : bytes)
        EXPECT_EQ(HexToByte(hex), value) << hex.toStdString();
    for (int v = 0; v < 256; ++v)
        ASSERT_EQ(HexToByte(ByteToHex(static_cast<quint8>(v))), v);
    EXPECT_EQ(ByteToHex(10) + ByteToHex(0) + ByteToHex(0xAF), "0A00AF");

    const QList<std::pair<QString, QString>> texts = {
        {"abc", "616263"}, {"   ", ""}, {"", ""}, {" a ", "206120"}, {"\u00fc\u20ac", "FC80"}};
    for (const auto& [text, hex] : texts)
        EXPECT_EQ(StrToHex(text), hex) << text.toStdString();
    EXPECT_EQ(HexToStr("414"), QString("A") + QChar(4));
    EXPECT_EQ(HexToStr("   "), "");
    EXPECT_EQ(HexToStr("FC80"), QStringLiteral("\u00fc\u20ac"));

    const QList<std::pair<QString, int>> sums = {
        {"", 0}, {"FF01", 256}, {"FF1", 256}, {"0a1G", 15}, {QString(8194, 'F'), 4097 * 255}};
    for (const auto& [hex, sum] : sums)
        EXPECT_EQ(CalcChecksum(hex), sum) << hex.left(8).toStdString();
}

TEST(HexCodec, BytesBitsListsAndBlockCodes) {
    EXPECT_EQ(QList<int>({LoByte(-1), HiByte(-1), HiByte(300), LoByte(300), HiByte(-32768)}),
              QList<int>({0xFF, 0xFF, 0x01, 0x2C, 0x80}));
    quint8 b = 0;
    for (int bit : {0, 7, 8, -1})
        SetBit(b, bit);
    EXPECT_EQ(b, 0x81);
    EXPECT_TRUE(TestBit(b, 7));
    EXPECT_FALSE(TestBit(b, 6));
    EXPECT_EQ(SplitList("  12 | Talk back |x  "), QStringList({"12", "Talk back", "x"}));
    EXPECT_EQ(SplitList(""), QStringList({""}));
    EXPECT_EQ(SplitList("a|"), QStringList({"a", ""}));
    for (int i = -1; i <= 9; ++i)
        EXPECT_EQ(BlockIndexToCode(i), i >= 0 && i <= 8 ? QString::number(30 + i) : "") << i;
    const QList<std::pair<QString, int>> codes = {{"30", 0}, {"35", 5},  {"38", 8},  {"39", -1},
                                                  {"3", -1}, {"20", -1}, {"305", -1}};
    for (const auto& [code, index] : codes)
        EXPECT_EQ(BlockCodeToIndex(code), index) << code.toStdString();
}

TEST(ChannelRef, FlatNumbersAndGroups) {
    const QList<std::pair<int, int>> fromFlat = {{0, 0},    {1, 100},  {0x10, 115}, {0x11, 200},
                                                 {25, 300}, {36, 403}, {0x25, 500}, {40, 503},
                                                 {41, 504}}; // no upper check
    for (const auto& [flat, code] : fromFlat)
        EXPECT_EQ(ChannelRef::FromFlat(flat), code) << flat;
    const QList<std::pair<int, int>> toFlat = {{0, 0}, {203, 0x14}, {503, 40}, {612, 12}};
    for (const auto& [code, flat] : toFlat)
        EXPECT_EQ(ChannelRef::ToFlat(code), flat) << code;
    for (int flat = 0; flat <= 40; ++flat)
        ASSERT_EQ(ChannelRef::ToFlat(ChannelRef::FromFlat(flat)), flat);
}

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

namespace {

class DecoderTest : public ::testing::Test {
protected:
    DataHarness h;
    QRandomGenerator random{4711};

    QString encode(const DataSet& d) {
        const DataSet keep = h.store.DataSet;
        h.store.DataSet = d;
        QString frame;
        EXPECT_EQ(h.encoder.Preparing_DataExchange(frame, "20"), "");
        h.store.DataSet = keep;
        return frame.mid(1, frame.size() - 2);
    }
    void decode(QString payload) { h.decoder.Interpret_HexData(payload); }
    static void put(QString& payload, int offset, const QString& digits) {
        payload.replace(offset * 2, digits.size(), digits);
    }
    // A reference copy with values everywhere, so that "kept" and "reset" can be told apart.
    void randomDefault() {
        h.store.DataSetDefault = h.randomDataSet(random, DataSet());
        for (int i = 1; i <= 8; ++i)
            h.store.DataSetDefault.SnapShot.SnapShotFile[i] =
                QStringLiteral("default%1.CNS").arg(i);
        h.store.DataSetDefault.Name.InputDigitalName[0] = QStringLiteral("zero");
    }
};

TEST_F(DecoderTest, DecodeOfEncodeGivesTheDataSetBack) {
    for (int round = 0; round < 300; ++round) {
        randomDefault();
        DataSet x = h.randomDataSet(random, h.store.DataSetDefault);
        for (int i = 1; i <= 8; ++i)
            x.SnapShot.SnapShotFile[i] = QStringLiteral("take%1-%2.CNS").arg(round).arg(i);
        x.SnapShot.SnapShotGroupFile = QStringLiteral("group%1.CNG").arg(round);
        const QString payload = encode(x);
        ASSERT_EQ(payload.size(), 892);

        // What the decoder starts from differs from x everywhere but in the file names.
        h.store.DataSet = h.store.DataSetDefault;
        h.store.DataSet.SnapShot.SnapShotFile = x.SnapShot.SnapShotFile;
        h.store.DataSet.SnapShot.SnapShotGroupFile = x.SnapShot.SnapShotGroupFile;
        decode(payload);
        ASSERT_EQ(DataSetImage::Write(h.store.DataSet), DataSetImage::Write(x)) << round;
    }
    EXPECT_FALSE(h.logText().contains("Fehler"));
}

TEST_F(DecoderTest, CodeAloneDecodesZeroBytes) {
    randomDefault();
    h.store.DataSetDefault.Editor.Frames = 1;
    h.store.DataSetDefault.Editor.Channels = 1;
    h.store.DataSetDefault.SnapShot.StartUpConf = 5;
    h.store.DataSet.SnapShot.SnapShotGroupFile = QStringLiteral("mine.CNG");
    decode("20");
    const DataSet& d = h.store.DataSet;
    // Everything sent is zero: names of code-0 characters, no channels, no option, volume and
    // channel list at -1; element 0 of the names is not sent and keeps the reference value; 0 is
    // no frame rate nor channel count (reference values) but the "temporary" start-up entry.
    DataSet zero;
    zero.Name.InputDigitalName[0] = QStringLiteral("zero");
    zero.Monitor.MonVolume = -1;
    zero.Monitor.MonKanal = -1;
    zero.Editor.Frames = 1;
    zero.Editor.Channels = 1;
    zero.SnapShot.SnapShotGroupFile = QStringLiteral("mine.CNG"); // file names kept, not reset
    EXPECT_EQ(DataSetImage::Write(d), DataSetImage::Write(zero));
}

TEST_F(DecoderTest, StartsFromTheReferenceCopyAndRefreshes) {
    randomDefault();
    h.store.DataSetDefault.GPIO.GPIOInput[1] = 104;
    DataSet x = h.randomDataSet(random, h.store.DataSetDefault);
    QString payload = encode(x);
    put(payload, 354, "0006"); // key 6 has no input entry
    put(payload, 356, "0005"); // key 5 is entry 2
    put(payload, 321, "11");
    put(payload, 322, "29");
    decode(payload);
    EXPECT_EQ(h.store.DataSet.GPIO.GPIOInput[1], 104);
    EXPECT_EQ(h.store.DataSet.GPIO.GPIOInput[2], 101);
    EXPECT_EQ(h.store.DataSet.Layer.LayerA[1], 200);
    EXPECT_EQ(h.store.DataSet.Layer.LayerB[1], 504);
    EXPECT_EQ(h.ui.events, QStringList({"refresh", "refresh"})); // the reset, then the decoded data
    EXPECT_EQ(h.ui.lastStatus(), "Zurueckgesetzt");
}

TEST_F(DecoderTest, OptionNumberOutsideTheGroupClearsIt) {
    DataSet x = h.randomDataSet(random, DataSet());
    QString payload = encode(x);
    put(payload, 345, "05");
    put(payload, 349, "02");
    decode(payload);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(h.store.DataSet.Monitor.MonMode[i], 0);
    EXPECT_EQ(h.store.DataSet.Monitor.Peakmeter[1], 0);
    EXPECT_EQ(h.store.DataSet.Monitor.Peakmeter[2], 1);
}

TEST_F(DecoderTest, GpioKeyFrom0x8000EndsTheDecodingWithALogReport) {
    randomDefault();
    const DataSet x = h.randomDataSet(random, h.store.DataSetDefault);
    QString payload = encode(x);
    put(payload, 356, "8000"); // GPIO input 2
    h.store.DataSet.SnapShot.SnapShotFile[1] = QStringLiteral("before.CNS");
    decode(payload);
    const DataSet& d = h.store.DataSet;
    EXPECT_TRUE(h.logText().contains(">    Fehler Overflow beim Dekodieren\r\n"));
    EXPECT_TRUE(h.ui.boxes.isEmpty());
    EXPECT_FALSE(h.ui.statusTexts.contains("  Fehler Overflow beim Dekodieren"));
    EXPECT_FALSE(h.ui.busy);
    // Decoded up to the failure, the reference copy from there on, its file names included.
    EXPECT_EQ(d.Name.OutputSummenName[4], x.Name.OutputSummenName[4]);
    EXPECT_EQ(d.Monitor.ExtMon, x.Monitor.ExtMon);
    EXPECT_EQ(d.GPIO.GPIOInput[1], x.GPIO.GPIOInput[1]);
    EXPECT_EQ(d.GPIO.GPIOInput[3], h.store.DataSetDefault.GPIO.GPIOInput[3]);
    EXPECT_EQ(d.FBox.FBoxOutput, h.store.DataSetDefault.FBox.FBoxOutput);
    EXPECT_EQ(d.SnapShot.SnapShotFile[1].text().trimmed(), "default1.CNS");
    EXPECT_EQ(h.ui.refreshCount, 1); // only the reset's
}

TEST_F(DecoderTest, LowerCaseCodeDecodesNothing) {
    randomDefault();
    h.store.DataSet = h.randomDataSet(random, DataSet());
    const QByteArray before = DataSetImage::Write(h.store.DataSet);
    decode("3a" + QString(1024, 'A'));
    decode("02" + QString(890, '0'));
    decode("");
    EXPECT_EQ(DataSetImage::Write(h.store.DataSet), before);
    EXPECT_TRUE(h.ui.events.isEmpty());
    EXPECT_TRUE(h.ui.fileDialogs.isEmpty());
}

TEST_F(DecoderTest, MalformedPayloadsDecodeWithoutHarm) {
    for (const QString& payload :
         {QStringLiteral("20Z"), QStringLiteral("20a1b2c3"),
          QStringLiteral("20") + QString(5000, 'F'), QStringLiteral("20\u00fc\u20ac 7"),
          QStringLiteral("20") + QString(891, '1')}) {
        decode(payload);
    }
    EXPECT_EQ(h.store.DataSet.Monitor.MonVolume, 0x11 - 1);
    EXPECT_EQ(h.store.DataSet.Name.InputDigitalName[1].text(), QString(8, QChar(0x11)));
}

TEST_F(DecoderTest, GroupBlockOfThousandCharactersFillsOneAndAHalfImages) {
    const QString name = h.path("group.CNG");
    h.ui.fileNames.enqueue(name);
    h.store.DataSet.SnapShot.SnapShotGroupFile = QStringLiteral("  old.CNG  ");
    const QString text = QString(512, 'a') + QString(488, 'b');
    QString payload = "30" + StrToHex(text);
    h.decoder.Interpret_HexData(payload);
    EXPECT_EQ(payload, text); // the caller's text now holds the decoded characters
    EXPECT_EQ(h.store.SnapShotGroupData[1].text(), QString(512, 'a'));
    EXPECT_EQ(h.store.SnapShotGroupData[2].text(), QString(488, 'b') + QString(24, ' '));
    for (int j = 3; j <= 8; ++j)
        EXPECT_EQ(h.store.SnapShotGroupData[j].text(), QString(512, ' ')) << j;
    ASSERT_EQ(h.ui.fileDialogs.size(), 1);
    EXPECT_EQ(h.ui.fileDialogs[0].initialName, "old.CNG");
    EXPECT_EQ(h.ui.fileDialogs[0].extension, "CNG");
    EXPECT_TRUE(h.ui.fileDialogs[0].save);
    const QByteArray file = DataHarness::readFile(name);
    EXPECT_EQ(file, QByteArray(512, 'a') + QByteArray(488, 'b') + QByteArray(3096, ' '));
    EXPECT_EQ(h.store.DataSet.SnapShot.SnapShotGroupFile.text().trimmed(), name);
    EXPECT_EQ(h.ui.events.first(), "takeover");
    EXPECT_EQ(h.ui.events.last(), "refresh");
}

TEST_F(DecoderTest, GroupBlockBeyond4096CharactersIsCutAndOddDigitsRead) {
    QString payload = "30" + StrToHex(QString(4096, 'z') + "overflow");
    h.decoder.Interpret_HexData(payload);
    EXPECT_EQ(h.store.SnapShotGroupData[8].text(), QString(512, 'z'));
    payload = "31414"; // the last single digit reads as "04"
    h.decoder.Interpret_HexData(payload);
    EXPECT_EQ(h.store.SnapShotData.text(), QString("A") + QChar(4) + QString(510, ' '));
    EXPECT_EQ(h.ui.fileDialogs.size(), 2); // both cancelled: nothing written
    EXPECT_EQ(QDir(h.dir.path()).entryList({"*.CN?"}, QDir::Files), QStringList());
}

TEST_F(DecoderTest, SingleBlockWritesItsConfigurationFile) {
    const QString name = h.path("three.CNS");
    h.ui.fileNames.enqueue(name);
    h.store.DataSet.SnapShot.SnapShotFile[3] = QStringLiteral("proposal.CNS");
    decode("33" + StrToHex("Szene 3"));
    EXPECT_EQ(h.store.SnapShotData.text(), QStringLiteral("Szene 3") + QString(505, ' '));
    ASSERT_EQ(h.ui.fileDialogs.size(), 1);
    EXPECT_EQ(h.ui.fileDialogs[0].initialName, "proposal.CNS");
    EXPECT_EQ(h.ui.fileDialogs[0].extension, "CNS");
    EXPECT_EQ(DataHarness::readFile(name), QByteArray("Szene 3") + QByteArray(505, ' '));
    EXPECT_EQ(h.store.DataSet.SnapShot.SnapShotFile[3].text().trimmed(), name);
}

TEST_F(DecoderTest, GroupReceiveStoresBlocksInArrivalOrderAndWritesOnce) {
    const QString name = h.path("received.CNG");
    h.store.GroupReceiveActive = true;
    h.store.GroupReceiveFile = name;
    const QStringList codes{"35", "31", "38", "32", "37", "33", "36", "34"};
    for (int k = 0; k < 8; ++k) {
        EXPECT_FALSE(QFile::exists(name)) << k;
        decode(codes[k] + StrToHex(QStringLiteral("block %1 from %2").arg(k + 1).arg(codes[k])));
    }
    for (int k = 1; k <= 8; ++k)
        EXPECT_TRUE(h.store.SnapShotGroupData[k].text().startsWith(
            QStringLiteral("block %1 from %2").arg(k).arg(codes[k - 1])));
    EXPECT_TRUE(h.ui.fileDialogs.isEmpty());
    const QByteArray file = DataHarness::readFile(name);
    ASSERT_EQ(file.size(), 4096);
    EXPECT_TRUE(file.mid(512, 512).startsWith("block 2 from 31"));
    EXPECT_EQ(h.logText().count("received.CNG"), 1);
    EXPECT_FALSE(h.store.GroupReceiveActive);
    EXPECT_EQ(h.store.GroupReceiveCount, 0);
    EXPECT_EQ(h.store.GroupReceiveFile, "");
}

TEST_F(DecoderTest, AfterStartUpBlankNamesAreReplacedAndShown) {
    h.switches.InitDone = true;
    h.store.DataSetDefault.Name.OutputSummenName[2] = QStringLiteral("Summe 2");
    // The Names page shows what the last refresh put there.
    h.ui.onNameBox = [this](int group, int index) {
        return NameBox{h.store.DataSet.ChannelName(group, index).text(),
                       QStringLiteral("Bus %1").arg(index)};
    };
    DataSet x = h.randomDataSet(random, h.store.DataSetDefault);
    for (int i = 1; i <= 4; ++i)
        x.Name.OutputSummenName[i] = QStringLiteral("Bus %1").arg(i);
    x.Name.OutputSummenName[2] = QStringLiteral("        ");
    decode(encode(x));
    EXPECT_EQ(h.ui.events, QStringList({"refresh", "refresh", "takeover", "refresh"}));
    EXPECT_EQ(h.store.DataSet.Name.OutputSummenName[2].text(), "Summe 2 ");
    EXPECT_EQ(h.ui.lastStatus(), "Leerer Name bei Bus 2 ersetzt");
}

} // namespace

namespace {

TEST(DataStoreTest, InitDataSetSetsTheMachineSourceZigZagInBothCopies) {
    DataHarness h;
    h.store.InitDataSet(h.ui);
    const DataSet& d = h.store.DataSet;
    const int rows[13] = {0, 1, 2, 3, 4, 5, 4, 3, 2, 1, 2, 3, 4};
    for (int s = 1; s <= 12; ++s) {
        for (int r = 1; r <= 5; ++r)
            EXPECT_EQ(d.Editor.MachSource(s)[r], r == rows[s] ? 1 : 0) << s << " " << r;
    }
    EXPECT_TRUE(h.store.DataSetDefault == d);
    // Nothing else is touched: 60 flag bytes at 484, 12 of them set.
    const QByteArray image = DataSetImage::Write(d);
    EXPECT_EQ(image.left(484), QByteArray(484, '\0'));
    EXPECT_EQ(image.mid(484, 60).count('\1'), 12);
    EXPECT_EQ(image.mid(544), QByteArray(2913 - 544, '\0'));
    EXPECT_EQ(h.ui.events, QStringList{"refresh"});
}

class BlankNamesTest : public ::testing::Test {
protected:
    DataHarness h;
    QHash<int, QString> page; // group * 100 + index -> box text

    void SetUp() override {
        for (int g = 1; g <= 5; ++g) {
            for (int i = 1; i <= DataSet::GroupSize[g]; ++i) {
                const QString name = QStringLiteral("N%1-%2").arg(g).arg(i);
                h.store.DataSet.ChannelName(g, i) = name;
                h.store.DataSetDefault.ChannelName(g, i) = QStringLiteral("Def%1-%2").arg(g).arg(i);
                page[g * 100 + i] = name;
            }
        }
        h.ui.onNameBox = [this](int group, int index) {
            return NameBox{page.value(group * 100 + index),
                           QStringLiteral("Tip %1/%2").arg(group).arg(index)};
        };
    }
};

TEST_F(BlankNamesTest, ABlankBusNameOnThePageIsReplacedQuietly) {
    page[502] = QStringLiteral("    ");
    page[203] = QStringLiteral("Neu  "); // the page's text is taken over, trailing blanks removed
    EXPECT_TRUE(h.store.BlankNames_Replaced(h.ui, h.texts, h.log, false));
    EXPECT_EQ(h.store.DataSet.Name.OutputSummenName[2].text(), "Def5-2  ");
    EXPECT_EQ(h.store.DataSet.Name.InputAnalogName[3].text(), "Neu     ");
    EXPECT_TRUE(h.logText().contains(">  Leerer Name bei Tip 5/2 ersetzt\r\n"));
    EXPECT_EQ(h.logText().count("Leerer Name"), 1);
    EXPECT_TRUE(h.ui.statusTexts.isEmpty());
}

TEST_F(BlankNamesTest, DigitalNamesAreExaminedAsTheyStandInTheDataSet) {
    page[101] = QString(); // blanked on the page, not yet taken over
    h.store.DataSet.Name.InputDigitalName[16] = QStringLiteral(" ");
    h.store.BlankNames_Replaced(h.ui, h.texts, h.log, true);
    EXPECT_EQ(h.store.DataSet.Name.InputDigitalName[1].text(), "N1-1    ");
    EXPECT_EQ(h.store.DataSet.Name.InputDigitalName[16].text(), "Def1-16 ");
    EXPECT_EQ(h.ui.statusTexts, QStringList{"Leerer Name bei Tip 1/16 ersetzt"});
}

TEST_F(BlankNamesTest, NothingReplacedClearsTheStatusBarWhenShown) {
    h.store.BlankNames_Replaced(h.ui, h.texts, h.log, true);
    EXPECT_EQ(h.ui.statusTexts, QStringList{""});
    h.store.BlankNames_Replaced(h.ui, h.texts, h.log, false);
    EXPECT_EQ(h.ui.statusTexts.size(), 1);
}

TEST(GpioListsTest, FromTheSettingsFileInKeyOrder) {
    DataHarness h; // its settings file defines both lists; the constructor loaded them
    const auto& inputs = h.store.lstData[DataStore::GpioInputList];
    ASSERT_EQ(inputs.size(), DataHarness::InputKeys.size());
    EXPECT_EQ(inputs[0].text, "1|In 1");
    EXPECT_EQ(inputs[0].itemData, 100);
    EXPECT_EQ(inputs[1].text, "5|In 5");
    EXPECT_EQ(inputs[1].itemData, 101);
    EXPECT_EQ(inputs[2].itemData, 102);
    EXPECT_EQ(h.store.lstData[DataStore::GpioOutputList][1].text, "300|Out 300");
}

TEST(GpioListsTest, FromASeparateDefinitionFileAndNotReloaded) {
    DataHarness h;
    h.store.lstData[DataStore::GpioInputList].clear();
    DataHarness::writeFile(h.switches.IniFileName, "[Main]\r\nGPIO_Input_DataDef = gpio.def\r\n"
                                                   "[GPIO_Input_Data_GER]\r\n1=not this one\r\n");
    DataHarness::writeFile(h.path("gpio.def"),
                           "[Data_ENG]\r\n9=Nine\r\n"
                           "[Data_GER]\r\n1=Eins\r\n5=F\u00fcnf\r\n7=Sieben\r\n");
    h.store.LoadGPIOLists(h.switches);
    const auto& inputs = h.store.lstData[DataStore::GpioInputList];
    ASSERT_EQ(inputs.size(), 3);
    EXPECT_EQ(inputs[2].text, "7|Sieben");
    EXPECT_EQ(inputs[2].itemData, 102);
    // The output list was filled before and stays as it was.
    EXPECT_EQ(h.store.lstData[DataStore::GpioOutputList].size(), DataHarness::OutputKeys.size());

    DataHarness::writeFile(h.path("gpio.def"), "[Data_GER]\r\n2=Zwei\r\n");
    h.store.LoadGPIOLists(h.switches);
    EXPECT_EQ(h.store.lstData[DataStore::GpioInputList].size(), 3);
}

TEST(GpioListsTest, MissingDefinitionFileGivesEmptyLists) {
    DataHarness h;
    h.store.lstData = {};
    DataHarness::writeFile(
        h.switches.IniFileName,
        "[Main]\r\nGPIO_Input_DataDef=none.def\r\nGPIO_Output_DataDef=none.def\r\n");
    h.store.LoadGPIOLists(h.switches);
    EXPECT_TRUE(h.store.lstData[0].isEmpty());
    EXPECT_TRUE(h.store.lstData[1].isEmpty());
}

} // namespace
