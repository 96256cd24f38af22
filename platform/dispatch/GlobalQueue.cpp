#include "platform/dispatch/GlobalQueue.h"

GlobalQueue::GlobalQueue(std::size_t threadCount) {
    threads_.reserve(threadCount);
    for (std::size_t i = 0; i < threadCount; ++i) {
        threads_.emplace_back([this] { work(); });
    }
}

GlobalQueue::~GlobalQueue() {
    std::deque<Task> dropped;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        dropped.swap(tasks_);
    }
    workAvailable_.notify_all();
    // The dropped tasks are destroyed outside the lock: their captured state may post.
    dropped.clear();
    for (std::thread& thread : threads_) {
        // A task that ends the process runs this destructor on its own worker thread.
        if (thread.get_id() == std::this_thread::get_id()) {
            thread.detach();
        } else {
            thread.join();
        }
    }
}

void GlobalQueue::async(Task task) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_) {
            return;
        }
        tasks_.push_back(std::move(task));
    }
    workAvailable_.notify_one();
}

void GlobalQueue::hold() {
    {
        std::lock_guard lock(mutex_);
        held_ = true;
    }
    becameIdle_.notify_all();
}

void GlobalQueue::release() {
    {
        std::lock_guard lock(mutex_);
        held_ = false;
    }
    workAvailable_.notify_all();
    becameIdle_.notify_all();
}

void GlobalQueue::waitUntilIdle() {
    std::unique_lock lock(mutex_);
    becameIdle_.wait(lock, [this] { return isIdleLocked(); });
}

bool GlobalQueue::hasRunnableTasks() const {
    std::lock_guard lock(mutex_);
    return !held_ && !tasks_.empty();
}

bool GlobalQueue::isIdleLocked() const {
    return running_ == 0 && (held_ || tasks_.empty());
}

void GlobalQueue::work() {
    for (;;) {
        Task task;
        {
            std::unique_lock lock(mutex_);
            workAvailable_.wait(lock, [this] { return stopping_ || (!held_ && !tasks_.empty()); });
            if (stopping_) {
                return;
            }
            task = std::move(tasks_.front());
            tasks_.pop_front();
            ++running_;
        }
        task();
        task = nullptr;
        bool idle = false;
        {
            std::lock_guard lock(mutex_);
            --running_;
            idle = isIdleLocked();
        }
        if (idle) {
            becameIdle_.notify_all();
        }
    }
}
