#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/foundation/NSNotification.h"

// Delivers named notifications to the callbacks observing them.
//
// Posting never calls an observer at once: every notification is delivered by a task
// on the main queue, so observers always run on the main thread, one main-loop turn
// after the post, in the order the notifications were posted. The observers are
// those registered when the task runs: one removed before then is not called, even if
// the post came first. Within one notification, observers are called in the order
// they were added; an observer removed by an earlier callback is skipped.
//
// Safe from any thread. Removing an observer from another thread does not wait for a
// callback that is already running on the main thread.
class NSNotificationCenter {
public:
    using Callback = std::function<void(const NSNotification&)>;
    // Identifies one registration; 0 is never a valid token.
    using ObserverToken = std::uint64_t;

    NSNotificationCenter();
    ~NSNotificationCenter();
    NSNotificationCenter(const NSNotificationCenter&) = delete;
    NSNotificationCenter& operator=(const NSNotificationCenter&) = delete;

    static NSNotificationCenter& defaultCenter();

    // Observes the name, from any sender when sender is null, else only from that
    // object (compared by identity; the centre does not keep it alive, and once it is
    // gone the registration matches nothing).
    ObserverToken addObserverForName(const std::string& name, const AnyObject& sender,
                                     Callback callback);
    // The same, on behalf of an observer object, so removeObserver(observer) can end
    // all of its registrations at once (for example from its destructor).
    ObserverToken addObserver(const void* observer, const std::string& name,
                              const AnyObject& sender, Callback callback);

    void removeObserver(ObserverToken token);
    void removeObserver(const void* observer);

    void postNotification(const NSNotification& notification);
    void postNotificationName(const std::string& name, const AnyObject& sender,
                              const ValueDictionary& userInfo = {});

private:
    class Observers;

    // Shared with the delivery tasks, which hold it weakly: a centre destroyed before
    // its notifications are delivered simply delivers nothing.
    std::shared_ptr<Observers> observers_;
};
