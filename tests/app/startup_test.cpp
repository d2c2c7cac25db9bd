#include "app/Startup.h"

#include "app/FormPosition.h"
#include "app/IniFile.h"
#include "app/Shutdown.h"
#include "app/Switches.h"
#include "app/Texts.h"
#include "base/CodePage.h"
#include "log/AppLog.h"
#include "log/MemoryProtoSink.h"
#include "support/ScriptedUi.h"

#include "support/QtPrinters.h"
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::ScriptedUi;

namespace {

const QDateTime kNow(QDate(2026, 12, 4), QTime(9, 30, 0));

QByteArray readFile(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A program folder with the parts of the program start-up drives, all recording into events.
class StartupTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    Switches switches;
    Texts texts{QString()};
    AppLog log{dir.path(), QStringLiteral("zozedud"), [] { return kNow; }};
    ScriptedUi ui;
    MemoryProtoSink proto;
    Shutdown shutdown{switches, texts, log, ui};
    qint64 tick = 0;
    QList<int> waits;
    int terminated = 0;
    int commStep = 0;
    bool dataSetOk = true;
    std::unique_ptr<Startup> startup;

    void SetUp() override {
        switches.ProgramFolder = dir.path();
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
            tick += 300;
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
        t.wait = [this](int ms) {
            waits.append(ms);
            ui.events.append(QStringLiteral("wait:%1").arg(ms));
        };
        t.today = [] { return kNow.date(); };
        startup = std::make_unique<Startup>(switches, texts, log, ui, shutdown, c, t);
    }

    void writeIni(const QByteArray& text) {
        QFile f(dir.filePath("zozedud.Ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    void makeDefaultData() {
        QFile f(dir.filePath("default.DAT"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QByteArray logBytes() const { return readFile(dir.filePath("zozedud-2026-12-04.Log")); }
    QByteArray stamp() const {
        return CodePage::fromUnicode(QLocale::system().dayName(5, QLocale::ShortFormat) +
                                     QStringLiteral("  04.12.2026  09:30:00 "));
    }
};

TEST_F(StartupTest, EmptyFolderFailsAtStep17InGermanAndEndsWithAClosedLog) {
    startup->Main();

    ASSERT_EQ(ui.boxes.size(), 1);
    EXPECT_EQ(ui.boxes[0].text, "Fehler beim Lesen des Eintrags <LoadAtStartup_Default>");
    EXPECT_EQ(ui.boxes[0].title, "zozedud");
    EXPECT_EQ(ui.boxes[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(ui.boxes[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(ui.lastStatus(), "Fehler beim Lesen des Eintrags <LoadAtStartup_Default>");
    EXPECT_EQ(startup->ErrStep(), 17);
    EXPECT_EQ(terminated, 1);
    EXPECT_FALSE(switches.InitDone);
    EXPECT_FALSE(ui.mainShown);
    EXPECT_FALSE(ui.events.contains("initDataSet"));

    const QByteArray s = stamp();
    EXPECT_EQ(logBytes(), s + "***** Start *****\r\n" + s + ">  Init\r\n" + s +
                              ">  Fehler beim Lesen des Eintrags <LoadAtStartup_Default>\r\n" + s +
                              ">  QueryEndProg_NoQuery\r\n" + s + "***** End   *****\r\n\r\n\r\n");
    // The port is closed before the log, and the process ends last.
    EXPECT_EQ(ui.events.mid(ui.events.indexOf("closePort")),
              QStringList({"closePort", "terminated"}));
    // The window state was saved on the way out, into a lined-up settings file.
    EXPECT_EQ(readFile(dir.filePath("zozedud.Ini")),
              "[Screen]\r\n  Coord_X = 0\r\n  Coord_Y = 0\r\n  Coord_H = 0\r\n"
              "[Recent]\r\n  ActTabStrip = 1\r\n");
}

TEST_F(StartupTest, EnglishTextForAMissingDefaultDataFile) {
    writeIni("[Main]\nLanguage=eng\nLoadAtStartup_Default = missing.DAT ; the data\n");
    startup->InitProgram();
    ASSERT_EQ(ui.boxes.size(), 1);
    EXPECT_EQ(ui.boxes[0].text, "Error reading the file in <LoadAtStartup_Default>");
    EXPECT_EQ(startup->ErrStep(), 18);
    EXPECT_EQ(switches.DefaultDataFile, dir.filePath("missing.DAT"));
    EXPECT_EQ(terminated, 1);
}

TEST_F(StartupTest, FullRunInOrderWithDefaults) {
    writeIni("[Main]\nLoadAtStartup_Default=default.DAT\n"
             "[Messages_GER]\nReady=  Bereit\nNotDefined=n.d.\n");
    makeDefaultData();
    startup->InitProgram();

    EXPECT_TRUE(switches.InitDone);
    EXPECT_EQ(terminated, 0);
    EXPECT_TRUE(ui.boxes.isEmpty());
    // initDataSet took 300 ms, so the splash stays the remaining 4700.
    EXPECT_EQ(ui.events,
              QStringList({"splash", "loadMain", "initDataSet", "setComm", "loadMain", "portClosed",
                           "wait:4700", "showMain", "splashClosed", "resetDataSet", "menu:8",
                           "wait:1000", "menu:106", "focusTabStrip"}));
    EXPECT_EQ(ui.caption, "VX418 ZozEdud Version 2.0 Build 1");
    EXPECT_EQ(ui.hiddenButtons, QList<int>({1, 2, 7, 8, 9, 11}).mid(2)); // save/load stay
    EXPECT_FALSE(ui.testButtonVisible);
    EXPECT_EQ(ui.lastStatus(), "Bereit");
    EXPECT_EQ(switches.ReadyText, "Bereit");
    EXPECT_EQ(switches.NotDefinedText, "n.d.");
    EXPECT_EQ(switches.Language, "GER");
    EXPECT_EQ(switches.IniFileName, dir.filePath("zozedud.Ini"));
    EXPECT_EQ(switches.LogFileName, dir.filePath("zozedud-2026-12-04.Log"));
    EXPECT_EQ(switches.DatFileName, dir.filePath("zozedud.Dat"));
    EXPECT_EQ(switches.HexFileName, dir.filePath("zozedud.HEX"));
    EXPECT_EQ(switches.DefaultDataFile, dir.filePath("default.DAT"));
    EXPECT_TRUE(switches.WriteLogFile && switches.ShowMsgBox && switches.RequestData &&
                switches.SaveLoadEnabled && switches.RequestStatus && switches.RestoreLastPosition);
    EXPECT_FALSE(switches.LogHexData || switches.Debug || switches.SystemResetEnabled ||
                 switches.VersionInfoEnabled || switches.OnlineTestEnabled ||
                 switches.ShowProtocolEnabled || switches.ShowTabStrip_System || switches.XPLook ||
                 switches.OutputOnMonitorKeys);
    EXPECT_EQ(log.textControl(), &proto);
    EXPECT_TRUE(proto.text().endsWith("  Init\r\n"));
}

TEST_F(StartupTest, SwitchValuesAndLanguageAreParsedAsWritten) {
    writeIni("[Main]\nLoadAtStartup_Default=default.DAT\nLanguage= eng \n"
             "LogHexData=Ja\nShowMsgBox=1\nRequestData=true\nDebug=YES\n"
             "SaveLoadEnabled=yes ; comment\nSystemResetEnabled=on\nVersionInfoEnabled=ja\n"
             "OnlineTestEnabled=\"yes\"\nShowProtocolEnabled=no\nRequestStatus=nein\n"
             "ShowTabStrip_System=Yes\nRestoreLastPosition=\nXPLook=JA\nOutputOnMonitorKeys=j\n");
    makeDefaultData();
    startup->InitProgram();
    ASSERT_TRUE(switches.InitDone);
    EXPECT_TRUE(switches.LogHexData);
    EXPECT_FALSE(switches.ShowMsgBox);
    EXPECT_FALSE(switches.RequestData);
    EXPECT_TRUE(switches.Debug);
    EXPECT_TRUE(switches.SaveLoadEnabled);
    EXPECT_FALSE(switches.SystemResetEnabled);
    EXPECT_TRUE(switches.VersionInfoEnabled);
    EXPECT_TRUE(switches.OnlineTestEnabled);
    EXPECT_FALSE(switches.ShowProtocolEnabled);
    EXPECT_FALSE(switches.RequestStatus);
    EXPECT_TRUE(switches.ShowTabStrip_System);
    EXPECT_FALSE(switches.RestoreLastPosition); // present but empty is off
    EXPECT_TRUE(switches.XPLook);
    EXPECT_FALSE(switches.OutputOnMonitorKeys);
    EXPECT_EQ(switches.Language, "ENG");
    EXPECT_EQ(texts.language(), "ENG");
    EXPECT_EQ(ui.hiddenButtons, QList<int>({7, 11}));
    // Debug: no minimum splash time, the test button shows; no status or data request.
    EXPECT_TRUE(waits.isEmpty());
    EXPECT_TRUE(ui.testButtonVisible);
    EXPECT_FALSE(ui.events.contains("menu:8"));
    EXPECT_FALSE(ui.events.contains("menu:106"));
}

TEST_F(StartupTest, DataRequestFollowsAtOnceWithoutStatusRequestAndSlowStartDoesNotWait) {
    writeIni("[Main]\nLoadAtStartup_Default=default.DAT\nRequestStatus=no\n");
    makeDefaultData();
    startup->collaborators().initDataSet = [this] {
        tick += 6000;
        return true;
    };
    startup->InitProgram();
    ASSERT_TRUE(switches.InitDone);
    EXPECT_TRUE(waits.isEmpty());
    EXPECT_EQ(ui.events.mid(ui.events.indexOf("resetDataSet")),
              QStringList({"resetDataSet", "menu:106", "focusTabStrip"}));
}

TEST_F(StartupTest, CommSetupFailureShowsItsStepTextBeforeTheWindowShows) {
    writeIni("[Main]\nLoadAtStartup_Default=default.DAT\n");
    makeDefaultData();
    commStep = 2;
    startup->InitProgram();
    EXPECT_EQ(startup->ErrStep(), 32);
    ASSERT_EQ(ui.boxes.size(), 1);
    EXPECT_EQ(ui.boxes[0].text,
              QString::fromUtf8("Fehler bei Setzen der Einstellungen für den COM-Port"));
    EXPECT_FALSE(ui.mainShown);
    EXPECT_EQ(terminated, 1);
    EXPECT_TRUE(
        logBytes().contains(">  Fehler bei Setzen der Einstellungen f\xfcr den COM-Port\r\n"));
}

TEST_F(StartupTest, DataSetFailureTakesTheFailurePath) {
    writeIni("[Main]\nLoadAtStartup_Default=default.DAT\nLanguage=ENG\n");
    makeDefaultData();
    dataSetOk = false;
    startup->InitProgram();
    ASSERT_EQ(ui.boxes.size(), 1);
    EXPECT_EQ(ui.boxes[0].text, "Error initializing the DataSet");
    EXPECT_EQ(terminated, 1);
    EXPECT_FALSE(ui.events.contains("setComm"));
}

TEST_F(StartupTest, AnErrorRaisedInACalledPartTakesTheFailurePathOfTheStepUnderWay) {
    writeIni("[Main]\nLoadAtStartup_Default=default.DAT\nLanguage=ENG\n");
    makeDefaultData();
    ui.onProcessEvents = [] { throw std::runtime_error("window gone"); };
    startup->InitProgram();
    ASSERT_EQ(ui.boxes.size(), 1); // ErrStep stays 20 after step 14
    EXPECT_EQ(ui.boxes[0].text, "Error initializing the DataSet");
    EXPECT_FALSE(switches.InitDone);
    EXPECT_FALSE(ui.events.contains("resetDataSet"));
    EXPECT_EQ(terminated, 1);
}

TEST(StartupTexts, BuiltInFailureTextsAreExact) {
    EXPECT_EQ(Startup::FailureText(0, true), "");
    EXPECT_EQ(Startup::FailureText(12, true), "Fehler beim Setzen des Flags <WriteLogFile>");
    EXPECT_EQ(Startup::FailureText(12, false), "Error setting flag <WriteLogFile>");
    EXPECT_EQ(Startup::FailureText(18, true),
              "Fehler beim Lesen der in <LoadAtStartup_Default> angegebenen Datei");
    EXPECT_EQ(Startup::FailureText(33, true),
              QString::fromUtf8("Fehler bei Setzen der Empfangspuffer-Grösse für den COM-Port"));
    EXPECT_EQ(Startup::FailureText(38, false), "Error setting der general values for the COM-Port");
    EXPECT_EQ(Startup::FailureText(39, false), "Error setting the timeout for the COM-Port");
    for (int step : {31, 40, 41}) {
        EXPECT_FALSE(Startup::FailureText(step, false).isEmpty());
        EXPECT_NE(Startup::FailureText(step, false), Startup::FailureText(step, true));
    }
}

TEST(FormPosition, RestoreReadsTwipsAndClampsNegativePositions) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("zozedud.Ini");
    ScriptedUi ui;
    ui.geometry = {7, 7, 7, true};
    RestoreFormPosition(ui, ini, "Screen", "Coord_"); // nothing saved yet
    EXPECT_EQ(ui.geometry.left, 0);
    EXPECT_EQ(ui.geometry.top, 0);
    EXPECT_EQ(ui.geometry.height, 0);

    SetIniValue(ini, "Screen", "Coord_X", "1500");
    SetIniValue(ini, "Screen", "Coord_Y", "-300");
    SetIniValue(ini, "Screen", "Coord_H", "6000.9abc");
    RestoreFormPosition(ui, ini, "Screen", "Coord_");
    EXPECT_EQ(ui.geometry.left, 100);
    EXPECT_EQ(ui.geometry.top, 0);
    EXPECT_EQ(ui.geometry.height, 400);
}

TEST(FormPosition, SaveWritesTwipsOnlyInNormalState) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("zozedud.Ini");
    ScriptedUi ui;
    ui.geometry = {10, 20, 500, true};
    SaveFormPosition(ui, ini, "Screen", "Coord_");
    EXPECT_EQ(GetIniValue(ini, "Screen", "Coord_X", ""), "150");
    EXPECT_EQ(GetIniValue(ini, "Screen", "Coord_Y", ""), "300");
    EXPECT_EQ(GetIniValue(ini, "Screen", "Coord_H", ""), "7500");
    ui.geometry = {99, 99, 99, false}; // minimised or maximised
    SaveFormPosition(ui, ini, "Screen", "Coord_");
    EXPECT_EQ(GetIniValue(ini, "Screen", "Coord_X", ""), "150");
}

TEST(FormPosition, LeadingNumberLikeADecimalParser) {
    EXPECT_EQ(LeadingInt16("  42px"), 42);
    EXPECT_EQ(LeadingInt16("-7.9"), -7);
    EXPECT_EQ(LeadingInt16("abc"), 0);
    EXPECT_EQ(LeadingInt16("99999"), 32767);
    EXPECT_EQ(LeadingInt16("1e3"), 1000);
}

} // namespace
