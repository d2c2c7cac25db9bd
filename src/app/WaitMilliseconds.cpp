#include "app/WaitMilliseconds.h"

#include <QEventLoop>
#include <QTimer>

namespace zoz {

void WaitMilliseconds(int milliseconds) {
    if (milliseconds <= 0)
        return;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(milliseconds);
    loop.exec();
}

} // namespace zoz
