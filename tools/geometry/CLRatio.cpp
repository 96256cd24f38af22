#include "tools/geometry/CLRatio.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kDefaultFormat = "%g : %g";

// The conversion starting at format[at] ('%'): its length when it is a floating-point
// one (flags, width and precision allowed), else 0.
std::size_t floatConversionLength(const std::string& format, std::size_t at) {
    std::size_t end = at + 1;
    while (end < format.size() && std::strchr("-+ #0123456789.", format[end]) != nullptr) {
        ++end;
    }
    if (end < format.size() && std::strchr("fFeEgGaA", format[end]) != nullptr) {
        return end + 1 - at;
    }
    return 0;
}

std::string formatted(const std::string& conversion, double value) {
    std::array<char, 64> text{};
    const int length = std::snprintf(text.data(), text.size(), conversion.c_str(), value);
    return length > 0 ? std::string(text.data(), std::min<std::size_t>(length, text.size() - 1))
                      : std::string();
}

// printf of two doubles, without trusting the format: a format may come from the host's
// options, so only floating-point conversions are filled and "%%" is a percent sign.
std::string formatSides(const std::string& format, double first, double second) {
    std::string text;
    const double values[] = {first, second};
    std::size_t used = 0;
    for (std::size_t at = 0; at < format.size(); ++at) {
        if (format[at] != '%') {
            text += format[at];
        } else if (at + 1 < format.size() && format[at + 1] == '%') {
            text += '%';
            ++at;
        } else if (const std::size_t length = floatConversionLength(format, at);
                   length > 0 && used < 2) {
            text += formatted(format.substr(at, length), values[used++]);
            at += length - 1;
        } else {
            text += format[at];
        }
    }
    return text;
}

}  // namespace

CLRatio::CLRatio(double value1, double value2)
    : longSide_(std::max(std::fabs(value1), std::fabs(value2))),
      shortSide_(std::min(std::fabs(value1), std::fabs(value2))) {}

std::string CLRatio::description() const {
    const double horizontal = isLandscape_ ? longSide_ : shortSide_;
    const double vertical = isLandscape_ ? shortSide_ : longSide_;
    return formatSides(titleFormat_.value_or(kDefaultFormat), horizontal, vertical);
}

double CLRatio::ratio() const {
    if (longSide_ == 0 || shortSide_ == 0) {
        return 0;
    }
    return isLandscape_ ? shortSide_ / longSide_ : longSide_ / shortSide_;
}
