#include "platform/dispatch/MainQueue.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QMetaObject>
#include <algorithm>

// Marks the queue as draining for the scope, and on leaving (normally or by an
// exception) lets tasks still queued wake the event loop again.
class MainQueue::DrainScope {
public:
    explicit DrainScope(MainQueue& queue) : queue_(queue) {}
    ~DrainScope() {
        bool wake = false;
        {
            std::lock_guard lock(queue_.mutex_);
            queue_.draining_ = false;
            wake = !queue_.tasks_.empty() && queue_.claimWakeLocked();
        }
        if (wake) {
            wakeEventLoop();
        }
    }
    DrainScope(const DrainScope&) = delete;
    DrainScope& operator=(const DrainScope&) = delete;

private:
    MainQueue& queue_;
};

void MainQueue::async(Task task) {
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
        wake = claimWakeLocked();
    }
    if (wake) {
        wakeEventLoop();
    }
}

void MainQueue::hold() {
    std::lock_guard lock(mutex_);
    held_ = true;
}

void MainQueue::release() {
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        held_ = false;
        wake = !tasks_.empty() && claimWakeLocked();
    }
    if (wake) {
        wakeEventLoop();
    }
}

bool MainQueue::drain() {
    if (!isMainThread()) {
        return false;
    }
    std::size_t pending = 0;
    {
        std::lock_guard lock(mutex_);
        if (draining_) {
            return false;
        }
        draining_ = true;
        wakeScheduled_ = false;
        pending = tasks_.size();
    }
    DrainScope scope(*this);
    for (; pending > 0; --pending) {
        Task task;
        {
            std::lock_guard lock(mutex_);
            if (held_ || tasks_.empty()) {
                break;
            }
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        const auto start = std::chrono::steady_clock::now();
        task();
        const auto took = std::chrono::steady_clock::now() - start;
        std::lock_guard lock(mutex_);
        longestTask_ = std::max(longestTask_, took);
    }
    return true;
}

std::chrono::steady_clock::duration MainQueue::longestTask() const {
    std::lock_guard lock(mutex_);
    return longestTask_;
}

void MainQueue::resetLongestTask() {
    std::lock_guard lock(mutex_);
    longestTask_ = {};
}

bool MainQueue::hasRunnableTasks() const {
    std::lock_guard lock(mutex_);
    return !held_ && !tasks_.empty();
}

bool MainQueue::claimWakeLocked() {
    // Without an application there is no event loop to wake: tasks wait for an
    // explicit drain, or for the first post after the application exists.
    if (held_ || wakeScheduled_ || draining_ || QCoreApplication::instance() == nullptr) {
        return false;
    }
    wakeScheduled_ = true;
    return true;
}

void MainQueue::wakeEventLoop() {
    if (QCoreApplication* application = QCoreApplication::instance()) {
        QMetaObject::invokeMethod(
            application, [] { drainMainQueue(); }, Qt::QueuedConnection);
    }
}
