#pragma once

// A point in a two-dimensional coordinate space, in points.
struct CGPoint {
    double x = 0;
    double y = 0;

    friend bool operator==(const CGPoint&, const CGPoint&) = default;
};
