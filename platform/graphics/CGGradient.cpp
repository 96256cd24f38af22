#include "platform/graphics/CGGradient.h"

#include <algorithm>

CGGradient::CGGradient(std::vector<Stop> stops) : stops_(std::move(stops)) {
    std::stable_sort(stops_.begin(), stops_.end(),
                     [](const Stop& a, const Stop& b) { return a.location < b.location; });
}

std::shared_ptr<const CGGradient> CGGradient::createWithColorComponents(
    const std::vector<double>& components, const std::vector<double>& locations) {
    const std::size_t count = components.size() / 4;
    if (count == 0 || components.size() % 4 != 0 ||
        (!locations.empty() && locations.size() != count)) {
        return nullptr;
    }
    std::vector<Stop> stops;
    for (std::size_t i = 0; i < count; ++i) {
        const double location = !locations.empty() ? locations[i]
                                : count == 1       ? 0.0
                                                   : static_cast<double>(i) / (count - 1);
        const UIColor color = UIColor::colorWithRed(components[4 * i], components[4 * i + 1],
                                                    components[4 * i + 2], components[4 * i + 3]);
        stops.push_back({std::clamp(location, 0.0, 1.0), color.red(), color.green(), color.blue(),
                         color.alpha()});
    }
    return std::shared_ptr<const CGGradient>(new CGGradient(std::move(stops)));
}

std::shared_ptr<const CGGradient> CGGradient::createWithColors(
    const std::vector<UIColor>& colors, const std::vector<double>& locations) {
    std::vector<double> components;
    for (const UIColor& color : colors) {
        if (color.kind() == UIColor::Kind::Pattern) {
            return nullptr;
        }
        components.insert(components.end(),
                          {color.red(), color.green(), color.blue(), color.alpha()});
    }
    return createWithColorComponents(components, locations);
}
