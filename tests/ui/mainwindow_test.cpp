#include "app/Switches.h"
#include "app/Texts.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>
#include <memory>

using namespace zoz;

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

TEST_F(MainWindowTest, XPLookWidensFrameCaptionsAndLeavesEmptyOnesAlone) {
    switches.XPLook = true;
    MainWindow& w = make();
    QGroupBox* inner = nullptr;
    QGroupBox* untitled = nullptr;
    w.hooks().loadPages = [&] {
        QList<QWidget*> windows = MainWindow::EmptyPageWindows();
        auto* fraTab = windows[0]->findChild<QGroupBox*>(QStringLiteral("fraTab"));
        inner = new QGroupBox(QStringLiteral("Inputs"), fraTab);
        QFont bold = inner->font();
        bold.setBold(true);
        bold.setPointSize(7);
        inner->setFont(bold);
        untitled = new QGroupBox(QString(), fraTab);
        untitled->setFont(bold);
        return windows;
    };
    w.show();
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->title(), QStringLiteral("Inputs").leftJustified(150, QLatin1Char(' ')));
    EXPECT_EQ(inner->font().pointSize(), 10);
    EXPECT_FALSE(inner->font().bold());
    EXPECT_EQ(untitled->font().pointSize(), 7);
    EXPECT_TRUE(untitled->font().bold());
}

} // namespace
