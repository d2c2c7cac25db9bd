#include "app/IniFile.h"

#include "support/QtPrinters.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zoz;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString ini = dir.filePath(QStringLiteral("zozedud.Ini"));

    void write(const QByteArray& bytes) {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read() const {
        QFile f(ini);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString value(const char* section, const char* key, const char* def = "DEF") {
        return GetIniValue(ini, QString::fromUtf8(section), QString::fromUtf8(key),
                           QString::fromUtf8(def));
    }
};

TEST_F(IniFileTest, ValueIsCutAtCommentTabsDeletedAndTrimmed) {
    write("[Comm]\r\n"
          "Settings =   19200,n,8,1   ; line settings\r\n"
          "A=\tyes\r\n"
          "B=y\tes\r\n"
          "Empty=\r\n"
          "OnlyComment=;nothing\r\n");
    EXPECT_EQ(value("Comm", "Settings"), "19200,n,8,1");
    EXPECT_EQ(value("Comm", "A"), "yes");
    EXPECT_EQ(value("Comm", "B"), "yes");
    EXPECT_EQ(value("Comm", "Empty"), "");
    EXPECT_EQ(value("Comm", "OnlyComment"), "");
    EXPECT_EQ(value("Comm", "Missing", "  dflt ; c"), "dflt");
    EXPECT_EQ(value("Nope", "Settings", "\tx\ty "), "xy");
}

TEST_F(IniFileTest, NamesAreTrimmedAndComparedWithoutCase) {
    write("  [ main ]  \n  writelogfile  =  no\n");
    EXPECT_EQ(value("MAIN", "WriteLogFile"), "no");
    EXPECT_EQ(value("  Main", " WRITELOGFILE "), "no");
}

TEST_F(IniFileTest, OnePairOfMatchingQuotesIsRemoved) {
    write("[S]\nA=\"quoted ; text\"\nB='single'\nC=\"mixed'\nD=\"\"x\"\"\nE=\"\n");
    // The quotes go before the comment cut, so a ";" inside quotes still ends the value.
    EXPECT_EQ(value("S", "A"), "quoted");
    EXPECT_EQ(value("S", "B"), "single");
    EXPECT_EQ(value("S", "C"), "\"mixed'");
    EXPECT_EQ(value("S", "D"), "\"x\"");
    EXPECT_EQ(value("S", "E"), "\"");
}

TEST_F(IniFileTest, FirstOfDuplicateSectionsAndKeysWins) {
    write("[S]\nK=first\nK=second\n[s]\nK=third\nOther=4\n");
    EXPECT_EQ(value("S", "K"), "first");
    EXPECT_EQ(value("S", "Other"), "DEF"); // lies in the second section of that name
    EXPECT_EQ(GetIniKeys("S", ini), QStringList({"", "K"}));
}

TEST_F(IniFileTest, EntriesBeforeTheFirstSectionAreNotRead) {
    write("K=outside\r\n[S]\r\nX=1\r\n");
    EXPECT_EQ(value("", "K"), "DEF");
    EXPECT_EQ(value("S", "K"), "DEF");
    EXPECT_EQ(value("S", "X"), "1");
}

TEST_F(IniFileTest, LfAndCrLfLinesAndHighBytesRead) {
    write("[Messages_GER]\nA=Gr\xfc\xdf"
          "e \x80\r\nB=two\r\n");
    EXPECT_EQ(value("Messages_GER", "A"), QString::fromUtf8("Grüße €"));
    EXPECT_EQ(value("Messages_GER", "B"), "two");
}

TEST_F(IniFileTest, LongValuesKeep127CharactersBeforeCommentAndTabs) {
    const QByteArray long150(150, 'x');
    write("[S]\nA=" + long150 + "\nB=" + QByteArray(126, 'y') + "\tz;c\n");
    EXPECT_EQ(value("S", "A"), QString(127, QLatin1Char('x')));
    // The 127 include the tab, so the z after it is cut and only the y remain.
    EXPECT_EQ(value("S", "B"), QString(126, QLatin1Char('y')));
    EXPECT_EQ(GetIniValue(ini, "S", "none", QString(200, QLatin1Char('d'))).size(), 127);
}

TEST_F(IniFileTest, MissingFileGivesTheProcessedDefault) {
    EXPECT_EQ(GetIniValue(dir.filePath("nofile.Ini"), "Main", "Language", " GER "), "GER");
    EXPECT_EQ(GetIniKeys("Main", dir.filePath("nofile.Ini")), QStringList({""}));
}

TEST_F(IniFileTest, SetIniValueReplacesInPlaceAndAddsAfterLastEntry) {
    write("; head\n[Screen]\nCoord_X = 5 ; old\nCoord_Y=6\n\n[Recent]\nActTabStrip=2\n");
    EXPECT_NE(SetIniValue(ini, "  Screen", "coord_x", "100"), 0);
    EXPECT_NE(SetIniValue(ini, "Screen", "Coord_H", "3000"), 0);
    EXPECT_NE(SetIniValue(ini, "New", "Key", "v"), 0);
    EXPECT_EQ(read(),
              QByteArray("; head\r\n[Screen]\r\nCoord_X=100\r\nCoord_Y=6\r\nCoord_H=3000\r\n"
                         "\r\n[Recent]\r\nActTabStrip=2\r\n[New]\r\nKey=v\r\n"));
    EXPECT_EQ(value("Screen", "Coord_X"), "100");
}

TEST_F(IniFileTest, SetIniValueCreatesAMissingFileAndKeepsHighBytes) {
    EXPECT_NE(SetIniValue(ini, "Main", "Name", QString::fromUtf8("Bühne")), 0);
    EXPECT_EQ(read(), QByteArray("[Main]\r\nName=B\xfchne\r\n"));
}

TEST_F(IniFileTest, SetIniValueOnAReadOnlyFileFailsAndChangesNothing) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.Ini"));
    EXPECT_EQ(SetIniValue(dir.filePath("folder.Ini"), "S", "K", "2"), 0);
    write("[S]\nK=1\n");
    QFile::setPermissions(ini, QFile::ReadOwner);
    if (QFileInfo(ini).isWritable())
        GTEST_SKIP() << "running with rights that ignore file modes";
    EXPECT_EQ(SetIniValue(ini, "S", "K", "2"), 0);
    EXPECT_EQ(read(), QByteArray("[S]\nK=1\n"));
}

TEST_F(IniFileTest, GetIniKeysListsKeysInFileOrderFromElementOne) {
    write("[Empty]\n; only a comment\n[Keys]\nZeta=1\n;c\nalpha=2\nMid\nBeta=3\n[Next]\nX=1\n");
    EXPECT_EQ(GetIniKeys("Keys", ini), QStringList({"", "Zeta", "alpha", "Mid", "Beta"}));
    EXPECT_EQ(GetIniKeys("Empty", ini), QStringList({""}));
    EXPECT_EQ(GetIniKeys("Missing", ini), QStringList({""}));
}

TEST_F(IniFileTest, GetIniKeysReadsAtMost10240CharactersOfNames) {
    // Names of 9 characters take 10 each with their separator: 1023 of them take 10230, and
    // the 1024th gets the 8 characters left before the two closing separators.
    QByteArray text = "[Big]\n";
    for (int i = 0; i < 1030; ++i)
        text += "K" + QByteArray::number(10000000 + i) + "=1\n";
    write(text);
    const QStringList keys = GetIniKeys("Big", ini);
    ASSERT_EQ(keys.size(), 1 + 1024);
    EXPECT_EQ(keys[1], "K10000000");
    EXPECT_EQ(keys[1023], "K10001022");
    EXPECT_EQ(keys[1024], "K1000102"); // the last name is cut where the buffer ends
}

TEST(IniHelpers, IsYesAcceptsOnlyJaAndYes) {
    for (const char* yes : {"Ja", "ja", "YES", "Yes", "jA"})
        EXPECT_TRUE(IsYes(QString::fromUtf8(yes))) << yes;
    for (const char* no : {"Y", "J", "1", "", "true", "on", " yes", "yes "})
        EXPECT_FALSE(IsYes(QString::fromUtf8(no))) << no;
}

TEST(IniHelpers, ReplaceParamsFillsFivePassesFromTheStart) {
    QString t = QStringLiteral("a & b & c");
    EXPECT_EQ(ReplaceParams(t, "X", "Y"), "a X b Y c");
    EXPECT_EQ(t, "a X b Y c"); // changed in place
    QString one = QStringLiteral("a & b & c");
    EXPECT_EQ(ReplaceParams(one, "X"), "a X b  c");
    QString none = QStringLiteral("no placeholder");
    EXPECT_EQ(ReplaceParams(none, "X"), "no placeholder");
    // An "&" brought in by an argument is filled by the next pass.
    QString nested = QStringLiteral("& and &");
    EXPECT_EQ(ReplaceParams(nested, "1&", "2", "3"), "12 and 3");
    QString six = QStringLiteral("&&&&&&&");
    EXPECT_EQ(ReplaceParams(six, "1", "2", "3", "4", "5"), "12345&&");
}

TEST(IniHelpers, ReplaceAllReplacesEveryOccurrence) {
    EXPECT_EQ(ReplaceAll("\ta\tb\t\t", "\t", ""), "ab");
    EXPECT_EQ(ReplaceAll("aaaa", "aa", "b"), "bb");
    EXPECT_EQ(ReplaceAll("x", "", "y"), "x");
    EXPECT_EQ(ReplaceAll("ab", "a", "aa"), "aab"); // must not loop for ever
}

TEST(IniHelpers, FileExistsWithWildcardsAndErrors) {
    QTemporaryDir dir;
    QFile f(dir.filePath("zozedud-2026-12-05.Log"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(FileExists(f.fileName()));
    EXPECT_TRUE(FileExists(dir.filePath("zozedud-*.Log")));
    EXPECT_TRUE(FileExists(dir.filePath("zozedud-2026-12-0?.Log")));
    EXPECT_FALSE(FileExists(dir.filePath("other-*.Log")));
    EXPECT_FALSE(FileExists(dir.path())); // a folder is not a file
    EXPECT_FALSE(FileExists(dir.filePath("missing/zozedud-*.Log")));
    EXPECT_FALSE(FileExists(QString()));
}

} // namespace
