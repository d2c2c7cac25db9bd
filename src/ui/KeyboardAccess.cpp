#include "ui/KeyboardAccess.h"

#include "settings/Texts.h"
#include "ui/MainWindow.h"
#include "widgets/WheelGuard.h"

#include <QAction>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QTabBar>
#include <QToolButton>
#include <QToolTip>

namespace zoz {

namespace {

// The keys of the toolbar's commands by position (0 = separator).
const QKeyCombination kToolbarKeys[MainWindow::ButtonCount] = {Qt::CTRL | Qt::Key_O,
                                                               Qt::CTRL | Qt::Key_S,
                                                               Qt::CTRL | Qt::Key_N,
                                                               {},
                                                               QKeyCombination(Qt::Key_F7),
                                                               QKeyCombination(Qt::Key_F8),
                                                               Qt::CTRL | Qt::Key_F9,
                                                               QKeyCombination(Qt::Key_F6),
                                                               QKeyCombination(Qt::Key_F5),
                                                               {},
                                                               Qt::CTRL | Qt::Key_L,
                                                               Qt::SHIFT | Qt::Key_F1,
                                                               {},
                                                               Qt::CTRL | Qt::Key_Q};

QString keyText(const QAction* action) {
    return action->shortcut().toString(QKeySequence::NativeText);
}

// A filled circle with a dark ring: the tab's page holds changes not sent.
QIcon changedIcon() {
    QPixmap picture(12, 12);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x40, 0x2a, 0x00), 1.5));
    painter.setBrush(QColor(0xe0, 0x8a, 0x00));
    painter.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    return QIcon(picture);
}

} // namespace

KeyboardAccess::KeyboardAccess(MainWindow& window, Texts& texts, QObject* parent)
    : QObject(parent), m_window(window), m_texts(texts),
      m_tabs(window.findChild<QTabBar*>(QStringLiteral("TabData"))),
      m_extras(window.findChild<QToolButton*>(QStringLiteral("ToolbarExtras"))) {
    for (int i = 1; i <= MainWindow::ButtonCount; ++i) {
        auto* action = window.findChild<QAction*>(QStringLiteral("Toolbar1_%1").arg(i));
        if (!action || action->isSeparator())
            continue;
        action->setShortcut(QKeySequence(kToolbarKeys[i - 1]));
        auto* button = window.findChild<QToolButton*>(QStringLiteral("Toolbar1_%1").arg(i));
        if (!button)
            continue;
        button->installEventFilter(this);
        // Shown as a picture only, the button is named by its tool tip, whenever that is set.
        connect(action, &QAction::changed, button,
                [button, action] { button->setAccessibleName(action->toolTip()); });
    }
    if (m_extras) {
        auto* open = new QAction(&window);
        open->setObjectName(QStringLiteral("actExtras"));
        open->setShortcut(QKeySequence(Qt::Key_F10));
        connect(open, &QAction::triggered, m_extras, &QToolButton::showMenu);
        window.addAction(open);
        m_extras->installEventFilter(this);
    }
    auto* list = new QAction(&window);
    list->setObjectName(QStringLiteral("actShortcuts"));
    list->setShortcut(QKeySequence(Qt::Key_F1));
    connect(list, &QAction::triggered, this, &KeyboardAccess::showShortcuts);
    window.addAction(list);
    if (m_tabs)
        WheelGuard::guard(m_tabs);
}

void KeyboardAccess::start(QLabel* statusField, std::function<void()> openCompare) {
    m_status = statusField;
    m_openCompare = std::move(openCompare);
    if (m_status) {
        m_status->setFocusPolicy(Qt::StrongFocus);
        m_status->setCursor(Qt::PointingHandCursor);
        m_status->setAccessibleDescription(m_texts.message(QStringLiteral("Menu_Compare.ToolTip")));
        m_status->installEventFilter(this);
    }
}

QList<QAction*> KeyboardAccess::commands() const {
    QList<QAction*> actions;
    for (int i = 1; i <= MainWindow::ButtonCount; ++i)
        if (auto* a = m_window.findChild<QAction*>(QStringLiteral("Toolbar1_%1").arg(i));
            a && !a->shortcut().isEmpty() && a->isVisible())
            actions.append(a);
    if (m_window.extrasMenu())
        for (QAction* a : m_window.extrasMenu()->actions())
            if (!a->shortcut().isEmpty())
                actions.append(a);
    for (const char* name : {"actExtras", "actShortcuts"})
        actions.append(m_window.findChild<QAction*>(QString::fromLatin1(name)));
    return actions;
}

QString KeyboardAccess::shortcutList() const {
    QStringList lines;
    for (QAction* a : commands()) {
        QString what = a->toolTip();
        if (a->objectName() == QLatin1String("actExtras"))
            what = m_texts.message(QStringLiteral("Menu_Extras.ToolTip"));
        else if (a->objectName() == QLatin1String("actShortcuts"))
            what = m_texts.message(QStringLiteral("Menu_Shortcuts"));
        lines.append(keyText(a) + QLatin1Char('\t') + what);
    }
    return lines.join(QLatin1Char('\n'));
}

void KeyboardAccess::showShortcuts() {
    QMessageBox box(QMessageBox::Information, m_texts.message(QStringLiteral("Menu_Shortcuts")),
                    shortcutList(), QMessageBox::Ok, &m_window);
    box.setObjectName(QStringLiteral("frmShortcuts"));
    box.exec();
}

void KeyboardAccess::markPages(const QList<QWidget*>& markedControls) {
    if (!m_tabs)
        return;
    QSet<QString> pages;
    for (QWidget* w : markedControls)
        for (; w; w = w->parentWidget())
            if (w->objectName().startsWith(QLatin1String("frmTabStripData")))
                pages.insert(w->objectName());
    if (m_changedIcon.isNull())
        m_changedIcon = changedIcon();
    for (int j = 0; j < m_tabs->count(); ++j) {
        const bool marked = pages.contains(m_tabs->tabData(j).toString());
        if (marked != !m_tabs->tabIcon(j).isNull())
            m_tabs->setTabIcon(j, marked ? m_changedIcon : QIcon());
    }
}

bool KeyboardAccess::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_status && m_openCompare) {
        const bool keyed = event->type() == QEvent::KeyPress &&
                           QList<int>{Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}.contains(
                               static_cast<QKeyEvent*>(event)->key());
        if (keyed || event->type() == QEvent::MouseButtonRelease) {
            m_openCompare();
            return true;
        }
    }
    // The described tool tip, with the command's key beside it.
    if (event->type() == QEvent::ToolTip) {
        auto* button = qobject_cast<QToolButton*>(watched);
        QAction* action = button ? button->defaultAction() : nullptr;
        if (button == m_extras)
            action = m_window.findChild<QAction*>(QStringLiteral("actExtras"));
        if (action && !action->shortcut().isEmpty() && !button->toolTip().isEmpty()) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                               button->toolTip() + QStringLiteral("  (") + keyText(action) +
                                   QLatin1Char(')'),
                               button);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zoz
