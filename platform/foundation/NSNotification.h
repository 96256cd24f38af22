#pragma once

#include <string>

#include "platform/foundation/AnyObject.h"
#include "platform/foundation/Value.h"

// One posted notification: its name, the object that posted it (may be null) and a
// user-info dictionary (may be empty).
class NSNotification {
public:
    NSNotification(std::string name, AnyObject object, ValueDictionary userInfo = {})
        : name_(std::move(name)), object_(std::move(object)), userInfo_(std::move(userInfo)) {}

    const std::string& name() const { return name_; }
    const AnyObject& object() const { return object_; }
    const ValueDictionary& userInfo() const { return userInfo_; }

private:
    std::string name_;
    AnyObject object_;
    ValueDictionary userInfo_;
};
