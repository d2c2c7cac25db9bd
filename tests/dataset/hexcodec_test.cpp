#include "dataset/ChannelRef.h"
#include "dataset/HexCodec.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace zoz;

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
