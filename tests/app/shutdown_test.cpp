#include "app/Shutdown.h"

#include "app/IniFile.h"
#include "app/Switches.h"
#include "app/Texts.h"
#include "log/AppLog.h"
#include "support/QtPrinters.h"
#include "support/ScriptedUi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::ScriptedUi;

namespace {

QByteArray readFile(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& name, const QByteArray& bytes) {
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class ShutdownTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    Switches switches;
    Texts texts{dir.filePath("zozedud.Ini")};
    AppLog log{dir.path(), QStringLiteral("zozedud")};
    ScriptedUi ui;
    Shutdown shutdown{switches, texts, log, ui};
    QStringList order;

    void SetUp() override {
        switches.IniFileName = dir.filePath("zozedud.Ini");
        texts.setLanguage("GER");
        writeFile(switches.IniFileName, "[Messages_GER]\nQueryEndProg=  Wirklich beenden?\n"
                                        "QueryEndProg_ByUser=  Ende durch Benutzer\n"
                                        "[Screen]\nCoord_X=15\nCoord_Y=30\nCoord_H=45\n");
        log.OpenLog(dir.filePath("test.Log"));
        shutdown.setClosePort([this] {
            const QByteArray logSoFar = readFile(dir.filePath("test.Log"));
            order.append(QString::fromLatin1(logSoFar.mid(logSoFar.indexOf(">  "))));
        });
        shutdown.setTerminator([this] { order.append("terminated"); });
        ui.caption = "VX418 ZozEdud Version 2.0 Build 1";
        ui.geometry = {100, 200, 300, true};
        ui.tab = 4;
    }
};

TEST_F(ShutdownTest, DeclinedQuestionChangesNothing) {
    const QByteArray iniBefore = readFile(switches.IniFileName);
    const QByteArray logBefore = readFile(dir.filePath("test.Log"));
    ui.answers.enqueue(MsgAnswer::No);
    bool query = true;
    EXPECT_FALSE(shutdown.QueryEndProg(query));
    ASSERT_EQ(ui.boxes.size(), 1);
    EXPECT_EQ(ui.boxes[0].text, "Wirklich beenden?");
    EXPECT_EQ(ui.boxes[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Critical);
    EXPECT_EQ(ui.boxes[0].title, "VX418 ZozEdud Version 2.0 Build 1");
    EXPECT_TRUE(order.isEmpty());
    EXPECT_EQ(readFile(switches.IniFileName), iniBefore);
    EXPECT_EQ(readFile(dir.filePath("test.Log")), logBefore);
}

TEST_F(ShutdownTest, AcceptedEndSavesStateLinesUpAndClosesPortThenLog) {
    ui.answers.enqueue(MsgAnswer::Yes);
    EXPECT_TRUE(shutdown.QueryEndProg(true));
    // The port closes after the last message line and before the end line.
    ASSERT_EQ(order.size(), 2);
    EXPECT_EQ(order[0], ">  Ende durch Benutzer\r\n");
    EXPECT_EQ(order[1], "terminated");
    EXPECT_TRUE(readFile(dir.filePath("test.Log")).endsWith("***** End   *****\r\n\r\n\r\n"));
    EXPECT_EQ(readFile(switches.IniFileName), "[Messages_GER]\r\n"
                                              "  QueryEndProg        = Wirklich beenden?\r\n"
                                              "  QueryEndProg_ByUser = Ende durch Benutzer\r\n"
                                              "[Screen]\r\n"
                                              "  Coord_X = 1500\r\n"
                                              "  Coord_Y = 3000\r\n"
                                              "  Coord_H = 4500\r\n"
                                              "[Recent]\r\n"
                                              "  ActTabStrip = 4\r\n");
}

TEST_F(ShutdownTest, WithoutQuestionAMaximisedWindowKeepsTheLastNormalPosition) {
    ui.geometry = {1, 2, 3, false};
    EXPECT_TRUE(shutdown.QueryEndProg(false));
    EXPECT_TRUE(ui.boxes.isEmpty());
    EXPECT_TRUE(readFile(dir.filePath("test.Log")).contains(">  QueryEndProg_NoQuery\r\n"));
    EXPECT_EQ(GetIniValue(switches.IniFileName, "Screen", "Coord_X", ""), "15");
    EXPECT_EQ(GetIniValue(switches.IniFileName, "Recent", "ActTabStrip", ""), "4");
}

TEST_F(ShutdownTest, AnEndRequestedWhileEndingIsIgnored) {
    int ends = 0;
    shutdown.setClosePort([this, &ends] {
        ++ends;
        shutdown.QueryEndProg(false); // e.g. the main window closed by an event meanwhile
    });
    EXPECT_TRUE(shutdown.QueryEndProg(false));
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(readFile(dir.filePath("test.Log")).count("***** End"), 1);
    EXPECT_EQ(readFile(dir.filePath("test.Log")).count("QueryEndProg_NoQuery"), 1);
}

TEST(FormatIniFile, LinesUpEachSectionOnItsLongestKey) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("zozedud.Ini");
    writeFile(ini, "  ; settings  \n"
                   "[Comm]\n"
                   "Port=2\n"
                   "  Baud   =  19200,n,8,1  \n"
                   "\n"
                   "   [Main]   \r\n"
                   "Language=GER\r\n"
                   "LoadAtStartup_Default = a=b.DAT\r\n" // 21 characters: not this section's
                   "; comment = not an entry\r\n"
                   "just text\r\n"
                   "LongestKey12=x\r\n"
                   "[Other]\n"
                   "=v\n");
    // LoadAtStartup_Default has 21 characters and so sets the width of [Main].
    EXPECT_EQ(FormatIniFile(ini), 0);
    EXPECT_EQ(readFile(ini), "; settings\r\n"
                             "[Comm]\r\n"
                             "  Port = 2\r\n"
                             "  Baud = 19200,n,8,1\r\n"
                             "\r\n"
                             "[Main]\r\n"
                             "  Language              = GER\r\n"
                             "  LoadAtStartup_Default = a=b.DAT\r\n"
                             "; comment = not an entry\r\n"
                             "  just text\r\n"
                             "  LongestKey12          = x\r\n"
                             "[Other]\r\n"
                             "   = v\r\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("tmptmp.tmp")));
    // A second run finds nothing to change.
    const QByteArray once = readFile(ini);
    ASSERT_EQ(FormatIniFile(ini), 0);
    EXPECT_EQ(readFile(ini), once);
}

TEST(FormatIniFile, MissingFileGives1000AndBytesAbove0x7FSurvive) {
    QTemporaryDir dir;
    EXPECT_EQ(FormatIniFile(dir.filePath("none.Ini")), 1000);
    const QString ini = dir.filePath("zozedud.Ini");
    writeFile(ini, "[Messages_GER]\nA=Gr\xfc\xdf"
                   "e \x80\n" +
                       QByteArray(200, 'k') + "=v\n");
    ASSERT_EQ(FormatIniFile(ini), 0);
    EXPECT_EQ(readFile(ini), "[Messages_GER]\r\n  A" + QByteArray(199, ' ') +
                                 " = Gr\xfc\xdf"
                                 "e \x80\r\n  " +
                                 QByteArray(200, 'k') + " = v\r\n");
}

// A refused entry before the first section, or a temporary file that cannot be created where a
// folder of that name stands, leaves the file as it was.
TEST(FormatIniFile, FailuresLeaveTheFileAsItWas) {
    for (const bool blocked : {false, true}) {
        QTemporaryDir dir;
        const QString ini = dir.filePath("zozedud.Ini");
        const QByteArray before = blocked ? "[Main]\nA=1\n" : "; fine\nstray=1\n[Main]\nA=1\n";
        writeFile(ini, before);
        if (blocked) {
            ASSERT_TRUE(QDir(dir.path()).mkdir("tmptmp.tmp"));
        }
        const int result = FormatIniFile(ini);
        EXPECT_EQ(blocked ? result / 1000 : result, blocked ? 6 : 3000 + ERANGE);
        EXPECT_EQ(readFile(ini), before);
        EXPECT_EQ(QFileInfo(dir.filePath("tmptmp.tmp")).isDir(), blocked);
        EXPECT_FALSE(QFileInfo(dir.filePath("tmptmp.tmp")).isFile());
    }
}

} // namespace
