// The program's own windows driven by real input events: the main window (toolbar, tab strip,
// scrolled pages), the splash, the transfer, protocol and choose dialogs, the message boxes.
#include "log/AppLog.h"
#include "support/LinkRig.h"
#include "support/QtPrinters.h"
#include "ui/MainWindow.h"
#include "ui/ProtoWindow.h"
#include "ui/QtPrompts.h"
#include "ui/ShellWindows.h"
#include "ui/SplashWindow.h"
#include "widgets/ChooseDialog.h"
#include "widgets/CommDialog.h"
#include "widgets/ProtoTextBox.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { writeIni("[Recent]\r\nActTabStrip=1\r\n"); }

    void writeIni(const QByteArray& more) {
        folder.writeIni("[Messages_GER]\r\nMenu_FileRead.ToolTip=Daten laden\r\n"
                        "Menu_EndProgram.ToolTip=Programm beenden\r\n[TabStrip_status_GER]\r\n"
                        "Caption=Status\r\nToolTip=Meldungen des QPL\r\n[TabStrip_name_GER]\r\n"
                        "Caption=Namen\r\n[TabStrip_layer_GER]\r\nCaption=Layer\r\n" +
                        more);
    }

    MainWindow& make(const QList<int>& pageHeights = {}) {
        texts = std::make_unique<Texts>(folder.ini());
        texts->setLanguage(QStringLiteral("GER"));
        window = std::make_unique<MainWindow>(switches, *texts);
        if (!pageHeights.isEmpty()) {
            QObject::connect(window.get(), &MainWindow::pagesWanted, [this, pageHeights] {
                QList<QWidget*> windows = MainWindow::EmptyPageWindows();
                for (int i = 0; i < pageHeights.size(); ++i)
                    windows[i]->resize(windows[i]->width(), pageHeights[i]);
                window->hostPageWindows(windows);
            });
        }
        return *window;
    }

    QTabBar* tabs() { return window->findChild<QTabBar*>(QStringLiteral("TabData")); }
    QScrollBar* scroll() { return window->findChild<QScrollBar*>(QStringLiteral("VScroll")); }
    QWidget* container() { return window->findChild<QWidget*>(QStringLiteral("fraContainer")); }
    QWidget* pageFrame(int page) {
        const QString name = QStringLiteral("frmTabStripData%1").arg(page, 2, 10, QLatin1Char('0'));
        return container()->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    }

    test::ProgramFolder folder;
    Switches switches;
    std::unique_ptr<Texts> texts;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, FirstShowToolbarOfElevenCommandsAndThreeSeparatorsPortAndSynchronising) {
    MainWindow& w = make();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr); // busy only while it is being built
    int opened = 0, synced = 0, ended = 0;
    QStringList selected;
    QObject::connect(&w, &MainWindow::firstActivated, [&] { ++opened; });
    QObject::connect(&w, &MainWindow::pagesToSynchronise, [&] { ++synced; });
    QObject::connect(&w, &MainWindow::pageSelected,
                     [&](const QString& name) { selected.append(name); });
    QObject::connect(&w, &MainWindow::closing, [&] { ++ended; });
    auto* toolbar = w.findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    ASSERT_EQ(toolbar->actions().size(), 14);
    for (auto* bar : w.findChildren<QToolBar*>()) // both bars stay where they are
        EXPECT_FALSE(bar->isMovable() || bar->isFloatable()) << bar->objectName().toStdString();
    QList<int> separators;
    for (int i = 0; i < 14; ++i)
        if (toolbar->actions()[i]->isSeparator())
            separators.append(i + 1);
    EXPECT_EQ(separators, (QList<int>{4, 10, 13}));
    w.show();
    w.hide();
    w.show(); // a missing tool tip shows its key
    EXPECT_EQ(toolbar->actions()[0]->toolTip(), QStringLiteral("Daten laden"));
    EXPECT_EQ(toolbar->actions()[4]->toolTip(), QStringLiteral("Menu_CommSendData.ToolTip"));
    EXPECT_EQ(toolbar->actions()[13]->toolTip(), QStringLiteral("Programm beenden"));

    QSignalSpy spy(&w, &MainWindow::menuCommand);
    QTest::mouseClick(w.findChild<QWidget*>(QStringLiteral("Toolbar1_12")), Qt::LeftButton);
    EXPECT_EQ(spy.value(0).value(0).value<MenuCommand>(), MenuCommand::ShowAbout);
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
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(synced, 0); // the restoring click comes before start-up has finished
    EXPECT_EQ(selected, QStringList{QStringLiteral("frmTabStripData01")});
    switches.InitDone = true;
    tabs()->setCurrentIndex(3);
    EXPECT_EQ(synced, 1);
    EXPECT_EQ(selected.last(), QStringLiteral("frmTabStripData04"));
    w.ShowStatusText(QStringLiteral("  Daten empfangen  "));
    EXPECT_EQ(w.statusText(), QStringLiteral(" Daten empfangen"));
    const auto* panel = w.statusBar()->findChild<QLabel*>("StatusBar_Panel_1");
    EXPECT_TRUE(panel && panel->text() == w.statusText() &&
                panel->width() > w.statusBar()->width() / 2); // stretched over the bar
    w.close();
    EXPECT_EQ(ended, 1);
    spy.clear(); // the send timer fires command 107 once
    w.timSendData().start(100);
    EXPECT_TRUE(spy.wait(1000));
    EXPECT_FALSE(spy.wait(250)); // stopped after its one shot
    EXPECT_EQ(spy.value(0).value(0).toInt(), 107);
    EXPECT_FALSE(w.timSendData().isActive());
}

TEST_F(MainWindowTest, TabsAndTheRestoredTab) {
    make().show();
    ASSERT_EQ(tabs()->count(), 8);
    EXPECT_EQ(tabs()->tabText(0), QStringLiteral("Status"));
    EXPECT_EQ(tabs()->tabToolTip(0), QStringLiteral("Meldungen des QPL"));
    // A missing caption shows its section name; the System page has no tab and stays hidden.
    EXPECT_EQ(tabs()->tabText(3), QStringLiteral("TabStrip_MONITOR_GER"));
    EXPECT_FALSE(pageFrame(9)->isVisible());

    const std::tuple<QByteArray, bool, bool, int> cases[] = {
        {"3", true, false, 3}, {"8", true, false, 8},  {"9", true, false, 1},
        {"9", true, true, 9},  {"0", true, false, 1},  {"-2", true, false, 1},
        {"x", true, false, 1}, {"5", false, false, 1}, {"4 ; last", true, false, 4}};
    for (const auto& [value, restore, system, tab] : cases) {
        window.reset();
        writeIni("[TabStrip_system_GER]\r\nCaption=Anlage\r\n[Recent]\r\nActTabStrip=" + value +
                 "\r\n");
        switches.RestoreLastPosition = restore;
        switches.ShowTabStrip_System = system;
        MainWindow& w = make();
        w.show();
        EXPECT_EQ(tabs()->count(), system ? 9 : 8);
        EXPECT_EQ(tabs()->tabText(8), system ? QStringLiteral("S&YSTEM") : QString());
        EXPECT_EQ(w.activeTab(), tab) << value.constData();
        EXPECT_EQ(w.ActivePageFrame(), pageFrame(tab)) << value.constData();
    }
}

TEST_F(MainWindowTest, PagesScrollInNinetySixTwipStepsBehindTheBlindAndTheSizeIsClamped) {
    make().show();
    const int host = container()->height();
    // Pages 6 pixels (90 twips), 7 pixels (105 twips) and far taller than the host.
    MainWindow& w = make({host + 6, host + 7, 2000});
    w.show();
    EXPECT_FALSE(scroll()->isEnabled());
    tabs()->setCurrentIndex(1);
    EXPECT_TRUE(scroll()->isEnabled());
    EXPECT_EQ(QList<int>({scroll()->singleStep(), scroll()->pageStep()}), QList<int>({96, 96}));

    tabs()->setCurrentIndex(2);
    QWidget* page = w.ActivePageFrame();
    QWidget* blind = w.findChild<QWidget*>(QStringLiteral("fraBlind"));
    // The blind lies below the active page and right above it in the stacking order.
    const QObjectList& order = container()->children();
    EXPECT_EQ(order.indexOf(blind), order.indexOf(page) + 1);
    scroll()->setValue(960);
    EXPECT_EQ(page->y(), -64);
    EXPECT_EQ(blind->y(), page->y() + page->height());
    tabs()->setCurrentIndex(0); // a page that fits keeps no range of the one before
    EXPECT_EQ(scroll()->maximum(), 0);
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
    // The height limits hold for the window with its frame (offscreen 2 pixels each side).
    const int frame = w.frameGeometry().height() - w.height();
    const QList<std::pair<QSize, QSize>> sizes = {{{1000, 50}, {9380 / 15, 1800 / 15}},
                                                  {{300, 3000}, {9380 / 15, 10080 / 15}},
                                                  {{625, 400}, {625, 400 + frame}}};
    for (const auto& [asked, got] : sizes) {
        w.resize(asked);
        EXPECT_EQ(QSize(w.width(), w.frameGeometry().height()), got);
    }
    // The tab strip ends 320 twips above the window's inner bottom: the scroll bar follows.
    const int tabHeight = (w.centralWidget()->height() + w.statusBar()->height()) * 15 - 60 - 320;
    EXPECT_EQ(scroll()->geometry().height(), MainWindow::toPixels(tabHeight - 410));
}

// Runs the action on the modal dialog of type T once it is open and shown, again on the next
// tick while it stays open.
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

TEST(SplashWindow, SplashShowsTheVersionTheAboutWindowItsInfoTextAndLink) {
    SplashWindow window; // the start-up splash until told otherwise: no frame
    EXPECT_TRUE(window.StartUpSplash() && window.windowFlags().testFlag(Qt::FramelessWindowHint));
    window.show();
    EXPECT_EQ(child<QLabel>(window, "lblInfo1")->text(), QStringLiteral("V%1.%2.%3")
                                                             .arg(ZOZ_VERSION_MAJOR)
                                                             .arg(ZOZ_VERSION_MINOR)
                                                             .arg(ZOZ_VERSION_REVISION));
    window.hide(); // shown again as the splash: the about window keeps its design
    window.show();
    QList<QUrl> opened;
    window.setLinkOpener([&](const QUrl& url) { opened.append(url); });
    window.setStartUpSplash(false);
    window.setVersionInfo({"VX418 ZozEdud", 2, 7, 13, "eins<cr>zwei<cr>drei", QString(),
                           "Firma<tab>A<tab>B", QString(), "<tab><cr>"});
    window.FillInfoText();
    // Modal as the about window: OK ends exec() once the dialog's own loop runs.
    onNextModal<QDialog>([&](QDialog*) {
        EXPECT_TRUE(window.rect().contains(child(window, "cmdOk")->geometry()));
        QTest::mouseClick(child(window, "lblInternet"), Qt::LeftButton);
        QTest::mouseClick(child(window, "cmdOk"), Qt::LeftButton);
    });
    EXPECT_EQ(window.exec(), QDialog::Accepted);
    EXPECT_EQ(opened, QList<QUrl>({QUrl(QStringLiteral("https://www.example.org/zozedud"))}));
    EXPECT_EQ(window.infoText(), QStringLiteral("VX418 ZozEdud  V2.7.13\r\neins\r\nzwei\r\ndrei\r\n"
                                                "Firma\tA\tB\r\n\t\r\n"));
}

// Escape, the close button and Cancel stop the transfer, also a wait for an answer that never
// comes; a showing without a caption keeps the last one, the designed one comes back on unload.
TEST(CommDialog, CancelEndsAWaitForTheAnswerAndCaptionRules) {
    test::LinkRig rig{{{"TimeOut", "0"}}};
    ASSERT_TRUE(rig.opened);
    int cancels = 0;
    CommDialog dialog([&] {
        ++cancels;
        rig.transport->Cancel();
    });
    dialog.showTransfer(QStringLiteral("Senden"), nullptr);
    EXPECT_TRUE(dialog.isVisible() && !dialog.isModal());
    dialog.showTransfer(QString(), nullptr); // inside a running one: the caption stays
    EXPECT_EQ(dialog.windowTitle(), "Senden");
    QTest::keyClick(&dialog, Qt::Key_Escape); // Escape cancels as the button does
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(cancels, 1);
    dialog.showTransfer(QStringLiteral("Empfangen"), nullptr);
    dialog.unload();
    EXPECT_EQ(dialog.windowTitle(), "Senden"); // remembered at the last activation

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
    folder.writeIni("[Messages_ENG]\r\nForm_Proto.Caption=Protocol\r\n");
    Texts texts(folder.ini());
    ProtoText proto;
    AppLog log(folder.dir.path(), "zozedud");
    log.OpenLog(QString(), &proto);
    log.WriteLog(QStringLiteral("  first line")); // before the window exists
    ProtoWindow w(texts, proto);
    log.WriteLog(QStringLiteral("  second line")); // while it is hidden
    const QString text = w.txtProto()->text();
    EXPECT_LT(text.indexOf("first line\r\n"), text.indexOf("second line\r\n"));
    w.show(); // no language yet: the designed caption; the box shows both lines, the last in view
    EXPECT_EQ(w.windowTitle(), "Protokoll");
    EXPECT_EQ(w.findChild<QWidget*>("txtProto"), w.txtProto()); // reachable by its control name
    EXPECT_EQ(w.txtProto()->toPlainText(), QString(text).replace("\r\n", "\n").chopped(1));
    EXPECT_EQ(w.txtProto()->textCursor().blockNumber(), 1);
    log.WriteLog(QStringLiteral("  third line")); // while shown: at once
    EXPECT_TRUE(w.txtProto()->toPlainText().endsWith("third line"));
    texts.setLanguage("ENG");
    QTest::mouseClick(w.cmdOk(), Qt::LeftButton);
    w.show();
    EXPECT_EQ(w.windowTitle(), "Protocol");
}

TEST(ChooseDialog, PresetTrimmedAndMatchedAndTheChoiceOnOkOrCancel) {
    Texts texts{QString()};
    ChooseDialog dialog(texts);
    dialog.addItem("first", 100);
    dialog.addItem("second", 205);
    // Each show clears the previous selection; Cancel gives the preset back, trimmed, lower case.
    const std::tuple<const char*, bool, int, const char*> cases[] = {{" 205 ", false, 1, "205"},
                                                                     {"999", false, -1, ""},
                                                                     {"", false, -1, ""},
                                                                     {" ABC ", true, -1, "abc"}};
    for (const auto& [preset, cancel, preselected, chosen] : cases) {
        dialog.ChosenItemData = QString::fromLatin1(preset);
        int row = -2;
        dialog.setModalRunner([&, cancel = cancel](ChooseDialog& d) {
            const auto selected = d.lstChoose()->selectedItems();
            row = selected.isEmpty() ? -1 : d.lstChoose()->row(selected.first());
            QTest::mouseClick(child(d, cancel ? "cmdCancel" : "cmdOk"), Qt::LeftButton);
        });
        dialog.showModal();
        EXPECT_EQ(row, preselected) << preset;
        EXPECT_EQ(dialog.ChosenItemData, chosen) << preset;
    }
}

TEST(QtPrompts, MessageBoxesBusyCursorAndTheTransferDialogsCancel) {
    Switches switches;
    Texts texts{QString()};
    MainWindow window{switches, texts};
    QtPrompts ui{window};
    ShellWindows shell{window};
    using Box = QMessageBox;
    // Return takes the first button, Escape the safe one.
    const std::tuple<MsgButtons, MsgIcon, Qt::Key, MsgAnswer, Box::Icon, Box::StandardButtons>
        cases[] = {{MsgButtons::YesNo, MsgIcon::Critical, Qt::Key_Return, MsgAnswer::Yes,
                    Box::Critical, Box::Yes | Box::No},
                   {MsgButtons::YesNo, MsgIcon::Question, Qt::Key_Escape, MsgAnswer::No,
                    Box::Question, Box::Yes | Box::No},
                   {MsgButtons::OkCancel, MsgIcon::Information, Qt::Key_Escape, MsgAnswer::Cancel,
                    Box::Information, Box::Ok | Box::Cancel},
                   {MsgButtons::Ok, MsgIcon::Exclamation, Qt::Key_Return, MsgAnswer::Ok,
                    Box::Warning, Box::Ok}};
    for (const auto& [buttons, icon, key, answer, shown, offered] : cases) {
        QString seen;
        onNextModal<QMessageBox>([&, key = key](QMessageBox* box) {
            seen = QStringLiteral("%1|%2|%3|%4")
                       .arg(box->windowTitle(), box->text())
                       .arg(int(box->icon()))
                       .arg(box->standardButtons().toInt());
            QTest::keyClick(box, key);
        });
        EXPECT_EQ(ui.messageBox("Wirklich?", buttons, icon, "caption"), answer);
        EXPECT_EQ(seen, QString("caption|Wirklich?|%1|%2").arg(int(shown)).arg(offered.toInt()));
    }
    QString shown; // an error report's leading blanks stay in the log, not in the box
    onNextModal<QMessageBox>([&](QMessageBox* box) {
        shown = box->text();
        box->accept();
    });
    ui.errorBox("  Fehler beim Schreiben", "zozedud");
    EXPECT_EQ(shown, "Fehler beim Schreiben");
    shell.setBusyCursor(true);
    shell.setBusyCursor(true);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QApplication::setOverrideCursor(Qt::CrossCursor); // someone else's override as well
    shell.setBusyCursor(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // The transfer dialog's Cancel reaches whoever stops the transfer.
    QSignalSpy cancelled(&shell, &ShellWindows::transferCancelled);
    shell.showCommDialog("Senden");
    shell.commDialog().cmdCancel()->click();
    EXPECT_EQ(cancelled.count(), 1);
}

} // namespace
