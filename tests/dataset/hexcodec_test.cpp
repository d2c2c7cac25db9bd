#include "dataset/ChannelRef.h"
#include "dataset/HexCodec.h"

#include <gtest/gtest.h>

using namespace zoz;

TEST(HexCodec, ByteToHexWritesTwoUpperCaseDigits) {
    EXPECT_EQ(ByteToHex(10), "0A");
    EXPECT_EQ(ByteToHex(0), "00");
    EXPECT_EQ(ByteToHex(0xAF), "AF");
    EXPECT_EQ(ByteToHex(255), "FF");
}

TEST(HexCodec, HexToByteReadsOnlyUpperCaseDigitPairs) {
    EXPECT_EQ(HexToByte("0A"), 10);
    EXPECT_EQ(HexToByte("FF"), 255);
    EXPECT_EQ(HexToByte("A"), 10); // "0" put in front
    EXPECT_EQ(HexToByte(""), 0);
    EXPECT_EQ(HexToByte("ABC"), 0xAB); // only the first two count
}

TEST(HexCodec, HexToByteMalformedPairs) {
    EXPECT_EQ(HexToByte("0a"), 0);  // (1-1)*16 + 0-1 < 0
    EXPECT_EQ(HexToByte("1G"), 15); // (2-1)*16 - 1
    EXPECT_EQ(HexToByte("3a"), 0x2F);
    EXPECT_EQ(HexToByte("G1"), 0);
    EXPECT_EQ(HexToByte("ff"), 0);
    EXPECT_EQ(HexToByte("Fz"), 0xEF);
    EXPECT_EQ(HexToByte("g"), 0);  // "0g": 0*16 - 1
    EXPECT_EQ(HexToByte(" 1"), 0); // blank is no digit: -16 + 1
    // Every pair of upper-case digits reads back its own value.
    for (int v = 0; v < 256; ++v)
        ASSERT_EQ(HexToByte(ByteToHex(static_cast<quint8>(v))), v);
}

TEST(HexCodec, StrToHexAndBack) {
    EXPECT_EQ(StrToHex("abc"), "616263");
    EXPECT_EQ(StrToHex("   "), "");
    EXPECT_EQ(StrToHex(""), "");
    EXPECT_EQ(StrToHex(" a "), "206120");
    EXPECT_EQ(StrToHex(QStringLiteral("\u00fc\u20ac")), "FC80"); // Windows-1252 codes
    EXPECT_EQ(HexToStr("414"), QString("A") + QChar(4));
    EXPECT_EQ(HexToStr("   "), "");
    EXPECT_EQ(HexToStr("FC80"), QStringLiteral("\u00fc\u20ac"));
}

TEST(HexCodec, BytesOfIntegersAndBits) {
    EXPECT_EQ(LoByte(-1), 0xFF);
    EXPECT_EQ(HiByte(-1), 0xFF);
    EXPECT_EQ(HiByte(300), 0x01);
    EXPECT_EQ(LoByte(300), 0x2C);
    EXPECT_EQ(HiByte(-32768), 0x80);
    quint8 b = 0;
    SetBit(b, 0);
    SetBit(b, 7);
    SetBit(b, 8);
    SetBit(b, -1);
    EXPECT_EQ(b, 0x81);
    EXPECT_TRUE(TestBit(b, 7));
    EXPECT_FALSE(TestBit(b, 6));
}

TEST(HexCodec, SplitListTrimsEveryPart) {
    EXPECT_EQ(SplitList("5|Mute"), QStringList({"5", "Mute"}));
    EXPECT_EQ(SplitList(""), QStringList({""}));
    EXPECT_EQ(SplitList("  12 | Talk back |x  "), QStringList({"12", "Talk back", "x"}));
    EXPECT_EQ(SplitList("a|"), QStringList({"a", ""}));
}

TEST(HexCodec, BlockCodes) {
    EXPECT_EQ(BlockIndexToCode(0), "30");
    EXPECT_EQ(BlockIndexToCode(8), "38");
    EXPECT_EQ(BlockIndexToCode(9), "");
    EXPECT_EQ(BlockIndexToCode(-1), "");
    EXPECT_EQ(BlockCodeToIndex("30"), 0);
    EXPECT_EQ(BlockCodeToIndex("35"), 5);
    EXPECT_EQ(BlockCodeToIndex("39"), -1);
    EXPECT_EQ(BlockCodeToIndex("3"), -1);
    EXPECT_EQ(BlockCodeToIndex("20"), -1);
    EXPECT_EQ(BlockCodeToIndex("305"), -1);
}

TEST(HexCodec, ChecksumSumsThePairsAsHexToByteReadsThem) {
    EXPECT_EQ(CalcChecksum(""), 0);
    EXPECT_EQ(CalcChecksum("FF01"), 256);
    EXPECT_EQ(CalcChecksum("FF1"), 256); // a last single digit reads as "01"
    EXPECT_EQ(CalcChecksum("0a1G"), 15);
    EXPECT_EQ(CalcChecksum(QString(8194, 'F')), 4097 * 255);
}

TEST(ChannelRefTest, FlatNumbersAndGroups) {
    EXPECT_EQ(ChannelRef::FromFlat(0), 0);
    EXPECT_EQ(ChannelRef::FromFlat(1), 100);
    EXPECT_EQ(ChannelRef::FromFlat(0x10), 115);
    EXPECT_EQ(ChannelRef::FromFlat(0x11), 200);
    EXPECT_EQ(ChannelRef::FromFlat(25), 300);
    EXPECT_EQ(ChannelRef::FromFlat(36), 403);
    EXPECT_EQ(ChannelRef::FromFlat(0x25), 500);
    EXPECT_EQ(ChannelRef::FromFlat(40), 503);
    EXPECT_EQ(ChannelRef::FromFlat(41), 504); // no upper check
    EXPECT_EQ(ChannelRef::ToFlat(0), 0);
    EXPECT_EQ(ChannelRef::ToFlat(203), 0x14);
    EXPECT_EQ(ChannelRef::ToFlat(503), 40);
    EXPECT_EQ(ChannelRef::ToFlat(612), 12); // unknown group: the number alone
    for (int flat = 0; flat <= 40; ++flat)
        ASSERT_EQ(ChannelRef::ToFlat(ChannelRef::FromFlat(flat)), flat);
}
