#pragma once

#include <chrono>
#include <deque>
#include <mutex>

#include "platform/dispatch/DispatchQueue.h"

// The serial queue of the main thread. Tasks run only inside drain(), which the Qt
// event loop calls after a post wakes it (one wake per batch of posts), and which
// tests call directly.
class MainQueue final : public DispatchQueue {
public:
    void async(Task task) override;
    void hold() override;
    void release() override;

    // Runs the tasks pending at the call, one at a time and in order, stopping early
    // when the queue gets held. Answers false, without running anything, off the main
    // thread or when called from inside a task (tasks never overlap).
    bool drain();

    // True when there are queued tasks and the queue is not held.
    bool hasRunnableTasks() const;

    // The longest any task has run since the last reset, timed around each task.
    std::chrono::steady_clock::duration longestTask() const;
    void resetLongestTask();

private:
    class DrainScope;

    // Decides, under the lock, whether this post must wake the event loop.
    bool claimWakeLocked();
    static void wakeEventLoop();

    mutable std::mutex mutex_;
    std::deque<Task> tasks_;
    bool held_ = false;
    bool wakeScheduled_ = false;
    bool draining_ = false;
    std::chrono::steady_clock::duration longestTask_{};
};
