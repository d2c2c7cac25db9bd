// The editor's status, marks, history, compare window, undo and port picker against the controller.
#include "ui/Application.h"

#include "app/IniFile.h"
#include "dataset/DataSetImage.h"
#include "files/HistoryOrigins.h"
#include "files/HistoryStore.h"
#include "pages/DataPage.h"
#include "support/ProgramFolder.h"
#include "support/QtPrinters.h"
#include "support/SimProcess.h"
#include "ui/ChangeTracker.h"
#include "ui/ChooseDialog.h"
#include "ui/CompareWindow.h"
#include "ui/HistoryWindow.h"
#include "ui/ProtoTextBox.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::SimProcess;

namespace {

class EditorHistoryTest : public ::testing::Test {
protected:
    test::ProgramFolder dir;
    SimProcess sim;
    QStringList boxes;
    QTimer acceptor;
    std::unique_ptr<Application> app;

    void SetUp() override {
        const QString ini = dir.ini();
        QFile::copy(ZOZ_SOURCE_DIR "/resources/zozedud.Ini", ini);
        // A generous TimeOut: on a slow machine a late answer must not become a time-out.
        for (const QString& entry :
             QStringList{"Main/Language=ENG", "Main/RequestStatus=no", "Main/RequestData=no",
                         "Main/Debug=yes", "Comm/TimerInterval=20", "Comm/TimeOut=30",
                         "History/Keep=3", "Comm/Port=" + sim.device()})
            SetIniValue(ini, entry.section('/', 0, 0), entry.section('/', 1).section('=', 0, 0),
                        entry.section('=', 1));
        dir.write("Default.DAT", QByteArray(DataSetImage::Size, '\0'));
        QObject::connect(&acceptor, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxes.append(box->text());
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        acceptor.start(20);
        app = std::make_unique<Application>(Application::Options{dir.path("zozedud"), [] {}});
        app->Main();
        ASSERT_TRUE(app->switches().InitDone);
        app->mainWindow().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&app->mainWindow()));
    }

    ChangeTracker& tracker() { return *app->editorHistory().tracker(); }
    QString status() { return tracker().statusField()->text(); }
    QWidget* control(int page, const char* name) {
        return app->pages().page(page)->findChild<QWidget*>(QString::fromLatin1(name));
    }
    void showPage(int page) {
        auto* tabs = app->mainWindow().findChild<QTabBar*>();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page - 1).center());
    }
    void click(const QString& toolbarButton) {
        QTest::mouseClick(app->mainWindow().findChild<QWidget*>(toolbarButton), Qt::LeftButton);
    }
    void type(int page, const char* name, const QString& text) {
        showPage(page);
        auto* box = qobject_cast<QLineEdit*>(control(page, name));
        QTest::mouseClick(box, Qt::LeftButton);
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    void toggle(int page, const char* name) {
        showPage(page);
        QWidget* box = control(page, name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        QTest::qWait(1); // the change is taken in a posted call
    }
    void choose(int page, const char* name, int index) {
        showPage(page);
        auto* list = qobject_cast<QComboBox*>(control(page, name));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(list, Qt::Key_Down);
    }
    bool marked(int page, const char* name) {
        return control(page, name)->property("zozDiffers").toBool();
    }
    static bool spinUntil(const std::function<bool()>& f) { return QTest::qWaitFor(f, 30000); }
    QList<HistoryEntry> history() { return app->editorHistory().historyStore().entries(); }
};

TEST_F(EditorHistoryTest, EditsAreCountedAndMarkedUntilTheControllerConfirmsTheSend) {
    click("Toolbar1_6"); // receive, after the question
    ASSERT_TRUE(spinUntil([&] { return history().size() == 1; }));
    EXPECT_EQ(status(), "in step with the controller");
    EXPECT_TRUE(history()[0].data == app->dataStore().DataSet);

    type(2, "txtInputDigital_1", "Snare");
    toggle(6, "chkMachSource03_4");
    choose(4, "cmbVolume", 2);
    QTest::qWait(50);
    const QString pending = status();
    EXPECT_GE(pending.section(' ', 0, 0).toInt(), 3) << pending.toStdString();
    for (auto [page, name] :
         {std::pair{2, "txtInputDigital_1"}, {6, "chkMachSource03_4"}, {4, "cmbVolume"}})
        EXPECT_TRUE(marked(page, name)) << name;
    EXPECT_FALSE(marked(2, "txtInputDigital_2"));

    sim.command("fault badsum"); // the answer's checksum is wrong: nothing changes
    ASSERT_FALSE(sim.waitFor("OK fault").isEmpty()); // armed before the send, not after
    click("Toolbar1_5");
    ASSERT_TRUE(spinUntil([&] { return boxes.filter("Checksum").size() == 1; }));
    EXPECT_EQ(status(), pending);
    EXPECT_EQ(history().size(), 1);

    // The right one: in step, the sent set in the history byte for byte.
    click("Toolbar1_5");
    ASSERT_TRUE(spinUntil([&] { return status() == "in step with the controller"; }));
    ASSERT_TRUE(spinUntil([&] { return history().size() == 2; }));
    EXPECT_EQ(DataSetImage::Write(history()[0].data), DataSetImage::Write(tracker().editorSet()));

    const QList<HistoryEntry> kept = history();
    // The window lists them newest first against an edited editor; the sent one loads back.
    type(2, "txtInputDigital_1", "Other");
    app->editorHistory().showHistory();
    HistoryWindow& window = app->editorHistory().historyWindow();
    auto* rows = window.findChild<QTreeWidget*>("lstHistory");
    ASSERT_EQ(rows->topLevelItemCount(), 2);
    // Each row names its controller; the filter shows one controller's rows.
    EXPECT_EQ(rows->topLevelItem(0)->text(3), sim.device());
    HistoryOrigins(app->editorHistory().historyStore().folder())
        .record(kept[1].filePath, {"B", {}});
    window.reload();
    auto* filter = window.findChild<QComboBox*>("cboHistoryController");
    ASSERT_EQ(filter->count(), 3); // all, B, the simulator
    filter->setCurrentIndex(filter->findText("B"));
    EXPECT_TRUE(rows->topLevelItem(0)->isHidden());
    EXPECT_FALSE(rows->topLevelItem(1)->isHidden());
    filter->setCurrentIndex(0);
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                      rows->visualItemRect(rows->topLevelItem(0)).center());
    QTest::mouseClick(window.findChild<QPushButton*>("cmdHistoryLoad"), Qt::LeftButton);
    ASSERT_TRUE(spinUntil([&] { return tracker().editorSet() == kept[0].data; }));
}

// Each kind of control edited: the compare rows name it (editor's value first) and take it back.
TEST_F(EditorHistoryTest, CompareRowsNameEveryKindOfEditAndTakeThemBack) {
    // The history cannot be written: a protocol line, and the exchange goes on.
    ASSERT_TRUE(QFile(app->editorHistory().historyStore().folder()).open(QIODevice::WriteOnly));
    click("Toolbar1_6");
    ASSERT_TRUE(spinUntil([&] { return status() == "in step with the controller"; }));
    ASSERT_TRUE(spinUntil(
        [&] { return app->protoWindow().txtProto()->text().contains("History not kept: "); }));
    const DataSet received = tracker().editorSet();
    app->chooser().setModalRunner([](ChooseDialog& dialog) {
        QListWidget* list = dialog.lstChoose();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(2)).center());
        QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
    });
    type(2, "txtInputAdat_2", "Vox 1");
    QTest::mouseClick(control(3, "txtInputA_0"), Qt::LeftButton);
    toggle(4, "chkMonMode_1");
    toggle(6, "chkMachSource03_4");
    choose(6, "cmbChannels", 0);
    showPage(7);
    QTest::mouseClick(control(7, "ToolbarPart01_2")->findChild<QWidget*>("Button2"),
                      Qt::LeftButton);
    QTest::qWait(50);

    app->editorHistory().showCompare();
    CompareWindow& compare = app->editorHistory().compareWindow();
    auto* rows = compare.findChild<QTreeWidget*>("lstCompare");
    QStringList shown;
    for (int i = 0; i < rows->topLevelItemCount(); ++i)
        for (int c = 0; c < 5; ++c)
            shown << rows->topLevelItem(i)->text(c);
    const QStringList expected = {
        "Names | ADAT inputs | ADAT input 3 | Vox 1 | Adat 3",
        "Layer | Layer A | Channel 1 / 2 | Digital input 5 'Dig 05' | not defined",
        "Monitor | Monitor | Mode: Stereo | off | on",
        "Monitor | Monitor | Mode: Mono | on | off",
        "Editor | Machine sources | Source 03 D | on | off",
        "Editor | Channels | Mode | Two channels | Four channels",
        "SnapShot | Configurations | Config 3 Switch 2 | on | off"};
    EXPECT_EQ(shown.join(" | "), expected.join(" | "));

    rows->selectAll();
    QTest::mouseClick(compare.findChild<QPushButton*>("cmdCompareTake"), Qt::LeftButton);
    EXPECT_TRUE(tracker().editorSet() == received);
    EXPECT_EQ(status(), "in step with the controller");
}

// Undo and redo by the keys, step by step across pages and without a word to the controller.
TEST_F(EditorHistoryTest, UndoAndRedoWalkTheStepsAcrossPages) {
    auto* name = qobject_cast<QLineEdit*>(control(2, "txtInputAdat_2"));
    auto* source = qobject_cast<QAbstractButton*>(control(6, "chkMachSource03_4"));
    const QString nameBefore = name->text();
    const bool sourceBefore = source->isChecked();
    auto* undo = app->mainWindow().findChild<QAction*>("actUndo");
    type(2, "txtInputAdat_2", "Vox 1");
    QTest::qWait(20);
    toggle(6, "chkMachSource03_4");

    type(2, "txtInputAdat_2", "Vox 2"); // the focus is in a text box: the keys are still ours
    EXPECT_TRUE(undo->text().startsWith("Undo: ")) << undo->text().toStdString(); // names its step
    const struct {
        const char* keys;
        const char* name;
        bool source;
    } walk[] = {{"Ctrl+Z", "Vox 1", !sourceBefore},       {"Ctrl+Z", "Vox 1", sourceBefore},
                {"Ctrl+Z", nullptr, sourceBefore},        {"Ctrl+Y", "Vox 1", sourceBefore},
                {"Ctrl+Shift+Z", "Vox 1", !sourceBefore}, {"Ctrl+Y", "Vox 2", !sourceBefore}};
    for (const auto& step : walk) {
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(step.keys));
        QTest::qWait(20);
        EXPECT_EQ(name->text(), step.name ? QString::fromLatin1(step.name) : nameBefore);
        EXPECT_EQ(source->isChecked(), step.source);
    }
    EXPECT_TRUE(sim.quietFor("RX", 200));

    // A reset is one step; undoing it brings every edit back.
    click("Toolbar1_3");
    ASSERT_TRUE(spinUntil([&] { return name->text() != "Vox 2"; }));
    undo->trigger();
    EXPECT_EQ(name->text(), "Vox 2");
    EXPECT_EQ(source->isChecked(), !sourceBefore);

    // 201 more steps are all there to undo, and the ones before them too.
    for (int i = 0; i < 201; ++i)
        toggle(6, "chkMachSource03_4");
    EXPECT_EQ(source->isChecked(), sourceBefore);
    for (int i = 0; i < 201; ++i)
        undo->trigger();
    EXPECT_EQ(source->isChecked(), !sourceBefore);
    EXPECT_TRUE(undo->isEnabled());
}

// The picker probes typed ports but not the editor's own, switches over, survives a vanished one.
TEST_F(EditorHistoryTest, PortPickerFindsTheAnsweringControllerAndReopensThePortOnTheChosenOne) {
    SimProcess other, silent({"--do", "fault noanswer 9"}), served({"--tcp", "0"});
    const QString tcp = "tcp://127.0.0.1:" + served.waitFor("TCP ").mid(4);
    SetIniValue(dir.ini(), "Connections", "Over TCP", tcp);
    auto* action = app->mainWindow().findChild<QAction*>("actPortPicker");
    action->trigger();
    auto* picker = app->mainWindow().findChild<QDialog*>("frmPortPicker");
    ASSERT_TRUE(picker && picker->isVisible());
    auto* list = picker->findChild<QTreeWidget*>("lstPorts");
    auto* path = picker->findChild<QLineEdit*>("txtPortPath");
    auto press = [picker](const char* button) {
        QTest::mouseClick(picker->findChild<QPushButton*>(button), Qt::LeftButton);
    };
    QStringList states;
    bool chooseWhileProbing = true;
    QTimer::singleShot(100, picker, [&] {
        chooseWhileProbing = picker->findChild<QPushButton*>("cmdChoose")->isEnabled();
    });
    for (SimProcess* typed : {&other, &silent}) {
        path->setText(typed->device());
        press("cmdFindController");
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return picker->findChild<QPushButton*>("cmdFindController")->isEnabled(); },
            5000));
        for (QTreeWidgetItem* row : list->findItems(typed->device(), Qt::MatchExactly))
            states << row->text(2);
    }
    EXPECT_EQ(states, QStringList({app->texts().message("PortPicker_Answers"),
                                   app->texts().message("PortPicker_NoAnswer")}));
    EXPECT_TRUE(silent.waitFor("RX 80").startsWith("RX 80"));
    // The saved connection is a row of its own, probed with the rest.
    const QTreeWidgetItem* saved = list->findItems("Over TCP", Qt::MatchExactly).value(0);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->text(1), tcp);
    EXPECT_EQ(saved->text(2), app->texts().message("PortPicker_Answers"));
    // Cancel ends a search at once: no row stays "testing", the dialog stays.
    press("cmdFindController");
    press("cmdCancel");
    EXPECT_TRUE(list->findItems(app->texts().message("PortPicker_Testing"), Qt::MatchContains, 2)
                    .isEmpty());
    EXPECT_TRUE(picker->isVisible());
    EXPECT_FALSE(chooseWhileProbing);
    EXPECT_TRUE(sim.quietFor("RX 80", 100)) << "the editor's own port is not probed";

    list->setCurrentItem(list->findItems(other.device(), Qt::MatchExactly).value(0));
    list->setFocus(); // as a click on the row does: Find is no longer the default button
    QTest::keyClick(list, Qt::Key_Return); // Enter chooses
    other.command("send 80");
    EXPECT_EQ(other.waitFor("RX 81"), "RX 81 ") << "the editor answers on the chosen port";

    // A vanished port is reported with its step; the previous one stays, in the file and open.
    action->trigger();
    path->setText(dir.path("vanished"));
    boxes.clear();
    press("cmdChoose");
    EXPECT_EQ(boxes, QStringList(Startup::FailureText(31, false)));
    EXPECT_EQ(GetIniValue(dir.ini(), "Comm", "Port", ""), other.device());
    EXPECT_TRUE(app->serialPort().isOpen() && app->serialPort().deviceName() == other.device());
}

} // namespace
