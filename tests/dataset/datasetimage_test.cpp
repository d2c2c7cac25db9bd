#include "dataset/DataSetImage.h"

#include "app/CodePage.h"
#include "dataset/HexCodec.h"

#include <gtest/gtest.h>

using namespace zoz;

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
