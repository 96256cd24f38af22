#pragma once

#include <cstddef>
#include <memory>
#include <typeinfo>

// A shared reference to an object of any type, for the opaque entries of user-info
// dictionaries and the sender of a notification. It remembers the static type it was
// made from, so reading it back as another type gives null instead of a bad cast.
class AnyObject {
public:
    AnyObject() = default;
    AnyObject(std::nullptr_t) {}

    // Implicit, so any shared object can be passed where an AnyObject is expected.
    template <typename T>
    AnyObject(std::shared_ptr<T> object)
        : type_(object ? &typeid(T) : nullptr), object_(std::move(object)) {}

    // The object when it was stored as a shared_ptr<T> of exactly this T, else null. An
    // object stored through a base-class pointer reads back as that base, from which
    // dynamic_pointer_cast reaches the derived class.
    template <typename T>
    std::shared_ptr<T> as() const {
        if (type_ == nullptr || *type_ != typeid(T)) {
            return nullptr;
        }
        return std::static_pointer_cast<T>(object_);
    }

    bool isNull() const { return object_ == nullptr; }
    const void* address() const { return object_.get(); }

    // A reference that does not keep the object alive, for identity tests.
    std::weak_ptr<void> weak() const { return object_; }

    // The same object (identity, not contents).
    friend bool operator==(const AnyObject& a, const AnyObject& b) {
        return a.object_ == b.object_;
    }

private:
    const std::type_info* type_ = nullptr;
    std::shared_ptr<void> object_;
};
