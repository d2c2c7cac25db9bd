#include "app/FormPosition.h"
#include "app/Shutdown.h"
#include "app/Startup.h"
#include "app/WaitMilliseconds.h"
#include "base/CodePage.h"
#include "log/AppLog.h"
#include "log/MemoryProtoSink.h"
#include "settings/IniFile.h"
#include "settings/Switches.h"
#include "settings/Texts.h"
#include "support/ProgramFolder.h"
#include "support/QtPrinters.h"
#include "support/ScriptedUi.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QSet>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

const QDateTime kNow(QDate(2026, 12, 4), QTime(9, 30, 0));
const QByteArray kWithDefault = "[Main]\nLoadAtStartup_Default=default.DAT\n";

// A program folder with the parts of the program start-up drives, all recording into ui.events.
struct StartupRig : StartupParts {
    test::ProgramFolder folder;
    Switches switches;
    Texts texts{QString()};
    AppLog log{folder.dir.path(), QStringLiteral("zozedud"), [] { return kNow; }};
    test::ScriptedUi ui;
    MemoryProtoSink proto;
    Shutdown shutdown{switches, texts, log, ui, ui};
    qint64 tick = 0;
    int initDataSetMs = 300;
    int commStep = 0;
    bool dataSetOk = true;
    std::unique_ptr<Startup> startup;

    StartupRig() {
        switches.ProgramFolder = folder.dir.path();
        switches.ProgramName = QStringLiteral("zozedud");
        shutdown.setTerminator([this] { ui.events.append("terminated"); });
        // An end requested while ending (a window closed by an event meanwhile) is ignored.
        QObject::connect(&shutdown, &Shutdown::portToClose, [this] {
            ui.events.append("closePort");
            shutdown.QueryEndProg(false);
        });
        Startup::Timing t;
        t.tickCount = [this] { return tick; };
        t.wait = [this](int ms) { ui.events.append(QStringLiteral("wait:%1").arg(ms)); };
        t.today = [] { return kNow.date(); };
        startup = std::make_unique<Startup>(switches, texts, log, ui, ui, ui, shutdown, *this, t);
    }

    // The parts start-up drives record their calls in the user's event list.
    ProtoSink* txtProto() override { return &proto; }
    bool initDataSet() override {
        ui.events.append("initDataSet");
        tick += initDataSetMs;
        return dataSetOk;
    }
    int setCommParameters() override {
        ui.events.append("setComm");
        return commStep;
    }
    void markPortClosed() override { ui.events.append("portClosed"); }
    void resetDataSet() override { ui.events.append("resetDataSet"); }
    void menuCommand(MenuCommand n) override {
        ui.events.append(QStringLiteral("menu:%1").arg(NumberOf(n)));
    }
    void languageKnown(const QString&) override {}
    QString commPortName() override { return {}; }
    bool settingsTakenBack() override { return false; }

    void start(const QByteArray& ini) {
        folder.writeIni(ini);
        folder.write("default.DAT", {});
        startup->InitProgram();
    }
    // Closing the port records the log's last message line at that moment.
    void prepareEnd() {
        switches.IniFileName = folder.writeIni("[Messages_GER]\nQueryEndProg=  Wirklich beenden?\n"
                                               "QueryEndProg_ByUser=  Ende durch Benutzer\n"
                                               "[Screen]\nCoord_X=15\nCoord_Y=30\nCoord_H=45\n");
        texts.setIniFileName(switches.IniFileName);
        texts.setLanguage("GER");
        log.OpenLog(folder.path("test.Log"));
        QObject::disconnect(&shutdown, &Shutdown::portToClose, nullptr, nullptr);
        QObject::connect(&shutdown, &Shutdown::portToClose, [this] {
            const QByteArray logSoFar = folder.read("test.Log");
            ui.events.append(QString::fromLatin1(logSoFar.mid(logSoFar.indexOf(">  "))));
        });
        ui.geometry = {100, 200, 300, true};
        ui.tab = 4;
    }
};

TEST(Startup, EmptyFolderFailsAtStep17InGermanAndEndsWithAClosedLog) {
    StartupRig r;
    r.startup->Main();

    ASSERT_EQ(r.ui.boxes.size(), 1);
    EXPECT_EQ(r.ui.boxes[0].text, "Fehler beim Lesen des Eintrags <LoadAtStartup_Default>");
    EXPECT_EQ(r.ui.lastStatus(), r.ui.boxes[0].text);
    EXPECT_EQ(r.startup->ErrStep(), 17);
    EXPECT_FALSE(r.switches.InitDone || r.ui.mainShown || r.ui.events.contains("initDataSet"));

    const QByteArray s = CodePage::fromUnicode(QLocale::system().dayName(5, QLocale::ShortFormat) +
                                               QStringLiteral("  04.12.2026  09:30:00 "));
    EXPECT_EQ(r.folder.read("zozedud-2026-12-04.Log"),
              s + "***** Start *****\r\n" + s + ">  Init\r\n" + s +
                  ">  Fehler beim Lesen des Eintrags <LoadAtStartup_Default>\r\n" + s +
                  ">  QueryEndProg_NoQuery\r\n" + s + "***** End   *****\r\n\r\n\r\n");
    // The port is closed before the log, and the process ends last, once.
    EXPECT_EQ(r.ui.events.mid(r.ui.events.indexOf("closePort")),
              QStringList({"closePort", "terminated"}));
    EXPECT_EQ(r.folder.read("zozedud.Ini"), "[Screen]\r\n  Coord_X = 0\r\n  Coord_Y = 0\r\n"
                                            "  Coord_H = 0\r\n[Recent]\r\n  ActTabStrip = 1\r\n");
}

TEST(Startup, AFailingStepShowsItsTextAndEnds) {
    const std::tuple<QByteArray, int, bool, bool, int, const char*> cases[] = {
        // settings, setCommParameters' step, data set ok, a part throws, failing step, text
        {"[Main]\nLanguage=eng\nLoadAtStartup_Default = missing.DAT ; the data\n", 0, true, false,
         18, "Error reading the file in <LoadAtStartup_Default>"},
        {kWithDefault, 2, true, false, 32, "Fehler bei Setzen der Einstellungen für den COM-Port"},
        {kWithDefault + "Language=ENG\n", 0, false, false, 20, "Error initializing the DataSet"},
        // An error raised in a called part fails the step under way (20 lasts until step 14).
        {kWithDefault + "Language=ENG\n", 0, true, true, 20, "Error initializing the DataSet"},
    };
    for (const auto& [ini, commStep, dataSetOk, throws, step, text] : cases) {
        StartupRig r;
        r.commStep = commStep;
        r.dataSetOk = dataSetOk;
        if (throws)
            r.ui.onProcessEvents = [] { throw std::runtime_error("window gone"); };
        r.start(ini);
        ASSERT_EQ(r.ui.boxes.size(), 1) << step;
        EXPECT_EQ(r.ui.boxes[0].text, QString::fromUtf8(text));
        EXPECT_EQ(r.startup->ErrStep(), step);
        EXPECT_EQ(r.ui.events.count("terminated"), 1) << step;
        EXPECT_FALSE(r.switches.InitDone || r.ui.events.contains("resetDataSet"));
        EXPECT_TRUE(throws || !r.ui.mainShown); // the window shows after the data set
        EXPECT_TRUE(dataSetOk || !r.ui.events.contains("setComm"));
    }
}

// The switches decide the splash time, the test button, the hidden buttons and the requests.
TEST(Startup, ARunGoesThroughItsStepsAsTheSwitchesSay) {
    const QStringList head = {"splash",  "loadMain", "initDataSet",
                              "setComm", "loadMain", "portClosed"};
    // settings, initDataSet's time, the calls after head, hidden buttons, switches, language
    const std::tuple<QByteArray, int, QStringList, QList<int>, const char*, const char*> cases[] = {
        // initDataSet took 300 ms, so the splash stays the remaining 4700.
        {"[Messages_GER]\nReady=  Bereit\nNotDefined=n.d.\n", 300,
         QStringList{"wait:4700", "showMain", "splashClosed", "resetDataSet", "menu:8", "wait:1000",
                     "menu:106", "focusTabStrip"},
         QList<int>{7, 8, 9, 11}, "01101000010100", "GER"},
        {"RequestStatus=no\n", 6000,
         QStringList{"showMain", "splashClosed", "resetDataSet", "menu:106", "focusTabStrip"},
         QList<int>{7, 8, 9, 11}, "01101000000100", "GER"},
        // Debug: no minimum splash time, the test button shows.
        {"Language= eng \nLogHexData=Ja\nShowMsgBox=1\nRequestData=true\n"
         "Debug=YES\nSaveLoadEnabled=yes ; comment\nSystemResetEnabled=on\n"
         "VersionInfoEnabled=ja\nOnlineTestEnabled=\"yes\"\nShowProtocolEnabled=no\n"
         "RequestStatus=nein\nShowTabStrip_System=Yes\nRestoreLastPosition=\n"
         "XPLook=JA\nOutputOnMonitorKeys=j\n",
         300, QStringList{"showMain", "splashClosed", "resetDataSet", "focusTabStrip"},
         QList<int>{7, 11}, "10011011001010", "ENG"},
    };
    for (const auto& [ini, initDataSetMs, tail, hidden, switches, language] : cases) {
        StartupRig r;
        r.initDataSetMs = initDataSetMs;
        r.start(kWithDefault + ini);
        EXPECT_TRUE(r.switches.InitDone && r.ui.boxes.isEmpty());
        EXPECT_EQ(r.ui.events, head + tail);
        EXPECT_EQ(r.ui.hiddenButtons, hidden);
        EXPECT_EQ(r.ui.testButtonVisible, tail.size() == 4);
        EXPECT_TRUE(r.proto.text().endsWith("  Init\r\n"));
        const Switches& s = r.switches;
        QString got;
        for (bool on : {s.LogHexData, s.ShowMsgBox, s.RequestData, s.Debug, s.SaveLoadEnabled,
                        s.SystemResetEnabled, s.VersionInfoEnabled, s.OnlineTestEnabled,
                        s.ShowProtocolEnabled, s.RequestStatus, s.ShowTabStrip_System,
                        s.RestoreLastPosition, s.XPLook, s.OutputOnMonitorKeys})
            got += on ? '1' : '0';
        EXPECT_EQ(got, switches); // "" is off, and only ja and yes are on
        EXPECT_EQ(r.texts.language(), language);
        EXPECT_EQ(r.ui.lastStatus(), ini.contains("Bereit") ? "Bereit" : "Ready");
    }
}

// Every step that has a text has its own, in both languages; the others name their number.
TEST(StartupTexts, EachStepHasItsOwnText) {
    const QList<int> named = {7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19,
                              20, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41};
    QSet<QString> texts;
    EXPECT_TRUE(Startup::FailureText(0, true).isEmpty() &&
                Startup::FailureText(-1, false).isEmpty());
    for (int step = 1; step <= 45; ++step) {
        const QString en = Startup::FailureText(step, false);
        const QString de = Startup::FailureText(step, true);
        if (named.contains(step)) {
            EXPECT_TRUE(en.startsWith("Error") && de.startsWith("Fehler")) << step;
            EXPECT_FALSE(en.contains("step") || de.contains("Schritt")) << step;
            texts << en << de;
        } else {
            EXPECT_EQ(en, QStringLiteral("Error starting the program (step %1)").arg(step));
            EXPECT_EQ(de, QStringLiteral("Fehler beim Programmstart (Schritt %1)").arg(step));
        }
    }
    EXPECT_EQ(texts.size(), 2 * named.size());
}

// Saved twips are read back as pixels, clamped to the screen; only a normal window is saved.
TEST(FormPosition, TwipsAreReadClampedAndWrittenOnlyInNormalState) {
    test::ProgramFolder folder;
    const QString ini =
        folder.writeIni("[Screen]\nCoord_X=1500\nCoord_Y=-300\nCoord_H=6000.9abc\n");
    test::ScriptedUi ui;
    RestoreFormPosition(ui, ini, "Screen", "Coord_");
    EXPECT_EQ(QList<int>({ui.geometry.left, ui.geometry.top, ui.geometry.height}),
              QList<int>({100, 0, 400}));
    ui.geometry = {99, 99, 99, false};
    SaveFormPosition(ui, ini, "Screen", "Coord_");
    EXPECT_EQ(GetIniValue(ini, "Screen", "Coord_X", ""), "1500");

    const QList<QPair<QString, int>> numbers = {
        {"  42px", 42}, {"-7.9", -7}, {"99999", 32767}, {"1e3", 1000}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(LeadingInt16(text), value) << text.toStdString();
}

// Events run inside a wait; zero or less returns at once without running any.
TEST(WaitMilliseconds, WaitsWhileEventsRunButNotForZero) {
    bool ran = false;
    QObject context; // the pending call dies with the test
    QTimer::singleShot(0, &context, [&ran] { ran = true; });
    zoz::WaitMilliseconds(0);
    zoz::WaitMilliseconds(-5);
    EXPECT_FALSE(ran);

    QElapsedTimer clock;
    clock.start();
    zoz::WaitMilliseconds(30);
    EXPECT_TRUE(ran);
    EXPECT_GE(clock.elapsed(), 30);
    EXPECT_LT(clock.elapsed(), 1000);
}

TEST(Shutdown, ADeclinedQuestionChangesNothingAnAcceptedOneSavesAndClosesPortThenLog) {
    StartupRig r;
    r.prepareEnd();
    const QByteArray iniBefore = r.folder.read("zozedud.Ini");
    const QByteArray logBefore = r.folder.read("test.Log");
    r.ui.answers.enqueue(MsgAnswer::No);
    bool query = true;
    EXPECT_FALSE(r.shutdown.QueryEndProg(query));
    ASSERT_EQ(r.ui.boxes.size(), 1);
    EXPECT_EQ(r.ui.boxes[0].text, "Wirklich beenden?");
    EXPECT_EQ(r.ui.events.size(), 1); // the box only
    EXPECT_EQ(r.folder.read("zozedud.Ini"), iniBefore);
    EXPECT_EQ(r.folder.read("test.Log"), logBefore);

    r.ui.answers.enqueue(MsgAnswer::Yes);
    EXPECT_TRUE(r.shutdown.QueryEndProg(query));
    // The port closes after the last message line and before the end line.
    EXPECT_EQ(r.ui.events.mid(2), QStringList({">  Ende durch Benutzer\r\n", "terminated"}));
    EXPECT_TRUE(r.folder.read("test.Log").endsWith("***** End   *****\r\n\r\n\r\n"));
    EXPECT_EQ(r.folder.read("zozedud.Ini"),
              "[Messages_GER]\r\n  QueryEndProg        = Wirklich beenden?\r\n"
              "  QueryEndProg_ByUser = Ende durch Benutzer\r\n[Screen]\r\n"
              "  Coord_X = 1500\r\n  Coord_Y = 3000\r\n  Coord_H = 4500\r\n[Recent]\r\n"
              "  ActTabStrip = 4\r\n");
}

} // namespace
