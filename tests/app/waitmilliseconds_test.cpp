#include "app/WaitMilliseconds.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

using zoz::WaitMilliseconds;

TEST(WaitMilliseconds, WaitsTheTimeWhileEventsKeepRunning) {
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(10);
    QElapsedTimer clock;
    clock.start();
    WaitMilliseconds(120);
    const qint64 waited = clock.elapsed();
    EXPECT_GE(waited, 120);
    EXPECT_LT(waited, 1000);
    EXPECT_GE(ticks, 3); // the timer fired inside the wait
}

TEST(WaitMilliseconds, ZeroOrLessReturnsAtOnceWithoutRunningEvents) {
    bool ran = false;
    // The pending call dies with the test; without a context it would run in the next test's
    // event loop and write to this test's finished stack frame.
    QObject context;
    QTimer::singleShot(0, &context, [&ran] { ran = true; });
    WaitMilliseconds(0);
    WaitMilliseconds(-5);
    EXPECT_FALSE(ran);
}

TEST(WaitMilliseconds, NestedWaitsEachLastTheirOwnTime) {
    QElapsedTimer clock;
    clock.start();
    qint64 inner = -1;
    QTimer::singleShot(10, [&inner] {
        QElapsedTimer c;
        c.start();
        WaitMilliseconds(50);
        inner = c.elapsed();
    });
    WaitMilliseconds(30);
    // The outer wait cannot return before the inner one has ended, as in any nested loop.
    EXPECT_GE(inner, 50);
    EXPECT_GE(clock.elapsed(), 60);
}
