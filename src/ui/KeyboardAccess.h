#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <functional>

class QAction;
class QLabel;
class QTabBar;
class QToolButton;

namespace zoz {

class MainWindow;
class Texts;

// The main window for the keyboard and for those who do not see colours: a shortcut for every
// toolbar command (shown beside the described tool tip), the extras button labelled and opened
// by F10, F1 listing every shortcut, the status field reached by Tab and opening Compare, and a
// picture on each tab whose page holds changes not sent. The toolbar's positions and texts stay.
class KeyboardAccess : public QObject {
    Q_OBJECT
public:
    KeyboardAccess(MainWindow& window, Texts& texts, QObject* parent = nullptr);

    // After start-up: the status field and what it opens.
    void start(QLabel* statusField, std::function<void()> openCompare);
    // The tabs of the pages holding these controls get the picture; the others lose it.
    void markPages(const QList<QWidget*>& markedControls);
    // "Ctrl+O\tLoad data" for every command with a shortcut, in toolbar and menu order.
    QString shortcutList() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QAction*> commands() const;
    void showShortcuts();

    MainWindow& m_window;
    Texts& m_texts;
    QTabBar* m_tabs = nullptr;
    QToolButton* m_extras = nullptr;
    QIcon m_changedIcon; // made on the first mark
    QPointer<QLabel> m_status;
    std::function<void()> m_openCompare;
};

} // namespace zoz
