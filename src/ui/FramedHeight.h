#pragma once

#include <QObject>

class QWidget;

namespace zoz {

// The main window's height counts with its frame: the limits and the saved [Screen] Coord_H mean
// the window as it stands on the screen. The window manager frames a window only after it is
// shown (without one the frame is 0), so the client limits follow the frame whenever it changes,
// keeping the framed height.
class FramedHeight : public QObject {
public:
    // Watches window; minimum and maximum are framed heights in pixels.
    FramedHeight(QWidget& window, int minimum, int maximum);

    int height() const;
    void setHeight(int framed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int frame() const;
    void followFrame();

    QWidget& m_window;
    const int m_minimum;
    const int m_maximum;
    int m_frame = 0; // the frame the client limits were set for
};

} // namespace zoz
