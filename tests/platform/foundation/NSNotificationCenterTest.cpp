#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/dispatch/DispatchQueue.h"
#include "platform/foundation/NSNotificationCenter.h"

namespace {

struct Box {
    int id = 0;
};

class NSNotificationCenterTest : public testing::Test {
protected:
    void SetUp() override { drainMainQueueAndWaitForPool(); }

    NSNotificationCenter center;
    std::vector<std::string> heard;
};

TEST_F(NSNotificationCenterTest, DeliversOnALaterMainLoopTurnOnTheMainThread) {
    const std::thread::id mainThread = std::this_thread::get_id();
    std::thread::id deliveredOn;
    center.addObserverForName("Changed", nullptr, [&](const NSNotification& n) {
        deliveredOn = std::this_thread::get_id();
        heard.push_back(n.name() + ":" + n.userInfo().at("key").stringValue());
    });

    center.postNotificationName("Changed", nullptr, {{"key", Value("main")}});
    EXPECT_TRUE(heard.empty());
    drainMainQueue();
    EXPECT_EQ(heard, std::vector<std::string>{"Changed:main"});
    EXPECT_EQ(deliveredOn, mainThread);

    // Posted from a worker, heard on the main thread too.
    std::thread([&] {
        center.postNotificationName("Changed", nullptr, {{"key", Value("worker")}});
    }).join();
    drainMainQueue();
    EXPECT_EQ(heard, (std::vector<std::string>{"Changed:main", "Changed:worker"}));
    EXPECT_EQ(deliveredOn, mainThread);
}

TEST_F(NSNotificationCenterTest, SenderFilterAndNames) {
    auto first = std::make_shared<Box>();
    first->id = 1;
    auto second = std::make_shared<Box>();
    second->id = 2;
    center.addObserverForName("Tap", first, [&](const NSNotification& n) {
        heard.push_back("first-only:" + std::to_string(n.object().as<Box>()->id));
    });
    center.addObserverForName("Tap", nullptr, [&](const NSNotification& n) {
        const auto box = n.object().as<Box>();
        heard.push_back("any:" + (box ? std::to_string(box->id) : std::string("none")));
    });

    center.postNotificationName("Tap", first);
    center.postNotificationName("Tap", second);
    center.postNotificationName("Tap", nullptr);
    center.postNotificationName("Other", first);
    drainMainQueue();
    EXPECT_EQ(heard, (std::vector<std::string>{"first-only:1", "any:1", "any:2", "any:none"}));
}

TEST_F(NSNotificationCenterTest, ASenderFilterDoesNotKeepTheSenderAliveNorMatchItsSuccessor) {
    auto sender = std::make_shared<Box>();
    std::weak_ptr<Box> watch = sender;
    center.addObserverForName("Tap", sender, [&](const NSNotification&) { heard.push_back("x"); });
    sender.reset();
    EXPECT_TRUE(watch.expired());
    center.postNotificationName("Tap", std::make_shared<Box>());
    drainMainQueue();
    EXPECT_TRUE(heard.empty());
}

TEST_F(NSNotificationCenterTest, ObserversRemovedBeforeDeliveryAreNotCalled) {
    int owner = 0;
    const auto byToken = center.addObserverForName(
        "Done", nullptr, [&](const NSNotification&) { heard.push_back("token"); });
    center.addObserver(&owner, "Done", nullptr,
                       [&](const NSNotification&) { heard.push_back("owner-a"); });
    center.addObserver(&owner, "Other", nullptr,
                       [&](const NSNotification&) { heard.push_back("owner-b"); });
    center.addObserverForName("Done", nullptr,
                              [&](const NSNotification&) { heard.push_back("kept"); });

    center.postNotificationName("Done", nullptr);
    center.postNotificationName("Other", nullptr);
    center.removeObserver(byToken);
    center.removeObserver(&owner);
    drainMainQueue();
    EXPECT_EQ(heard, std::vector<std::string>{"kept"});
}

TEST_F(NSNotificationCenterTest, AnObserverRemovedByAnEarlierCallbackIsSkipped) {
    NSNotificationCenter::ObserverToken second = 0;
    center.addObserverForName("Done", nullptr, [&](const NSNotification&) {
        heard.push_back("first");
        center.removeObserver(second);
        // Posting from a callback queues a new delivery instead of recursing.
        center.postNotificationName("Again", nullptr);
    });
    second = center.addObserverForName("Done", nullptr,
                                       [&](const NSNotification&) { heard.push_back("second"); });
    center.addObserverForName("Again", nullptr,
                              [&](const NSNotification&) { heard.push_back("again"); });
    center.postNotificationName("Done", nullptr);
    drainMainQueue();
    EXPECT_EQ(heard, std::vector<std::string>{"first"});
    drainMainQueue();
    EXPECT_EQ(heard, (std::vector<std::string>{"first", "again"}));
}

TEST_F(NSNotificationCenterTest, ACentreGoneBeforeDeliveryDeliversNothing) {
    {
        NSNotificationCenter shortLived;
        shortLived.addObserverForName("Done", nullptr,
                                      [&](const NSNotification&) { heard.push_back("late"); });
        shortLived.postNotificationName("Done", nullptr);
    }
    drainMainQueue();
    EXPECT_TRUE(heard.empty());
}
}  // namespace
