// The settings file lined up at the end of every run, and the parsed copy that spares re-reading.
#include "settings/IniCache.h"
#include "settings/IniFile.h"
#include "settings/IniLayout.h"
#include "support/ProgramFolder.h"
#include "support/QtPrinters.h"

#include <QDateTime>
#include <QTest>
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

// Names and values lose blanks (0x20) only: tabs, no-break spaces and stray CRs stay.
TEST(FormatIniFile, LinesUpEachSectionOnItsLongestKeyAndTrimsBlanksOnly) {
    const std::tuple<QByteArray, int, QByteArray> cases[] = {
        // file, result, file after
        {"  ; settings  \n[Comm]\nPort=2\n  Baud   =  19200,n,8,1  \n\n   [Main]   \r\n"
         "Language=GER\r\nLoadAtStartup_Default = a=b.DAT\r\n; comment = not an entry\r\n"
         "just text\r\nLongestKey12=x\r\n[Other]\n=v\n[Messages_GER]\nA=Gr\xfc\xdf"
         "e \x80\n",
         0,
         "; settings\r\n[Comm]\r\n  Port = 2\r\n  Baud = 19200,n,8,1\r\n\r\n[Main]\r\n"
         "  Language              = GER\r\n"
         "  LoadAtStartup_Default = a=b.DAT\r\n"
         "; comment = not an entry\r\n"
         "  just text\r\n"
         "  LongestKey12          = x\r\n"
         "[Other]\r\n   = v\r\n[Messages_GER]\r\n  A = Gr\xfc\xdf"
         "e \x80\r\n"},
        {"[S]\n" + QByteArray(200, 'k') + "=v\nA=1\n", 0,
         "[S]\r\n  " + QByteArray(200, 'k') + " = v\r\n  A" + QByteArray(199, ' ') + " = 1\r\n"},
        {"[S]\r\n\tAlpha=1\r\nBe=2\r\n", 0, "[S]\r\n  \tAlpha = 1\r\n  Be     = 2\r\n"},
        {"[S]\r\n\t; note\r\n  ; kept\r\n", 0, "[S]\r\n  \t; note\r\n; kept\r\n"},
        {"[S]\r\nA = x\xA0\r\n \t\r\n", 0, "[S]\r\n  A = x\xA0\r\n  \t\r\n"},
        // An entry before the first section is refused; a tab-led header is no header.
        {"; fine\nstray=1\n[Main]\nA=1\n", 3000 + ERANGE, "; fine\nstray=1\n[Main]\nA=1\n"},
        {"\t[S]\r\nA=1\r\n", 3000 + ERANGE, "\t[S]\r\nA=1\r\n"},
    };
    for (const auto& [before, result, after] : cases) {
        test::ProgramFolder folder;
        const QString ini = folder.writeIni(before);
        EXPECT_EQ(FormatIniFile(ini), result) << before.toStdString();
        EXPECT_EQ(folder.read("zozedud.Ini"), after) << before.toStdString();
        EXPECT_EQ(FormatIniFile(ini), result); // a second run finds nothing to change
        EXPECT_EQ(folder.read("zozedud.Ini"), after);
        EXPECT_FALSE(QFileInfo::exists(folder.path("tmptmp.tmp")));
    }
}

// Failing at step 1, 2 (a wildcard name that exists but cannot be opened) or 6 changes nothing.
TEST(FormatIniFile, FailuresLeaveTheFileAsItWas) {
    test::ProgramFolder folder;
    EXPECT_EQ(FormatIniFile(folder.ini()), 1000);
    const QString ini = folder.writeIni("[Main]\nA=1\n");
    EXPECT_EQ(FormatIniFile(folder.path("zoz*.Ini")) / 1000, 2);
    ASSERT_TRUE(QDir(folder.dir.path()).mkdir("tmptmp.tmp"));
    EXPECT_EQ(FormatIniFile(ini) / 1000, 6);
    EXPECT_EQ(folder.read("zozedud.Ini"), "[Main]\nA=1\n");
    EXPECT_TRUE(QFileInfo(folder.path("tmptmp.tmp")).isDir());
}

// Every change by another program is seen, also once settled; otherwise the file is parsed once.
TEST(IniCache, SeesEveryChangeByAnotherProgramAndReusesTheParseOtherwise) {
    test::ProgramFolder folder;
    const QString ini = folder.ini();
    IniCache cache;
    auto value = [&](const char* key = "A") {
        return GetIniValue(ini, "S", QLatin1String(key), "-", &cache);
    };
    const std::function<void()> changes[] = {
        [&] { folder.writeIni("[S]\nA=2\n"); }, // same size
        [&] { folder.writeIni("[S]\nA=22\n"); },
        [&] { // same size and modification time, in place
            const QDateTime was = QFileInfo(ini).fileTime(QFileDevice::FileModificationTime);
            folder.writeIni("[S]\nA=3\n");
            QFile f(ini);
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            ASSERT_TRUE(f.setFileTime(was, QFileDevice::FileModificationTime));
        },
        [&] { // a new file renamed over it
            ASSERT_TRUE(QFile::remove(ini));
            ASSERT_TRUE(QFile::rename(folder.write("new", "[S]\nA=4\n"), ini));
        },
        [&] { ASSERT_TRUE(QFile::remove(ini)); },
    };
    const char* expected[] = {"2", "22", "3", "4", "-"};
    for (const bool settled : {false, true}) {
        for (int i = 0; i < 5; ++i) {
            folder.writeIni("[S]\nA=1\n");
            if (settled)
                QTest::qWait(120);
            ASSERT_EQ(value(), "1");
            changes[i]();
            EXPECT_EQ(value(), expected[i]) << "settled " << settled;
        }
    }

    folder.writeIni("[S]\nA=1\nB=x\n");
    QTest::qWait(120);
    const int parses = cache.parses();
    for (int i = 0; i < 50; ++i)
        ASSERT_EQ(value(i % 2 ? "A" : "B"), i % 2 ? "1" : "x");
    EXPECT_EQ(cache.parses(), parses + 1);
    ASSERT_EQ(SetIniValue(ini, "S", "A", "7", &cache), 1);
    EXPECT_EQ(value(), "7");
    ASSERT_EQ(FormatIniFile(ini, &cache), 0);
    EXPECT_EQ(GetIniKeys("S", ini, &cache), QStringList({QString(), "A", "B"}));
}

} // namespace
