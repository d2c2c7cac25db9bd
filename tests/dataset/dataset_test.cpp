// The data set: its 2913-byte image, the hex codec, the encoder and decoder of the controller's
// blocks and the store's rules.
#include "base/CodePage.h"
#include "dataset/DataSetImage.h"
#include "dataset/HexCodec.h"
#include "support/DataHarness.h"

#include <QDir>
#include <functional>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::DataHarness;

namespace {

// Every field gets a value of its own (integers with distinct low and high bytes) and is recorded
// with its offset; the expected image is these bytes in offset order, with no gap and no overlap.
TEST(DataSetImage, EveryFieldAtItsOffsetAndReadBack) {
    DataSet d;
    QMap<int, QByteArray> expected;
    int next = 1;
    const auto integer = [&](qint16& v, int offset) {
        const int low = next++ % 128;
        v = static_cast<qint16>(0x0101 * low + 0x8000);
        expected[offset] = QByteArray(1, char(low)) + char(low + 0x80);
    };
    const auto ints = [&](auto& list, int offset) {
        for (size_t i = 1; i < list.size(); ++i)
            integer(list[i], offset + 2 * static_cast<int>(i - 1));
    };
    const auto text = [&](auto& t, int offset) {
        for (char& c : t.bytes)
            c = static_cast<char>(0x21 + (next + (&c - t.bytes.data())) % 200);
        expected[offset] = QByteArray(t.bytes.data(), static_cast<int>(t.bytes.size()));
        ++next;
    };
    const auto texts = [&](auto& list, size_t first, int offset) {
        for (size_t i = first; i < list.size(); ++i)
            text(list[i], offset + list[i].Size * static_cast<int>(i - first));
    };
    texts(d.Name.InputDigitalName, 0, 0);
    texts(d.Name.InputAnalogName, 0, 136);
    texts(d.Name.InputAdatName, 0, 208);
    texts(d.Name.InputExtMonName, 0, 280);
    texts(d.Name.OutputSummenName, 0, 320);
    ints(d.Layer.LayerA, 360);
    ints(d.Layer.LayerB, 372);
    ints(d.Layer.LayerC, 384);
    ints(d.Layer.LayerD, 396);
    ints(d.Monitor.MonMode, 408);
    integer(d.Monitor.MonVolume, 416);
    integer(d.Monitor.MonKanal, 418);
    ints(d.Monitor.MonAbgriff, 420);
    ints(d.Monitor.Peakmeter, 426);
    ints(d.Monitor.ExtMon, 430);
    ints(d.GPIO.GPIOInput, 438);
    ints(d.GPIO.GPIOOutput, 446);
    ints(d.Editor.Control, 478);
    for (int s = 1; s <= 12; ++s) {
        for (int r = 1; r <= 5; ++r) {
            d.Editor.MachSource(s)[r] = static_cast<quint8>(next++ % 251);
            expected[484 + 5 * (s - 1) + r - 1] = QByteArray(1, char(d.Editor.MachSource(s)[r]));
        }
    }
    integer(d.Editor.Frames, 544);
    integer(d.Editor.Channels, 546);
    ints(d.SnapShot.SnapShotSwitch1, 548);
    ints(d.SnapShot.SnapShotSwitch2, 564);
    texts(d.SnapShot.SnapShotFile, 1, 580);
    text(d.SnapShot.SnapShotGroupFile, 2620);
    integer(d.SnapShot.StartUpConf, 2875);
    ints(d.FBox.FBoxInput, 2877);
    ints(d.FBox.FBoxOutput, 2895);
    QByteArray image;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        EXPECT_EQ(it.key(), image.size()) << "gap or overlap";
        image += it.value();
    }
    ASSERT_EQ(image.size(), 2913);
    EXPECT_EQ(DataSetImage::Write(d), image);

    DataSet back;
    ASSERT_TRUE(DataSetImage::Read(image, back));
    EXPECT_EQ(DataSetImage::Write(back), image);
    EXPECT_FALSE(DataSetImage::Read(QByteArray(2912, 'x'), back)); // a short image changes nothing
    EXPECT_EQ(DataSetImage::Write(back), image);
}

TEST(HexCodec, DigitPairsTextsChecksumsAndLists) {
    // Only upper-case digit pairs are hex; anything else reads as (index - 1) * 16 + index - 1.
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

    const QList<std::pair<QString, int>> sums = {
        {"", 0}, {"FF01", 256}, {"FF1", 256}, {"0a1G", 15}, {QString(8194, 'F'), 4097 * 255}};
    for (const auto& [hex, sum] : sums)
        EXPECT_EQ(CalcChecksum(hex), sum) << hex.left(8).toStdString();
    EXPECT_EQ(SplitList("  12 | Talk back |x  "), QStringList({"12", "Talk back", "x"}));
}

class CodecTest : public ::testing::Test {
protected:
    DataHarness h;
    QRandomGenerator random{4711};

    // The frame's payload, between its start character and its CR.
    QString payload(const QString& code) {
        QString frame;
        EXPECT_EQ(h.encoder.Preparing_DataExchange(frame, code), "");
        return frame.mid(1, frame.size() - 2);
    }
    QString encode(const DataSet& d) {
        h.store.DataSet = d;
        return payload("20");
    }
    void decode(QString payload) { h.decoder.Interpret_HexData(payload); }
    // A reference copy with values everywhere, so that "kept" and "reset" can be told apart.
    void randomDefault() {
        h.store.DataSetDefault = h.randomDataSet(random, DataSet());
        for (int i = 1; i <= 8; ++i)
            h.store.DataSetDefault.SnapShot.SnapShotFile[i] = QString("default%1.CNS").arg(i);
        h.store.DataSetDefault.Name.InputDigitalName[0] = QStringLiteral("zero");
    }
};

// Each scene changes the data set further and checks bytes of the payload. The encoder shows and
// logs its status each time, other codes give an empty frame, and the hex dump keeps the last one.
TEST_F(CodecTest, DataBlockVectorsStatusAndHexDump) {
    // the change, "byte offset in the payload:hex digits"; each payload has 892 bytes
    const std::pair<std::function<void(DataSet&)>, QStringList> scenes[] = {
        {[](DataSet& d) {
             d.Name.InputDigitalName[1] = QStringLiteral("Kickdrum-L"); // cut to 8
             d.Name.OutputSummenName[4] = QStringLiteral("M\u00fcx");
             d.Name.InputDigitalName[0] = QStringLiteral("never"); // element 0 is not sent
             d.Layer.LayerB[1] = 203;
             d.Layer.LayerA[2] = 503;
             d.Layer.LayerD[6] = 100;
             d.Monitor.ExtMon[4] = 302;
             d.Monitor.MonMode[2] = 1;
             d.Monitor.MonMode[4] = 1; // the first member at 1 counts: still 2
             d.Monitor.MonAbgriff[3] = 1;
             d.Monitor.Peakmeter[1] = 1;
             d.Editor.Control[2] = 1;
             d.Monitor.MonVolume = -1;
             d.GPIO.GPIOOutput[1] = 101; // output key "300"
             d.GPIO.GPIOOutput[2] = 105; // no such entry: sent as itself
             d.GPIO.GPIOOutput[16] = -2; // not positive: sent as itself
             d.GPIO.GPIOInput[1] = 101;  // input key "5"
             d.GPIO.GPIOInput[4] = 105;  // input key "32767"
             d.FBox.FBoxInput[9] = 103;  // input key "300"
             d.FBox.FBoxOutput[1] = 103; // output key "4095"
             d.Editor.MachSource01[1] = 1;
             d.Editor.MachSource09[1] = 1;
             d.Editor.Frames = d.Editor.Channels = 1;
             d.SnapShot.SnapShotSwitch1[1] = 1;
             d.SnapShot.SnapShotSwitch1[8] = 1;
             d.SnapShot.SnapShotSwitch2[3] = 1;
             d.SnapShot.StartUpConf = 8;
         },
         {"0:20", "1:4B69636B6472756D", "9:0000000000000000", "313:4DFC782020202020",
          "321:00140000", "325:28", "344:01", "345:0200010301", "350:0000001B", "354:0005",
          "360:7FFF", "362:012C", "364:0069", "392:FFFE", "394:0201010000000000000000",
          "405:1E01810408", "426:012C", "428:0FFF"}},
        {[](DataSet& d) {
             d.Monitor.MonVolume = 44;
             d.Monitor.MonKanal = 13;
             d.Editor.MachSource08[5] = 1;
             d.Editor.MachSource12[5] = 1;
             d.Editor.MachSource12[3] = 2; // only 1 counts
             d.Editor.Frames = d.Editor.Channels = d.SnapShot.StartUpConf = 0;
         },
         {"346:2D0E", "395:01010000000000008008", "405:1902810400"}},
        // Only exactly 1 is on: a group with no member set is a 0 byte, the volume stays put.
        {[](DataSet& d) {
             d.Monitor.MonMode = {0, 0, 2, 0, 0};
         },
         {"345:002D"}},
    };
    for (const auto& [change, bytes] : scenes) {
        change(h.store.DataSet);
        const QString p = payload("20");
        EXPECT_EQ(p.size(), 892);
        for (const QString& row : bytes) {
            const QString hex = row.section(':', 1);
            EXPECT_EQ(p.mid(row.section(':', 0, 0).toInt() * 2, hex.size()), hex)
                << row.toStdString();
        }
    }
    EXPECT_EQ(h.ui.statusTexts, QStringList(3, "  Daten werden vorbereitet"));
    EXPECT_TRUE(h.logText().contains(">    Daten werden vorbereitet\r\n"));
    EXPECT_FALSE(h.ui.busy);
    EXPECT_FALSE(QFile::exists(h.switches.HexFileName)); // switched off
    for (const char* code : {"21", "39", "3a"})
        EXPECT_EQ(payload(code), "") << code;
    h.switches.LogHexData = true;
    const QString first = payload("20");
    EXPECT_EQ(DataHarness::readFile(h.switches.HexFileName), first.toLatin1() + "\r\n\r\n\r\n");
    h.store.SnapShotData = QStringLiteral("x");
    payload("32");
    EXPECT_EQ(DataHarness::readFile(h.switches.HexFileName),
              QByteArray("3278") + QByteArray("20").repeated(511) + "\r\n\r\n\r\n");
}

// A list position without entry, or a GPIO key that is no whole number or too big for one, fails
// and leaves the busy cursor to the caller.
TEST(EncoderErrors, BadValuesFailTheFrame) {
    const std::tuple<int, QString, const char*> rows[] = {
        {-1, "2|Out 2", "Subscript out of range"}, // start-up entry, output list entry 1, error
        {0, "x7|Talk", "Type mismatch"},
        {0, "40000|Big", "Overflow"}};
    for (const auto& [startUp, outputEntry, error] : rows) {
        DataHarness h;
        h.store.DataSet.SnapShot.StartUpConf = static_cast<qint16>(startUp);
        h.store.lstData[DataStore::GpioOutputList][0].text = outputEntry;
        h.store.DataSet.GPIO.GPIOOutput[3] = 100;
        QString frame = QStringLiteral("old");
        EXPECT_EQ(h.encoder.Preparing_DataExchange(frame, "20"), error);
        EXPECT_EQ(frame, "");
        EXPECT_TRUE(h.ui.busy);
    }
}

TEST_F(CodecTest, DecodeOfEncodeGivesTheDataSetBackAndTheCodeAloneZeros) {
    for (int round = 0; round < 300; ++round) {
        randomDefault();
        DataSet x = h.randomDataSet(random, h.store.DataSetDefault);
        for (int i = 1; i <= 8; ++i)
            x.SnapShot.SnapShotFile[i] = QStringLiteral("take%1-%2.CNS").arg(round).arg(i);
        x.SnapShot.SnapShotGroupFile = QStringLiteral("group%1.CNG").arg(round);
        const QString payload = encode(x);
        ASSERT_EQ(payload.size(), 892);
        // The decoder starts from a set that differs from x everywhere but in the file names.
        h.store.DataSet = h.store.DataSetDefault;
        h.store.DataSet.SnapShot.SnapShotFile = x.SnapShot.SnapShotFile;
        h.store.DataSet.SnapShot.SnapShotGroupFile = x.SnapShot.SnapShotGroupFile;
        decode(payload);
        ASSERT_EQ(DataSetImage::Write(h.store.DataSet), DataSetImage::Write(x)) << round;
    }
    EXPECT_FALSE(h.logText().contains("Fehler"));

    // The code alone reads as zeros: volume and channel list at -1; 0 is no frame rate nor channel
    // count (reference values kept) but the "temporary" start-up entry; element 0 of the names and
    // the file names are not sent and keep their values.
    randomDefault();
    h.store.DataSetDefault.Editor.Frames = h.store.DataSetDefault.Editor.Channels = 1;
    h.store.DataSetDefault.SnapShot.StartUpConf = 5;
    h.store.DataSet = DataSet();
    h.store.DataSet.SnapShot.SnapShotGroupFile = QStringLiteral("mine.CNG");
    decode("20");
    DataSet zero;
    zero.Name.InputDigitalName[0] = QStringLiteral("zero");
    zero.Monitor.MonVolume = zero.Monitor.MonKanal = -1;
    zero.Editor.Frames = zero.Editor.Channels = 1;
    zero.SnapShot.SnapShotGroupFile = QStringLiteral("mine.CNG");
    EXPECT_EQ(DataSetImage::Write(h.store.DataSet), DataSetImage::Write(zero));
}

// The shipped default data file goes out as a whole block "20" and comes back byte for byte.
TEST_F(CodecTest, ShippedDefaultDataFileIsAWholeBlockAndRoundTrips) {
    DataSet shipped;
    ASSERT_TRUE(DataSetImage::Read(
        DataHarness::readFile(ZOZ_BINARY_DIR "/tools/default-data/Default.DAT"), shipped));
    const QString sent = encode(shipped);
    EXPECT_EQ(sent.size(), 892);
    h.store.DataSetDefault = DataSet();
    h.store.DataSet = DataSet();
    decode(sent);
    EXPECT_EQ(DataSetImage::Write(h.store.DataSet), DataSetImage::Write(shipped));
}

// Decoding starts from the reference copy: a key without list entry keeps its value, a channel and
// an option number out of range read as themselves and as no option; a key from 0x8000 ends the
// decoding with a log report, the reference copy staying from there on, its file names included.
TEST_F(CodecTest, StartsFromTheReferenceCopyAndStopsAtAnOverflow) {
    randomDefault();
    h.store.DataSetDefault.GPIO.GPIOInput[1] = 104;
    const DataSet x = h.randomDataSet(random, h.store.DataSetDefault);
    QString payload = encode(x);
    // Key 6 has no input entry, key 5 is entry 2, then the overflow.
    for (const auto& [offset, digits] :
         {std::pair{321, "1129"}, {345, "05"}, {349, "02"}, {354, "000600058000"}})
        payload.replace(offset * 2, QString(digits).size(), digits);
    h.store.DataSet.SnapShot.SnapShotFile[1] = QStringLiteral("before.CNS");
    decode(payload);
    const DataSet& d = h.store.DataSet;
    EXPECT_EQ(d.Name.OutputSummenName[4], x.Name.OutputSummenName[4]);
    EXPECT_EQ(d.Monitor.ExtMon, x.Monitor.ExtMon);
    EXPECT_EQ(d.Layer.LayerA[1], 200);
    EXPECT_EQ(d.Layer.LayerB[1], 504);
    EXPECT_EQ(d.Monitor.MonMode, (std::array<qint16, 5>{}));
    EXPECT_EQ(d.Monitor.Peakmeter, (std::array<qint16, 3>{0, 0, 1}));
    EXPECT_EQ(d.GPIO.GPIOInput[1], 104);
    EXPECT_EQ(d.GPIO.GPIOInput[2], 101);
    EXPECT_EQ(d.GPIO.GPIOInput[4], h.store.DataSetDefault.GPIO.GPIOInput[4]);
    EXPECT_EQ(d.FBox.FBoxOutput, h.store.DataSetDefault.FBox.FBoxOutput);
    EXPECT_EQ(d.SnapShot.SnapShotFile[1].text().trimmed(), "default1.CNS");
    EXPECT_TRUE(h.logText().contains(">    Fehler Overflow beim Dekodieren\r\n"));
    EXPECT_TRUE(h.ui.boxes.isEmpty());
    EXPECT_FALSE(h.ui.busy);
    EXPECT_EQ(h.ui.events, QStringList{"refresh"}); // only the reset's
}

TEST_F(CodecTest, UnknownCodesDecodeNothingAndMalformedDigitsNoHarm) {
    h.store.DataSet = h.randomDataSet(random, DataSet());
    const QByteArray before = DataSetImage::Write(h.store.DataSet);
    for (const QString& payload : {"39" + QString(1024, 'A'), "3a" + QString(1024, 'A'),
                                   "02" + QString(890, '0'), QString()})
        decode(payload);
    EXPECT_EQ(DataSetImage::Write(h.store.DataSet), before);
    EXPECT_TRUE(h.ui.events.isEmpty());
    EXPECT_TRUE(h.ui.fileDialogs.isEmpty());
    // A short payload with a lone last digit reads as far as it goes.
    decode(QStringLiteral("20") + QString(891, '1'));
    EXPECT_EQ(h.store.DataSet.Monitor.MonVolume, 0x11 - 1);
    EXPECT_EQ(h.store.DataSet.Name.InputDigitalName[1].text(), QString(8, QChar(0x11)));
}

// A configuration block asks for a file (proposing the stored name) and fills the buffers: a group
// block cut at 4096 characters, blank-filled; a last single digit reads as "0x". Sent back, each
// 512-character block travels as its digits, an all-blank one as none.
TEST(DecoderBlocks, ConfigurationBlocksFillTheBuffersTheirFileAndGoBack) {
    const QString ab = QString(512, 'a') + QString(488, 'b');
    // payload, stored name, name typed, buffers, payload sent back
    const std::tuple<QString, QString, QString, QString, QString> rows[] = {
        {"30" + StrToHex(ab), "  old.CNG  ", "group.CNG", ab + QString(3096, ' '),
         "30" + StrToHex(QString(512, 'a')) + StrToHex(QString(488, 'b') + QString(24, ' '))},
        {"30" + StrToHex(QString(4096, 'z') + "overflow"), "", "", QString(4096, 'z'),
         "30" + StrToHex(QString(4096, 'z'))},
        {"33" + StrToHex("Szene \u20ac"), "proposal.CNS", "three.CNS",
         "Szene \u20ac" + QString(505, ' '), "33" + StrToHex("Szene \u20ac" + QString(505, ' '))},
        {"31414", "", "", QString("A") + QChar(4) + QString(510, ' '),
         "314104" + QString("20").repeated(510)},
        {"35", "", "", QString(512, ' '), "35"},
    };
    for (const auto& [payload, stored, typed, expected, back] : rows) {
        DataHarness h;
        const bool group = payload.startsWith("30");
        auto& field = group ? h.store.DataSet.SnapShot.SnapShotGroupFile
                            : h.store.DataSet.SnapShot.SnapShotFile[payload.mid(1, 1).toInt()];
        field = stored;
        if (!typed.isEmpty())
            h.ui.fileNames.enqueue(h.path(typed));
        QString decoded = payload;
        h.decoder.Interpret_HexData(decoded);
        QString buffers = h.store.SnapShotData.text();
        if (group) {
            buffers.clear();
            for (int j = 1; j <= 8; ++j)
                buffers += h.store.SnapShotGroupData[j].text();
        }
        EXPECT_EQ(buffers, expected) << payload.left(8).toStdString();
        QString frame;
        EXPECT_EQ(h.encoder.Preparing_DataExchange(frame, payload.left(2)), "");
        EXPECT_EQ(frame.mid(1, frame.size() - 2), back);
        ASSERT_EQ(h.ui.fileDialogs.size(), 1);
        EXPECT_EQ(h.ui.fileDialogs[0].initialName, stored.trimmed());
        if (typed.isEmpty()) {
            EXPECT_EQ(QDir(h.dir.path()).entryList({"*.CN?"}, QDir::Files), QStringList());
            continue;
        }
        EXPECT_EQ(DataHarness::readFile(h.path(typed)), CodePage::fromUnicode(expected));
    }
}

TEST_F(CodecTest, GroupReceiveStoresBlocksInArrivalOrderAndWritesOnce) {
    const QString name = h.path("received.CNG");
    h.store.GroupReceiveActive = true;
    h.store.GroupReceiveFile = name;
    const QStringList codes{"35", "31", "38", "32", "37", "33", "36", "34"};
    for (int k = 0; k < 8; ++k) {
        EXPECT_FALSE(QFile::exists(name)) << k;
        decode(codes[k] + StrToHex(QStringLiteral("block %1 from %2").arg(k + 1).arg(codes[k])));
    }
    const QByteArray file = DataHarness::readFile(name);
    ASSERT_EQ(file.size(), 4096);
    for (int k = 0; k < 8; ++k)
        EXPECT_TRUE(file.mid(512 * k).startsWith(
            QStringLiteral("block %1 from %2").arg(k + 1).arg(codes[k]).toLatin1()));
    EXPECT_EQ(h.logText().count("received.CNG"), 1);
    EXPECT_EQ(h.store.GroupReceiveFile, "");
}

TEST_F(CodecTest, AfterStartUpBlankNamesAreReplacedAndShown) {
    h.switches.InitDone = true;
    h.store.DataSetDefault.Name.OutputSummenName[2] = QStringLiteral("Summe 2");
    // The Names page shows what the last refresh put there.
    h.ui.onNameBox = [this](int group, int index) {
        return NameBox{h.store.DataSet.ChannelName(group, index).text(),
                       QStringLiteral("Bus %1").arg(index)};
    };
    DataSet x = h.randomDataSet(random, h.store.DataSetDefault);
    x.Name.OutputSummenName[2] = QStringLiteral("        ");
    decode(encode(x));
    EXPECT_EQ(h.ui.events, QStringList({"refresh", "refresh", "takeover", "refresh"}));
    EXPECT_EQ(h.store.DataSet.Name.OutputSummenName[2].text(), "Summe 2 ");
    EXPECT_EQ(h.ui.lastStatus(), "Leerer Name bei Bus 2 ersetzt");
}

// A name blank on the page (the digital inputs: in the data set, whatever the page shows) takes the
// reference copy's name, logged with the box's tool tip and shown if asked; only blanks (0x20) make
// a name blank, and the page's text is taken over without trailing blanks.
TEST(DataStoreTest, BlankNamesAreReplacedFromTheReferenceCopy) {
    const std::tuple<int, QString, bool, QString, QStringList> rows[] = {
        {502, "    ", false, "Def502  ", {}}, // group * 100 + index, text, shown, result, status
        {203, "Neu  ", true, "Neu     ", {""}},
        {116, " ", true, "Def116  ", {"Leerer Name bei Tip 1/16 ersetzt"}},
        {105, "Keep", false, "Keep    ", {}},
        {101, "", false, "Def101  ", {}},
        {102, "\t\u00a0\r\n", false, "\t\u00a0\r\n    ", {}},
    };
    for (const auto& [box, text, shown, expected, status] : rows) {
        DataHarness h;
        const int group = box / 100, index = box % 100;
        h.store.DataSetDefault.ChannelName(group, index) = QStringLiteral("Def%1").arg(box);
        if (group == 1)
            h.store.DataSet.ChannelName(group, index) = text;
        h.ui.onNameBox = [box = box, text = text](int g, int i) {
            const QString shownText = g == 1 ? QString() : g * 100 + i == box ? text : "N";
            return NameBox{shownText, QStringLiteral("Tip %1/%2").arg(g).arg(i)};
        };
        const bool replaced = expected.startsWith("Def");
        h.store.BlankNames_Replaced(h.ui, h.ui, h.texts, h.log, shown);
        EXPECT_EQ(h.store.DataSet.ChannelName(group, index).text(), expected) << box;
        const QString report = QStringLiteral(">  Leerer Name bei Tip %1/%2 ersetzt\r\n");
        EXPECT_EQ(h.logText().count(report.arg(group).arg(index)), replaced ? 1 : 0) << box;
        EXPECT_EQ(h.ui.statusTexts, status) << box;
    }
}

// The initial set: machine sources in a zig-zag, in both copies. GPIO lists come in key order from
// the definition file the settings name; a filled list is not loaded again, no file gives none.
TEST(DataStoreTest, InitialSetAndGpioListsFromTheSettingsOrADefinitionFile) {
    DataHarness h;
    h.store.InitDataSet(h.ui);
    const int rows[13] = {0, 1, 2, 3, 4, 5, 4, 3, 2, 1, 2, 3, 4};
    QByteArray image(2913, '\0'); // 60 flag bytes at 484, 12 of them set, nothing else
    for (int s = 1; s <= 12; ++s)
        image[484 + 5 * (s - 1) + rows[s] - 1] = 1;
    EXPECT_EQ(DataSetImage::Write(h.store.DataSet), image);
    EXPECT_TRUE(h.store.DataSetDefault == h.store.DataSet);
    EXPECT_EQ(h.ui.events, QStringList{"refresh"});

    auto& inputs = h.store.lstData[DataStore::GpioInputList]; // the harness's: see the encoder
    inputs.clear();
    h.writeIni("[Main]\r\nGPIO_Input_DataDef = gpio.def\r\n"
               "GPIO_Output_DataDef=none.def\r\n[GPIO_Input_Data_GER]\r\n1=not this\r\n");
    h.write("gpio.def", "[Data_ENG]\r\n9=Nine\r\n"
                        "[Data_GER]\r\n1=Eins\r\n5=F\u00fcnf\r\n7=Sieben\r\n");
    h.store.LoadGPIOLists(h.switches);
    ASSERT_EQ(inputs.size(), 3);
    EXPECT_EQ(inputs[2].text, "7|Sieben");
    EXPECT_EQ(h.store.lstData[DataStore::GpioOutputList].size(), DataHarness::OutputKeys.size());
    h.store.lstData[DataStore::GpioOutputList].clear();
    DataHarness::writeFile(h.path("gpio.def"), "[Data_GER]\r\n2=Zwei\r\n");
    h.store.LoadGPIOLists(h.switches);
    EXPECT_EQ(inputs.size(), 3);
    EXPECT_TRUE(h.store.lstData[DataStore::GpioOutputList].isEmpty());
}

} // namespace
