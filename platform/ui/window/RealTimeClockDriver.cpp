#include "platform/ui/window/RealTimeClockDriver.h"

#include <QtCore/QCoreApplication>
#include <algorithm>

#include "platform/ui/animation/AnimationClock.h"

namespace {
constexpr int kFrameIntervalMilliseconds = 16;
// A stalled loop (a breakpoint, a long render) does not make animations jump far.
constexpr double kLongestStep = 0.1;
}  // namespace

void RealTimeClockDriver::start() {
    static RealTimeClockDriver driver;
    if (AnimationClock::shared().isAnimating()) {
        driver.wake();
    }
}

RealTimeClockDriver::RealTimeClockDriver() : timer_(new QTimer(QCoreApplication::instance())) {
    timer_->setInterval(kFrameIntervalMilliseconds);
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_, &QTimer::timeout, [this] { tick(); });
    wakeToken_ = AnimationClock::shared().observeWakeUps([this] { wake(); });
}

void RealTimeClockDriver::wake() {
    if (!timer_ || timer_->isActive()) {
        return;
    }
    elapsed_.start();
    timer_->start();
}

void RealTimeClockDriver::tick() {
    AnimationClock& clock = AnimationClock::shared();
    if (clock.isManualStepping()) {
        timer_->stop();
        return;
    }
    const double seconds = std::min(static_cast<double>(elapsed_.restart()) / 1000.0, kLongestStep);
    clock.advance(seconds);
    if (!clock.isAnimating()) {
        timer_->stop();
    }
}
