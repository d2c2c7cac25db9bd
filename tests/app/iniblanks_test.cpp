// The layout every run ends with: each section lined up on its longest key, blanks trimmed, and
// the file left as it was when that is impossible.
#include "app/IniFile.h"
#include "app/Shutdown.h"
#include "support/ProgramFolder.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

// Names and values lose blanks (0x20) only: tabs, no-break spaces and stray CRs stay.
TEST(FormatIniFile, LinesUpEachSectionOnItsLongestKeyAndTrimsBlanksOnly) {
    const struct {
        QByteArray before;
        int result;
        QByteArray after;
    } cases[] = {
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
    for (const auto& c : cases) {
        test::ProgramFolder folder;
        const QString ini = folder.writeIni(c.before);
        EXPECT_EQ(FormatIniFile(ini), c.result) << c.before.toStdString();
        EXPECT_EQ(folder.read("zozedud.Ini"), c.after) << c.before.toStdString();
        EXPECT_EQ(FormatIniFile(ini), c.result); // a second run finds nothing to change
        EXPECT_EQ(folder.read("zozedud.Ini"), c.after);
        EXPECT_FALSE(QFileInfo::exists(folder.path("tmptmp.tmp")));
    }
}

// A missing file, or a temporary file that cannot be created where a folder of that name stands.
TEST(FormatIniFile, FailuresLeaveTheFileAsItWas) {
    test::ProgramFolder folder;
    EXPECT_EQ(FormatIniFile(folder.ini()), 1000);
    const QString ini = folder.writeIni("[Main]\nA=1\n");
    ASSERT_TRUE(QDir(folder.dir.path()).mkdir("tmptmp.tmp"));
    EXPECT_EQ(FormatIniFile(ini) / 1000, 6);
    EXPECT_EQ(folder.read("zozedud.Ini"), "[Main]\nA=1\n");
    EXPECT_TRUE(QFileInfo(folder.path("tmptmp.tmp")).isDir());
}

} // namespace
