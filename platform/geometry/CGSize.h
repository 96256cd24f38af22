#pragma once

// A width and a height, in points unless said otherwise.
struct CGSize {
    double width = 0;
    double height = 0;

    friend bool operator==(const CGSize&, const CGSize&) = default;
};
