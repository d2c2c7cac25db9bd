// The composition root wires start-up, the windows, the pages and the link, as `make run` does.
#include "ui/Application.h"

#include "dataset/DataSetImage.h"
#include "dataset/HexCodec.h"
#include "pages/DataPage.h"
#include "support/ProgramFolder.h"
#include "support/QtPrinters.h"
#include "support/SimProcess.h"
#include "ui/MainWindow.h"
#include "widgets/ProtoTextBox.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

// A program folder with the given settings and default data file, the simulator on the port and
// a user who answers every message box with Return; Main() has run.
struct Program {
    Program(const QByteArray& settings, const QByteArray& defaultData, bool withPort = true) {
        if (!settings.isEmpty())
            folder.writeIni(settings + "[Comm]\r\nTimerInterval=20\r\nPort=" +
                            (withPort ? sim.device().toLocal8Bit() : "/dev/zoz-no-such-port") +
                            "\r\n");
        folder.write("default.DAT", defaultData);
        QObject::connect(&acceptor, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxes << box->text();
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        acceptor.start(20);
        app = std::make_unique<Application>(
            Application::Options{folder.path("zozedud"), [this] { ++terminated; }});
        app->Main();
    }
    QLineEdit* box(int page, const char* name) {
        return app->pages().page(page)->findChild<QLineEdit*>(name);
    }

    zoz::test::ProgramFolder folder;
    zoz::test::SimProcess sim;
    QTimer acceptor;
    QStringList boxes;
    int terminated = 0;
    std::unique_ptr<Application> app;
};

QByteArray namedDataSet() {
    DataSet data;
    for (int g = 1; g <= DataSet::GroupCount; ++g)
        for (int i = 1; i <= DataSet::GroupSize[g]; ++i)
            data.ChannelName(g, i) = QStringLiteral("N%1.%2").arg(g).arg(i);
    data.Layer.LayerB[1] = 201;
    data.Editor.MachSource05[5] = 1; // the file, not the start-up zig-zag, decides
    return DataSetImage::Write(data);
}

const QByteArray kQuiet = "[Main]\r\nLoadAtStartup_Default=default.DAT\r\nDebug=yes\r\n"
                          "RequestStatus=no\r\nRequestData=no\r\n";

TEST(Application, AFailedStartUpShowsItsStepTextAndEnds) {
    const std::tuple<int, bool, const char*> cases[] = {
        // data file size, port, box{2913, false, "Fehler bei Setzen des COM-Ports"},
        {2914, true, "Versionskonflikt: Die Datei '"}};
    for (const auto& [dataSize, withPort, text] : cases) {
        Program program(kQuiet, QByteArray(dataSize, '\0'), withPort);
        EXPECT_GE(program.terminated, 1) << text;
        ASSERT_FALSE(program.boxes.isEmpty()) << text;
        EXPECT_TRUE(program.boxes[0].contains(text)) << program.boxes[0].toStdString();
    }
    Program empty("", {});
    EXPECT_EQ(empty.boxes.size(), 1);
    EXPECT_FALSE(empty.app->mainWindow().isVisible() || empty.app->switches().InitDone);
}

TEST(Application, DefaultDataReachesThePagesAndClosingEndsWithoutAQuestion) {
    Program program(
        kQuiet + "ShowTabStrip_System=yes\r\nSaveLoadEnabled=no\r\nVersionInfoEnabled=Ja\r\n",
        namedDataSet());
    Application& app = *program.app;
    ASSERT_TRUE(app.switches().InitDone);
    MainWindow& w = app.mainWindow();
    QList<int> visible;
    for (int i = 1; i <= MainWindow::ButtonCount; ++i)
        if (w.findChild<QWidget*>(QStringLiteral("Toolbar1_%1").arg(i))->isVisible())
            visible << i;
    EXPECT_EQ(visible, QList<int>({3, 4, 5, 6, 8, 10, 12, 13, 14}));
    EXPECT_TRUE(app.serialPort().isOpen()); // opened on the first show
    // A toolbar button's tool tip names its key.
    auto* button = w.findChild<QToolButton*>(QStringLiteral("Toolbar1_3"));
    QHelpEvent help(QEvent::ToolTip, QPoint(1, 1), button->mapToGlobal(QPoint(1, 1)));
    QCoreApplication::sendEvent(button, &help);
    const QString key = QKeySequence(Qt::CTRL | Qt::Key_N).toString(QKeySequence::NativeText);
    EXPECT_EQ(QToolTip::text(), button->toolTip() + "  (" + key + ")");

    // The default file is the data set and its reference copy; pages and data follow each other.
    const DataSet& d = app.dataStore().DataSet;
    EXPECT_EQ(d.Editor.MachSource05[5], 1);
    EXPECT_TRUE(app.dataStore().DataSetDefault == d);
    EXPECT_EQ(program.box(2, "txtInputAdat_7")->text(), "N3.8");
    EXPECT_EQ(program.box(3, "txtInputB_0")->text(), "N2.2");

    program.box(2, "txtInputAnalog_0")->setText("Typed");
    app.takeOverPages();
    EXPECT_EQ(d.Name.InputAnalogName[1].trimmedRight(), "Typed");
    app.dataStore().DataSet.Layer.LayerA[6] = 115;
    app.refreshPages();
    EXPECT_EQ(program.box(3, "txtInputA_5")->text(), "N1.16");

    w.close();
    EXPECT_EQ(program.terminated, 1);
    EXPECT_TRUE(program.boxes.isEmpty());
}

TEST(Application, TheLinkAsksAnswersAndEndsOnAnotherMajorVersion) {
    Program program("[Main]\r\nLoadAtStartup_Default=default.DAT\r\nDebug=yes\r\n"
                    "ShowMsgBox=no\r\nRequestStatus=yes\r\nRequestData=yes\r\n",
                    namedDataSet());
    Application& app = *program.app;
    ASSERT_TRUE(app.switches().InitDone);
    test::SimProcess& sim = program.sim;
    EXPECT_EQ(sim.waitFor("RX "), "RX 82 ");
    EXPECT_EQ(sim.waitFor("RX "), "RX 84 20");
    DataStore& store = app.dataStore();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return store.DataSet.Name.InputDigitalName[1].trimmedRight() != "N1.1"; }, 3000));
    EXPECT_TRUE(sim.waitFor("RX ").startsWith("RX 86 ")); // the data set is acknowledged

    sim.command("send 80");
    EXPECT_EQ(sim.waitFor("RX "), "RX 81 ");
    store.DataSet.Name.InputDigitalName[1] = QStringLiteral("Edited");
    sim.command("send 87");
    EXPECT_EQ(sim.waitFor("RX "), "RX 88 ");
    EXPECT_TRUE(store.DataSet == store.DataSetDefault);
    // A data request arms timSendData; then the data set goes without a question.
    sim.command("send 84 20");
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.interpreter().RequestedBlock == "20"; }, 2000));
    EXPECT_TRUE(sim.waitFor("RX 85", 3000).startsWith("RX 85 20"));
    EXPECT_TRUE(sim.quietFor("RX 85", 300)) << "sent once: timSendData stopped";
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return app.protoWindow().txtProto()->text().contains("Comm_Data_Sent"); }, 3000));
    EXPECT_EQ(program.terminated, 0);

    // A controller of another major version ends the program; the port is closed on the way.
    QString payload;
    for (const char* t : {"QPL", "SN", "QPL SW V3.01", "", "", ""})
        payload += "20" + StrToHex(QString::fromLatin1(t).leftJustified(32));
    sim.command("send 83 " + payload);
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.terminated > 0; }, 3000));
    // The version box only: the end asks no question.
    EXPECT_EQ(program.boxes.size(), 1) << program.boxes.join(" | ").toStdString();
    EXPECT_TRUE(program.boxes.value(0).startsWith("Bitte benutzen Sie die PC-Software-Version"));
    EXPECT_FALSE(app.serialPort().isOpen());
}

// A line hung up says in the status bar how to get the port back.
TEST(Application, AHungUpLineNamesTheWayBack) {
    Program program(kQuiet + "Language=ENG\r\n", namedDataSet());
    const QString way = program.app->texts().message("Comm_HangUp_Info");
    const auto* panel =
        program.app->mainWindow().statusBar()->findChild<QLabel*>("StatusBar_Panel_1");
    program.sim.command("hangup");
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel->text().endsWith(way); }, 5000))
        << panel->text().toStdString();
}

} // namespace
