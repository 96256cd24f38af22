#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>

#include "platform/dispatch/DispatchQueue.h"

namespace {

// The state one dispatchApply shares with its helper tasks. Every index is claimed
// exactly once from an atomic counter; the caller claims until none are left, so it
// never waits for a helper that has not started, only for indices being run.
class ApplyLoop {
public:
    ApplyLoop(std::size_t iterations, const std::function<void(std::size_t)>& body)
        : iterations_(iterations), body_(&body) {}

    // Claims and runs indices until none are left. A helper that starts after the
    // caller has returned claims nothing and never touches the body.
    void runIterations() {
        std::size_t finished = 0;
        for (std::size_t i = next_.fetch_add(1); i < iterations_; i = next_.fetch_add(1)) {
            runOne(i);
            ++finished;
        }
        if (finished > 0) {
            std::lock_guard lock(mutex_);
            finished_ += finished;
            if (finished_ == iterations_) {
                allFinished_.notify_all();
            }
        }
    }

    void waitUntilFinished() {
        std::unique_lock lock(mutex_);
        allFinished_.wait(lock, [this] { return finished_ == iterations_; });
    }

    void rethrowFirstError() {
        std::lock_guard lock(mutex_);
        if (error_) {
            std::rethrow_exception(error_);
        }
    }

private:
    void runOne(std::size_t index) {
        if (failed_.load(std::memory_order_relaxed)) {
            return;
        }
        try {
            (*body_)(index);
        } catch (...) {
            std::lock_guard lock(mutex_);
            if (!error_) {
                error_ = std::current_exception();
            }
            failed_.store(true, std::memory_order_relaxed);
        }
    }

    const std::size_t iterations_;
    const std::function<void(std::size_t)>* const body_;
    std::atomic<std::size_t> next_{0};
    std::atomic<bool> failed_{false};
    std::mutex mutex_;
    std::condition_variable allFinished_;
    std::size_t finished_ = 0;
    std::exception_ptr error_;
};
}  // namespace

void dispatchApply(std::size_t iterations, const std::function<void(std::size_t)>& body) {
    if (iterations == 0) {
        return;
    }
    auto loop = std::make_shared<ApplyLoop>(iterations, body);
    const std::size_t helpers = std::min(globalQueueThreadCount(), iterations - 1);
    for (std::size_t i = 0; i < helpers; ++i) {
        DispatchQueue::global().async([loop] { loop->runIterations(); });
    }
    loop->runIterations();
    loop->waitUntilFinished();
    loop->rethrowFirstError();
}
