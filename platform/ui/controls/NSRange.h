#pragma once

#include <cstddef>

// A run of characters of a text: where it starts and how many it holds. Text inputs
// count characters as Unicode code points.
struct NSRange {
    std::size_t location = 0;
    std::size_t length = 0;

    std::size_t end() const { return location + length; }
    friend bool operator==(const NSRange&, const NSRange&) = default;
};
