#pragma once

#include <cstddef>
#include <functional>

// The two work queues of the platform: the main queue, whose tasks run one at a
// time on the main thread when the event loop (or a test) drains it, and the
// global queue, a fixed pool of worker threads that run tasks concurrently.
//
// Posting to the main queue from any thread wakes a running Qt event loop, which
// drains the queue on its next turn; without an application object tasks wait for
// an explicit drain. Both queues live until the process ends: the pool stops and
// joins its threads during static destruction, dropping tasks that never started.
class DispatchQueue {
public:
    using Task = std::function<void()>;

    static DispatchQueue& main();
    static DispatchQueue& global();

    // Queues the task and returns at once. Safe from any thread. Main-queue tasks run
    // in the order they were queued.
    virtual void async(Task task) = 0;

    // Test seams. A held queue keeps accepting tasks but starts none until released,
    // so a test can look at the state while a render is "running". Tasks already
    // running finish normally.
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
// Safe to call from a pool task, and while the global queue is held (the caller then
// does all the work). If a call throws, the remaining indices are skipped and the
// first exception is rethrown to the caller once the running calls have finished.
void dispatchApply(std::size_t iterations, const std::function<void(std::size_t)>& body);

// Number of worker threads in the global pool: the hardware's thread count, at least 2.
std::size_t globalQueueThreadCount();

// True on the thread that runs the application's event loop (the process's first
// thread before an application object exists).
bool isMainThread();

// Tests and the offscreen program: run every task of the main queue, including
// tasks queued meanwhile, until the main queue is empty and the global pool is
// idle with nothing queued. A held queue counts as empty: its tasks stay queued.
// Main thread only, and not from inside a main-queue task (it then returns at once).
void drainMainQueueAndWaitForPool();

// Runs the main-queue tasks that were pending when it was called, in order (the event
// loop calls this; tasks queued meanwhile wait for the next turn). Main thread only:
// elsewhere, or from inside a main-queue task, it does nothing.
void drainMainQueue();

// The longest a main-queue task has run since the last reset, measured around each task
// by the main queue itself: tests check that nothing blocks the screen.
double longestMainQueueTaskSeconds();
void resetLongestMainQueueTask();

// One turn of the event loop: handles the events pending now, among them the main
// queue's wake-ups, without blocking. Main thread only. For tests and the offscreen
// program, which have no running loop.
void runEventLoopOnce();
