// The running program's shell: start-up drives the real main window, the toolbar follows the
// switches, and the editor talks to the simulator as make run starts it.
#include "ui/Application.h"

#include "dataset/DataSetImage.h"
#include "support/LinkRig.h"
#include "support/SimProcess.h"

#include <QFile>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace zoz;
using zoz::test::LinkRig;

namespace {

struct Program {
    explicit Program(const QByteArray& mainSwitches) {
        QFile ini(dir.filePath("zozedud.Ini"));
        EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Main]\r\nLoadAtStartup_Default=default.DAT\r\nDebug=yes\r\nShowMsgBox=no\r\n" +
                  mainSwitches +
                  "[Comm]\r\nTimerInterval=20\r\nPort=" + sim.device().toLocal8Bit() + "\r\n");
        ini.close();
        DataSet data;
        data.Name.InputDigitalName[1] = QStringLiteral("Default1");
        QFile dat(dir.filePath("default.DAT"));
        EXPECT_TRUE(dat.open(QIODevice::WriteOnly));
        dat.write(DataSetImage::Write(data));
        dat.close();
        app = std::make_unique<Application>(
            Application::Options{dir.filePath("zozedud"), [this] { ++terminated; }});
        app->Main();
    }

    QList<int> visibleButtons() const {
        QList<int> visible;
        for (int i = 1; i <= MainWindow::ButtonCount; ++i) {
            auto* w = app->mainWindow().findChild<QWidget*>(QStringLiteral("Toolbar1_%1").arg(i));
            if (w != nullptr && w->isVisible())
                visible << i;
        }
        return visible;
    }

    QTemporaryDir dir;
    zoz::test::SimProcess sim;
    int terminated = 0;
    std::unique_ptr<Application> app;
};

const QByteArray kQuiet = "RequestStatus=no\r\nRequestData=no\r\n";

TEST(ApplicationShell, ToolbarButtonsFollowTheirSwitches) {
    const QList<int> always = {3, 4, 5, 6, 10, 12, 13, 14};
    const QList<std::pair<QByteArray, QList<int>>> cases = {
        {"SaveLoadEnabled=no\r\n", {}},
        {"SaveLoadEnabled=yes\r\n", {1, 2}},
        {"SaveLoadEnabled=no\r\nSystemResetEnabled=yes\r\n", {7}},
        {"SaveLoadEnabled=no\r\nVersionInfoEnabled=Ja\r\n", {8}},
        {"SaveLoadEnabled=no\r\nOnlineTestEnabled=YES\r\n", {9}},
        {"SaveLoadEnabled=no\r\nShowProtocolEnabled=yes ; on\r\n", {11}},
    };
    for (const auto& [switches, extra] : cases) {
        Program program(kQuiet + switches);
        ASSERT_TRUE(program.app->switches().InitDone);
        QList<int> expected = always + extra;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(program.visibleButtons(), expected) << switches.constData();
    }
}

TEST(ApplicationShell, StartUpBuildsTheTabStripAndShowsTheTestButtonInDebug) {
    Program program(kQuiet + "ShowTabStrip_System=yes\r\n[Recent]\r\nActTabStrip=2\r\n");
    ASSERT_TRUE(program.app->switches().InitDone);
    MainWindow& w = program.app->mainWindow();
    auto* tabs = w.findChild<QTabBar*>(QStringLiteral("TabData"));
    ASSERT_EQ(tabs->count(), 9);
    EXPECT_EQ(tabs->tabText(8), "S&YSTEM");
    EXPECT_EQ(w.activeTab(), 2);
    EXPECT_EQ(w.ActivePageFrame()->objectName(), "frmTabStripData02");
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("cmdDummy"))->isVisible());
    EXPECT_TRUE(program.app->serialPort().isOpen()); // opened on the first show
    EXPECT_EQ(w.statusText(), " Ready");
}

TEST(ApplicationShell, StartUpAsksForStatusAndDataAndAnswersTheControllersRequest) {
    Program program("RequestStatus=yes\r\nRequestData=yes\r\n");
    ASSERT_TRUE(program.app->switches().InitDone);
    EXPECT_EQ(program.sim.waitFor("RX "), "RX 82 ");
    EXPECT_EQ(program.sim.waitFor("RX "), "RX 84 20");
    DataStore& store = program.app->dataStore();
    ASSERT_TRUE(LinkRig::spinUntil(
        [&] { return store.DataSet.Name.InputDigitalName[1].trimmedRight() != "Default1"; }, 3000));
    EXPECT_TRUE(store.StatusText[3].trimmedRight().contains("V2."));

    // The controller asks for the data set: 100 ms later it is sent without a question.
    program.sim.command("send 84 20");
    const QString sent = program.sim.waitFor("RX 85", 3000);
    EXPECT_TRUE(sent.startsWith("RX 85 20")) << sent.toStdString();
    EXPECT_EQ(program.terminated, 0);
}

} // namespace
