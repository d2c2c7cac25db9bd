#include "ui/MainWindow.h"

#include "settings/IniFile.h"
#include "settings/Switches.h"
#include "settings/Texts.h"
#include "ui/FramedHeight.h"
#include "widgets/Pictures.h"
#include "widgets/XPLook.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>

// Resources of a static library are registered by hand.
namespace zoz {

namespace {

// Tab strip position inside the area between toolbar and status bar, in twips.
constexpr int TabLeft = 120;
constexpr int TabTop = 60;
constexpr int TabWidth = MainWindow::FormWidth - MainWindow::ScrollSlack - TabLeft;
// The pane's border around the client area, in pixels.
constexpr int PaneBorder = 2;

const char* const CommandNames[MainWindow::ButtonCount] = {
    "FileRead",        "FileWrite",   "Reset",       nullptr,     "CommSendData",
    "CommReceiveData", "CommRestart", "CommGetInfo", "CommCheck", nullptr,
    "ShowProtocol",    "ShowAbout",   nullptr,       "EndProgram"};

const char* const IconNames[MainWindow::ButtonCount] = {
    "file-read", "file-write", "reset", nullptr,    "send",  "receive", "restart",
    "info",      "check",      nullptr, "protocol", "about", nullptr,   "end"};

const char* const DesignCaptions[] = {"status", "name",   "layer",    "monitor",
                                      "gpio",   "editor", "snapshot", "fbox"};

QString frameCaption(QWidget* frame) {
    if (auto* box = qobject_cast<QGroupBox*>(frame))
        return box->title();
    return frame->windowTitle();
}

} // namespace

int MainWindow::toPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / TwipsPerPixel));
}

MainWindow::MainWindow(const Switches& switches, Texts& texts, QWidget* parent)
    : QMainWindow(parent), m_switches(switches), m_texts(texts) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(Pictures::icon(QStringLiteral(":/icons/app")));
    createToolbar();

    m_central = new QWidget(this);
    m_central->setObjectName(QStringLiteral("frmMainClient"));
    setCentralWidget(m_central);
    m_central->installEventFilter(this);

    m_tabPane = new QFrame(m_central);
    m_tabPane->setFrameShape(QFrame::StyledPanel);
    m_tabData = new QTabBar(m_central);
    m_tabData->setObjectName(QStringLiteral("TabData"));
    m_tabData->setDrawBase(false);
    m_tabData->setExpanding(false);
    for (const char* caption : DesignCaptions) {
        m_tabData->addTab(QString::fromLatin1(caption));
        m_tabTags.addTab();
    }
    connect(m_tabData, &QTabBar::currentChanged, this, [this] { SwitchPage(); });

    m_fraContainer = new QFrame(m_central);
    m_fraContainer->setObjectName(QStringLiteral("fraContainer"));
    m_fraBlind = new QFrame(m_fraContainer);
    m_fraBlind->setObjectName(QStringLiteral("fraBlind"));
    m_fraBlind->setAutoFillBackground(true);
    m_vScroll = new QScrollBar(Qt::Vertical, m_central);
    m_vScroll->setObjectName(QStringLiteral("VScroll"));
    connect(m_vScroll, &QScrollBar::valueChanged, this, &MainWindow::onScroll);

    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->setFixedHeight(toPixels(BelowTabStrip));
    m_statusLabel = new QLabel(statusBar());
    m_statusLabel->setObjectName(QStringLiteral("StatusBar_Panel_1"));
    statusBar()->addWidget(m_statusLabel, 1);

    // At the status bar's right end: the nine tabs fill the strip's whole width, so a button
    // beside them would cover the last one.
    m_cmdDummy = new QPushButton(QStringLiteral("Test"), statusBar());
    m_cmdDummy->setObjectName(QStringLiteral("cmdDummy"));
    m_cmdDummy->setMaximumHeight(toPixels(BelowTabStrip) - 2);
    m_cmdDummy->setVisible(false);
    statusBar()->addPermanentWidget(m_cmdDummy);
    connect(m_cmdDummy, &QPushButton::clicked, this, &MainWindow::dummyClicked);

    m_timSendData.setObjectName(QStringLiteral("timSendData"));
    m_timSendData.setSingleShot(true);
    connect(&m_timSendData, &QTimer::timeout, this, [this] {
        m_timSendData.stop();
        emit menuCommand(MenuCommand::SendRequested);
    });

    // The width follows from the tab strip; only the height may change, within limits.
    const int width = toPixels(TabLeft + TabWidth + ScrollSlack);
    setFixedWidth(width);
    m_framedHeight = new FramedHeight(*this, toPixels(MinHeight), toPixels(MaxHeight));
    resize(width, toPixels(6000));
    QApplication::restoreOverrideCursor();
}

void MainWindow::createToolbar() {
    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolbar->setIconSize(QSize(24, 24));
    addToolBar(Qt::TopToolBarArea, m_toolbar);
    for (int i = 1; i <= ButtonCount; ++i) {
        QAction* action = nullptr;
        if (IconNames[i - 1] == nullptr) {
            action = m_toolbar->addSeparator();
        } else {
            action = m_toolbar->addAction(
                Pictures::icon(QStringLiteral(":/icons/%1").arg(QLatin1String(IconNames[i - 1]))),
                QString());
            const std::optional<MenuCommand> command = MenuCommandOf(i);
            Q_ASSERT(command);
            connect(action, &QAction::triggered, this,
                    [this, command] { emit menuCommand(*command); });
        }
        const QString name = QStringLiteral("Toolbar1_%1").arg(i);
        action->setObjectName(name);
        if (QWidget* w = m_toolbar->widgetForAction(action))
            w->setObjectName(name);
        m_buttons.append(action);
    }

    // A toolbar of its own, so that the 14 positions of Toolbar1 stay as they are.
    m_extrasBar = new QToolBar(this);
    m_extrasBar->setObjectName(QStringLiteral("Toolbar2"));
    m_extrasBar->setMovable(false);
    m_extrasBar->setFloatable(false);
    m_extrasBar->setContextMenuPolicy(Qt::PreventContextMenu);
    m_extrasMenu = new QMenu(this);
    m_extrasMenu->setObjectName(QStringLiteral("mnuExtras"));
    auto* button = new QToolButton(m_extrasBar);
    button->setObjectName(QStringLiteral("ToolbarExtras"));
    button->setText(QStringLiteral("\u2026"));
    button->setPopupMode(QToolButton::InstantPopup);
    button->setMenu(m_extrasMenu);
    m_extrasBar->addWidget(button);
    m_extrasBar->setVisible(false);
    addToolBar(Qt::TopToolBarArea, m_extrasBar);
}

void MainWindow::addExtraAction(QAction* action) {
    m_extrasMenu->addAction(action);
    addAction(action);
    m_extrasBar->setVisible(true);
}

QString MainWindow::ToolbarCommandName(int button) {
    if (button < 1 || button > ButtonCount || CommandNames[button - 1] == nullptr)
        return QStringLiteral("???");
    return QString::fromLatin1(CommandNames[button - 1]);
}

QList<QWidget*> MainWindow::EmptyPageWindows() {
    static const char* const captions[] = {"status", "name",     "layer", "monitor", "gpio",
                                           "editor", "snapshot", "fbox",  "system"};
    QList<QWidget*> windows;
    for (int i = 0; i < 9; ++i) {
        auto* window = new QWidget;
        window->setObjectName(
            QStringLiteral("frmTabStripData%1").arg(i + 1, 2, 10, QLatin1Char('0')));
        auto* frame = new QGroupBox(QString::fromLatin1(captions[i]), window);
        frame->setObjectName(QStringLiteral("fraTab"));
        frame->setGeometry(0, 0, toPixels(9000), toPixels(5000));
        window->resize(frame->size());
        windows.append(window);
    }
    return windows;
}

void MainWindow::setToolbarButtonVisible(int button, bool visible) {
    if (button < 1 || button > m_buttons.size())
        return;
    m_buttons[button - 1]->setVisible(visible);
    // Lay the toolbar out now, so that the button is gone before the next event is handled.
    m_toolbar->layout()->activate();
}

void MainWindow::setTestButtonVisible(bool visible) {
    m_cmdDummy->setVisible(visible);
}

int MainWindow::activeTab() const {
    return m_tabData->currentIndex() + 1;
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Without a window manager a window is never activated; the first show counts as well.
    firstActivation();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        firstActivation();
}

void MainWindow::firstActivation() {
    if (m_firstActivationDone)
        return;
    m_firstActivationDone = true;
    BuildToolbarTexts();
    emit firstActivated();
}

void MainWindow::BuildToolbarTexts() {
    for (int i = 1; i <= m_buttons.size(); ++i) {
        const QString key =
            QStringLiteral("Menu_") + ToolbarCommandName(i) + QStringLiteral(".ToolTip");
        m_buttons[i - 1]->setToolTip(m_texts.message(key, key));
    }
    if (auto* extras = m_extrasBar->findChild<QToolButton*>(QStringLiteral("ToolbarExtras"))) {
        extras->setToolTip(m_texts.message(QStringLiteral("Menu_Extras.ToolTip"),
                                           QStringLiteral("Menu_Extras.ToolTip")));
        extras->setText(m_texts.message(QStringLiteral("Menu_Extras"), QStringLiteral("Extras")));
    }
    BuildTabStrip();
}

void MainWindow::hostPageWindows(const QList<QWidget*>& windows) {
    for (QWidget* window : windows) {
        if (window->parent() == nullptr) {
            window->setParent(this);
            window->hide();
        }
        m_pageWindows.append(window);
    }
}

void MainWindow::BuildTabStrip() {
    // The tags grow with every build, so the strip is built once.
    if (m_tabStripBuilt)
        return;
    m_tabStripBuilt = true;

    const QSignalBlocker blocker(m_tabData);
    if (m_switches.ShowTabStrip_System) {
        m_tabData->addTab(QStringLiteral("SYSTEM"));
        m_tabTags.addTab();
    }

    emit pagesWanted();
    if (m_pageWindows.isEmpty())
        hostPageWindows(EmptyPageWindows());

    layoutTabStrip();
    placeHost();

    for (QWidget* window : std::as_const(m_pageWindows)) {
        const QString name = window->objectName().trimmed();
        if (name.left(15).compare(QLatin1String("frmTabStripData"), Qt::CaseInsensitive) != 0)
            continue;
        auto* frame = window->findChild<QWidget*>(QStringLiteral("fraTab"));
        if (frame == nullptr)
            continue;
        const QString caption = frameCaption(frame).trimmed().toUpper();
        // The page window itself becomes the hosted panel, so that its controls stay its
        // children; its frame loses the border (and with it the caption on screen).
        window->setParent(m_fraContainer);
        window->hide();
        window->setAutoFillBackground(true); // pages behind it must not show through
        if (auto* box = qobject_cast<QGroupBox*>(frame)) {
            box->setTitle(QString());
            box->setFlat(true);
            box->installEventFilter(this); // its paint events are dropped: no border
        } else if (auto* plain = qobject_cast<QFrame*>(frame)) {
            plain->setFrameShape(QFrame::NoFrame);
        }
        window->setGeometry(0, 0, m_fraContainer->width(), window->height());
        for (int j = 0; j < m_tabData->count(); ++j) {
            if (m_tabData->tabText(j).trimmed().toUpper() == caption) {
                m_tabData->setTabData(j, name);
                m_tabTags.addForm(j, name, m_tabData->tabText(j).trimmed());
                break;
            }
        }
    }

    for (int j = 0; j < m_tabData->count(); ++j) {
        const QString page = m_tabTags.page(j);
        if (page.isEmpty())
            continue;
        if (m_tabTags.isSystem(j)) {
            m_tabData->setTabText(j, QStringLiteral("S&YSTEM"));
        } else {
            const QString section =
                QStringLiteral("TabStrip_") + page + QStringLiteral("_") + m_texts.language();
            m_tabData->setTabText(j, m_texts.lookup(section, QStringLiteral("Caption"), section));
            m_tabData->setTabToolTip(j, m_texts.lookup(section, QStringLiteral("ToolTip"), {}));
        }
    }
    layoutTabStrip();

    int n = 1;
    if (m_switches.RestoreLastPosition)
        n = TabTags::storedTabNumber(GetIniValue(m_texts.iniFileName(), QStringLiteral("Recent"),
                                                 QStringLiteral("ActTabStrip"), QStringLiteral("1"),
                                                 m_texts.iniCache()));
    if (n < 1 || n > m_tabData->count())
        n = 1;
    m_tabData->setCurrentIndex(n - 1);
    SwitchPage();

    if (m_switches.XPLook)
        applyXPLook();
}

void MainWindow::applyXPLook() {
    applyXPLookTo(m_fraContainer);
}

void MainWindow::applyXPLookTo(QWidget* root) {
    if (!m_switches.XPLook || (root != m_fraContainer && !m_fraContainer->isAncestorOf(root)))
        return;
    XPLook::applyTo(root);
}

void MainWindow::SwitchPage() {
    if (m_switches.InitDone)
        emit pagesToSynchronise();
    const int index = m_tabData->currentIndex();
    if (index < 0 || index >= m_tabTags.size())
        return;
    QWidget* window = nullptr;
    for (QWidget* w : std::as_const(m_pageWindows)) {
        if (m_tabTags.holdsForm(index, w->objectName())) {
            window = w;
            break;
        }
    }
    if (window == nullptr)
        return;
    // The hosted panel of the page.
    QWidget* frame = window->parentWidget() == m_fraContainer ? window : nullptr;
    if (frame == nullptr)
        return;
    frame->raise();
    frame->show();
    // The pages behind are hidden, not only covered: a screen reader reads what is shown.
    for (QWidget* other : std::as_const(m_pageWindows))
        if (other != frame && other->parentWidget() == m_fraContainer)
            other->hide();
    emit pageSelected(window->objectName());
    m_fraBlind->raise();
    m_fraBlind->move(0, frame->y() + frame->height());
    m_activePageFrame = frame;
    AdjustScrollBar();
}

void MainWindow::AdjustScrollBar() {
    if (m_activePageFrame == nullptr)
        return;
    QWidget* page = m_activePageFrame;
    m_vScroll->resize(m_vScroll->width(), toPixels(m_tabHeightTwips - ScrollShorter));
    const bool enabled = toTwips(page->height()) - ScrollSlack > toTwips(m_fraContainer->height());
    const QSignalBlocker blocker(m_vScroll);
    m_vScroll->setEnabled(enabled);
    if (!enabled) {
        page->move(0, 0);
        m_fraBlind->move(0, page->y() + page->height());
        m_vScroll->setRange(0, 0);
        m_vScroll->setValue(0);
        return;
    }
    const int rememberedTop = page->y();
    page->move(0, 0);
    m_vScroll->setValue(0);
    const int maximum = toTwips(page->height() - tabClientRect().height());
    m_vScroll->setRange(0, std::max(0, maximum));
    m_vScroll->setSingleStep(ScrollSlack);
    m_vScroll->setPageStep(ScrollSlack);
    page->move(0, rememberedTop);
    const int wanted = -toTwips(rememberedTop);
    const int value = wanted >= 0 && wanted <= maximum ? wanted : 0;
    m_vScroll->setValue(value);
    onScroll(value);
}

void MainWindow::onScroll(int value) {
    if (m_activePageFrame == nullptr)
        return;
    m_activePageFrame->move(0, -(value / TwipsPerPixel));
    m_fraBlind->move(0, m_activePageFrame->y() + m_activePageFrame->height());
}

QRect MainWindow::tabClientRect() const {
    const int top = toPixels(TabTop) + m_tabData->sizeHint().height();
    const int bottom = toPixels(TabTop + m_tabHeightTwips);
    return QRect(toPixels(TabLeft) + PaneBorder, top + PaneBorder,
                 toPixels(TabWidth) - 2 * PaneBorder, std::max(0, bottom - top - 2 * PaneBorder));
}

void MainWindow::layoutTabStrip() {
    // The area between toolbar and status bar plus the status bar is the inner height; the
    // status bar is exactly the space kept below the tab strip.
    const int inner = toTwips(m_central->height() + statusBar()->height());
    m_tabHeightTwips = std::max(0, inner - TabTop - BelowTabStrip);
    const int barHeight = m_tabData->sizeHint().height();
    m_tabData->setGeometry(toPixels(TabLeft), toPixels(TabTop), toPixels(TabWidth), barHeight);
    m_tabPane->setGeometry(toPixels(TabLeft), toPixels(TabTop) + barHeight - 1, toPixels(TabWidth),
                           std::max(0, toPixels(m_tabHeightTwips) - barHeight + 1));
    const QRect client = tabClientRect();
    const int scrollWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    m_vScroll->setGeometry(toPixels(TabLeft + TabWidth - BelowTabStrip), client.top(), scrollWidth,
                           std::max(0, toPixels(m_tabHeightTwips - ScrollShorter)));
    m_fraContainer->resize(m_fraContainer->width(), client.height());
}

void MainWindow::placeHost() {
    const QRect client = tabClientRect();
    const int width = client.width() - m_vScroll->width() - toPixels(ScrollGap);
    m_fraContainer->setGeometry(client.left(), client.top(), width, client.height());
    m_fraContainer->setFrameShape(QFrame::NoFrame);
    m_fraBlind->setGeometry(0, 0, toPixels(BlindSize), toPixels(BlindSize));
    m_fraBlind->setFrameShape(QFrame::NoFrame);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (isMinimized())
        return;
    const int width = toPixels(FormWidth);
    const int height = std::clamp(this->height(), minimumHeight(), maximumHeight());
    if (this->width() != width || this->height() != height)
        resize(width, height);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The central area gets its final size after the window's own resize event.
    if (watched == m_central && event->type() == QEvent::Resize && !isMinimized()) {
        layoutTabStrip();
        AdjustScrollBar();
    }
    // A hosted page's frame draws nothing of its own (its title is empty): only its controls
    // show. A style sheet would do the same at the price of the style-sheet machinery at start-up.
    if (event->type() == QEvent::Paint && qobject_cast<QGroupBox*>(watched) &&
        watched->objectName() == QLatin1String("fraTab"))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    emit closing();
    event->accept();
}

void MainWindow::ShowStatusText(const QString& text) {
    m_statusLabel->setText(QStringLiteral(" ") + text.trimmed());
    m_statusLabel->setToolTip(text.trimmed());
}

QString MainWindow::statusText() const {
    return m_statusLabel->text();
}

void MainWindow::FocusTabStrip() {
    if (statusBar()->isVisible())
        m_tabData->setFocus();
}

} // namespace zoz
