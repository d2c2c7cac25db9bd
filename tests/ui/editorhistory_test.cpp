// The editor against the controller: receive, edit three pages, send with a bad and a good
// checksum; the status field, the marks and the history follow. Undo and redo across pages, the
// compare window's rows and the history window's load; the port picker and the PDF report.
#include "ui/Application.h"

#include "app/IniFile.h"
#include "dataset/DataSetImage.h"
#include "files/HistoryStore.h"
#include "pages/DataPage.h"
#include "support/DataHarness.h"
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
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::DataHarness;
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
        const QString ini =
            dir.writeIni(DataHarness::readFile(ZOZ_SOURCE_DIR "/resources/zozedud.Ini"));
        for (auto [section, key, value] : {std::tuple{"Main", "Language", "ENG"},
                                           {"Main", "RequestStatus", "no"},
                                           {"Main", "RequestData", "no"},
                                           {"Main", "Debug", "yes"},
                                           {"Comm", "TimerInterval", "20"},
                                           {"History", "Keep", "3"}})
            SetIniValue(ini, section, key, value);
        SetIniValue(ini, "Comm", "Port", sim.device());
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
    static bool spinUntil(const std::function<bool()>& pred) {
        return QTest::qWaitFor(pred, 15000);
    }
    QList<HistoryEntry> history() { return app->editorHistory().historyStore().entries(); }
};

TEST_F(EditorHistoryTest, EditsAreCountedAndMarkedUntilTheControllerConfirmsTheSend) {
    EXPECT_EQ(status(), "controller's data unknown");
    click("Toolbar1_6"); // receive, after the question
    ASSERT_TRUE(spinUntil([&] { return app->editorHistory().controllerCopy().known(); }));
    ASSERT_TRUE(spinUntil([&] { return history().size() == 1; }));
    EXPECT_EQ(status(), "in step with the controller");
    EXPECT_EQ(history()[0].direction, HistoryEntry::Direction::Received);
    EXPECT_EQ(DataSetImage::Write(history()[0].data),
              DataSetImage::Write(app->dataStore().DataSet));

    // The report from the extras menu, saved under the name the dialog proposes, names the
    // controller's port as its source and holds every channel name received.
    QTimer saver;
    QObject::connect(&saver, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
            static_cast<QDialog*>(dialog)->accept();
    });
    saver.start(20);
    auto* report = app->mainWindow().findChild<QAction*>("actReportPdf");
    ASSERT_TRUE(app->mainWindow().findChild<QMenu*>("mnuExtras")->actions().contains(report));
    QTimer::singleShot(0, report, &QAction::trigger);
    ASSERT_TRUE(spinUntil([&] { return QFile::exists(dir.path("zozedud.pdf")); }));
    QProcess pdftotext;
    pdftotext.start("pdftotext", {dir.path("zozedud.pdf"), "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(20000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_TRUE(text.contains("QPL on port " + sim.device())) << text.left(300).toStdString();
    for (int g = 1; g <= DataSet::GroupCount; ++g)
        for (int i = 1; i <= DataSet::GroupSize[g]; ++i) {
            const QString name = app->dataStore().DataSet.ChannelName(g, i).trimmedRight();
            EXPECT_TRUE(!name.trimmed().isEmpty() && text.contains(name)) << g << "/" << i;
        }
    saver.stop();

    type(2, "txtInputDigital_1", "Snare");
    toggle(6, "chkMachSource03_4");
    choose(4, "cmbVolume", 2);
    QTest::qWait(50);
    const QString pending = status();
    EXPECT_TRUE(pending.endsWith(" changes not sent")) << pending.toStdString();
    EXPECT_GE(pending.section(' ', 0, 0).toInt(), 3);
    for (auto [page, name] :
         {std::pair{2, "txtInputDigital_1"}, {6, "chkMachSource03_4"}, {4, "cmbVolume"}})
        EXPECT_TRUE(marked(page, name)) << name;
    EXPECT_TRUE(control(2, "txtInputDigital_1")->toolTip().contains("Dig 02"));
    EXPECT_FALSE(marked(2, "txtInputDigital_2"));

    // The controller answers with a wrong checksum: nothing changes.
    sim.command("fault badsum");
    click("Toolbar1_5");
    ASSERT_FALSE(sim.waitFor("RX 85", 15000).isEmpty());
    ASSERT_TRUE(spinUntil([&] { return boxes.filter("Checksum").size() == 1; }));
    EXPECT_EQ(status(), pending);
    EXPECT_EQ(history().size(), 1);

    // The right one: in step, marks gone, the sent set in the history byte for byte.
    click("Toolbar1_5");
    ASSERT_TRUE(spinUntil([&] { return status() == "in step with the controller"; }));
    EXPECT_FALSE(marked(2, "txtInputDigital_1"));
    EXPECT_FALSE(marked(6, "chkMachSource03_4"));
    ASSERT_TRUE(spinUntil([&] { return history().size() == 2; }));
    EXPECT_EQ(history()[0].direction, HistoryEntry::Direction::Sent);
    EXPECT_EQ(DataSetImage::Write(history()[0].data), DataSetImage::Write(tracker().editorSet()));

    const QList<HistoryEntry> kept = history();
    // The window lists them newest first against an edited editor; the sent one loads back.
    type(2, "txtInputDigital_1", "Other");
    app->editorHistory().showHistory();
    HistoryWindow& window = app->editorHistory().historyWindow();
    auto* rows = window.findChild<QTreeWidget*>("lstHistory");
    ASSERT_EQ(rows->topLevelItemCount(), 2);
    EXPECT_EQ(rows->topLevelItem(1)->text(0), kept[1].time.toString("yyyy-MM-dd HH:mm:ss"));
    EXPECT_EQ(rows->topLevelItem(0)->text(2), "1"); // the one field typed since the send
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                      rows->visualItemRect(rows->topLevelItem(0)).center());
    QTest::mouseClick(window.findChild<QPushButton*>("cmdHistoryLoad"), Qt::LeftButton);
    ASSERT_TRUE(spinUntil([&] { return tracker().editorSet() == kept[0].data; }));
    EXPECT_FALSE(boxes.filter(QFileInfo(kept[0].filePath).fileName()).isEmpty());
    EXPECT_EQ(qobject_cast<QLineEdit*>(control(2, "txtInputDigital_1"))->text(), "Snare");
    EXPECT_EQ(rows->topLevelItem(0)->text(2), "0");
}

// One edit of every kind of control; the compare window names each in the pages' terms with the
// editor's value first. Taking the rows back makes the editor the controller's copy again.
TEST_F(EditorHistoryTest, CompareRowsNameEveryKindOfEditAndTakeThemBack) {
    // The history cannot be written here: one red protocol line, the exchange goes on.
    QFile blocker(app->editorHistory().historyStore().folder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    click("Toolbar1_6");
    ASSERT_TRUE(spinUntil([&] { return status() == "in step with the controller"; }));
    ASSERT_TRUE(spinUntil(
        [&] { return app->protoWindow().txtProto()->text().contains("History not kept: "); }));
    EXPECT_TRUE(boxes.filter("History").isEmpty());
    const DataSet received = tracker().editorSet();
    app->chooser().setModalRunner([](ChooseDialog& dialog) {
        QListWidget* list = dialog.lstChoose();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(2)).center());
        QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
    });
    type(2, "txtInputAdat_2", "Vox 1");
    QTest::mouseClick(control(3, "txtInputA_0"), Qt::LeftButton);
    showPage(5);
    QTest::mouseClick(control(5, "txtInput_1"), Qt::LeftButton);
    toggle(4, "chkMonMode_1");
    toggle(6, "chkMachSource03_4");
    choose(6, "cmbChannels", 0);
    showPage(7);
    QTest::mouseClick(control(7, "ToolbarPart01_2")->findChild<QWidget*>("Button2"),
                      Qt::LeftButton);
    QTest::qWait(50);

    app->editorHistory().showCompare();
    auto* rows = app->editorHistory().compareWindow().findChild<QTreeWidget*>("lstCompare");
    QStringList shown;
    for (int i = 0; i < rows->topLevelItemCount(); ++i) {
        QStringList columns;
        for (int c = 0; c < 5; ++c)
            columns << rows->topLevelItem(i)->text(c);
        shown << columns.join(" | ");
    }
    const QStringList expected = {
        "Names | ADAT inputs | ADAT input 3 | Vox 1 | Adat 3",
        "Layer | Layer A | Channel 1 / 2 | Digital input 5 'Dig 05' | not defined",
        "Monitor | Monitor | Mode: Stereo | off | on",
        "Monitor | Monitor | Mode: Mono | on | off",
        "GPIO | GPIO Inputs | Input 2 | 3 Mute monitor | not defined",
        "Editor | Machine sources | Source 03 D | on | off",
        "Editor | Channels | Mode | Two channels | Four channels",
        "SnapShot | Configurations | Config 3 Switch 2 | on | off"};
    EXPECT_EQ(shown, expected) << shown.join("\n").toStdString();

    rows->selectAll();
    QTest::mouseClick(
        app->editorHistory().compareWindow().findChild<QPushButton*>("cmdCompareTake"),
        Qt::LeftButton);
    EXPECT_TRUE(tracker().editorSet() == received);
    EXPECT_EQ(status(), "in step with the controller");
    EXPECT_EQ(rows->topLevelItemCount(), 0);
    EXPECT_EQ(app->editorHistory().compareWindow().findChild<QLabel*>("lblCompareResult")->text(),
              "The two data sets are identical.");

    // A data file of another length is a version conflict and compares nothing.
    app->editorHistory().compareWindow().compareWithFile(
        dir.write("odd.DAT", QByteArray(DataSetImage::Size + 1, '\0')));
    ASSERT_FALSE(boxes.isEmpty());
    EXPECT_TRUE(boxes.last().contains("Version conflict: The file '"))
        << boxes.last().toStdString();
}

// Edits on two pages are undone and redone by the keys, step by step, without a word to the
// controller; a whole-set change is one step of its own.
TEST_F(EditorHistoryTest, UndoAndRedoWalkTheStepsAcrossPages) {
    auto* name = qobject_cast<QLineEdit*>(control(2, "txtInputAdat_2"));
    auto* source = qobject_cast<QAbstractButton*>(control(6, "chkMachSource03_4"));
    const QString nameBefore = name->text();
    const bool sourceBefore = source->isChecked();
    auto* undo = app->mainWindow().findChild<QAction*>("actUndo");
    type(2, "txtInputAdat_2", "Vox 1");
    QTest::qWait(20);
    EXPECT_EQ(undo->text(), "Undo: ADAT inputs, ADAT input 3 (page Names)");
    toggle(6, "chkMachSource03_4");
    QTest::qWait(20);

    type(2, "txtInputAdat_2", "Vox 2"); // the focus is in a text box: the keys are still ours
    auto key = [&](Qt::Key k, Qt::KeyboardModifiers m) {
        QTest::keyClick(QApplication::focusWidget(), k, m);
        QTest::qWait(20);
    };
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* name;
        bool source;
    } walk[] = {{Qt::Key_Z, Qt::ControlModifier, "Vox 1", !sourceBefore},
                {Qt::Key_Z, Qt::ControlModifier, "Vox 1", sourceBefore},
                {Qt::Key_Z, Qt::ControlModifier, nullptr, sourceBefore},
                {Qt::Key_Y, Qt::ControlModifier, "Vox 1", sourceBefore},
                {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "Vox 1", !sourceBefore},
                {Qt::Key_Y, Qt::ControlModifier, "Vox 2", !sourceBefore}};
    for (const auto& step : walk) {
        key(step.key, step.modifiers);
        EXPECT_EQ(name->text(), step.name ? QString::fromLatin1(step.name) : nameBefore);
        EXPECT_EQ(source->isChecked(), step.source);
    }
    EXPECT_TRUE(sim.quietFor("RX", 200));

    // A reset is one step; undoing it brings every edit back.
    click("Toolbar1_3");
    ASSERT_TRUE(spinUntil([&] { return name->text() != "Vox 2"; }));
    EXPECT_TRUE(undo->text().endsWith("editor reset")) << undo->text().toStdString();
    undo->trigger();
    EXPECT_EQ(name->text(), "Vox 2");
    EXPECT_EQ(source->isChecked(), !sourceBefore);

    // 201 more steps are all there to undo, and the ones before them too.
    showPage(6);
    for (int i = 0; i < 201; ++i) {
        QTest::mouseClick(source, Qt::LeftButton, {}, QPoint(8, source->height() / 2));
        QTest::qWait(1);
    }
    EXPECT_EQ(source->isChecked(), sourceBefore);
    for (int i = 0; i < 201; ++i)
        undo->trigger();
    EXPECT_EQ(source->isChecked(), !sourceBefore);
    EXPECT_TRUE(undo->isEnabled());
}

// The picker finds a second simulator typed as a path and a third that stays silent, switches the
// editor over and survives a port that has vanished.
TEST_F(EditorHistoryTest, PortPickerFindsTheAnsweringControllerAndReopensThePortOnTheChosenOne) {
    SimProcess other, silent({"--do", "fault noanswer 9"});
    const QString ini = dir.ini();
    auto* action = app->mainWindow().findChild<QAction*>("actPortPicker");
    action->trigger();
    auto* picker = app->mainWindow().findChild<QDialog*>("frmPortPicker");
    ASSERT_TRUE(picker && picker->isVisible());
    auto* list = picker->findChild<QTreeWidget*>("lstPorts");
    auto* path = picker->findChild<QLineEdit*>("txtPortPath");
    auto press = [picker](const char* button) {
        QTest::mouseClick(picker->findChild<QPushButton*>(button), Qt::LeftButton);
    };
    auto state = [&](const QString& device) {
        const auto rows = list->findItems(device, Qt::MatchExactly);
        return rows.isEmpty() ? QString("<no row>") : rows[0]->text(2);
    };
    auto text = [&](const char* key) { return app->texts().message(key); };
    // The configured port is shown although the system does not list ptys.
    EXPECT_EQ(state(sim.device()), text("PortPicker_Configured") + ", " + text("PortPicker_InUse"));
    for (SimProcess* typed : {&other, &silent}) {
        path->clear();
        QTest::keyClicks(path, typed->device());
        press("cmdFindController");
    }
    EXPECT_EQ(state(other.device()), text("PortPicker_Answers"));
    EXPECT_EQ(state(silent.device()), text("PortPicker_NoAnswer"));
    EXPECT_TRUE(silent.waitFor("RX 80").startsWith("RX 80"));
    EXPECT_TRUE(sim.quietFor("RX 80", 100)) << "the editor's own port is not probed";

    list->setCurrentItem(list->findItems(other.device(), Qt::MatchExactly).value(0));
    press("cmdChoose");
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(GetIniValue(ini, "Comm", "Port", ""), other.device());
    other.command("send 80");
    EXPECT_EQ(other.waitFor("RX 81"), "RX 81 ") << "the editor answers on the chosen port";

    // A port that vanished is reported; the previous one comes back, in the file and open.
    action->trigger();
    path->setText(dir.path("vanished"));
    boxes.clear();
    press("cmdChoose");
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0], Startup::FailureText(31, false));
    EXPECT_EQ(GetIniValue(ini, "Comm", "Port", ""), other.device());
    EXPECT_EQ(app->serialPort().deviceName(), other.device());
    EXPECT_TRUE(app->serialPort().isOpen() && picker->isVisible());
}

} // namespace
