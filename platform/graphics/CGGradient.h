#pragma once

#include <memory>
#include <vector>

#include "platform/graphics/UIColor.h"

// Colour stops of a gradient in device RGB, at locations from 0 to 1. Colours are
// interpolated component by component, unpremultiplied, between neighbouring stops.
class CGGradient {
public:
    struct Stop {
        double location;
        double red;
        double green;
        double blue;
        double alpha;
    };

    // components holds red, green, blue, alpha for each stop; locations one value per
    // stop, or none for stops spread evenly from 0 to 1. Null when the counts disagree
    // or there is no stop. Stops are sorted by location.
    static std::shared_ptr<const CGGradient> createWithColorComponents(
        const std::vector<double>& components, const std::vector<double>& locations);
    // Pattern colours are not allowed (null).
    static std::shared_ptr<const CGGradient> createWithColors(const std::vector<UIColor>& colors,
                                                              const std::vector<double>& locations);

    const std::vector<Stop>& stops() const { return stops_; }

private:
    explicit CGGradient(std::vector<Stop> stops);

    std::vector<Stop> stops_;
};

using CGGradientRef = std::shared_ptr<const CGGradient>;
