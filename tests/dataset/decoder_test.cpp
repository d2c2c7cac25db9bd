#include "dataset/Decoder.h"

#include "app/CodePage.h"
#include "dataset/DataSetImage.h"
#include "dataset/HexCodec.h"
#include "support/DataHarness.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::DataHarness;

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
