#include "platform/foundation/NSNotificationCenter.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/dispatch/DispatchQueue.h"

namespace {

// Same object: the two references share ownership (owner-based comparison, so a
// registration whose sender died never matches a new object at the same address).
bool sameOwner(const std::weak_ptr<void>& a, const std::weak_ptr<void>& b) {
    return !a.owner_before(b) && !b.owner_before(a);
}
}  // namespace

class NSNotificationCenter::Observers {
public:
    ObserverToken add(const void* observer, const std::string& name, const AnyObject& sender,
                      Callback callback) {
        std::lock_guard lock(mutex_);
        const ObserverToken token = ++lastToken_;
        registrations_.push_back(
            Registration{token, observer, name, sender.isNull(), sender.weak(),
                         std::make_shared<const Callback>(std::move(callback))});
        return token;
    }

    void remove(ObserverToken token) {
        std::lock_guard lock(mutex_);
        std::erase_if(registrations_, [token](const Registration& r) { return r.token == token; });
    }

    void remove(const void* observer) {
        std::lock_guard lock(mutex_);
        std::erase_if(registrations_,
                      [observer](const Registration& r) { return r.observer == observer; });
    }

    // Calls the callbacks without holding the lock, so they may add, remove and post.
    void deliver(const NSNotification& notification) {
        for (const Registration& registration : matching(notification)) {
            if (isRegistered(registration.token) && *registration.callback) {
                (*registration.callback)(notification);
            }
        }
    }

private:
    struct Registration {
        ObserverToken token;
        const void* observer;
        std::string name;
        bool anySender;
        std::weak_ptr<void> sender;
        std::shared_ptr<const Callback> callback;
    };

    std::vector<Registration> matching(const NSNotification& notification) const {
        const std::weak_ptr<void> sender = notification.object().weak();
        const bool hasSender = !notification.object().isNull();
        std::vector<Registration> found;
        std::lock_guard lock(mutex_);
        for (const Registration& registration : registrations_) {
            const bool senderMatches =
                registration.anySender || (hasSender && sameOwner(registration.sender, sender));
            if (senderMatches && registration.name == notification.name()) {
                found.push_back(registration);
            }
        }
        return found;
    }

    bool isRegistered(ObserverToken token) const {
        std::lock_guard lock(mutex_);
        return std::any_of(registrations_.begin(), registrations_.end(),
                           [token](const Registration& r) { return r.token == token; });
    }

    mutable std::mutex mutex_;
    std::vector<Registration> registrations_;
    ObserverToken lastToken_ = 0;
};

NSNotificationCenter::NSNotificationCenter() : observers_(std::make_shared<Observers>()) {}

NSNotificationCenter::~NSNotificationCenter() = default;

NSNotificationCenter& NSNotificationCenter::defaultCenter() {
    // Never destroyed: worker threads may still post while the process exits.
    static NSNotificationCenter* const center = new NSNotificationCenter;
    return *center;
}

NSNotificationCenter::ObserverToken NSNotificationCenter::addObserverForName(
    const std::string& name, const AnyObject& sender, Callback callback) {
    return observers_->add(nullptr, name, sender, std::move(callback));
}

NSNotificationCenter::ObserverToken NSNotificationCenter::addObserver(const void* observer,
                                                                      const std::string& name,
                                                                      const AnyObject& sender,
                                                                      Callback callback) {
    return observers_->add(observer, name, sender, std::move(callback));
}

void NSNotificationCenter::removeObserver(ObserverToken token) {
    observers_->remove(token);
}

void NSNotificationCenter::removeObserver(const void* observer) {
    if (observer != nullptr) {
        observers_->remove(observer);
    }
}

void NSNotificationCenter::postNotification(const NSNotification& notification) {
    DispatchQueue::main().async(
        [weakObservers = std::weak_ptr<Observers>(observers_), notification] {
            if (const std::shared_ptr<Observers> observers = weakObservers.lock()) {
                observers->deliver(notification);
            }
        });
}

void NSNotificationCenter::postNotificationName(const std::string& name, const AnyObject& sender,
                                                const ValueDictionary& userInfo) {
    postNotification(NSNotification(name, sender, userInfo));
}
