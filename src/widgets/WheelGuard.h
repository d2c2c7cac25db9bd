#pragma once

#include <QObject>

class QWidget;

namespace zoz {

// Keeps the mouse wheel from changing what the user did not pick: a drop-down list changes by
// the wheel only while it has the focus, and a tab strip never switches pages by it. A wheel
// turn it refuses goes on to the parent (a scrolled page still scrolls).
class WheelGuard : public QObject {
    Q_OBJECT
public:
    // Every drop-down list below root.
    static void guardLists(QWidget* root);
    // The widget never takes the wheel.
    static void guard(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WheelGuard(bool whenFocused, QObject* parent);
    bool m_whenFocused;
};

} // namespace zoz
