#include "platform/dispatch/DispatchQueue.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QThread>
#include <algorithm>
#include <thread>

#include "platform/dispatch/GlobalQueue.h"
#include "platform/dispatch/MainQueue.h"

namespace {

// Read before main() runs, on the process's first thread.
const std::thread::id processFirstThread = std::this_thread::get_id();

MainQueue& mainQueue() {
    // Never destroyed: worker threads may still post to it while the process exits.
    static MainQueue* const queue = new MainQueue;
    return *queue;
}

GlobalQueue& globalQueue() {
    // Made after the main queue, so it is destroyed (its threads joined) first.
    mainQueue();
    static GlobalQueue queue(std::max<std::size_t>(2, std::thread::hardware_concurrency()));
    return queue;
}
}  // namespace

DispatchQueue& DispatchQueue::main() {
    return mainQueue();
}

DispatchQueue& DispatchQueue::global() {
    return globalQueue();
}

std::size_t globalQueueThreadCount() {
    return globalQueue().threadCount();
}

bool isMainThread() {
    if (const QCoreApplication* application = QCoreApplication::instance()) {
        return QThread::currentThread() == application->thread();
    }
    return std::this_thread::get_id() == processFirstThread;
}

void drainMainQueueAndWaitForPool() {
    MainQueue& main = mainQueue();
    GlobalQueue& pool = globalQueue();
    do {
        if (!main.drain()) {
            return;
        }
        pool.waitUntilIdle();
    } while (main.hasRunnableTasks() || pool.hasRunnableTasks());
}

double longestMainQueueTaskSeconds() {
    return std::chrono::duration<double>(mainQueue().longestTask()).count();
}

void resetLongestMainQueueTask() {
    mainQueue().resetLongestTask();
}

void drainMainQueue() {
    mainQueue().drain();
}

void runEventLoopOnce() {
    if (QCoreApplication::instance() != nullptr && isMainThread()) {
        QCoreApplication::processEvents();
    }
}
