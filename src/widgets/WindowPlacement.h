#pragma once

#include <QSize>

class QWidget;

namespace zoz {

// Where windows go on the screen.
class WindowPlacement {
public:
    // The size the window has with its frame. Before its first showing the window system has not
    // framed it yet; the frame of a shown window (the main window) stands in for its own, so a
    // dialog centred by it lands centred on its first showing as on every later one.
    static QSize framedSize(const QWidget& window, const QWidget* framed);
};

} // namespace zoz
