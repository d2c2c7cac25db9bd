#include "base/CodePage.h"

#include <gtest/gtest.h>

using zoz::CodePage;

TEST(CodePage, EveryByteRoundTrips) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = CodePage::toUnicode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(CodePage::fromUnicode(text), all);
}

TEST(CodePage, MapsTheHighRangeToItsUnicodeCharacters) {
    EXPECT_EQ(CodePage::toUnicode(static_cast<unsigned char>(0x80)), QChar(0x20AC)); // euro
    EXPECT_EQ(CodePage::toUnicode(static_cast<unsigned char>(0xA7)), QChar(0x00A7)); // section
    EXPECT_EQ(CodePage::toUnicode(static_cast<unsigned char>(0x8D)), QChar(0x008D)); // unassigned
    EXPECT_EQ(CodePage::fromUnicode(QStringLiteral("\u00fc\u00df\u20ac")),
              QByteArray("\xfc\xdf\x80"));
}

TEST(CodePage, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_FALSE(CodePage::canEncode(QChar(0x0416)));
    EXPECT_EQ(CodePage::fromUnicode(QStringLiteral("a\u0416b")), QByteArray("a?b"));
}
