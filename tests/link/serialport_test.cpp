#include "support/LinkRig.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::LinkRig;

namespace {

// A settings file holding only the given [Comm] lines, and a fresh port reading it.
struct PortOnly {
    explicit PortOnly(const QByteArray& commLines) {
        QFile f(rig.switches.IniFileName);
        f.open(QIODevice::WriteOnly);
        f.write("[Comm]\r\n" + commLines +
                "[Messages_ENG]\r\nComm_OpenPort_Err=Port error: & on port&\r\n");
        f.close();
        port = std::make_unique<SerialPort>(*rig.reporter);
    }
    LinkRig rig{{}, {}, false};
    std::unique_ptr<SerialPort> port;
};

QByteArray portLine(const LinkRig& rig) {
    return "Port=" + rig.sim.device().toLocal8Bit() + "\r\n";
}

} // namespace

TEST(SerialPortSetUp, MissingKeysTakeTheDefaults) {
    LinkRig probe{{}, {}, false};
    PortOnly p(portLine(probe));
    ASSERT_EQ(p.port->SetCommParameters(), 0);
    const SerialPort& s = *p.port;
    EXPECT_EQ(QStringList({s.Settings, QString::number(s.InBufferSize),
                           QString::number(s.OutBufferSize), QString::number(s.Handshaking),
                           QString::number(s.TimeOut), QString::number(s.TimerInterval),
                           QString::number(s.InputLen), QString::number(s.InputMode),
                           QString::number(s.RThreshold), QString::number(s.SThreshold)}),
              QStringList({"19200,n,8,1", "1024", "512", "0", "10", "500", "0", "1", "1", "1"}));
    EXPECT_TRUE(s.DTREnable && s.RTSEnable && s.ShowCancelDialog && s.NullDiscard && !s.PortOpened);
}

TEST(SerialPortSetUp, EachBadValueFailsItsOwnStepAndStopsThere) {
    struct Case {
        QByteArray lines;
        int step;
    };
    const QList<Case> cases{
        {"Port=/dev/no-such-port\r\n", 1},
        {"Port=0\r\n", 1}, // the 0th port does not exist
        {"Port=40000\r\n", 1},
        {"Settings=19200,x,8,1\r\n", 2},
        {"Settings=19200,n,9,1\r\n", 2},
        {"Settings=fast,n,8,1\r\n", 2},
        {"Settings=19200,n,8\r\n", 2},
        {"Settings=19200,n,8,3\r\n", 2},
        {"InBufferSize=big\r\n", 3},
        {"OutBufferSize=-1\r\n", 4},
        {"HandShaking=4\r\n", 7},
        {"HandShaking=none\r\n", 7},
        {"TimeOut=never\r\n", 9},
        {"TimeOut=40000\r\n", 9},
        {"TimerInterval=soon\r\n", 11},
    };
    LinkRig probe{{}, {}, false};
    for (const Case& c : cases) {
        QByteArray lines = c.lines;
        if (!lines.startsWith("Port="))
            lines.prepend(portLine(probe));
        PortOnly p(lines);
        EXPECT_EQ(p.port->SetCommParameters(), c.step) << c.lines.constData();
        if (c.step <= 2) { // later steps never ran
            EXPECT_EQ(p.port->InBufferSize, 0) << c.lines.constData();
        }
        if (c.step == 9) {
            EXPECT_EQ(p.port->TimerInterval, 0);
        }
    }
}

TEST(SerialPortSetUp, ConvertsNumbersAndSwitchesAsWritten) {
    LinkRig probe{{}, {}, false};
    PortOnly p(portLine(probe) +
               "Settings=9600,E,7,1.5\r\nInBufferSize=2048.9\r\nOutBufferSize=7.5\r\n"
               "DTREnable=ja\r\nRTSEnable=true\r\nHandShaking=3\r\nTimeOut=0\r\n"
               "ShowCancelDialog=1\r\nTimerInterval=20\r\n");
    ASSERT_EQ(p.port->SetCommParameters(), 0);
    EXPECT_EQ(p.port->Settings, "9600,E,7,1.5");
    EXPECT_EQ(p.port->InBufferSize, 2048);
    EXPECT_EQ(p.port->OutBufferSize, 7);
    EXPECT_TRUE(p.port->DTREnable);  // "ja"
    EXPECT_FALSE(p.port->RTSEnable); // "true" is no yes
    EXPECT_FALSE(p.port->ShowCancelDialog);
    EXPECT_EQ(p.port->Handshaking, 3);
    EXPECT_EQ(p.port->TimeOut, 0);
    EXPECT_EQ(p.port->TimerInterval, 20);

    PortOnly yes(portLine(probe) + "DTREnable=Yes\r\n");
    ASSERT_EQ(yes.port->SetCommParameters(), 0);
    EXPECT_TRUE(yes.port->DTREnable);
}

TEST(SerialPortSetUp, AWholeNumberNamesTheNthPlatformPort) {
    if (!QFileInfo::exists(QStringLiteral("/dev/ttyS0")))
        GTEST_SKIP() << "no /dev/ttyS0 here";
    PortOnly p("Port=1.8\r\n");
    ASSERT_EQ(p.port->SetCommParameters(), 0);
    EXPECT_EQ(p.port->deviceName(), "/dev/ttyS0");
    EXPECT_EQ(p.port->portText(), " 1");
}

TEST(SerialPortOpen, OpensOncePtyModemLinesAreNoErrorAndClosesOnce) {
    LinkRig rig{{}, {}, false};
    ASSERT_EQ(rig.setUpStep, 0);
    EXPECT_TRUE(rig.port->OpenPort());
    EXPECT_TRUE(rig.port->PortOpened);
    EXPECT_TRUE(rig.port->OpenPort()); // already open: nothing set, still true
    EXPECT_TRUE(rig.ui.boxes.isEmpty());
    EXPECT_TRUE(rig.port->ClosePort());
    EXPECT_FALSE(rig.port->PortOpened);
    EXPECT_TRUE(rig.port->ClosePort()); // already closed
    EXPECT_TRUE(rig.ui.boxes.isEmpty());
}

TEST(SerialPortOpen, AFailedOpenIsReportedInABoxEvenWithoutShowMsgBox) {
    LinkRig rig{{}, {}, false};
    // A device that exists but is no serial port.
    const QString notATty = rig.dir.filePath(QStringLiteral("plain-file"));
    QFile f(notATty);
    f.open(QIODevice::WriteOnly);
    f.close();
    PortOnly p("Port=" + notATty.toLocal8Bit() + "\r\n");
    p.rig.switches.ShowMsgBox = false;
    ASSERT_EQ(p.port->SetCommParameters(), 0);
    p.rig.ui.busy = true;
    EXPECT_FALSE(p.port->OpenPort());
    EXPECT_FALSE(p.port->PortOpened);
    ASSERT_EQ(p.rig.ui.boxes.size(), 1);
    const auto& box = p.rig.ui.boxes.first();
    EXPECT_TRUE(box.text.startsWith("  Port error: ")) << box.text.toStdString();
    EXPECT_TRUE(box.text.endsWith("on port" + notATty)) << box.text.toStdString();
    EXPECT_EQ(box.icon, MsgIcon::Exclamation);
    EXPECT_EQ(box.title, "zozedud");
    EXPECT_EQ(p.rig.ui.lastStatus(), box.text);
    EXPECT_TRUE(p.rig.proto.text().contains(box.text)) << p.rig.proto.text().toStdString();
    EXPECT_FALSE(p.rig.ui.busy);
}

TEST(SerialPortOpen, ASecondProgramCannotOpenTheSamePort) {
    LinkRig rig;
    ASSERT_TRUE(rig.opened);
    SerialPort second(*rig.reporter);
    ASSERT_EQ(second.SetCommParameters(), 0);
    EXPECT_FALSE(second.OpenPort());
    EXPECT_EQ(rig.ui.boxes.size(), 1);
}
