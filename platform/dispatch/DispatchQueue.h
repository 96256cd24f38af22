#pragma once

#include <cstddef>
#include <functional>

// The two work queues of the platform: the main queue, whose tasks run one at a
// time on the main thread when the event loop (or a test) drains it, and the
// global queue, a fixed pool of worker threads that run tasks concurrently.
class DispatchQueue {
public:
    using Task = std::function<void()>;

    static DispatchQueue& main();
    static DispatchQueue& global();

    // Queues the task and returns at once. Safe from any thread.
    virtual void async(Task task) = 0;

    // Test seams. A held queue keeps accepting tasks but starts none until released,
    // so a test can look at the state while a render is "running".
    virtual void hold() = 0;
    virtual void release() = 0;

protected:
    DispatchQueue() = default;
    ~DispatchQueue() = default;
};

// Runs body(0) … body(iterations - 1) on the global pool and the calling thread,
// and returns when every call has finished. The calls for different indices may
// run concurrently; the split does not depend on the number of threads' timing, so
// a body that writes only its own index's output gives the same result as a loop.
void dispatchApply(std::size_t iterations, const std::function<void(std::size_t)>& body);

// Number of worker threads in the global pool.
std::size_t globalQueueThreadCount();

// Tests and the offscreen program: run every task of the main queue, including
// tasks queued meanwhile, until the main queue is empty and the global pool is
// idle with nothing queued. Main thread only. The global queue must not be held.
void drainMainQueueAndWaitForPool();

// Runs the main queue's pending tasks once (the event loop calls this). Main thread only.
void drainMainQueue();
