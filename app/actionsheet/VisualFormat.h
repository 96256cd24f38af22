#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/actionsheet/LayoutConstraint.h"

// Reads the visual format strings that describe a layout, the subset that pins views
// to their container's edges, fixes their lengths and spaces them apart:
//
//   [H:|V:] [|-N-] [name(N)] -N- [name] ... [-N-|]
//
// "|" is the container's edge, "-N-" a distance in points, "(N)" a fixed length.
// Views are named through the map; the orientation defaults to horizontal.
class VisualFormat {
public:
    using Views = std::map<std::string, UIViewPtr>;

    // The constraints the format says; nullopt when it is malformed or names a view
    // that the map lacks.
    static std::optional<std::vector<LayoutConstraint>> parse(const std::string& format,
                                                              const Views& views);
};
