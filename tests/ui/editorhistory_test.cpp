// The editor's status, marks, history, compare window, undo and port picker against the controller.
#include "ui/Application.h"

#include "dataset/DataSetImage.h"
#include "dataset/FieldCatalog.h"
#include "dataset/HexCodec.h"
#include "files/HistoryOrigins.h"
#include "files/HistoryStore.h"
#include "pages/DataPage.h"
#include "settings/IniFile.h"
#include "support/CliRun.h"
#include "support/ProgramFolder.h"
#include "support/QtPrinters.h"
#include "support/SimProcess.h"
#include "ui/ChangeTracker.h"
#include "ui/CompareWindow.h"
#include "ui/HistoryWindow.h"
#include "widgets/ChooseDialog.h"
#include "widgets/ProtoTextBox.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::SimProcess;

namespace {

// The simulator's own data set with the monitor volume (list index + 1) and the first name set.
QStringList simSet(test::ProgramFolder& dir, char volume, const char* name) {
    return SimProcess::withDataSet(
        dir.path(QStringLiteral("sim-%1.hex").arg(name)),
        {{1, QByteArray(name).leftJustified(8, ' ')}, {346, QByteArray(1, volume)}});
}

// Visible controls of a window lying on one another: one left out of the layout.
QStringList overlapping(const QWidget* window) {
    const QList<QWidget*> all = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QStringList pairs;
    for (int i = 0; i < all.size(); ++i)
        for (int j = i + 1; j < all.size(); ++j)
            if (all[i]->isVisible() && all[j]->isVisible() &&
                all[i]->geometry().intersects(all[j]->geometry()))
                pairs << all[i]->objectName() + " on " + all[j]->objectName();
    return pairs;
}

class EditorHistoryTest : public ::testing::Test {
protected:
    test::ProgramFolder dir;
    SimProcess sim{simSet(dir, 33, "Dig 01")}; // every value one the pages can show
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
        start();
    }

    void start() {
        // A child editor of a test runs on that test's program folder.
        const QString folder = qEnvironmentVariable("ZOZ_EDIT_IN", dir.dir.path());
        app = std::make_unique<Application>(Application::Options{folder + "/zozedud", [] {}});
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
    static void press(QWidget* window, const char* button) {
        QTest::mouseClick(window->findChild<QPushButton*>(button), Qt::LeftButton);
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
        settle(); // the change is taken in a posted call
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
    static bool spinUntil(const std::function<bool()>& f) { return QTest::qWaitFor(f, 10000); }
    // Until the calls posted so far (the tracker's check of an edit) have run: posted calls run
    // in order, so a mark posted now runs after them.
    static void settle() {
        bool ran = false;
        QTimer::singleShot(0, [&ran] { ran = true; });
        ASSERT_TRUE(spinUntil([&ran] { return ran; }));
    }
    void receive() {
        click("Toolbar1_6"); // after the question
        ASSERT_TRUE(spinUntil([&] { return status() == "in step with the controller"; }));
    }
    CompareWindow& showCompare() {
        settle();
        app->editorHistory().showCompare();
        CompareWindow& compare = app->editorHistory().compareWindow();
        compare.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&compare));
        return compare;
    }
    QAbstractItemView* compareView() {
        return app->editorHistory().compareWindow().findChild<QAbstractItemView*>("lstCompare");
    }
    // The rows' columns from `first` on, joined.
    QStringList compareRows(const char* joint = "|", int first = 2) {
        QStringList rows;
        const QAbstractItemModel* model = compareView()->model();
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList row;
            for (int c = first; c < 5; ++c)
                row << model->index(r, c).data().toString();
            rows << row.join(QString::fromLatin1(joint));
        }
        return rows;
    }
    void clickRow(const QString& item, Qt::KeyboardModifiers keys = {}) {
        QAbstractItemView* view = compareView();
        const QModelIndexList found = view->model()->match(
            view->model()->index(0, 2), Qt::DisplayRole, item, -1, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << item.toStdString();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, keys,
                          view->visualRect(found[0]).center());
    }
    QList<HistoryEntry> history() { return app->editorHistory().historyStore().entries(); }
    // A set's image without the configuration file names: the editor's own, no send carries them.
    static QByteArray sendable(DataSet set) {
        set.SnapShot.SnapShotFile.fill(FileText());
        set.SnapShot.SnapShotGroupFile = FileText();
        return DataSetImage::Write(set);
    }
    // The history's entries of one direction, newest first.
    QList<HistoryEntry> history(HistoryEntry::Direction direction) {
        QList<HistoryEntry> entries = history();
        entries.removeIf([&](const HistoryEntry& e) { return e.direction != direction; });
        return entries;
    }
};

TEST_F(EditorHistoryTest, EditsAreCountedAndMarkedUntilTheControllerConfirmsTheSend) {
    click("Toolbar1_6"); // receive, after the question
    ASSERT_TRUE(spinUntil([&] { return history().size() == 1; }));
    EXPECT_EQ(status(), "in step with the controller");
    EXPECT_TRUE(history()[0].data == app->editorHistory().controllerCopy().dataSet());
    // The report's header says what the data is, as the status field does.
    auto report = [this](auto variant) { return app->reportActions().request(variant); };
    EXPECT_TRUE(report(ConfigReport::Variant::Whole).source.startsWith("As on the QPL (received "));

    type(2, "txtInputDigital_1", "Snare");
    toggle(6, "chkMachSource03_4");
    choose(4, "cmbVolume", 2);
    // The FBox page's keys have the GPIO page's object names: the mark goes to the FBox's own.
    showPage(5);
    app->chooser().setModalRunner([](ChooseDialog& dialog) {
        dialog.lstChoose()->setCurrentRow(2);
        press(&dialog, "cmdOk");
    });
    showPage(8);
    QTest::mouseClick(control(8, "txtInput_0"), Qt::LeftButton);
    settle();
    const QString pending = status();
    EXPECT_GE(pending.section(' ', 0, 0).toInt(), 4) << pending.toStdString();
    const std::pair<int, const char*> edited[] = {
        {2, "txtInputDigital_1"}, {6, "chkMachSource03_4"}, {4, "cmbVolume"}, {8, "txtInput_0"}};
    for (auto [page, name] : edited)
        EXPECT_TRUE(marked(page, name)) << name;
    EXPECT_FALSE(marked(2, "txtInputDigital_2") || marked(5, "txtInput_0"));
    const ConfigReport::Request request = report(ConfigReport::Variant::FromController);
    EXPECT_EQ(request.source, "Editor data, " + pending);
    EXPECT_TRUE(request.sourceDetail.startsWith("QPL's data received ") &&
                request.sourceDetail.endsWith(" on port " + sim.device()))
        << request.sourceDetail.toStdString();
    EXPECT_TRUE(request.base == history()[0].data);
    // "Report as PDF" of only what differs from the controller: chosen in the selection dialog,
    // then the file named in the save dialog.
    app->chooser().setModalRunner([](ChooseDialog& dialog) {
        dialog.lstChoose()->setCurrentRow(dialog.lstChoose()->count() - 1);
        press(&dialog, "cmdOk");
    });
    const QString pdf = dir.path("diff.pdf");
    QTimer::singleShot(0, [&] {
        if (!QTest::qWaitFor(
                [] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); }))
            return;
        auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        files->selectFile(pdf);
        static_cast<QDialog*>(files)->accept();
    });
    const QString chooserTitle = app->chooser().windowTitle();
    app->mainWindow().findChild<QAction*>("actReportPdf")->trigger();
    app->chooser().setModalRunner({});
    EXPECT_EQ(app->chooser().windowTitle(), chooserTitle); // the channel chooser's again
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(pdftotext.waitForFinished());
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput())
                             .normalized(QString::NormalizationForm_KC); // no ligatures
    EXPECT_TRUE(text.contains("Editor data, " + pending)) << text.toStdString();
    EXPECT_TRUE(text.contains("Only what differs from the QPL's data"));
    EXPECT_TRUE(QRegularExpression("Digital input 2 +Snare +Dig 02").match(text).hasMatch());
    EXPECT_FALSE(text.contains("Dig 01") || text.contains("Dig 03")) << text.toStdString();

    sim.command("fault badsum"); // the answer's checksum is wrong: nothing changes
    ASSERT_FALSE(sim.waitFor("OK fault").isEmpty()); // armed before the send, not after
    click("Toolbar1_5");
    ASSERT_TRUE(spinUntil([&] { return boxes.filter("Checksum").size() == 1; }));
    EXPECT_EQ(status(), pending);
    EXPECT_EQ(history().size(), 1);

    // The right one: in step, the sent set in the history byte for byte.
    QString payload; // the controller's status texts, kept with the history's entries
    for (const char* t : {"QPL", "SN 7", "QPL SW V2.01", "", "", ""})
        payload += "20" + StrToHex(QString::fromLatin1(t).leftJustified(32));
    sim.command("send 83 " + payload);
    ASSERT_TRUE(
        spinUntil([&] { return !app->dataStore().StatusText[3].trimmedRight().isEmpty(); }));
    click("Toolbar1_5");
    ASSERT_TRUE(spinUntil([&] { return status() == "in step with the controller"; }));
    EXPECT_FALSE(marked(2, "txtInputDigital_1")); // the send took the mark away
    ASSERT_TRUE(spinUntil([&] { return history().size() == 2; }));
    EXPECT_TRUE(report(ConfigReport::Variant::Whole).source.startsWith("As on the QPL (sent "));
    EXPECT_EQ(DataSetImage::Write(history()[0].data), DataSetImage::Write(tracker().editorSet()));

    const QList<HistoryEntry> kept = history();
    // The window lists them newest first against an edited editor; the sent one loads back.
    type(2, "txtInputDigital_1", "Other");
    app->mainWindow().findChild<QAction*>("actHistory")->trigger();
    HistoryWindow& window = app->editorHistory().historyWindow();
    auto* rows = window.findChild<QTreeWidget*>("lstHistory");
    ASSERT_EQ(rows->topLevelItemCount(), 2);
    // Each row names its controller; the filter shows one controller's rows.
    EXPECT_EQ(rows->topLevelItem(0)->text(3), sim.device());
    EXPECT_EQ(rows->topLevelItem(0)->toolTip(3), "QPL | SN 7 | QPL SW V2.01");
    HistoryOrigins(app->editorHistory().historyStore().folder())
        .record(kept[1].filePath, {"B", {}});
    window.reload();
    auto* filter = window.findChild<QComboBox*>("cboHistoryController");
    ASSERT_EQ(filter->count(), 3); // all, B, the simulator
    filter->setCurrentIndex(filter->findText("B"));
    EXPECT_TRUE(rows->topLevelItem(0)->isHidden());
    EXPECT_FALSE(rows->topLevelItem(1)->isHidden());
    filter->setCurrentIndex(0);
    EXPECT_EQ(rows->currentItem(), rows->topLevelItem(0)); // the newest shown row
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                      rows->visualItemRect(rows->topLevelItem(0)).center());
    press(&window, "cmdHistoryCompare"); // the edited editor against the chosen entry
    ASSERT_TRUE(spinUntil([&] { return compareView() && compareView()->model()->rowCount(); }));
    auto* title = app->editorHistory().compareWindow().findChild<QLabel*>("lblCompareTitle");
    const QString entry = title->text();
    QTest::keyClick(compareView(), Qt::Key_Return); // presses no button: still the entry
    EXPECT_EQ(title->text(), entry);
    EXPECT_EQ(compareRows(), QStringList("Digital input 2|Other|Snare"));
    boxes.clear();
    press(&window, "cmdHistoryLoad");
    ASSERT_TRUE(spinUntil([&] { return tracker().editorSet() == kept[0].data; }));
    QString question = app->texts().message("QueryReadData");
    EXPECT_EQ(boxes, QStringList(ReplaceParams(question, kept[0].filePath)));
    // An entry whose file went meanwhile: a box says it cannot be read, to load or to compare.
    ASSERT_TRUE(QFile::remove(kept[1].filePath));
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                      rows->visualItemRect(rows->topLevelItem(1)).center());
    for (const char* button : {"cmdHistoryLoad", "cmdHistoryCompare"})
        press(&window, button);
    EXPECT_TRUE(spinUntil([&] { return boxes.filter("cannot be read").size() == 2; }))
        << boxes.join(" | ").toStdString();
}

// Each kind of control edited: the compare rows name it (editor's value first) and take it back.
TEST_F(EditorHistoryTest, CompareRowsNameEveryKindOfEditAndTakeThemBack) {
    // The history cannot be written: a protocol line, and the exchange goes on.
    ASSERT_TRUE(QFile(app->editorHistory().historyStore().folder()).open(QIODevice::WriteOnly));
    receive();
    ASSERT_TRUE(spinUntil(
        [&] { return app->protoWindow().txtProto()->text().contains("History not kept: "); }));
    const DataSet received = tracker().editorSet();
    app->chooser().setModalRunner([](ChooseDialog& dialog) {
        QListWidget* list = dialog.lstChoose();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(2)).center());
        press(&dialog, "cmdOk");
    });
    type(2, "txtInputAdat_2", "Vox 1");
    QTest::mouseClick(control(3, "txtInputA_0"), Qt::LeftButton);
    toggle(4, "chkMonMode_1");
    toggle(6, "chkMachSource03_4");
    choose(6, "cmbChannels", 0);
    showPage(7);
    QTest::mouseClick(control(7, "ToolbarPart01_2")->findChild<QWidget*>("Button2"),
                      Qt::LeftButton);
    settle();

    CompareWindow& compare = showCompare();
    EXPECT_EQ(overlapping(&compare), QStringList());
    EXPECT_EQ(compare.windowTitle(), app->texts().message("Compare.Caption"));
    const QStringList expected = {
        "Names | ADAT inputs | ADAT input 3 | Vox 1 | Adat 3",
        "Layer | Layer A | Channel 1 / 2 | Digital input 5 'Dig 05' | not defined",
        "Monitor | Monitor | Mode | Mono | Stereo",
        "Editor | Machine sources | Source 03 D | on | off",
        "Editor | Channels | Mode | Two channels | Four channels",
        "SnapShot | Configurations | Config 3 Switch 2 | on | off"};
    EXPECT_EQ(compareRows(" | ", 0), expected);
    const QString header = compareView()->model()->headerData(4, Qt::Horizontal).toString();
    EXPECT_TRUE(header.startsWith("QPL, received ")) << header.toStdString();

    press(&compare, "cmdCompareTakeAll");
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
    settle();
    toggle(6, "chkMachSource03_4");

    type(2, "txtInputAdat_2", "Vox 2"); // the focus is in a text box: the keys are still ours
    settle();
    EXPECT_EQ(undo->text(), "Undo: ADAT inputs, ADAT input 3 (page Names)"); // names its step
    // keys, the name then (nullptr: as before), the source box then
    const std::tuple<const char*, const char*, bool> walk[] = {
        {"Ctrl+Z", "Vox 1", !sourceBefore},       {"Ctrl+Z", "Vox 1", sourceBefore},
        {"Ctrl+Z", nullptr, sourceBefore},        {"Ctrl+Y", "Vox 1", sourceBefore},
        {"Ctrl+Shift+Z", "Vox 1", !sourceBefore}, {"Ctrl+Y", "Vox 2", !sourceBefore}};
    for (const auto& [keys, named, checked] : walk) {
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(keys));
        settle();
        EXPECT_EQ(name->text(), named ? QString::fromLatin1(named) : nameBefore);
        EXPECT_EQ(source->isChecked(), checked);
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
    EXPECT_EQ(overlapping(picker), QStringList());
    for (QPushButton* button : picker->findChildren<QPushButton*>())
        EXPECT_FALSE(button->text().isEmpty()) << button->objectName().toStdString();
    auto* list = picker->findChild<QTreeWidget*>("lstPorts");
    auto* path = picker->findChild<QLineEdit*>("txtPortPath");
    QStringList states;
    bool chooseWhileProbing = true;
    QTimer::singleShot(100, picker, [&] {
        chooseWhileProbing = picker->findChild<QPushButton*>("cmdChoose")->isEnabled();
    });
    for (SimProcess* typed : {&other, &silent}) {
        path->setText(typed->device());
        press(picker, "cmdFindController");
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
    QTreeWidgetItem* saved = list->findItems("Over TCP", Qt::MatchExactly).value(0);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->text(1), tcp);
    EXPECT_EQ(saved->text(2), app->texts().message("PortPicker_Answers"));
    // Cancel ends a search at once: no row stays "testing", the dialog stays.
    press(picker, "cmdFindController");
    press(picker, "cmdCancel");
    EXPECT_TRUE(list->findItems(app->texts().message("PortPicker_Testing"), Qt::MatchContains, 2)
                    .isEmpty());
    EXPECT_TRUE(picker->isVisible());
    EXPECT_FALSE(chooseWhileProbing);
    EXPECT_TRUE(sim.quietFor("RX 80", 100)) << "the editor's own port is not probed";
    list->setCurrentItem(saved); // a saved connection can be deleted, from the list and the file
    press(picker, "cmdDeleteConnection");
    EXPECT_TRUE(list->findItems("Over TCP", Qt::MatchExactly).isEmpty());
    EXPECT_EQ(GetIniValue(dir.ini(), "Connections", "Over TCP", tcp), "");

    list->setCurrentItem(list->findItems(other.device(), Qt::MatchExactly).value(0));
    list->setFocus(); // as a click on the row does: Find is no longer the default button
    QTest::keyClick(list, Qt::Key_Return); // Enter chooses
    // The receive it offered there (answered yes) is done; then it answers there.
    ASSERT_TRUE(
        spinUntil([&] { return app->editorHistory().controllerCopy().port() == other.device(); }));
    other.command("send 80");
    EXPECT_EQ(other.waitFor("RX 81"), "RX 81 ") << "the editor answers on the chosen port";

    // No path chooses nothing; a vanished port is reported with its step; the previous one stays,
    // in the file and open.
    action->trigger();
    boxes.clear();
    path->clear();
    press(picker, "cmdChoose");
    EXPECT_TRUE(boxes.isEmpty() && picker->isVisible());
    path->setText(dir.path("vanished"));
    press(picker, "cmdChoose");
    EXPECT_EQ(boxes, QStringList(Startup::FailureText(31, false)));
    EXPECT_EQ(GetIniValue(dir.ini(), "Comm", "Port", ""), other.device());
    EXPECT_TRUE(app->serialPort().isOpen() && app->serialPort().deviceName() == other.device());
}

// Another port makes the copy unknown at once and offers a receive. A volume the Monitor page
// cannot show (index 60) is kept as it came, marked and counted as a change not sent; the edits
// the receive replaced stay in the history.
TEST_F(EditorHistoryTest, AnotherPortIsUnknownUntilReceivedAndAnUnshowableValueCountsAsUnsent) {
    SimProcess other(simSet(dir, 61, "Other 1"));
    receive();
    type(2, "txtInputAdat_2", "Vox 7");
    settle();
    EXPECT_EQ(status(), "1 change not sent");

    boxes.clear();
    ASSERT_TRUE(app->ChangePort(other.device()));
    EXPECT_EQ(status(), "controller's data unknown");
    int offered = 0; // a report offers no comparison with an unknown controller
    app->chooser().setModalRunner([&](ChooseDialog& dialog) {
        offered = dialog.lstChoose()->count();
        press(&dialog, "cmdCancel");
    });
    app->mainWindow().findChild<QAction*>("actReportPdf")->trigger();
    app->chooser().setModalRunner({});
    EXPECT_EQ(offered, 2);
    using Direction = HistoryEntry::Direction;
    ASSERT_TRUE(spinUntil([&] { return history(Direction::Received).size() == 2; }));
    QString question = app->texts().message("QueryReceiveNewPort");
    EXPECT_EQ(boxes.value(0), ReplaceParams(question, other.device()));
    EXPECT_EQ(app->editorHistory().controllerCopy().port(), other.device());
    EXPECT_EQ(status(), "1 change not sent");
    EXPECT_TRUE(marked(4, "cmbVolume"));
    EXPECT_TRUE(control(4, "cmbVolume")->toolTip().endsWith(": #60"));
    app->editorHistory().showCompare();
    EXPECT_EQ(app->editorHistory().compareWindow().findChild<QLabel*>("lblCompareResult")->text(),
              "1 difference");

    ASSERT_TRUE(!history().isEmpty() && history()[0].direction == Direction::Unsent);
    const QList<HistoryEntry> unsent = history(Direction::Unsent);
    EXPECT_TRUE(std::any_of(unsent.cbegin(), unsent.cend(), [](const HistoryEntry& e) {
        return e.data.ChannelName(3, 3).trimmedRight() == "Vox 7";
    }));
    app->serialPort().ClosePort(); // the tool opens it itself
    ASSERT_NE(
        test::runCli(dir.ini(), {"--port", other.device(), "receive", dir.path("r.DAT")}).exitCode,
        -1);
    const HistoryEntry arrived = history(Direction::Received).value(0);
    // The configuration file names are each program's own; all else is what the controller sent.
    DataSet tool;
    ASSERT_TRUE(DataSetImage::Read(dir.read("r.DAT"), tool));
    EXPECT_EQ(sendable(arrived.data), sendable(tool));
    EXPECT_EQ(arrived.data.Monitor.MonVolume, 60);
}

// A run killed with SIGKILL has its unsent edits in the history within seconds; the next start
// says so once in the status bar, and the history window lists them first. The killed editor is
// a child process (this test again) on this test's program folder: nothing of its end runs.
TEST_F(EditorHistoryTest, UnsentEditsOutliveAKillAndComeFirstAtTheNextStart) {
    if (qEnvironmentVariableIsSet("ZOZ_EDIT_IN")) {
        type(2, "txtInputAdat_2", "Vox 8");
        QTest::qWait(60000); // until killed
        return;
    }
    app.reset();
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZOZ_EDIT_IN", dir.dir.path());
    env.insert("TMPDIR", dir.dir.path()); // the child's own folders go with this one
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=EditorHistoryTest.UnsentEditsOutliveAKill*"});
    HistoryStore store(HistoryStore::folderIn(dir.dir.path()));
    ASSERT_TRUE(spinUntil([&] { return !store.entries().isEmpty(); }));
    child.kill(); // SIGKILL
    ASSERT_TRUE(child.waitForFinished(5000) && child.exitStatus() == QProcess::CrashExit);
    const DataSet edited = store.entries()[0].data;
    EXPECT_EQ(edited.ChannelName(3, 3).trimmedRight(), "Vox 8");
    start();
    const QString bar = app->mainWindow().statusText();
    EXPECT_EQ(bar.count(app->texts().message("History_UnsentKept").section('&', 0, 0)), 1)
        << bar.toStdString();
    EXPECT_TRUE(boxes.isEmpty());
    app->editorHistory().showHistory();
    HistoryWindow& window = app->editorHistory().historyWindow();
    auto* rows = window.findChild<QTreeWidget*>("lstHistory");
    ASSERT_GE(rows->topLevelItemCount(), 1);
    EXPECT_EQ(rows->topLevelItem(0)->text(1), "not sent");
    press(&window, "cmdHistoryLoad");
    ASSERT_TRUE(spinUntil([&] { return tracker().editorSet() == edited; }));

    // The end keeps what was typed just before it, without waiting.
    type(2, "txtInputAdat_2", "Vox 9");
    app->shutdown().QueryEndProg(false);
    const DataSet kept = history(HistoryEntry::Direction::Unsent).value(0).data;
    EXPECT_EQ(kept.ChannelName(3, 3).trimmedRight(), "Vox 9");
}

// Compare follows every take, undo, redo and edit: it paints each difference once, an option
// group as one row, counts them, and a click on a row selects the field that row names.
TEST_F(EditorHistoryTest, CompareStaysLiveThroughTakeUndoRedoAndEdits) {
    receive();
    type(2, "txtInputAdat_2", "Vox 1");
    toggle(4, "chkMonMode_1");
    toggle(6, "chkMachSource03_4");
    CompareWindow& compare = showCompare();
    QAbstractItemView* view = compareView();
    auto keys = [&](const char* k) { QTest::keySequence(view, QKeySequence(k)); };
    QString chosen; // the row clicked last stays chosen through a refresh
    auto takeMode = [&] { clickRow("Mode"), press(&compare, "cmdCompareTake"), chosen.clear(); };
    const QString name = "ADAT input 3|Vox 1|Adat 3", mode = "Mode|Mono|Stereo",
                  source = "Source 03 D|on|off";
    const struct {
        std::function<void()> act;
        QStringList rows;
        const char* result;
    } steps[] = {
        {[] {}, {name, mode, source}, "3 differences"},
        {takeMode, {name, source}, "2 differences"},
        {[&] { keys("Ctrl+Z"); }, {name, mode, source}, "3 differences"},
        {[&] { keys("Ctrl+Shift+Z"); }, {name, source}, "2 differences"},
        {[&] { type(2, "txtInputAdat_2", "Adat 3"); }, {source}, "1 difference"},
        {[&] { press(&compare, "cmdCompareTakeAll"); }, {}, "The two data sets are identical."}};
    for (const auto& step : steps) {
        step.act();
        EXPECT_TRUE(spinUntil([&] { return compareRows() == step.rows; }))
            << compareRows().join(", ").toStdString();
        if (const qsizetype at = step.rows.indexOf(chosen); at >= 0) {
            EXPECT_TRUE(view->selectionModel()->isRowSelected(int(at))) << chosen.toStdString();
        }
        chosen = step.rows.value(step.rows.size() - 1);
        EXPECT_EQ(compare.findChild<QLabel*>("lblCompareResult")->text(), step.result);
        QSet<int> painted; // every row under the viewport once, no row left over
        for (int y = 0; y < view->viewport()->height(); ++y)
            if (const QModelIndex at = view->indexAt(QPoint(4, y)); at.isValid())
                painted.insert(at.row());
        EXPECT_EQ(painted.size(), step.rows.size());
        for (const QString& row : step.rows) {
            clickRow(row.section('|', 0, 0));
            EXPECT_EQ(compareRows().value(view->currentIndex().row()), row);
        }
    }
    EXPECT_EQ(sendable(tracker().editorSet()),
              sendable(app->editorHistory().controllerCopy().dataSet()));

    // An edit a receive replaces stays kept in the history, also past the end's keeping.
    type(2, "txtInputAdat_2", "Vox 5");
    receive();
    app->shutdown().QueryEndProg(false);
    const DataSet kept = history(HistoryEntry::Direction::Unsent).value(0).data;
    EXPECT_EQ(kept.ChannelName(3, 3).trimmedRight(), "Vox 5");
}

// Sending selected rows puts the controller's copy with exactly those rows changed on the
// controller, after the send question; the editor keeps its other edit.
TEST_F(EditorHistoryTest, SendingSelectedRowsChangesExactlyThoseFieldsOnTheController) {
    receive();
    const DataSet held = app->editorHistory().controllerCopy().dataSet();
    type(2, "txtInputAdat_2", "Vox 1");
    toggle(4, "chkMonMode_1");
    choose(4, "cmbVolume", 2);
    toggle(6, "chkMachSource03_4");
    CompareWindow& compare = showCompare();
    const DataSet editor = tracker().editorSet();
    clickRow("ADAT input 3");
    for (const char* item : {"Mode", "Source 03 D"})
        clickRow(item, Qt::ControlModifier);
    boxes.clear();
    press(&compare, "cmdCompareSend");
    ASSERT_TRUE(spinUntil([&] {
        return compareRows().size() == 1 && compareRows()[0].startsWith("Volume|");
    })) << compareRows().join(", ").toStdString();
    EXPECT_EQ(boxes.value(0), app->texts().message("QuerySendData"));
    EXPECT_TRUE(tracker().editorSet() == editor);

    FieldCatalog catalog(app->texts(), app->dataStore());
    DataSet expected = held;
    for (int f = 0; f < catalog.fields().size(); ++f)
        for (const char* key : {"names.adat[3]", "monitor.mode[", "editor.source[3].d"})
            if (catalog.fields()[f].key.startsWith(key))
                catalog.copyField(f, editor, expected);
    receive(); // what the controller now holds
    EXPECT_EQ(sendable(app->editorHistory().controllerCopy().dataSet()), sendable(expected));
}

// The undo and redo keys reach the editor's steps from every window, the modal protocol too.
TEST_F(EditorHistoryTest, UndoKeysWorkInEveryWindow) {
    auto* source = qobject_cast<QAbstractButton*>(control(6, "chkMachSource03_4"));
    const bool before = source->isChecked();
    toggle(6, "chkMachSource03_4");
    QString walked;
    auto walk = [&](QWidget* window) {
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : window;
        for (const char* keys : {"Ctrl+Z", "Ctrl+Y", "Ctrl+Z", "Ctrl+Shift+Z"}) {
            QTest::keySequence(focus, QKeySequence(keys));
            walked += source->isChecked() == before ? '0' : '1';
        }
        walked += ' ';
    };
    app->editorHistory().showHistory();
    walk(&app->editorHistory().historyWindow());
    walk(&showCompare());
    QTimer::singleShot(0, [&] {
        spinUntil([&] { return app->protoWindow().isVisible(); });
        walk(&app->protoWindow());
        app->protoWindow().close();
    });
    emit app->mainWindow().menuCommand(MenuCommand::ShowProtocol);    // as its toolbar button does
    EXPECT_EQ(walked, "0101 0101 0101 ");                             // History, Compare, protocol
    app->mainWindow().findChild<QAction*>("actShortcuts")->trigger(); // lists the extras' keys too
    EXPECT_TRUE(boxes.join('|').contains("Ctrl+Alt+C\t")) << boxes.join('|').toStdString();
}

} // namespace
