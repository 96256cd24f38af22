#pragma once

#include <map>
#include <string>

#include "imaging/engine/CIVector.h"
#include "platform/foundation/Value.h"
#include "platform/geometry/CGAffineTransform.h"

// The values of a filter's inputs at the moment its output was taken: every declared
// input, with the defaults filled in and numbers already within their ranges.
class CIFilterParameters {
public:
    CIFilterParameters() = default;
    explicit CIFilterParameters(std::map<std::string, Value> values) : values_(std::move(values)) {}

    float number(const std::string& key) const { return static_cast<float>(at(key).doubleValue()); }
    CIVector vector(const std::string& key) const { return at(key).vectorValue(); }
    CGAffineTransform transform(const std::string& key) const { return at(key).transformValue(); }
    const std::map<std::string, Value>& values() const { return values_; }

private:
    const Value& at(const std::string& key) const {
        static const Value none;
        const auto found = values_.find(key);
        return found == values_.end() ? none : found->second;
    }

    std::map<std::string, Value> values_;
};
