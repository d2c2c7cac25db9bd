#pragma once

#include "app/MenuCommand.h"
#include "ui/TabTags.h"

#include <QList>
#include <QMainWindow>
#include <QString>
#include <QTimer>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;
class QTabBar;
class QToolBar;

namespace zoz {

class FramedHeight;
struct Switches;
class Texts;

// The editor's main window (frmMain): toolbar, tab strip hosting the page frames, scroll bar,
// status bar. Sizes follow the original layout in twips, 15 twips per logical pixel.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int TwipsPerPixel = 15;
    static constexpr int FormWidth = 9380;
    static constexpr int MinHeight = 1800;
    static constexpr int MaxHeight = 10080;
    static constexpr int BelowTabStrip = 320;
    static constexpr int ScrollGap = 8;
    static constexpr int ScrollShorter = 410;
    static constexpr int ScrollSlack = 96;
    static constexpr int BlindSize = 20000;
    static constexpr int ButtonCount = 14;

    static int toPixels(int twips);
    static int toTwips(int pixels) { return pixels * TwipsPerPixel; }

    MainWindow(const Switches& switches, Texts& texts, QWidget* parent = nullptr);

    // The height with the window's frame, within MinHeight..MaxHeight.
    FramedHeight& framedHeight() { return *m_framedHeight; }
    const FramedHeight& framedHeight() const { return *m_framedHeight; }

    // Command name of toolbar button 1..14 ("???" for separators and unknown buttons).
    static QString ToolbarCommandName(int button);
    // Nine empty page windows whose frames carry the design captions; stand-ins for real pages.
    static QList<QWidget*> EmptyPageWindows();

    void BuildToolbarTexts();
    // Loads the page windows (pagesWanted) and builds the strip once. With no page windows
    // hosted, the nine empty stand-ins of EmptyPageWindows are shown.
    void BuildTabStrip();
    // The page windows frmTabStripData01..09, each holding its frame "fraTab"; called while
    // pagesWanted is emitted.
    void hostPageWindows(const QList<QWidget*>& windows);
    void SwitchPage();
    // The XP look (when switched on) for the frames of a hosted page built after the strip.
    void applyXPLookTo(QWidget* root);
    void AdjustScrollBar();
    void ShowStatusText(const QString& text);
    void FocusTabStrip();

    // The editor's own commands beyond the 14 toolbar positions live in one menu button at the
    // toolbar's right end ("ToolbarExtras"); an action added here is in that menu and its
    // shortcut works in the whole window.
    void addExtraAction(QAction* action);
    QMenu* extrasMenu() const { return m_extrasMenu; }

    void setToolbarButtonVisible(int button, bool visible);
    void setTestButtonVisible(bool visible);
    int activeTab() const; // from 1
    bool firstActivationDone() const { return m_firstActivationDone; }
    QWidget* ActivePageFrame() const { return m_activePageFrame; }
    const QList<QWidget*>& pageWindows() const { return m_pageWindows; }
    QString statusText() const;

    // Armed with 100 ms when the controller asks for data; its tick sends command 107.
    QTimer& timSendData() { return m_timSendData; }

signals:
    void menuCommand(zoz::MenuCommand command);
    void dummyClicked();
    // The tab strip is being built: the listener hosts the page windows (hostPageWindows).
    void pagesWanted();
    // First show or activation: the port opens.
    void firstActivated();
    // Tab click after start-up: take over the pages, check names, refresh all pages.
    void pagesToSynchronise();
    // After a page came to the front (channel names, GPIO lists), with its window name.
    void pageSelected(const QString& windowName);
    // Close box.
    void closing();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createToolbar();
    void firstActivation();
    void layoutTabStrip();
    void placeHost();
    void onScroll(int value);
    void applyXPLook();
    QRect tabClientRect() const; // pixels, in the central widget

    const Switches& m_switches;
    Texts& m_texts;

    QToolBar* m_toolbar = nullptr;
    QList<QAction*> m_buttons;
    QToolBar* m_extrasBar = nullptr;
    QMenu* m_extrasMenu = nullptr;
    QWidget* m_central = nullptr;
    QFrame* m_tabPane = nullptr;
    QTabBar* m_tabData = nullptr;
    TabTags m_tabTags;
    QFrame* m_fraContainer = nullptr;
    QFrame* m_fraBlind = nullptr;
    QScrollBar* m_vScroll = nullptr;
    QLabel* m_statusLabel = nullptr;
    QPushButton* m_cmdDummy = nullptr;
    QTimer m_timSendData;

    QList<QWidget*> m_pageWindows;
    QWidget* m_activePageFrame = nullptr;
    bool m_firstActivationDone = false;
    bool m_tabStripBuilt = false;
    int m_tabHeightTwips = 0;
    FramedHeight* m_framedHeight = nullptr;
};

} // namespace zoz
