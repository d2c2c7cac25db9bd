#include "support/LinkRig.h"
#include "ui/CommDialog.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::LinkRig;

TEST(CommDialog, CaptionRules) {
    CommDialog dialog({});
    EXPECT_EQ(dialog.objectName(), "frmComm");
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Datenübertragung"));
    dialog.showTransfer(QStringLiteral("Senden"), nullptr);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(dialog.windowTitle(), "Senden");
    dialog.hideTransfer();
    EXPECT_FALSE(dialog.isVisible());
    // A transfer without a caption shows the last one that had one.
    dialog.showTransfer(QString(), nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Senden");
    dialog.showTransfer(QStringLiteral("Empfangen"), nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Empfangen");
    dialog.unload();
    EXPECT_EQ(dialog.windowTitle(), "Senden"); // remembered at the last activation
}

TEST(CommDialog, IsCentredOnTheMainWindow) {
    QWidget main;
    main.setGeometry(100, 120, 800, 600);
    main.show();
    CommDialog dialog({});
    dialog.showTransfer(QStringLiteral("x"), &main);
    const QPoint a = main.frameGeometry().center();
    const QPoint b = dialog.frameGeometry().center();
    EXPECT_LE(std::abs(a.x() - b.x()), 2);
    EXPECT_LE(std::abs(a.y() - b.y()), 2);
}

TEST(CommDialog, TheControlsAsDesigned) {
    CommDialog dialog({});
    auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("cmdCancel"));
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), "&Abbrechen");
    EXPECT_NE(dialog.findChild<QWidget*>(QStringLiteral("Label1")), nullptr);
    EXPECT_NE(dialog.findChild<QWidget*>(QStringLiteral("Frame1")), nullptr);
}

// The user presses Cancel in the dialog while the program waits for an answer that never comes.
TEST(CommDialog, CancelEndsARunningWaitForTheAnswer) {
    LinkRig rig{{{"TimeOut", "0"}}};
    ASSERT_TRUE(rig.opened);
    CommDialog dialog([&] { rig.transport->Cancel(); });
    rig.sim.command("fault noanswer");
    rig.sim.waitFor("OK fault");
    ASSERT_TRUE(rig.transport->TransmitData(QByteArray("\x80\r")));
    dialog.showTransfer(QString(), nullptr);
    QTimer::singleShot(200, &dialog,
                       [&] { QTest::mouseClick(dialog.cmdCancel(), Qt::LeftButton); });
    EXPECT_FALSE(rig.transport->WaitForResponse(QStringLiteral("81")));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(rig.ui.lastStatus(), "  Comm_Cancelled");
    EXPECT_TRUE(rig.ui.boxes.isEmpty());
}

// Pressing Cancel while a frame cannot leave ends the send with its own message.
TEST(CommDialog, CancelEndsASend) {
    LinkRig rig{{{"TimeOut", "0"}, {"OutBufferSize", "0"}}};
    CommDialog dialog([&] { rig.transport->Cancel(); });
    rig.sim.command("stall on");
    rig.sim.waitFor("OK stall");
    QTimer::singleShot(200, &dialog,
                       [&] { QTest::mouseClick(dialog.cmdCancel(), Qt::LeftButton); });
    EXPECT_FALSE(
        rig.transport->TransmitData(QByteArray(1, '\x85') + QByteArray(400000, 'A') + '\r'));
    EXPECT_EQ(rig.ui.lastStatus(), "  Comm_Action_Cancelled");
    rig.sim.command("stall off");
}
