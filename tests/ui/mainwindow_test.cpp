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

TEST_F(MainWindowTest, ToolbarHasElevenCommandsAndThreeSeparatorsInOrder) {
    MainWindow& w = make();
    auto* toolbar = w.findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    ASSERT_NE(toolbar, nullptr);
    ASSERT_EQ(toolbar->actions().size(), 14);
    QList<int> separators;
    for (int i = 0; i < 14; ++i)
        if (toolbar->actions()[i]->isSeparator())
            separators.append(i + 1);
    EXPECT_EQ(separators, (QList<int>{4, 10, 13}));
    EXPECT_EQ(MainWindow::ToolbarCommandName(6), QStringLiteral("CommReceiveData"));
    EXPECT_EQ(MainWindow::ToolbarCommandName(13), QStringLiteral("???"));
    EXPECT_EQ(MainWindow::ToolbarCommandName(15), QStringLiteral("???"));

    QSignalSpy spy(&w, &MainWindow::menuCommand);
    w.show();
    auto* button = w.findChild<QWidget*>(QStringLiteral("Toolbar1_12"));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy[0][0].toInt(), 12);
}

TEST_F(MainWindowTest, ToolTipsComeFromMenuKeysWithTheKeyAsDefault) {
    MainWindow& w = make();
    auto* toolbar = w.findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    EXPECT_TRUE(toolbar->actions()[0]->toolTip() != QStringLiteral("Daten laden"));
    w.show();
    EXPECT_EQ(toolbar->actions()[0]->toolTip(), QStringLiteral("Daten laden"));
    EXPECT_EQ(toolbar->actions()[13]->toolTip(), QStringLiteral("Programm beenden"));
    EXPECT_EQ(toolbar->actions()[4]->toolTip(), QStringLiteral("Menu_CommSendData.ToolTip"));
}

TEST_F(MainWindowTest, EachToolbarButtonCanBeHiddenByItsNumber) {
    MainWindow& w = make();
    w.show();
    for (int button = 1; button <= 14; ++button) {
        auto* widget = w.findChild<QWidget*>(QStringLiteral("Toolbar1_%1").arg(button));
        ASSERT_NE(widget, nullptr) << button;
        EXPECT_TRUE(widget->isVisible()) << button;
        w.setToolbarButtonVisible(button, false);
        EXPECT_FALSE(widget->isVisible()) << button;
        for (int other = 1; other <= 14; ++other) {
            if (other == button)
                continue;
            EXPECT_TRUE(
                w.findChild<QWidget*>(QStringLiteral("Toolbar1_%1").arg(other))->isVisible())
                << button << " hid " << other;
        }
        w.setToolbarButtonVisible(button, true);
        EXPECT_TRUE(widget->isVisible()) << button;
    }
}

TEST_F(MainWindowTest, EightTabsWithoutSystemAndCaptionsFromTheirSections) {
    MainWindow& w = make();
    w.show();
    ASSERT_EQ(tabs()->count(), 8);
    EXPECT_EQ(tabs()->tabText(0), QStringLiteral("Status"));
    EXPECT_EQ(tabs()->tabToolTip(0), QStringLiteral("Meldungen des QPL"));
    EXPECT_EQ(tabs()->tabText(1), QStringLiteral("Namen"));
    EXPECT_EQ(tabs()->tabToolTip(1), QString());
    // A missing caption shows its section name.
    EXPECT_EQ(tabs()->tabText(3), QStringLiteral("TabStrip_MONITOR_GER"));
    EXPECT_EQ(tabs()->tabText(7), QStringLiteral("TabStrip_FBOX_GER"));
    // The System page has no tab and stays hidden.
    ASSERT_NE(pageFrame(QStringLiteral("frmTabStripData09")), nullptr);
    EXPECT_FALSE(pageFrame(QStringLiteral("frmTabStripData09"))->isVisible());
}

TEST_F(MainWindowTest, NinthTabIsSystemRegardlessOfTheSettingsFile) {
    switches.ShowTabStrip_System = true;
    writeIni("[TabStrip_system_GER]\r\nCaption=Anlage\r\n[Recent]\r\nActTabStrip=9\r\n");
    MainWindow& w = make();
    w.show();
    ASSERT_EQ(tabs()->count(), 9);
    EXPECT_EQ(tabs()->tabText(8), QStringLiteral("S&YSTEM"));
    EXPECT_EQ(w.activeTab(), 9);
    EXPECT_EQ(w.ActivePageFrame(), pageFrame(QStringLiteral("frmTabStripData09")));
    EXPECT_TRUE(w.ActivePageFrame()->isVisible());
}

TEST_F(MainWindowTest, ActTabStripIsRestoredAndFallsBackToOne) {
    struct Case {
        QByteArray value;
        bool restore;
        int tab;
    };
    const QList<Case> cases = {{"3", true, 3},  {"8", true, 8},       {"9", true, 1},
                               {"0", true, 1},  {"-2", true, 1},      {"x", true, 1},
                               {"5", false, 1}, {"4 ; last", true, 4}};
    for (const Case& c : cases) {
        writeIni("[Recent]\r\nActTabStrip=" + c.value + "\r\n");
        switches.RestoreLastPosition = c.restore;
        MainWindow& w = make();
        w.show();
        EXPECT_EQ(w.activeTab(), c.tab) << c.value.constData();
        const QString name =
            QStringLiteral("frmTabStripData%1").arg(c.tab, 2, 10, QLatin1Char('0'));
        EXPECT_EQ(w.ActivePageFrame(), pageFrame(name)) << c.value.constData();
        window.reset();
    }
}

TEST_F(MainWindowTest, TabClickBringsItsPageToTheFrontWithTheBlindBelow) {
    MainWindow& w = make();
    w.show();
    tabs()->setCurrentIndex(4);
    QWidget* gpio = pageFrame(QStringLiteral("frmTabStripData05"));
    EXPECT_EQ(w.ActivePageFrame(), gpio);
    EXPECT_TRUE(gpio->isVisible());
    EXPECT_EQ(gpio->width(), container()->width());
    EXPECT_EQ(blind()->y(), gpio->y() + gpio->height());
    // The blind lies right above the active page in the stacking order.
    const QObjectList& order = container()->children();
    EXPECT_EQ(order.indexOf(blind()), order.indexOf(gpio) + 1);
}

TEST_F(MainWindowTest, ResizeKeepsTheWidthAndClampsTheHeight) {
    MainWindow& w = make();
    w.show();
    w.resize(1000, 50);
    EXPECT_EQ(w.width(), 9380 / 15);
    EXPECT_EQ(w.height(), 1800 / 15);
    w.resize(300, 3000);
    EXPECT_EQ(w.width(), 9380 / 15);
    EXPECT_EQ(w.height(), 10080 / 15);
    w.resize(625, 400);
    EXPECT_EQ(w.height(), 400);
    // The tab strip ends 320 twips above the window's inner bottom: the scroll bar follows.
    const QRect bar = scroll()->geometry();
    const int tabHeight = (w.centralWidget()->height() + w.statusBar()->height()) * 15 - 60 - 320;
    EXPECT_EQ(bar.height(), MainWindow::toPixels(tabHeight - 410));
}

TEST_F(MainWindowTest, ScrollBarIsEnabledOnlyBeyondNinetySixTwips) {
    // Page 1 is 6 pixels (90 twips) taller than the host, page 2 7 pixels (105 twips).
    MainWindow& probe = make();
    probe.show();
    const int host = container()->height();
    window.reset();

    pageHeights = {host + 6, host + 7};
    MainWindow& w = make();
    w.show();
    ASSERT_EQ(container()->height(), host);
    EXPECT_FALSE(scroll()->isEnabled());
    EXPECT_EQ(w.ActivePageFrame()->y(), 0);
    tabs()->setCurrentIndex(1);
    EXPECT_TRUE(scroll()->isEnabled());
    EXPECT_EQ(scroll()->singleStep(), 96);
    EXPECT_EQ(scroll()->pageStep(), 96);
    EXPECT_GT(scroll()->maximum(), 0);
}

TEST_F(MainWindowTest, ScrolledPageKeepsItsPositionAcrossTabSwitches) {
    pageHeights = {2000, 900};
    MainWindow& w = make();
    w.show();
    QWidget* status = w.ActivePageFrame();
    ASSERT_TRUE(scroll()->isEnabled());
    scroll()->setValue(960);
    EXPECT_EQ(status->y(), -64);
    EXPECT_EQ(blind()->y(), status->y() + status->height());
    tabs()->setCurrentIndex(1);
    EXPECT_EQ(scroll()->value(), 0);
    tabs()->setCurrentIndex(0);
    EXPECT_EQ(scroll()->value(), 960);
    EXPECT_EQ(status->y(), -64);

    // Growing the window lowers the maximum below the position: the page goes back to its top.
    scroll()->setValue(scroll()->maximum());
    const int atBottom = status->y();
    w.resize(w.width(), w.maximumHeight());
    EXPECT_TRUE(status->y() == 0 || status->y() > atBottom);
    EXPECT_LE(-status->y() * 15, scroll()->maximum());
}

TEST_F(MainWindowTest, FirstShowBuildsOnceOpensThePortAndSynchronisesOnlyAfterStartUp) {
    MainWindow& w = make();
    int opened = 0;
    int synced = 0;
    QStringList selected;
    w.hooks().openPort = [&] { ++opened; };
    w.hooks().synchronisePages = [&] { ++synced; };
    w.hooks().pageSelected = [&](const QString& name) { selected.append(name); };
    w.show();
    w.hide();
    w.show();
    w.activateWindow();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(tabs()->count(), 8);
    EXPECT_EQ(synced, 0); // the restoring click comes before start-up has finished
    EXPECT_EQ(selected, QStringList{QStringLiteral("frmTabStripData01")});
    switches.InitDone = true;
    tabs()->setCurrentIndex(3);
    EXPECT_EQ(synced, 1);
    EXPECT_EQ(selected.last(), QStringLiteral("frmTabStripData04"));
}

TEST_F(MainWindowTest, StatusTextIsTrimmedWithOneLeadingBlank) {
    MainWindow& w = make();
    w.ShowStatusText(QStringLiteral("  Daten empfangen  "));
    auto* label = w.findChild<QWidget*>(QStringLiteral("StatusBar_Panel_1"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(w.statusText(), QStringLiteral(" Daten empfangen"));
    EXPECT_EQ(label->toolTip(), QStringLiteral("Daten empfangen"));
}

TEST_F(MainWindowTest, FocusGoesToTheTabStripOnlyWhenShown) {
    MainWindow& w = make();
    w.FocusTabStrip();
    EXPECT_FALSE(tabs()->hasFocus());
    w.show();
    w.activateWindow();
    QApplication::setActiveWindow(&w);
    w.FocusTabStrip();
    EXPECT_EQ(QApplication::focusWidget(), tabs());
}

TEST_F(MainWindowTest, SendTimerFiresCommand107Once) {
    MainWindow& w = make();
    QSignalSpy spy(&w, &MainWindow::menuCommand);
    w.timSendData().start(100);
    EXPECT_TRUE(spy.wait(1000));
    QTest::qWait(250);
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy[0][0].toInt(), 107);
    EXPECT_FALSE(w.timSendData().isActive());
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
    auto* fraTab = pageFrame(QStringLiteral("frmTabStripData01"))->findChild<QGroupBox*>("fraTab");
    EXPECT_TRUE(fraTab->title().isEmpty());
}

TEST_F(MainWindowTest, TestButtonAndCloseBox) {
    MainWindow& w = make();
    w.show();
    auto* dummy = w.findChild<QPushButton*>(QStringLiteral("cmdDummy"));
    ASSERT_NE(dummy, nullptr);
    EXPECT_FALSE(dummy->isVisible());
    w.setTestButtonVisible(true);
    EXPECT_TRUE(dummy->isVisible());
    QSignalSpy spy(&w, &MainWindow::dummyClicked);
    QTest::mouseClick(dummy, Qt::LeftButton);
    EXPECT_EQ(spy.size(), 1);

    int ended = 0;
    w.hooks().endProgram = [&] { ++ended; };
    w.close();
    EXPECT_EQ(ended, 1);
}

} // namespace
