#include "ui/FramedHeight.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>

namespace zoz {

FramedHeight::FramedHeight(QWidget& window, int minimum, int maximum)
    : QObject(&window), m_window(window), m_minimum(minimum), m_maximum(maximum) {
    m_window.setMinimumHeight(m_minimum);
    m_window.setMaximumHeight(m_maximum);
    m_window.installEventFilter(this);
}

int FramedHeight::frame() const {
    return m_window.frameGeometry().height() - m_window.height();
}

int FramedHeight::height() const {
    return m_window.frameGeometry().height();
}

void FramedHeight::setHeight(int framed) {
    followFrame();
    m_window.resize(m_window.width(), std::clamp(framed, m_minimum, m_maximum) - m_frame);
}

void FramedHeight::followFrame() {
    const int now = frame();
    if (now == m_frame || m_window.isMinimized() || m_window.isMaximized())
        return;
    const int framed = m_window.height() + m_frame;
    m_frame = now;
    m_window.setMinimumHeight(m_minimum - now);
    m_window.setMaximumHeight(m_maximum - now);
    m_window.resize(m_window.width(), std::clamp(framed, m_minimum, m_maximum) - now);
}

bool FramedHeight::eventFilter(QObject* watched, QEvent* event) {
    // The frame arrives with a move (reparenting) or a resize after the window is shown.
    const QEvent::Type type = event->type();
    if (watched == &m_window &&
        (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show))
        followFrame();
    return false;
}

} // namespace zoz
