#include "ui/Application.h"

#include "dataset/HexCodec.h"
#include "support/SimProcess.h"
#include "ui/ProtoTextBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::SimProcess;

namespace {

// A program folder with a settings file and a default data file; modal boxes are answered.
class LinkAppTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QStringList boxes;
    int terminated = 0;
    QTimer acceptor;

    void SetUp() override {
        QObject::connect(&acceptor, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxes.append(box->text());
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        acceptor.start(20);
        QFile dat(dir.filePath("default.DAT"));
        ASSERT_TRUE(dat.open(QIODevice::WriteOnly));
        dat.write(QByteArray(2913, '\0'));
    }
    void writeIni(const QByteArray& comm) {
        QFile ini(dir.filePath("zozedud.Ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Main]\r\nLoadAtStartup_Default=default.DAT\r\nDebug=yes\r\nRequestStatus=no\r\n"
                  "RequestData=no\r\n[Comm]\r\n" +
                  comm);
    }
    static bool spinUntil(const std::function<bool()>& pred, int ms) {
        QElapsedTimer clock;
        clock.start();
        while (!pred() && clock.elapsed() < ms)
            QTest::qWait(10);
        return pred();
    }
};

TEST_F(LinkAppTest, APortThatDoesNotExistEndsStartUpWithTheStep31Text) {
    writeIni("Port=/dev/zoz-no-such-port\r\n");
    Application app({dir.filePath("zozedud"), [this] { ++terminated; }});
    app.Main();
    EXPECT_GE(terminated, 1);
    EXPECT_FALSE(app.switches().InitDone);
    ASSERT_FALSE(boxes.isEmpty());
    EXPECT_TRUE(boxes[0].contains("Fehler bei Setzen des COM-Ports")) << boxes[0].toStdString();
}

TEST_F(LinkAppTest, TheLinkIsWiredFromPortToInterpreterAndProtocol) {
    SimProcess sim;
    writeIni("Port=" + sim.device().toLocal8Bit() + "\r\nTimeOut=2\r\nTimerInterval=20\r\n");
    Application app({dir.filePath("zozedud"), [this] { ++terminated; }});
    app.Main();
    ASSERT_TRUE(app.switches().InitDone);
    EXPECT_EQ(app.log().textControl(), app.protoWindow().txtProto());
    EXPECT_EQ(app.serialPort().TimerInterval, 20);
    // The main window opened the port on its first show.
    ASSERT_TRUE(app.serialPort().isOpen());
    EXPECT_TRUE(app.serialPort().PortOpened);

    // The controller's own requests are answered.
    sim.command("send 80");
    EXPECT_EQ(sim.waitFor("RX "), "RX 81 ");
    app.dataStore().DataSet.Name.InputDigitalName[1] = QStringLiteral("Edited");
    sim.command("send 87");
    EXPECT_EQ(sim.waitFor("RX "), "RX 88 ");
    EXPECT_TRUE(app.dataStore().DataSet == app.dataStore().DataSetDefault);
    // A data request arms the main window's timSendData for 100 ms.
    sim.command("send 84 20");
    ASSERT_TRUE(spinUntil([&] { return app.interpreter().RequestedBlock == "20"; }, 2000));
    EXPECT_EQ(app.mainWindow().timSendData().interval(), 100);
    // The protocol window's box shows the exchange.
    EXPECT_TRUE(app.protoWindow().txtProto()->text().contains("Comm_Receiving_Data"));

    // A controller of another major version ends the program; the port is closed on the way.
    QString payload;
    for (const char* t : {"QPL", "SN", "QPL SW V3.01", "", "", ""})
        payload += "20" + StrToHex(QString::fromLatin1(t).leftJustified(32));
    sim.command("send 83 " + payload);
    ASSERT_TRUE(spinUntil([this] { return terminated > 0; }, 3000));
    // Info boxes of the data request may still be queued on a busy machine: look at them all.
    EXPECT_TRUE(std::any_of(boxes.begin(), boxes.end(), [](const QString& b) {
        return b.startsWith("Bitte benutzen Sie die PC-Software-Version 'V3'...");
    })) << boxes.join(" | ").toStdString();
    EXPECT_FALSE(app.serialPort().isOpen());
}

} // namespace
