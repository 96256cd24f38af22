#pragma once

// Steps the animation clock from real time for open windows, for platform sources.

#include <QtCore/QElapsedTimer>
#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <memory>

// One per process, started by the first window that opens: about 60 steps a second
// while the clock has anything to animate, none while it is idle, none while the
// clock is stepped by hand. Its timer belongs to the application object and goes
// with it.
class RealTimeClockDriver {
public:
    static void start();

private:
    RealTimeClockDriver();
    void wake();
    void tick();

    QPointer<QTimer> timer_;
    QElapsedTimer elapsed_;
    std::shared_ptr<void> wakeToken_;
};
