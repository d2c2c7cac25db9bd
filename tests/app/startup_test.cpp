// Start-up in its numbered steps and the one way out, QueryEndProg, with the settings file lined
// up on the way.
#include "base/CodePage.h"
#include "app/FormPosition.h"
#include "app/IniFile.h"
#include "app/Shutdown.h"
#include "app/Startup.h"
#include "app/Switches.h"
#include "app/Texts.h"
#include "app/WaitMilliseconds.h"
#include "log/AppLog.h"
#include "log/MemoryProtoSink.h"
#include "support/ProgramFolder.h"
#include "support/QtPrinters.h"
#include "support/ScriptedUi.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTimer>
#include <cerrno>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::ScriptedUi;

namespace {

const QDateTime kNow(QDate(2026, 12, 4), QTime(9, 30, 0));
const QByteArray kWithDefault = "[Main]\nLoadAtStartup_Default=default.DAT\n";

// A program folder with the parts of the program start-up drives, all recording into ui.events.
struct StartupRig {
    test::ProgramFolder folder;
    Switches switches;
    Texts texts{QString()};
    AppLog log{folder.dir.path(), QStringLiteral("zozedud"), [] { return kNow; }};
    ScriptedUi ui;
    MemoryProtoSink proto;
    Shutdown shutdown{switches, texts, log, ui};
    qint64 tick = 0;
    int initDataSetMs = 300;
    int terminated = 0;
    int commStep = 0;
    bool dataSetOk = true;
    std::unique_ptr<Startup> startup;

    StartupRig() {
        switches.ProgramFolder = folder.dir.path();
        switches.ProgramName = QStringLiteral("zozedud");
        shutdown.setTerminator([this] {
            ++terminated;
            ui.events.append("terminated");
        });
        shutdown.setClosePort([this] { ui.events.append("closePort"); });
        Startup::Collaborators c;
        c.txtProto = [this] { return &proto; };
        c.initDataSet = [this] {
            ui.events.append("initDataSet");
            tick += initDataSetMs;
            return dataSetOk;
        };
        c.setCommParameters = [this] {
            ui.events.append("setComm");
            return commStep;
        };
        c.markPortClosed = [this] { ui.events.append("portClosed"); };
        c.resetDataSet = [this] { ui.events.append("resetDataSet"); };
        c.menuCommand = [this](int n) { ui.events.append(QStringLiteral("menu:%1").arg(n)); };
        Startup::Timing t;
        t.tickCount = [this] { return tick; };
        t.wait = [this](int ms) { ui.events.append(QStringLiteral("wait:%1").arg(ms)); };
        t.today = [] { return kNow.date(); };
        startup = std::make_unique<Startup>(switches, texts, log, ui, shutdown, c, t);
    }

    void start(const QByteArray& ini) {
        folder.writeIni(ini);
        folder.write("default.DAT", {});
        startup->InitProgram();
    }
    QByteArray stamp() const {
        return CodePage::fromUnicode(QLocale::system().dayName(5, QLocale::ShortFormat) +
                                     QStringLiteral("  04.12.2026  09:30:00 "));
    }
};

TEST(Startup, EmptyFolderFailsAtStep17InGermanAndEndsWithAClosedLog) {
    StartupRig r;
    r.startup->Main();

    ASSERT_EQ(r.ui.boxes.size(), 1);
    EXPECT_EQ(r.ui.boxes[0].text, "Fehler beim Lesen des Eintrags <LoadAtStartup_Default>");
    EXPECT_EQ(r.ui.boxes[0].title, "zozedud");
    EXPECT_EQ(r.ui.boxes[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(r.ui.lastStatus(), r.ui.boxes[0].text);
    EXPECT_EQ(r.startup->ErrStep(), 17);
    EXPECT_FALSE(r.switches.InitDone || r.ui.mainShown || r.ui.events.contains("initDataSet"));

    const QByteArray s = r.stamp();
    EXPECT_EQ(r.folder.read("zozedud-2026-12-04.Log"),
              s + "***** Start *****\r\n" + s + ">  Init\r\n" + s +
                  ">  Fehler beim Lesen des Eintrags <LoadAtStartup_Default>\r\n" + s +
                  ">  QueryEndProg_NoQuery\r\n" + s + "***** End   *****\r\n\r\n\r\n");
    // The port is closed before the log, and the process ends last, once.
    EXPECT_EQ(r.ui.events.mid(r.ui.events.indexOf("closePort")),
              QStringList({"closePort", "terminated"}));
    // The window state was saved on the way out, into a lined-up settings file.
    EXPECT_EQ(r.folder.read("zozedud.Ini"), "[Screen]\r\n  Coord_X = 0\r\n  Coord_Y = 0\r\n"
                                            "  Coord_H = 0\r\n[Recent]\r\n  ActTabStrip = 1\r\n");
}

// Each failing step shows its own text in the language of the file, then ends the program.
TEST(Startup, AFailingStepShowsItsTextAndEnds) {
    struct Case {
        QByteArray ini;
        int commStep;
        bool dataSetOk;
        bool throws;
        int step;
        const char* text;
    };
    const Case cases[] = {
        {"[Main]\nLanguage=eng\nLoadAtStartup_Default = missing.DAT ; the data\n", 0, true, false,
         18, "Error reading the file in <LoadAtStartup_Default>"},
        {kWithDefault, 2, true, false, 32, "Fehler bei Setzen der Einstellungen für den COM-Port"},
        {kWithDefault + "Language=ENG\n", 0, false, false, 20, "Error initializing the DataSet"},
        // An error raised in a called part fails the step under way (20 lasts until step 14).
        {kWithDefault + "Language=ENG\n", 0, true, true, 20, "Error initializing the DataSet"},
    };
    for (const Case& c : cases) {
        StartupRig r;
        r.commStep = c.commStep;
        r.dataSetOk = c.dataSetOk;
        if (c.throws)
            r.ui.onProcessEvents = [] { throw std::runtime_error("window gone"); };
        r.start(c.ini);
        ASSERT_EQ(r.ui.boxes.size(), 1) << c.step;
        EXPECT_EQ(r.ui.boxes[0].text, QString::fromUtf8(c.text));
        EXPECT_EQ(r.startup->ErrStep(), c.step);
        EXPECT_EQ(r.terminated, 1) << c.step;
        EXPECT_FALSE(r.switches.InitDone || r.ui.events.contains("resetDataSet"));
        EXPECT_TRUE(c.throws || !r.ui.mainShown); // the window shows after the data set
        EXPECT_TRUE(c.dataSetOk || !r.ui.events.contains("setComm"));
        EXPECT_TRUE(
            r.folder.read("zozedud-2026-12-04.Log")
                .contains(">  " + CodePage::fromUnicode(QString::fromUtf8(c.text)) + "\r\n"))
            << c.step;
        if (c.step == 18) {
            EXPECT_EQ(r.switches.DefaultDataFile, r.folder.path("missing.DAT"));
        }
    }
}

TEST(Startup, FullRunInOrderWithDefaults) {
    StartupRig r;
    r.start(kWithDefault + "[Messages_GER]\nReady=  Bereit\nNotDefined=n.d.\n");

    EXPECT_TRUE(r.switches.InitDone);
    EXPECT_EQ(r.terminated, 0);
    EXPECT_TRUE(r.ui.boxes.isEmpty());
    // initDataSet took 300 ms, so the splash stays the remaining 4700.
    EXPECT_EQ(r.ui.events,
              QStringList({"splash", "loadMain", "initDataSet", "setComm", "loadMain", "portClosed",
                           "wait:4700", "showMain", "splashClosed", "resetDataSet", "menu:8",
                           "wait:1000", "menu:106", "focusTabStrip"}));
    EXPECT_EQ(r.ui.caption, "VX418 ZozEdud Version 2.0 Build 1");
    EXPECT_EQ(r.ui.hiddenButtons, QList<int>({7, 8, 9, 11})); // save and load stay
    EXPECT_FALSE(r.ui.testButtonVisible);
    EXPECT_EQ(r.ui.lastStatus(), "Bereit");
    EXPECT_EQ(r.switches.ReadyText, "Bereit");
    EXPECT_EQ(r.switches.NotDefinedText, "n.d.");
    EXPECT_EQ(r.switches.Language, "GER");
    EXPECT_EQ(r.switches.IniFileName, r.folder.ini());
    EXPECT_EQ(r.switches.LogFileName, r.folder.path("zozedud-2026-12-04.Log"));
    EXPECT_EQ(r.switches.DatFileName, r.folder.path("zozedud.Dat"));
    EXPECT_EQ(r.switches.HexFileName, r.folder.path("zozedud.HEX"));
    EXPECT_TRUE(r.switches.WriteLogFile && r.switches.ShowMsgBox && r.switches.RequestData &&
                r.switches.SaveLoadEnabled && r.switches.RequestStatus &&
                r.switches.RestoreLastPosition);
    EXPECT_FALSE(r.switches.LogHexData || r.switches.Debug || r.switches.SystemResetEnabled ||
                 r.switches.VersionInfoEnabled || r.switches.OnlineTestEnabled ||
                 r.switches.ShowProtocolEnabled || r.switches.ShowTabStrip_System ||
                 r.switches.XPLook || r.switches.OutputOnMonitorKeys);
    EXPECT_EQ(r.log.textControl(), &r.proto);
    EXPECT_TRUE(r.proto.text().endsWith("  Init\r\n"));
}

TEST(Startup, SwitchValuesAndLanguageAreParsedAsWritten) {
    StartupRig r;
    r.start(kWithDefault +
            "Language= eng \nLogHexData=Ja\nShowMsgBox=1\nRequestData=true\n"
            "Debug=YES\nSaveLoadEnabled=yes ; comment\nSystemResetEnabled=on\n"
            "VersionInfoEnabled=ja\nOnlineTestEnabled=\"yes\"\nShowProtocolEnabled=no\n"
            "RequestStatus=nein\nShowTabStrip_System=Yes\nRestoreLastPosition=\n"
            "XPLook=JA\nOutputOnMonitorKeys=j\n");
    ASSERT_TRUE(r.switches.InitDone);
    const Switches& s = r.switches;
    QString got;
    for (bool on : {s.LogHexData, s.ShowMsgBox, s.RequestData, s.Debug, s.SaveLoadEnabled,
                    s.SystemResetEnabled, s.VersionInfoEnabled, s.OnlineTestEnabled,
                    s.ShowProtocolEnabled, s.RequestStatus, s.ShowTabStrip_System,
                    s.RestoreLastPosition, s.XPLook, s.OutputOnMonitorKeys})
        got += on ? '1' : '0';
    EXPECT_EQ(got, "10011011001010"); // "" is off, and only ja and yes are on
    EXPECT_EQ(r.switches.Language, "ENG");
    EXPECT_EQ(r.texts.language(), "ENG");
    EXPECT_EQ(r.ui.hiddenButtons, QList<int>({7, 11}));
    // Debug: no minimum splash time, the test button shows; no status or data request.
    EXPECT_TRUE(r.ui.events.filter("wait:").isEmpty());
    EXPECT_TRUE(r.ui.testButtonVisible);
    EXPECT_TRUE(r.ui.events.filter("menu:").isEmpty());
}

TEST(Startup, DataRequestFollowsAtOnceWithoutStatusRequestAndSlowStartDoesNotWait) {
    StartupRig r;
    r.initDataSetMs = 6000;
    r.start(kWithDefault + "RequestStatus=no\n");
    ASSERT_TRUE(r.switches.InitDone);
    EXPECT_TRUE(r.ui.events.filter("wait:").isEmpty());
    EXPECT_EQ(r.ui.events.mid(r.ui.events.indexOf("resetDataSet")),
              QStringList({"resetDataSet", "menu:106", "focusTabStrip"}));
}

// Every step that has a text has its own, in both languages; the others name their number.
TEST(StartupTexts, EachStepHasItsOwnText) {
    QMap<int, QString> english;
    for (const QString& entry :
         QStringLiteral("7:<LogHexData>|8:<ShowMsgBox>|9:<RequestData>|10:<Debug>|"
                        "11:<SaveLoadEnabled>|12:<WriteLogFile>|13:<SystemResetEnabled>|"
                        "14:<VersionInfoEnabled>|15:<OnlineTestEnabled>|16:<ShowProtocolEnabled>|"
                        "17:value <LoadAtStartup_Default>|18:file in <LoadAtStartup|"
                        "19:<RequestStatus>|20:the DataSet|31:setting the COM-Port|32:parameters|"
                        "33:receive buffer|34:send buffer|35:DTR|36:RTS|37:handshaking|"
                        "38:general values|39:timeout|40:ShowCancelDialog|41:timer interval")
             .split('|'))
        english.insert(entry.section(':', 0, 0).toInt(), entry.section(':', 1));
    for (int step = -1; step <= 45; ++step) {
        const QString en = Startup::FailureText(step, false);
        const QString de = Startup::FailureText(step, true);
        if (step <= 0) {
            EXPECT_TRUE(en.isEmpty() && de.isEmpty());
        } else if (english.contains(step)) {
            EXPECT_TRUE(en.contains(english[step]) && de.startsWith("Fehler")) << step;
        } else {
            EXPECT_EQ(en, QStringLiteral("Error starting the program (step %1)").arg(step));
            EXPECT_EQ(de, QStringLiteral("Fehler beim Programmstart (Schritt %1)").arg(step));
        }
    }
    EXPECT_EQ(Startup::FailureText(12, true), "Fehler beim Setzen des Flags <WriteLogFile>");
    EXPECT_EQ(Startup::FailureText(33, true),
              QString::fromUtf8("Fehler bei Setzen der Empfangspuffer-Grösse für den COM-Port"));
    EXPECT_EQ(Startup::FailureText(38, false), "Error setting der general values for the COM-Port");
}

TEST(FormPosition, TwipsAreReadClampedAndWrittenOnlyInNormalState) {
    test::ProgramFolder folder;
    const QString ini = folder.ini();
    ScriptedUi ui;
    ui.geometry = {7, 7, 7, true};
    RestoreFormPosition(ui, ini, "Screen", "Coord_"); // nothing saved yet
    EXPECT_EQ(QList<int>({ui.geometry.left, ui.geometry.top, ui.geometry.height}),
              QList<int>({0, 0, 0}));
    SetIniValue(ini, "Screen", "Coord_X", "1500");
    SetIniValue(ini, "Screen", "Coord_Y", "-300");
    SetIniValue(ini, "Screen", "Coord_H", "6000.9abc");
    RestoreFormPosition(ui, ini, "Screen", "Coord_");
    EXPECT_EQ(QList<int>({ui.geometry.left, ui.geometry.top, ui.geometry.height}),
              QList<int>({100, 0, 400}));

    ui.geometry = {10, 20, 500, true};
    SaveFormPosition(ui, ini, "Screen", "Coord_");
    ui.geometry = {99, 99, 99, false}; // minimised or maximised: not saved
    SaveFormPosition(ui, ini, "Screen", "Coord_");
    EXPECT_EQ(GetIniValue(ini, "Screen", "Coord_X", "") +
                  GetIniValue(ini, "Screen", "Coord_Y", "") +
                  GetIniValue(ini, "Screen", "Coord_H", ""),
              "1503007500");

    const QList<QPair<QString, int>> numbers = {
        {"  42px", 42}, {"-7.9", -7}, {"abc", 0}, {"99999", 32767}, {"1e3", 1000}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(LeadingInt16(text), value) << text.toStdString();
}

TEST(WaitMilliseconds, WaitsTheTimeWhileEventsKeepRunning) {
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(10);
    QElapsedTimer clock;
    clock.start();
    zoz::WaitMilliseconds(120);
    const qint64 waited = clock.elapsed();
    EXPECT_GE(waited, 120);
    EXPECT_LT(waited, 1000);
    EXPECT_GE(ticks, 3); // the timer fired inside the wait
}

TEST(WaitMilliseconds, ZeroOrLessReturnsAtOnceWithoutRunningEvents) {
    bool ran = false;
    // The pending call dies with the test; without a context it would run in the next test's
    // event loop and write to this test's finished stack frame.
    QObject context;
    QTimer::singleShot(0, &context, [&ran] { ran = true; });
    zoz::WaitMilliseconds(0);
    zoz::WaitMilliseconds(-5);
    EXPECT_FALSE(ran);
}

TEST(WaitMilliseconds, NestedWaitsEachLastTheirOwnTime) {
    QElapsedTimer clock;
    clock.start();
    qint64 inner = -1;
    QTimer::singleShot(10, [&inner] {
        QElapsedTimer c;
        c.start();
        zoz::WaitMilliseconds(50);
        inner = c.elapsed();
    });
    zoz::WaitMilliseconds(30);
    // The outer wait cannot return before the inner one has ended, as in any nested loop.
    EXPECT_GE(inner, 50);
    EXPECT_GE(clock.elapsed(), 60);
}

} // namespace

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
