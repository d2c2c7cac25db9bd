#include "support/LinkRig.h"

#include <QFile>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::LinkRig;

namespace {

QByteArray frame(quint8 code) {
    return QByteArray(1, char(code)) + '\r';
}

// A send inside a running send (an answer sent while a frame is received) finds the dialog up:
// it is no activation, so its caption waits for the next one; the dialog's pairs stay balanced.
TEST(LinkEvents, ACaptionGivenWhileTheDialogIsUpWaitsForTheNextActivation) {
    LinkRig rig;
    ASSERT_TRUE(rig.opened);
    bool nested = false;
    rig.ui.onProcessEvents = [&] {
        if (nested || rig.ui.commDialogDepth == 0)
            return;
        nested = true;
        EXPECT_TRUE(rig.transport->TransmitData(frame(0x80), QStringLiteral("Inner")));
    };
    ASSERT_TRUE(rig.transport->TransmitData(frame(0x80), QStringLiteral("Outer")));
    rig.ui.onProcessEvents = nullptr;
    ASSERT_TRUE(nested);
    ASSERT_TRUE(rig.transport->TransmitData(frame(0x80)));
    EXPECT_EQ(
        rig.ui.events.filter(QRegularExpression("^commShow:")).replaceInStrings("commShow:", ""),
        QStringList({"Outer", "", "Inner"}));
    EXPECT_EQ(rig.transport->CommDialogCaption(), "");
    EXPECT_EQ(rig.ui.commDialogDepth, 0);
}

// The far end hanging up is a port error of its own with the system's text for it, once.
TEST(LinkEvents, AHangUpIsReportedAsAPortErrorWithTheSystemsText) {
    LinkRig rig{{{"TimeOut", "1"}}};
    rig.switches.ShowMsgBox = false;
    QFile ini(rig.iniPath());
    ASSERT_TRUE(ini.open(QIODevice::Append));
    ini.write("Comm_HangUp_Err=Lost '&' on port &\r\n");
    ini.close();
    rig.sim.command("fault hangup");
    rig.sim.waitFor("OK fault");
    ASSERT_TRUE(rig.transport->TransmitData(frame(0x82)));
    EXPECT_FALSE(rig.transport->WaitForResponse(QStringLiteral("83")));
    ASSERT_TRUE(LinkRig::spinUntil([&] { return !rig.port->isOpen(); }, 2000));
    const QString expected = QStringLiteral("  Lost '%1' on port %2")
                                 .arg(QString::fromLocal8Bit(std::strerror(EIO)), rig.sim.device());
    EXPECT_EQ(rig.proto.text().count(expected), 1) << rig.proto.text().toStdString();
    EXPECT_TRUE(rig.ui.statusTexts.contains(expected));
    EXPECT_FALSE(rig.proto.text().contains("No such file"));
}

} // namespace
