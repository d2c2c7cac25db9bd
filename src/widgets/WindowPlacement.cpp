#include "widgets/WindowPlacement.h"

#include <QWidget>

namespace zoz {

QSize WindowPlacement::framedSize(const QWidget& window, const QWidget* framed) {
    const QSize own = window.frameGeometry().size();
    if (own != window.size() || !framed || !framed->isVisible())
        return own;
    return own + (framed->frameGeometry().size() - framed->size());
}

} // namespace zoz
