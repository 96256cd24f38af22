#pragma once

// Shrunk copies of large pictures, for the platform's painter only.

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/graphics/CGImage.h"

class UIView;

// A large picture drawn much smaller than its pixels looks grainy when each screen
// pixel samples one or two of them. Drawn from a copy shrunk by block means to at most
// twice the shown size, and smoothly interpolated from there, it looks as a photo
// should. Copies are made on the global queue when first wanted and kept within a
// memory budget while their picture lives; until one is ready the nearest ready copy,
// or the picture itself, is drawn, so painting never waits. Safe from any thread.
class DisplayLevels {
public:
    // Pictures with fewer pixels are always drawn as they are.
    static constexpr std::int64_t kMinimumPixels = 1'000'000;
    // The copies kept, in bytes; the least recently drawn go first.
    static constexpr std::size_t kBudgetBytes = 160u << 20;

    static DisplayLevels& shared();

    // The shrink factor for a picture shown at shownScale device pixels per pixel: the
    // largest power of two that leaves the copy at least as large as shown; 1 when the
    // picture is drawn as it is.
    static int factorFor(const CGImage& source, double shownScale);

    // What to draw for source at shownScale. When the right copy is not ready it is
    // asked for, and view is redrawn once it is.
    CGImageRef bitmapFor(const CGImageRef& source, double shownScale, UIView& view);

private:
    struct Level {
        std::weak_ptr<const CGImage> source;
        int factor;
        // Null while it is being made.
        CGImageRef bitmap;
        std::vector<std::weak_ptr<UIView>> waiting;
        std::uint64_t lastUse;
    };

    DisplayLevels() = default;
    void make(const CGImageRef& source, int factor);
    void finish(const CGImageRef& source, int factor, CGImageRef bitmap);
    Level* find(const CGImageRef& source, int factor);
    CGImageRef nearestReady(const CGImageRef& source, int factor) const;
    void dropUnwanted();

    std::mutex mutex_;
    std::vector<Level> levels_;
    std::uint64_t clock_ = 0;
};
