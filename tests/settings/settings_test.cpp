#include "app/QtTranslation.h"
#include "base/CodePage.h"
#include "settings/IniFile.h"
#include "settings/IniLayout.h"
#include "settings/Texts.h"
#include "support/ProgramFolder.h"
#include "support/QtPrinters.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

TEST(IniFile, ReadsValuesAsThePrivateProfileDoes) {
    test::ProgramFolder folder;
    const QString ini = folder.writeIni(
        "K=outside\r\n[Comm]\r\nSettings =   19200,n,8,1   ; line settings\r\nB=y\tes\r\n"
        "OnlyComment=;nothing\r\nNB=yes\xA0\r\nCR=1\r\r\n\tTabKey=1\r\n  [ main ]  \n"
        "  writelogfile  =  no\n[\tTab]\r\nAlpha=1\r\n[S]\nK=first\nK=second\n;c\nMid\n"
        "A=\"quoted ; text\"\nQ='single'\nC=\"mixed'\nD=\"\"x\"\"\nE=\"\nL=" +
        QByteArray(150, 'x') + "\nT=" + QByteArray(126, 'y') +
        "\tz;c\n"
        "[s]\nK=third\nOther=4\n[Messages_GER]\nA=Gr\xfc\xdf"
        "e \x80\r\nB=two\r\n\x8a\xc4x=fold\r\n");
    const std::tuple<const char*, const char*, const char*, QString> cases[] = {
        // section, key, default, value
        {"Comm", "Settings", "DEF", "19200,n,8,1"},
        {"Comm", "B", "DEF", "yes"}, // tabs anywhere are deleted
        {"Comm", "OnlyComment", "DEF", ""},
        // Only blanks (0x20) are trimmed: no-break spaces, CRs and tabs before a name are text.
        {"Comm", "NB", "DEF", QStringLiteral("yes\u00A0")},
        {"Comm", "CR", "DEF", "1\r"},
        {"Comm", "TabKey", "DEF", "DEF"},
        {"Tab", "Alpha", "DEF", "DEF"},
        {"Comm", "Missing", "  dflt ; c", "dflt"}, // the default is processed as a value
        {"Nope", "Settings", "\tx\ty ", "xy"},
        {"", "K", "DEF", "DEF"}, // entries before the first section are not read
        {"  Main", " WRITELOGFILE ", "DEF", "no"},
        {"S", "K", "DEF", "first"},    // the first of duplicate keys and sections wins
        {"S", "Other", "DEF", "DEF"},  // it lies in the second section of that name
        {"S", "A", "DEF", "quoted"},   // the quotes go before the comment cut
        {"S", "C", "DEF", "\"mixed'"}, // only a matching pair is removed
        {"S", "D", "DEF", "\"x\""},
        {"S", "E", "DEF", "\""},
        {"S", "L", "DEF", QString(127, 'x')},
        {"S", "T", "DEF", QString(126, 'y')}, // the 127 include the tab, so z is cut
        {"Messages_GER", "A", "DEF", QString::fromUtf8("Grüße €")},
        // An entry without "=" has an empty value; names fold as characters, not as bytes.
        {"S", "Mid", "DEF", ""},
        {"messages_ger", "šäX", "DEF", "fold"},
    };
    for (const auto& [section, key, def, expected] : cases)
        EXPECT_EQ(GetIniValue(ini, section, key, def), expected) << section << key;
    EXPECT_EQ(GetIniValue(ini, "S", "none", QString(200, 'd')).size(), 127);
    EXPECT_EQ(GetIniValue(folder.path("nofile.Ini"), "Main", "Language", " GER "), "GER");
    EXPECT_EQ(GetIniKeys("Main", folder.path("nofile.Ini")), QStringList({""}));
    EXPECT_EQ(GetIniKeys("S", ini),
              QStringList({"", "K", "Mid", "A", "Q", "C", "D", "E", "L", "T"}));
}

TEST(IniFile, SetIniValueReplacesInPlaceAddsAfterTheLastEntryAndFailsWithoutChange) {
    test::ProgramFolder folder;
    const QString ini = folder.writeIni(
        "; head\n[Screen]\nCoord_X = 5 ; old\nCoord_Y=6\n\n[Recent]\nActTabStrip=2\n");
    EXPECT_NE(SetIniValue(ini, "  Screen", "coord_x", "100"), 0);
    EXPECT_NE(SetIniValue(ini, "Screen", "Coord_H", "3000"), 0);
    EXPECT_NE(SetIniValue(ini, "New", "Key", QString::fromUtf8("Bühne")), 0);
    EXPECT_EQ(folder.read("zozedud.Ini"),
              QByteArray("; head\r\n[Screen]\r\nCoord_X=100\r\nCoord_Y=6\r\nCoord_H=3000\r\n"
                         "\r\n[Recent]\r\nActTabStrip=2\r\n[New]\r\nKey=B\xfchne\r\n"));
    EXPECT_NE(SetIniValue(folder.path("new.Ini"), "Main", "Name", "x"), 0);
    EXPECT_EQ(folder.read("new.Ini"), "[Main]\r\nName=x\r\n");

    ASSERT_TRUE(QDir(folder.dir.path()).mkdir("folder.Ini"));
    EXPECT_EQ(SetIniValue(folder.path("folder.Ini"), "S", "K", "2"), 0);
}

// At most 10240 characters: 1023 names of 9 and a separator each leave 8 for the 1024th.
TEST(IniFile, GetIniKeysListsKeysInFileOrderAndReadsAtMost10240Characters) {
    test::ProgramFolder folder;
    QByteArray lines;
    for (int i = 0; i < 1030; ++i)
        lines += "K" + QByteArray::number(10000000 + i) + "=1\n";
    // [Exact]: its 1024th name fills the buffer to the two separators.
    const QString ini = folder.writeIni("[Empty]\n; only a comment\n[Big]\n" + lines +
                                        "[Exact]\nKseven7=1\n" + lines);
    const QStringList exact = GetIniKeys("Exact", ini);
    EXPECT_EQ(exact.size(), 1 + 1024);
    EXPECT_EQ(exact.last(), "K10001022");
    EXPECT_EQ(GetIniKeys("Empty", ini), QStringList({""}));
    const QStringList keys = GetIniKeys("Big", ini);
    ASSERT_EQ(keys.size(), 1 + 1024);
    EXPECT_EQ(keys[1023], "K10001022");
    EXPECT_EQ(keys[1024], "K1000102");
}

TEST(IniHelpers, ParametersReplacementAndFileExists) {
    QString t = QStringLiteral("a & b & c");
    EXPECT_EQ(ReplaceParams(t, "X"), "a X b  c");
    EXPECT_EQ(t, "a X b  c");                   // changed in place
    QString nested = QStringLiteral("& and &"); // an "&" from an argument is filled next
    EXPECT_EQ(ReplaceParams(nested, "1&", "2", "3"), "12 and 3");
    QString seven = QStringLiteral("&&&&&&&");
    EXPECT_EQ(ReplaceParams(seven, "1", "2", "3", "4", "5"), "12345&&");
    EXPECT_EQ(ReplaceAll("\ta\tb\t\t", "\t", "") + ReplaceAll("aaaa", "aa", "b") +
                  ReplaceAll("x", "", "y") + ReplaceAll("ab", "a", "aa"), // must not loop
              "abbbxaab");

    test::ProgramFolder folder;
    const QString log = folder.write("zozedud-2026-12-05.Log", {});
    for (const QString& name :
         {log, folder.path("zozedud-*.Log"), folder.path("zozedud-2026-12-0?.Log")})
        EXPECT_TRUE(FileExists(name)) << name.toStdString();
    for (const QString& name : {folder.path("other-*.Log"), folder.dir.path(),
                                folder.path("missing/zozedud-*.Log"), QString()})
        EXPECT_FALSE(FileExists(name)) << name.toStdString();
}

TEST(Texts, FromTheSectionOfTheLanguageTheKeyWhenMissingCachedOnceNotEmpty) {
    test::ProgramFolder folder;
    const QString ini = folder.writeIni("[Messages_]\nWriteLog_Err=no language yet\n"
                                        "[Messages_GER]\nReady=Bereit\nEmpty=\n"
                                        "[Messages_ENG]\nReady=Ready to go\n");
    Texts texts(ini);
    EXPECT_EQ(texts.message("WriteLog_Err"), "no language yet"); // before [Main] Language is read
    texts.setLanguage("eng");
    EXPECT_EQ(texts.message("Ready"), "Ready to go");
    EXPECT_EQ(texts.message("Missing"), "Missing");
    texts.setLanguage("GER");
    EXPECT_EQ(texts.cached("Ready"), "Bereit");
    EXPECT_EQ(texts.cached("Empty"), "");
    // The user edits the file while the program runs: the kept text stays, the empty one is
    // looked up again, the plain lookup reads the file every time.
    folder.writeIni("[Messages_GER]\nReady=Fertig\nEmpty=jetzt da\n");
    EXPECT_EQ(texts.cached("Ready"), "Bereit");
    EXPECT_EQ(texts.cached("Empty"), "jetzt da");
    EXPECT_EQ(texts.message("Ready"), "Fertig");
}

// Under GER the serial port's own errors (a port in use, a lost line) are German too.
TEST(QtTranslation, GermanCoversTheSerialPortsTexts) {
    const char* text = "Permission error while locking the device";
    QtTranslation translation;
    ASSERT_TRUE(translation.setLanguage(QStringLiteral("GER")));
    EXPECT_NE(QCoreApplication::translate("QSerialPort", text), QLatin1String(text));
    ASSERT_TRUE(translation.setLanguage(QStringLiteral("ENG")));
    EXPECT_EQ(QCoreApplication::translate("QSerialPort", text), QLatin1String(text));
}

TEST(CodePage, EveryByteRoundTripsAndOthersBecomeQuestionMarks) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = CodePage::toUnicode(all);
    EXPECT_EQ(CodePage::fromUnicode(text), all);
    EXPECT_EQ(text.mid(0x80, 1) + text.mid(0x8D, 1), QStringLiteral("\u20ac\u008d"));
    EXPECT_EQ(CodePage::fromUnicode(QStringLiteral("a\u0416b\u00fc")), QByteArray("a?b\xfc"));
}

// Every run ends with FormatIniFile: it must accept the file.
TEST(ShippedIni, SurvivesTheEndOfARun) {
    const QString shipped = QStringLiteral(ZOZ_SOURCE_DIR "/resources/zozedud.Ini");
    test::ProgramFolder folder;
    const QString copy = folder.ini();
    ASSERT_TRUE(QFile::copy(shipped, copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(FormatIniFile(copy), 0);
    EXPECT_EQ(GetIniKeys("Main", copy), GetIniKeys("Main", shipped));
}

} // namespace
