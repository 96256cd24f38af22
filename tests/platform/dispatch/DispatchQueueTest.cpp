#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <future>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/dispatch/DispatchQueue.h"

namespace {

// Records events from any thread.
class Log {
public:
    void add(int event) {
        std::lock_guard lock(mutex_);
        events_.push_back(event);
    }
    std::vector<int> events() const {
        std::lock_guard lock(mutex_);
        return events_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<int> events_;
};

// Keeps a thread busy for a while without sleeping, so work overlaps between threads.
std::uint64_t busyWork(int rounds) {
    volatile std::uint64_t x = 1;
    for (int i = 0; i < rounds; ++i) {
        x = x * 6364136223846793005u + 1442695040888963407u;
    }
    return x;
}

// Sets the flag only at the very end of its (slow) destruction.
struct SlowToDestroy {
    explicit SlowToDestroy(std::atomic<bool>& destroyed) : destroyed_(destroyed) {}
    ~SlowToDestroy() {
        busyWork(2'000'000);
        destroyed_ = true;
    }
    std::atomic<bool>& destroyed_;
};

class DispatchQueueTest : public testing::Test {
protected:
    void SetUp() override { drainMainQueueAndWaitForPool(); }
    void TearDown() override {
        DispatchQueue::main().release();
        DispatchQueue::global().release();
        drainMainQueueAndWaitForPool();
    }
};

TEST_F(DispatchQueueTest, MainQueueRunsTasksInOrderOnlyWhenDrainedOnTheMainThread) {
    ASSERT_TRUE(isMainThread());
    Log log;
    for (int i = 0; i < 5; ++i) {
        DispatchQueue::main().async([&, i] { log.add(i); });
    }
    EXPECT_TRUE(log.events().empty());

    // A task queued by a task waits for the next drain.
    DispatchQueue::main().async([&] { DispatchQueue::main().async([&] { log.add(99); }); });
    drainMainQueue();
    EXPECT_EQ(log.events(), (std::vector<int>{0, 1, 2, 3, 4}));
    drainMainQueue();
    EXPECT_EQ(log.events(), (std::vector<int>{0, 1, 2, 3, 4, 99}));

    // Draining off the main thread or inside a task does nothing.
    Log elsewhere;
    DispatchQueue::main().async([&] {
        drainMainQueue();  // must not run the next task inside this one
        drainMainQueueAndWaitForPool();
        elsewhere.add(1);
    });
    DispatchQueue::main().async([&] { elsewhere.add(2); });
    std::thread([] { drainMainQueue(); }).join();
    EXPECT_TRUE(elsewhere.events().empty());
    drainMainQueue();
    EXPECT_EQ(elsewhere.events(), (std::vector<int>{1, 2}));
}

TEST_F(DispatchQueueTest, PostsFromWorkersKeepEachThreadsOrderAndRunOnTheMainThread) {
    const std::thread::id mainThread = std::this_thread::get_id();
    constexpr int kThreads = 4;
    constexpr int kPerThread = 200;
    Log log;
    std::atomic<int> ranOffMain{0};
    std::vector<std::thread> posters;
    for (int t = 0; t < kThreads; ++t) {
        posters.emplace_back([&, t] {
            for (int i = 0; i < kPerThread; ++i) {
                DispatchQueue::main().async([&, t, i] {
                    ranOffMain += std::this_thread::get_id() != mainThread ? 1 : 0;
                    log.add(t * kPerThread + i);
                });
            }
        });
    }
    for (std::thread& poster : posters) {
        poster.join();
    }
    drainMainQueueAndWaitForPool();

    const std::vector<int> events = log.events();
    ASSERT_EQ(events.size(), static_cast<std::size_t>(kThreads * kPerThread));
    std::vector<int> lastSeen(kThreads, -1);
    for (const int event : events) {
        const int thread = event / kPerThread;
        EXPECT_GT(event % kPerThread, lastSeen[thread]);
        lastSeen[thread] = event % kPerThread;
    }
    EXPECT_EQ(ranOffMain, 0);
}

TEST_F(DispatchQueueTest, HeldQueuesAcceptButStartNothingUntilReleasedEvenMidDrain) {
    std::atomic<bool> mainRan{false};
    std::atomic<bool> poolRan{false};
    DispatchQueue::main().hold();
    DispatchQueue::global().hold();
    DispatchQueue::main().async([&] { mainRan = true; });
    DispatchQueue::global().async([&] { poolRan = true; });

    // Held queues count as empty, so this returns instead of waiting forever.
    drainMainQueueAndWaitForPool();
    EXPECT_FALSE(mainRan);
    EXPECT_FALSE(poolRan);

    // dispatchApply still completes: the caller does the work itself.
    std::vector<int> squares(10);
    dispatchApply(squares.size(), [&](std::size_t i) { squares[i] = static_cast<int>(i * i); });
    EXPECT_EQ(squares[9], 81);

    DispatchQueue::global().release();
    drainMainQueueAndWaitForPool();
    EXPECT_TRUE(poolRan);
    EXPECT_FALSE(mainRan);

    DispatchQueue::main().release();
    drainMainQueueAndWaitForPool();
    EXPECT_TRUE(mainRan);

    // Holding the main queue inside a task stops the rest of that drain.
    Log log;
    DispatchQueue::main().async([&] {
        log.add(1);
        DispatchQueue::main().hold();
    });
    DispatchQueue::main().async([&] { log.add(2); });
    drainMainQueue();
    EXPECT_EQ(log.events(), std::vector<int>{1});
    DispatchQueue::main().release();
    drainMainQueue();
    EXPECT_EQ(log.events(), (std::vector<int>{1, 2}));
}

TEST_F(DispatchQueueTest, DispatchApplyCallsEveryIndexOnceAndReturnsWhenAllHaveFinished) {
    for (const std::size_t iterations :
         {std::size_t{0}, std::size_t{1}, std::size_t{7}, std::size_t{10'000}}) {
        std::vector<std::atomic<int>> calls(iterations);
        std::vector<std::uint64_t> parallel(iterations);
        dispatchApply(iterations, [&](std::size_t i) {
            ++calls[i];
            // A few slow calls: their results must still be in when dispatchApply returns.
            busyWork(i % 1000 == 0 ? 400'000 : 0);
            parallel[i] = i * 2654435761u % 1000003;
        });
        std::vector<std::uint64_t> serial(iterations);
        for (std::size_t i = 0; i < iterations; ++i) {
            serial[i] = i * 2654435761u % 1000003;
        }
        EXPECT_EQ(parallel, serial) << iterations << " iterations";
        for (std::size_t i = 0; i < iterations; ++i) {
            ASSERT_EQ(calls[i].load(), 1) << "index " << i << " of " << iterations;
        }
    }
}

TEST_F(DispatchQueueTest, DispatchApplyNestedInPoolTasksFinishes) {
    // More outer tasks than workers, each waiting on an inner loop: a scheme in which
    // callers wait for queued helpers would deadlock here.
    ASSERT_GE(globalQueueThreadCount(), 2u);
    const std::size_t outer = globalQueueThreadCount() * 2;
    std::vector<std::atomic<int>> sums(outer);
    for (std::size_t o = 0; o < outer; ++o) {
        DispatchQueue::global().async([&sums, o] {
            dispatchApply(100, [&sums, o](std::size_t i) { sums[o] += static_cast<int>(i); });
        });
    }
    drainMainQueueAndWaitForPool();
    for (std::size_t o = 0; o < outer; ++o) {
        EXPECT_EQ(sums[o].load(), 4950);
    }
}

TEST_F(DispatchQueueTest, DispatchApplyRethrowsTheFirstErrorAfterRunningCallsFinish) {
    std::atomic<int> running{0};
    EXPECT_THROW(dispatchApply(1000,
                               [&](std::size_t i) {
                                   ++running;
                                   std::this_thread::yield();
                                   --running;
                                   if (i == 10) {
                                       throw std::runtime_error("bad index");
                                   }
                               }),
                 std::runtime_error);
    EXPECT_EQ(running.load(), 0);
}

TEST_F(DispatchQueueTest, DrainWaitsForWorkThatQueuesMoreWorkEachOnItsOwnThreads) {
    // main → pool → main → pool → main, each step queued by the one before; a step on
    // the wrong kind of thread logs its number negated.
    Log log;
    const auto step = [&](int event) {
        log.add(isMainThread() == (event % 2 == 1) ? event : -event);
    };
    DispatchQueue::main().async([&] {
        step(1);
        DispatchQueue::global().async([&] {
            step(2);
            DispatchQueue::main().async([&] {
                step(3);
                DispatchQueue::global().async([&] {
                    step(4);
                    DispatchQueue::main().async([&] { step(5); });
                });
            });
        });
    });
    drainMainQueueAndWaitForPool();
    EXPECT_EQ(log.events(), (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST_F(DispatchQueueTest, PoolTaskStateIsReleasedBeforeTheWaitReturns) {
    std::atomic<bool> destroyed{false};
    auto captured = std::make_shared<SlowToDestroy>(destroyed);
    DispatchQueue::global().async([captured = std::move(captured)] { (void)captured; });
    drainMainQueueAndWaitForPool();
    EXPECT_TRUE(destroyed);
}

TEST_F(DispatchQueueTest, APostFromAWorkerWakesTheEventLoop) {
    runEventLoopOnce();  // wake-ups left over from drains done by hand
    std::atomic<bool> ran{false};
    std::promise<void> posted;
    DispatchQueue::global().async([&] {
        DispatchQueue::main().async([&] { ran = true; });
        posted.set_value();
    });
    posted.get_future().wait();
    EXPECT_FALSE(ran);
    // No explicit drain: one turn of the event loop runs the task.
    runEventLoopOnce();
    EXPECT_TRUE(ran);
}

TEST(DispatchQueueShutdownTest, ExitingJoinsThePoolWhetherIdleOrBusy) {
    // A fresh process each, so the pool's threads exist in it (a plain fork copies
    // only the forking thread).
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            DispatchQueue::global().async([] {});
            drainMainQueueAndWaitForPool();
            std::exit(3);
        },
        testing::ExitedWithCode(3), "");
    EXPECT_EXIT(
        {
            for (std::size_t i = 0; i < globalQueueThreadCount() * 4; ++i) {
                DispatchQueue::global().async([] {
                    busyWork(200'000);
                    DispatchQueue::main().async([] {});
                });
            }
            DispatchQueue::main().async([] {});
            std::exit(4);
        },
        testing::ExitedWithCode(4), "");
}
}  // namespace
