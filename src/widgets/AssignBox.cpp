#include "widgets/AssignBox.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace zoz {

AssignBox::AssignBox(const QString& arrayName, int index, QWidget* parent)
    : QLineEdit(parent), m_index(index) {
    setObjectName(arrayName + QLatin1Char('_') + QString::number(index));
    setReadOnly(true);
    setCursor(Qt::PointingHandCursor);
    setProperty("Tag", QString());
}

QString AssignBox::tag() const {
    return property("Tag").toString();
}

void AssignBox::setTag(const QString& tag) {
    setProperty("Tag", tag);
}

void AssignBox::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void AssignBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter ||
        key == Qt::Key_F4 || (key == Qt::Key_Down && event->modifiers() == Qt::AltModifier)) {
        emit clicked();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace zoz
