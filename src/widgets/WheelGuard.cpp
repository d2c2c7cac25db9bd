#include "widgets/WheelGuard.h"

#include <QComboBox>
#include <QEvent>
#include <QWidget>

namespace zoz {

WheelGuard::WheelGuard(bool whenFocused, QObject* parent)
    : QObject(parent), m_whenFocused(whenFocused) {
    parent->installEventFilter(this);
}

void WheelGuard::guardLists(QWidget* root) {
    for (QComboBox* list : root->findChildren<QComboBox*>()) {
        // A click or Tab gives it the focus; the wheel alone does not.
        list->setFocusPolicy(Qt::StrongFocus);
        new WheelGuard(true, list);
    }
}

void WheelGuard::guard(QWidget* widget) {
    new WheelGuard(false, widget);
}

bool WheelGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel &&
        !(m_whenFocused && static_cast<QWidget*>(watched)->hasFocus())) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zoz
