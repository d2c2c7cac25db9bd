#include "ui/Application.h"

#include "app/IniFile.h"
#include "support/QtPrinters.h"
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
    QFile dat(dir.filePath("Default.DAT"));
    ASSERT_TRUE(dat.open(QIODevice::WriteOnly) && dat.write(QByteArray(2913, '\0')) == 2913);
    dat.close();
    for (const auto& [key, value] : {std::pair{"Debug", "yes"},
                                     {"RequestStatus", "no"},
                                     {"RequestData", "no"},
                                     {"Language", "ENG"}})
        SetIniValue(ini, "Main", key, value);
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
    const Texts& texts = app.texts();

    auto* action = app.mainWindow().findChild<QAction*>("actPortPicker");
    ASSERT_NE(action, nullptr);
    action->trigger();
    auto* picker = app.mainWindow().findChild<QDialog*>("frmPortPicker");
    ASSERT_TRUE(picker && picker->isVisible());
    auto* list = picker->findChild<QTreeWidget*>("lstPorts");
    auto* path = picker->findChild<QLineEdit*>("txtPortPath");
    auto state = [&](const QString& device) {
        const auto rows = list->findItems(device, Qt::MatchExactly);
        return rows.isEmpty() ? QString("<no row>") : rows[0]->text(2);
    };
    // The configured port is shown although the system does not list ptys.
    EXPECT_EQ(state(current.device()),
              texts.message("PortPicker_Configured") + ", " + texts.message("PortPicker_InUse"));
    EXPECT_EQ(path->text(), current.device());

    for (SimProcess* typed : {&other, &silent}) {
        path->clear();
        QTest::keyClicks(path, typed->device());
        QTest::mouseClick(picker->findChild<QPushButton*>("cmdFindController"), Qt::LeftButton);
    }
    EXPECT_EQ(state(other.device()), texts.message("PortPicker_Answers"));
    EXPECT_EQ(state(silent.device()), texts.message("PortPicker_NoAnswer"));
    EXPECT_TRUE(silent.waitFor("RX 80").startsWith("RX 80"));
    EXPECT_TRUE(current.quietFor("RX 80", 100)) << "the editor's own port is not probed";

    list->setCurrentItem(list->findItems(other.device(), Qt::MatchExactly).value(0));
    QTest::mouseClick(picker->findChild<QPushButton*>("cmdChoose"), Qt::LeftButton);
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(GetIniValue(ini, "Comm", "Port", ""), other.device());
    EXPECT_EQ(app.serialPort().deviceName(), other.device());
    other.command("send 80");
    EXPECT_EQ(other.waitFor("RX 81"), "RX 81 ") << "the editor answers on the chosen port";

    // A port that vanished is reported; the previous one comes back, in the file and open.
    action->trigger();
    path->setText(dir.filePath("vanished"));
    QTest::mouseClick(picker->findChild<QPushButton*>("cmdChoose"), Qt::LeftButton);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0], Startup::FailureText(31, false));
    EXPECT_EQ(GetIniValue(ini, "Comm", "Port", ""), other.device());
    EXPECT_TRUE(app.serialPort().isOpen());
    EXPECT_TRUE(picker->isVisible());
}

} // namespace
