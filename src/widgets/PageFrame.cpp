#include "widgets/PageFrame.h"

namespace zoz {

PageFrame::PageFrame(const QString& name, const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent) {
    setObjectName(name);
}

// The width comes from the contents alone; the height keeps the caption's line.
QSize PageFrame::minimumSizeHint() const {
    return {QWidget::minimumSizeHint().width(), QGroupBox::minimumSizeHint().height()};
}

QSize PageFrame::sizeHint() const {
    return {QWidget::sizeHint().width(), QGroupBox::sizeHint().height()};
}

} // namespace zoz
