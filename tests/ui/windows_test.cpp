// The program's own windows, driven by real input events: the main window with its toolbar, tab
// strip and scrolled pages, the splash and about window, the transfer dialog, the protocol window,
// the choose dialog and the message boxes and file dialogs of the user interface.
#include "app/Switches.h"
#include "app/Texts.h"
#include "log/AppLog.h"
#include "support/LinkRig.h"
#include "support/ProgramFolder.h"
#include "support/QtPrinters.h"
#include "ui/ChooseDialog.h"
#include "ui/CommDialog.h"
#include "ui/MainWindow.h"
#include "ui/ProtoTextBox.h"
#include "ui/ProtoWindow.h"
#include "ui/QtUserInterface.h"
#include "ui/SplashWindow.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace zoz;
using zoz::test::LinkRig;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        iniFile = dir.filePath(QStringLiteral("zozedud.Ini"));
        writeIni("[Recent]\r\nActTabStrip=1\r\n");
    }

    void writeIni(const QByteArray& recent) {
        QFile f(iniFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Messages_GER]\r\n"
                "Menu_FileRead.ToolTip=Daten laden\r\n"
                "Menu_EndProgram.ToolTip=Programm beenden\r\n"
                "[TabStrip_status_GER]\r\nCaption=Status\r\nToolTip=Meldungen des QPL\r\n"
                "[TabStrip_name_GER]\r\nCaption=Namen\r\n"
                "[TabStrip_layer_GER]\r\nCaption=Layer\r\n");
        f.write(recent);
    }

    MainWindow& make() {
        texts = std::make_unique<Texts>(iniFile);
        texts->setLanguage(QStringLiteral("GER"));
        window = std::make_unique<MainWindow>(switches, *texts);
        if (pageHeights.size() > 0) {
            window->hooks().loadPages = [this] {
                QList<QWidget*> windows = MainWindow::EmptyPageWindows();
                for (int i = 0; i < pageHeights.size(); ++i) {
                    windows[i]->resize(windows[i]->width(), pageHeights[i]);
                }
                return windows;
            };
        }
        return *window;
    }

    QTabBar* tabs() { return window->findChild<QTabBar*>(QStringLiteral("TabData")); }
    QScrollBar* scroll() { return window->findChild<QScrollBar*>(QStringLiteral("VScroll")); }
    QWidget* container() { return window->findChild<QWidget*>(QStringLiteral("fraContainer")); }
    QWidget* blind() { return window->findChild<QWidget*>(QStringLiteral("fraBlind")); }
    QWidget* pageFrame(const QString& windowName) {
        return container()->findChild<QWidget*>(windowName, Qt::FindDirectChildrenOnly);
    }

    QTemporaryDir dir;
    QString iniFile;
    Switches switches;
    std::unique_ptr<Texts> texts;
    std::unique_ptr<MainWindow> window;
    QList<int> pageHeights;
};

TEST_F(MainWindowTest, ToolbarHasElevenCommandsAndThreeSeparatorsEachShownByItsNumber) {
    MainWindow& w = make();
    auto* toolbar = w.findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    ASSERT_EQ(toolbar->actions().size(), 14);
    QList<int> separators;
    for (int i = 0; i < 14; ++i)
        if (toolbar->actions()[i]->isSeparator())
            separators.append(i + 1);
    EXPECT_EQ(separators, (QList<int>{4, 10, 13}));
    EXPECT_EQ(MainWindow::ToolbarCommandName(6), QStringLiteral("CommReceiveData"));
    EXPECT_EQ(MainWindow::ToolbarCommandName(15), QStringLiteral("???"));
    // Tool tips are looked up on the first show; a missing one shows its key.
    EXPECT_NE(toolbar->actions()[0]->toolTip(), QStringLiteral("Daten laden"));
    w.show();
    EXPECT_EQ(toolbar->actions()[0]->toolTip(), QStringLiteral("Daten laden"));
    EXPECT_EQ(toolbar->actions()[13]->toolTip(), QStringLiteral("Programm beenden"));
    EXPECT_EQ(toolbar->actions()[4]->toolTip(), QStringLiteral("Menu_CommSendData.ToolTip"));

    QSignalSpy spy(&w, &MainWindow::menuCommand);
    QTest::mouseClick(w.findChild<QWidget*>(QStringLiteral("Toolbar1_12")), Qt::LeftButton);
    EXPECT_EQ(spy.value(0).value(0).toInt(), 12);
    const auto visible = [&w] {
        QList<int> shown;
        for (int i = 1; i <= 14; ++i)
            if (w.findChild<QWidget*>(QStringLiteral("Toolbar1_%1").arg(i))->isVisible())
                shown << i;
        return shown;
    };
    const QList<int> all = visible();
    ASSERT_EQ(all.size(), 14);
    for (int button = 1; button <= 14; ++button) {
        w.setToolbarButtonVisible(button, false);
        QList<int> others = all;
        others.removeAll(button);
        EXPECT_EQ(visible(), others) << button;
        w.setToolbarButtonVisible(button, true);
    }
    EXPECT_EQ(visible(), all);
}

TEST_F(MainWindowTest, TabsAndTheRestoredTab) {
    MainWindow& w = make();
    w.show();
    ASSERT_EQ(tabs()->count(), 8);
    EXPECT_EQ(tabs()->tabText(0), QStringLiteral("Status"));
    EXPECT_EQ(tabs()->tabToolTip(0), QStringLiteral("Meldungen des QPL"));
    EXPECT_EQ(tabs()->tabText(1), QStringLiteral("Namen"));
    EXPECT_EQ(tabs()->tabToolTip(1), QString());
    // A missing caption shows its section name; the System page has no tab and stays hidden.
    EXPECT_EQ(tabs()->tabText(3), QStringLiteral("TabStrip_MONITOR_GER"));
    EXPECT_EQ(tabs()->tabText(7), QStringLiteral("TabStrip_FBOX_GER"));
    EXPECT_FALSE(pageFrame(QStringLiteral("frmTabStripData09"))->isVisible());
    window.reset();

    struct Case {
        QByteArray value;
        bool restore, system;
        int tab;
    };
    const QList<Case> cases = {
        {"3", true, false, 3}, {"8", true, false, 8},  {"9", true, false, 1},
        {"9", true, true, 9},  {"0", true, false, 1},  {"-2", true, false, 1},
        {"x", true, false, 1}, {"5", false, false, 1}, {"4 ; last", true, false, 4}};
    for (const Case& c : cases) {
        writeIni("[TabStrip_system_GER]\r\nCaption=Anlage\r\n[Recent]\r\nActTabStrip=" + c.value +
                 "\r\n");
        switches.RestoreLastPosition = c.restore;
        switches.ShowTabStrip_System = c.system;
        MainWindow& w = make();
        w.show();
        EXPECT_EQ(tabs()->count(), c.system ? 9 : 8);
        EXPECT_EQ(tabs()->tabText(8), c.system ? QStringLiteral("S&YSTEM") : QString());
        EXPECT_EQ(w.activeTab(), c.tab) << c.value.constData();
        const QString name =
            QStringLiteral("frmTabStripData%1").arg(c.tab, 2, 10, QLatin1Char('0'));
        EXPECT_EQ(w.ActivePageFrame(), pageFrame(name)) << c.value.constData();
        EXPECT_TRUE(w.ActivePageFrame()->isVisible());
        window.reset();
    }
}

TEST_F(MainWindowTest, PagesScrollInNinetySixTwipStepsBehindTheBlindAndKeepTheirPlace) {
    MainWindow& probe = make();
    probe.show();
    const int host = container()->height();
    window.reset();
    // Page 1 is 6 pixels (90 twips) taller than the host, page 2 7 pixels (105 twips), page 3
    // far taller.
    pageHeights = {host + 6, host + 7, 2000};
    MainWindow& w = make();
    w.show();
    EXPECT_FALSE(scroll()->isEnabled());
    tabs()->setCurrentIndex(1);
    EXPECT_TRUE(scroll()->isEnabled());
    EXPECT_EQ(scroll()->singleStep(), 96);
    EXPECT_EQ(scroll()->pageStep(), 96);

    tabs()->setCurrentIndex(2);
    QWidget* page = w.ActivePageFrame();
    EXPECT_EQ(page, pageFrame(QStringLiteral("frmTabStripData03")));
    EXPECT_EQ(page->width(), container()->width());
    // The blind lies below the active page and right above it in the stacking order.
    const QObjectList& order = container()->children();
    EXPECT_EQ(order.indexOf(blind()), order.indexOf(page) + 1);
    scroll()->setValue(960);
    EXPECT_EQ(page->y(), -64);
    EXPECT_EQ(blind()->y(), page->y() + page->height());
    tabs()->setCurrentIndex(1);
    EXPECT_EQ(scroll()->value(), 0);
    tabs()->setCurrentIndex(2);
    EXPECT_EQ(scroll()->value(), 960);
    EXPECT_EQ(page->y(), -64);
    // Growing the window lowers the maximum below the position: the page goes back up.
    scroll()->setValue(scroll()->maximum());
    const int atBottom = page->y();
    w.resize(w.width(), w.maximumHeight());
    EXPECT_TRUE(page->y() == 0 || page->y() > atBottom);
    EXPECT_LE(-page->y() * 15, scroll()->maximum());
}

TEST_F(MainWindowTest, ResizeKeepsTheWidthAndClampsTheHeight) {
    MainWindow& w = make();
    w.show();
    const QList<std::pair<QSize, QSize>> sizes = {{{1000, 50}, {9380 / 15, 1800 / 15}},
                                                  {{300, 3000}, {9380 / 15, 10080 / 15}},
                                                  {{625, 400}, {625, 400}}};
    for (const auto& [asked, got] : sizes) {
        w.resize(asked);
        EXPECT_EQ(w.size(), got);
    }
    // The tab strip ends 320 twips above the window's inner bottom: the scroll bar follows.
    const int tabHeight = (w.centralWidget()->height() + w.statusBar()->height()) * 15 - 60 - 320;
    EXPECT_EQ(scroll()->geometry().height(), MainWindow::toPixels(tabHeight - 410));
}

TEST_F(MainWindowTest, FirstShowBuildsOnceOpensThePortAndSynchronisesOnlyAfterStartUp) {
    MainWindow& w = make();
    int opened = 0;
    int synced = 0;
    QStringList selected;
    w.hooks().openPort = [&] { ++opened; };
    w.hooks().synchronisePages = [&] { ++synced; };
    w.hooks().pageSelected = [&](const QString& name) { selected.append(name); };
    w.FocusTabStrip(); // not shown yet: no focus
    EXPECT_FALSE(tabs()->hasFocus());
    w.show();
    w.hide();
    w.show();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(tabs()->count(), 8);
    EXPECT_EQ(synced, 0); // the restoring click comes before start-up has finished
    EXPECT_EQ(selected, QStringList{QStringLiteral("frmTabStripData01")});
    switches.InitDone = true;
    tabs()->setCurrentIndex(3);
    EXPECT_EQ(synced, 1);
    EXPECT_EQ(selected.last(), QStringLiteral("frmTabStripData04"));
    w.activateWindow();
    QApplication::setActiveWindow(&w);
    w.FocusTabStrip();
    EXPECT_EQ(QApplication::focusWidget(), tabs());

    w.ShowStatusText(QStringLiteral("  Daten empfangen  "));
    EXPECT_EQ(w.statusText(), QStringLiteral(" Daten empfangen"));
    EXPECT_EQ(w.findChild<QWidget*>(QStringLiteral("StatusBar_Panel_1"))->toolTip(),
              QStringLiteral("Daten empfangen"));
}

TEST_F(MainWindowTest, SendTimerFiresCommand107OnceTestButtonAndCloseBox) {
    MainWindow& w = make();
    QSignalSpy spy(&w, &MainWindow::menuCommand);
    w.timSendData().start(100);
    EXPECT_TRUE(spy.wait(1000));
    EXPECT_FALSE(spy.wait(250)); // stopped after its one shot
    EXPECT_EQ(spy.value(0).value(0).toInt(), 107);
    EXPECT_FALSE(w.timSendData().isActive());

    w.show();
    auto* dummy = w.findChild<QPushButton*>(QStringLiteral("cmdDummy"));
    EXPECT_FALSE(dummy->isVisible());
    w.setTestButtonVisible(true);
    QSignalSpy clicked(&w, &MainWindow::dummyClicked);
    QTest::mouseClick(dummy, Qt::LeftButton);
    EXPECT_EQ(clicked.size(), 1);
    int ended = 0;
    w.hooks().endProgram = [&] { ++ended; };
    w.close();
    EXPECT_EQ(ended, 1);
}

} // namespace

namespace {

// Runs the action on the next modal dialog that opens.
// Runs the action on the modal dialog of type T once it is open and shown, again on the next
// tick while it stays open (a file dialog may not take the answer while it loads its folder).
template <typename T> void onNextModal(std::function<void(T*)> action) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        auto* modal = qobject_cast<T*>(QApplication::activeModalWidget());
        if (modal == nullptr || !modal->isVisible())
            return;
        action(modal);
        if (!modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

template <typename T = QWidget> T* child(QWidget& w, const char* name) {
    return w.findChild<T*>(QString::fromLatin1(name));
}

TEST(SplashWindow, SplashThenAboutWithItsLayoutInfoTextAndLink) {
    SplashWindow window;
    window.setStartUpSplash(false);
    window.show();
    const QSize designed = window.size();
    const QPoint logoAt = child(window, "picLogo")->pos();
    window.hide();
    for (int i = 0; i < 2; ++i) { // a second splash must not take the splash size for the design
        window.setStartUpSplash(true);
        window.show();
        EXPECT_EQ(window.size(), child(window, "picLogo")->size());
        EXPECT_FALSE(child(window, "cmdOk")->isVisible());
        EXPECT_EQ(child<QLabel>(window, "lblInfo1")->text(), QStringLiteral("V%1.%2.%3")
                                                                 .arg(ZOZ_VERSION_MAJOR)
                                                                 .arg(ZOZ_VERSION_MINOR)
                                                                 .arg(ZOZ_VERSION_REVISION));
        window.hide();
    }
    QList<QUrl> opened;
    window.setLinkOpener([&](const QUrl& url) { opened.append(url); });
    window.setStartUpSplash(false);
    window.show();
    EXPECT_EQ(window.size(), designed);
    EXPECT_EQ(child(window, "picLogo")->pos(), logoAt);
    EXPECT_TRUE(child(window, "cmdOk")->isVisible());
    EXPECT_TRUE(child<QLabel>(window, "lblInfo1")->text().isEmpty());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Info zu VX418 ZozEdud"));
    QTest::mouseClick(child(window, "lblInternet"), Qt::LeftButton);
    EXPECT_EQ(opened, QList<QUrl>({QUrl(QStringLiteral("https://www.example.org/zozedud"))}));

    QTest::keyPress(&window, Qt::Key_Alt, Qt::AltModifier);
    EXPECT_TRUE(window.ShowDetails());
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.ShowDetails());
    // Modal as the about window: OK ends exec() once the dialog's own loop runs.
    onNextModal<QDialog>(
        [&](QDialog*) { QTest::mouseClick(child(window, "cmdOk"), Qt::LeftButton); });
    EXPECT_EQ(window.exec(), QDialog::Accepted);

    VersionInfo info;
    info.productName = QStringLiteral("VX418 ZozEdud");
    info.major = 2;
    info.minor = 7;
    info.revision = 13;
    info.fileDescription = QStringLiteral("eins<cr>zwei<cr>drei");
    info.companyName = QStringLiteral("Firma<tab>A<tab>B");
    info.comments = QStringLiteral("<tab><cr>");
    window.setVersionInfo(info);
    window.FillInfoText();
    EXPECT_EQ(window.infoText(), QStringLiteral("VX418 ZozEdud  V2.7.13\r\neins\r\nzwei\r\ndrei\r\n"
                                                "Firma\tA\tB\r\n\t\r\n"));
    EXPECT_EQ(child<QPlainTextEdit>(window, "txtInfo")->toPlainText(),
              QStringLiteral("VX418 ZozEdud  V2.7.13\neins\nzwei\ndrei\nFirma\tA\tB\n\t\n"));
}

TEST(CommDialog, CaptionRulesAndCancelEndsAWaitForTheAnswer) {
    LinkRig rig{{{"TimeOut", "0"}}};
    ASSERT_TRUE(rig.opened);
    CommDialog dialog([&] { rig.transport->Cancel(); });
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Datenübertragung"));
    QWidget main;
    main.setGeometry(100, 120, 800, 600);
    main.show();
    dialog.showTransfer(QStringLiteral("Senden"), &main);
    EXPECT_TRUE(dialog.isVisible() && !dialog.isModal());
    EXPECT_LE((main.frameGeometry().center() - dialog.frameGeometry().center()).manhattanLength(),
              4);
    dialog.hideTransfer();
    EXPECT_FALSE(dialog.isVisible());
    dialog.showTransfer(QString(), nullptr); // the last caption that was given
    EXPECT_EQ(dialog.windowTitle(), "Senden");
    dialog.showTransfer(QStringLiteral("Empfangen"), nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Empfangen");
    dialog.unload();
    EXPECT_EQ(dialog.windowTitle(), "Senden"); // remembered at the last activation

    // The user presses Cancel while the program waits for an answer that never comes.
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

TEST(ProtoWindow, TextsOnceOnTheFirstShowWithALanguageAndTheLogAlsoWhileHidden) {
    test::ProgramFolder folder;
    const auto writeIni = [&](const QByteArray& caption) {
        folder.writeIni("[Messages_ENG]\r\nForm_Proto.Caption=" + caption +
                        "\r\nForm_Proto.ToolTip=All events\r\n");
    };
    writeIni("Protocol");
    Texts texts(folder.ini());
    ProtoWindow w(texts);
    AppLog log(folder.dir.path(), "zozedud");
    log.OpenLog(QString(), w.txtProto());
    log.WriteLog(QStringLiteral("  first line"));
    log.WriteLog(QStringLiteral("  second line"));
    const QString text = w.txtProto()->text();
    EXPECT_LT(text.indexOf("first line\r\n"), text.indexOf("second line\r\n"));
    const QString shown = w.txtProto()->toPlainText();
    EXPECT_EQ(shown.count('\n'), text.count("\r\n") - 1); // one line per logged line
    EXPECT_FALSE(shown.contains('\r'));

    w.show(); // no language yet: the designed caption
    EXPECT_EQ(w.windowTitle(), "Protokoll");
    texts.setLanguage("ENG");
    QTest::mouseClick(w.cmdOk(), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    w.show();
    EXPECT_EQ(w.windowTitle(), "Protocol");
    EXPECT_EQ(w.txtProto()->toolTip(), "All events");
    w.hide();
    writeIni("Changed");
    w.show();
    EXPECT_EQ(w.windowTitle(), "Protocol"); // not read again
}

TEST(ChooseDialog, PresetClickDoubleClickOkAndCancel) {
    test::ProgramFolder folder;
    Texts texts(folder.writeIni("[Messages_ENG]\r\nForm_Choose.Caption=Choose target\r\n"
                                "Form_Choose.ToolTip=Double click picks an entry\r\n"));
    texts.setLanguage("ENG");
    ChooseDialog dialog(texts);
    EXPECT_EQ(dialog.windowTitle(), "Choose target");
    EXPECT_EQ(dialog.lstChoose()->toolTip(), "Double click picks an entry");
    dialog.addItem("first", 100);
    dialog.addItem("second", 205);
    dialog.addItem("third", -3);
    enum Act { Ok, Cancel, ClickOk, ClickCancel, DoubleClick, EmptyOk };
    struct Case {
        const char* preset;
        Act act;
        int row; // clicked
        int preselected;
        const char* chosen;
    };
    const Case cases[] = {
        {" 205 ", Ok, -1, 1, "205"},
        {"100", ClickOk, 2, 0, "-3"},
        {"100", DoubleClick, 1, 0, "205"},
        {" 100 ", ClickCancel, 1, 0, "100"},
        {"999", Ok, -1, -1, ""},
        {"205", Cancel, -1, 1, "205"},
        {"", Ok, -1, -1, ""}, // each show clears the previous selection
        {" ABC ", Cancel, -1, -1, "abc"},
        {"100", EmptyOk, -1, -1, ""},
    };
    for (const Case& c : cases) {
        if (c.act == EmptyOk)
            dialog.clearList();
        dialog.ChosenItemData = QString::fromLatin1(c.preset);
        int preselected = -2;
        dialog.setModalRunner([&](ChooseDialog& d) {
            QListWidget* list = d.lstChoose();
            const auto selected = list->selectedItems();
            preselected = selected.isEmpty() ? -1 : list->row(selected.first());
            if (c.row >= 0) {
                const QPoint at = list->visualItemRect(list->item(c.row)).center();
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
                if (c.act == DoubleClick)
                    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
                EXPECT_EQ(d.isVisible(), c.act != DoubleClick); // a single click only selects
            }
            if (c.act != DoubleClick)
                QTest::mouseClick(
                    child(d, c.act == Cancel || c.act == ClickCancel ? "cmdCancel" : "cmdOk"),
                    Qt::LeftButton);
        });
        dialog.showModal();
        EXPECT_EQ(preselected, c.preselected) << c.preset << c.act;
        EXPECT_EQ(dialog.ChosenItemData, c.chosen) << c.preset << c.act;
        EXPECT_FALSE(dialog.isVisible());
    }
    // The real modal loop ends on OK.
    dialog.setModalRunner({});
    dialog.ChosenItemData = "7";
    QTimer::singleShot(0, &dialog,
                       [&] { QTest::mouseClick(child(dialog, "cmdOk"), Qt::LeftButton); });
    dialog.showModal();
    EXPECT_EQ(dialog.ChosenItemData, "");
}

TEST(QtUserInterface, MessageBoxesFileDialogsCursorAndCaption) {
    Switches switches;
    Texts texts{QString()};
    MainWindow window{switches, texts};
    QtUserInterface ui{window};
    struct Case {
        MsgButtons buttons;
        MsgIcon icon;
        Qt::Key key;
        MsgAnswer answer;
        QMessageBox::Icon shown;
        QMessageBox::StandardButtons offered;
    };
    // Return takes the first button, Escape the safe one.
    const Case cases[] = {
        {MsgButtons::YesNo, MsgIcon::Critical, Qt::Key_Return, MsgAnswer::Yes,
         QMessageBox::Critical, QMessageBox::Yes | QMessageBox::No},
        {MsgButtons::YesNo, MsgIcon::Question, Qt::Key_Escape, MsgAnswer::No, QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No},
        {MsgButtons::OkCancel, MsgIcon::Information, Qt::Key_Escape, MsgAnswer::Cancel,
         QMessageBox::Information, QMessageBox::Ok | QMessageBox::Cancel},
        {MsgButtons::Ok, MsgIcon::Exclamation, Qt::Key_Return, MsgAnswer::Ok, QMessageBox::Warning,
         QMessageBox::Ok},
    };
    for (const Case& c : cases) {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QString title;
        onNextModal<QMessageBox>([&](QMessageBox* box) {
            icon = box->icon();
            buttons = box->standardButtons();
            title = box->windowTitle() + "|" + box->text();
            QTest::keyClick(box, c.key);
        });
        EXPECT_EQ(ui.messageBox("Wirklich?", c.buttons, c.icon, "caption"), c.answer);
        EXPECT_EQ(icon, c.shown);
        EXPECT_EQ(buttons, c.offered);
        EXPECT_EQ(title, "caption|Wirklich?");
    }

    test::ProgramFolder folder;
    // The dialog as the program sets it up; what it returns on OK is the dialog's own business
    // (its late selection of the initial name races with any scripted choice), on Cancel "".
    QStringList seen;
    FileDialogRequest request;
    request.title = "Speichern unter";
    request.filterText = "Datendatei";
    request.extension = "DAT";
    request.initialName = folder.path("zozedud.Dat");
    for (const bool save : {true, false}) {
        onNextModal<QFileDialog>([&](QFileDialog* dialog) {
            seen << dialog->nameFilters() << dialog->defaultSuffix() << dialog->windowTitle()
                 << QString::number(dialog->testOption(QFileDialog::DontConfirmOverwrite))
                 << QString::number(dialog->acceptMode() == QFileDialog::AcceptSave)
                 << dialog->directory().path();
            dialog->reject();
        });
        request.save = save;
        EXPECT_EQ(ui.fileDialog(request), "");
    }
    // QFileDialog folds the two blanks of the filter text into one when it shows it; the
    // overwrite question is the program's own.
    EXPECT_EQ(QtUserInterface::fileFilter("Datendatei", "dat"),
              "VX418 ZozEdud Datendatei  (*.DAT *.dat)");
    const QStringList setUp = {"VX418 ZozEdud Datendatei (*.DAT *.dat)", "DAT", "Speichern unter",
                               "1"};
    EXPECT_EQ(seen, QStringList(setUp + QStringList{"1", folder.dir.path()} + setUp +
                                QStringList{"0", folder.dir.path()}));

    ui.setBusyCursor(true);
    ui.setBusyCursor(true);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QApplication::setOverrideCursor(Qt::CrossCursor); // someone else's override as well
    ui.setBusyCursor(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    ui.setMainCaption("VX418 ZozEdud Version 2.0 Build 1");
    EXPECT_EQ(window.windowTitle(), "VX418 ZozEdud Version 2.0 Build 1");
    ui.setMainGeometry({30, 40, 250, true});
    const FormGeometry g = ui.mainGeometry();
    EXPECT_EQ(QList<int>({g.left, g.top, g.height}), QList<int>({30, 40, 250}));
    int loads = 0;
    ui.hooks().loadMainWindow = [&loads] { ++loads; };
    ui.loadMainWindow();
    ui.loadMainWindow(); // loading again has no effect
    EXPECT_EQ(loads, 1);
}

} // namespace
