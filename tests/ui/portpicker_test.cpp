#include "ui/Application.h"

#include "app/IniFile.h"
#include "support/SimProcess.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::SimProcess;

namespace {

// The editor on one simulator; the picker finds a second one typed as a path, and a third that
// stays silent, then switches the editor over and survives a port that has vanished.
TEST(PortPickerTest, FindsTheAnsweringControllerAndReopensThePortOnTheChosenOne) {
    QTemporaryDir dir;
    SimProcess current, other, silent({"--do", "fault noanswer 9"});
    const QString ini = dir.filePath("zozedud.Ini");
    ASSERT_TRUE(QFile::copy(ZOZ_SOURCE_DIR "/resources/zozedud.Ini", ini));
    ASSERT_TRUE(QFile::copy(ZOZ_BINARY_DIR "/bin/Default.DAT", dir.filePath("Default.DAT")));
    for (const char* key : {"RequestStatus", "RequestData", "Debug"})
        SetIniValue(ini, "Main", key, key[0] == 'D' ? "yes" : "no");
    SetIniValue(ini, "Comm", "Port", current.device());
    QStringList boxes;
    QTimer acceptor;
    QObject::connect(&acceptor, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxes.append(box->text());
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    acceptor.start(20);
    Application app({dir.filePath("zozedud"), [] {}});
    app.Main();
    ASSERT_TRUE(app.switches().InitDone);

    auto* action = app.mainWindow().findChild<QAction*>("actPortPicker");
    ASSERT_NE(action, nullptr);
    action->trigger();
    auto* picker = app.mainWindow().findChild<QDialog*>("frmPortPicker");
    ASSERT_TRUE(picker && picker->isVisible());
    auto* list = picker->findChild<QTreeWidget*>("lstPorts");
    auto* path = picker->findChild<QLineEdit*>("txtPortPath");
    auto click = [picker](const char* button) {
        QTest::mouseClick(picker->findChild<QPushButton*>(button), Qt::LeftButton);
    };
    auto state = [&](const QString& device) {
        const auto rows = list->findItems(device, Qt::MatchExactly);
        return rows.isEmpty() ? QString("<no row>") : rows[0]->text(2);
    };
    auto text = [&](const char* key) { return app.texts().message(key); };
    // The configured port is shown although the system does not list ptys.
    EXPECT_EQ(state(current.device()),
              text("PortPicker_Configured") + ", " + text("PortPicker_InUse"));
    for (SimProcess* typed : {&other, &silent}) {
        path->clear();
        QTest::keyClicks(path, typed->device());
        click("cmdFindController");
    }
    EXPECT_EQ(state(other.device()), text("PortPicker_Answers"));
    EXPECT_EQ(state(silent.device()), text("PortPicker_NoAnswer"));
    EXPECT_TRUE(silent.waitFor("RX 80").startsWith("RX 80"));
    EXPECT_TRUE(current.quietFor("RX 80", 100)) << "the editor's own port is not probed";

    list->setCurrentItem(list->findItems(other.device(), Qt::MatchExactly).value(0));
    click("cmdChoose");
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(GetIniValue(ini, "Comm", "Port", ""), other.device());
    other.command("send 80");
    EXPECT_EQ(other.waitFor("RX 81"), "RX 81 ") << "the editor answers on the chosen port";

    // A port that vanished is reported; the previous one comes back, in the file and open.
    action->trigger();
    path->setText(dir.filePath("vanished"));
    click("cmdChoose");
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0], Startup::FailureText(31, true));
    EXPECT_EQ(GetIniValue(ini, "Comm", "Port", ""), other.device());
    EXPECT_EQ(app.serialPort().deviceName(), other.device());
    EXPECT_TRUE(app.serialPort().isOpen() && picker->isVisible());
}

} // namespace
