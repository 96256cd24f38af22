#pragma once

#include <string>

#include "platform/foundation/Value.h"

// One named input of a filter: its kind, its default and the range a number is
// clamped to (a value outside it is brought to the nearest end), with a line of help.
struct CIFilterInput {
    enum class Kind { Number, Vector, Transform };

    std::string key;
    Kind kind = Kind::Number;
    Value defaultValue;
    double minimum = 0;
    double maximum = 0;
    std::string doc;
};
