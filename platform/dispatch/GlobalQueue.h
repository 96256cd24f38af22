#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/dispatch/DispatchQueue.h"

// A fixed pool of worker threads taking tasks from one shared FIFO. The destructor
// stops the pool: tasks that have not started are dropped, running ones finish, and
// every thread is joined. A task must not throw: an exception escaping a task ends
// the process, as it would on any thread.
class GlobalQueue final : public DispatchQueue {
public:
    explicit GlobalQueue(std::size_t threadCount);
    ~GlobalQueue();
    GlobalQueue(const GlobalQueue&) = delete;
    GlobalQueue& operator=(const GlobalQueue&) = delete;

    void async(Task task) override;
    void hold() override;
    void release() override;

    std::size_t threadCount() const { return threads_.size(); }

    // Blocks until no task is running and none can start (the queue is empty or
    // held). A task's captured state is destroyed before it counts as finished.
    void waitUntilIdle();

    // True when there are queued tasks and the queue is not held.
    bool hasRunnableTasks() const;

private:
    void work();
    bool isIdleLocked() const;

    mutable std::mutex mutex_;
    std::condition_variable workAvailable_;
    std::condition_variable becameIdle_;
    std::deque<Task> tasks_;
    std::size_t running_ = 0;
    bool held_ = false;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};
