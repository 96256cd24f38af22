#include "platform/ui/view/DisplayLevels.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/dispatch/DispatchQueue.h"
#include "platform/graphics/BlockMeans.h"
#include "platform/ui/view/UIView.h"

namespace {

bool isSource(const std::weak_ptr<const CGImage>& held, const CGImageRef& source) {
    return !held.owner_before(source) && !source.owner_before(held) && !held.expired();
}

std::size_t bytesOf(const CGImageRef& bitmap) {
    return bitmap ? bitmap->byteCount() : 0;
}

}  // namespace

DisplayLevels& DisplayLevels::shared() {
    // Never destroyed: a copy being made may finish while the process exits.
    static auto* const levels = new DisplayLevels;
    return *levels;
}

int DisplayLevels::factorFor(const CGImage& source, double shownScale) {
    if (static_cast<std::int64_t>(source.width()) * source.height() < kMinimumPixels ||
        !(shownScale > 0)) {
        return 1;
    }
    int factor = 1;
    while (shownScale * factor * 2 <= 1 &&
           factor * 2 <= std::min(source.width(), source.height())) {
        factor *= 2;
    }
    return factor;
}

CGImageRef DisplayLevels::bitmapFor(const CGImageRef& source, double shownScale, UIView& view) {
    const int factor = source ? factorFor(*source, shownScale) : 1;
    if (factor == 1) {
        return source;
    }
    std::lock_guard lock(mutex_);
    if (Level* level = find(source, factor)) {
        level->lastUse = ++clock_;
        if (level->bitmap) {
            return level->bitmap;
        }
        level->waiting.push_back(view.weak_from_this());
    } else {
        levels_.push_back({source, factor, nullptr, {view.weak_from_this()}, ++clock_});
        make(source, factor);
    }
    return nearestReady(source, factor);
}

void DisplayLevels::make(const CGImageRef& source, int factor) {
    DispatchQueue::global().async(
        [this, source, factor] { finish(source, factor, shrinkByBlockMeans(*source, factor)); });
}

void DisplayLevels::finish(const CGImageRef& source, int factor, CGImageRef bitmap) {
    std::vector<std::weak_ptr<UIView>> waiting;
    {
        std::lock_guard lock(mutex_);
        Level* level = find(source, factor);
        if (level == nullptr) {
            return;
        }
        waiting = std::move(level->waiting);
        if (!bitmap) {
            // Out of memory: the picture is drawn as it is; ask again on a later paint.
            levels_.erase(levels_.begin() + (level - levels_.data()));
        } else {
            level->bitmap = std::move(bitmap);
            level->lastUse = ++clock_;
            dropUnwanted();
        }
    }
    DispatchQueue::main().async([waiting = std::move(waiting)] {
        for (const auto& weakView : waiting) {
            if (const auto view = weakView.lock()) {
                view->setNeedsRedraw();
            }
        }
    });
}

DisplayLevels::Level* DisplayLevels::find(const CGImageRef& source, int factor) {
    const auto found = std::find_if(levels_.begin(), levels_.end(), [&](const Level& level) {
        return level.factor == factor && isSource(level.source, source);
    });
    return found == levels_.end() ? nullptr : &*found;
}

CGImageRef DisplayLevels::nearestReady(const CGImageRef& source, int factor) const {
    CGImageRef nearest = source;
    double nearestDistance = std::log2(factor);
    for (const Level& level : levels_) {
        if (!level.bitmap || !isSource(level.source, source)) {
            continue;
        }
        // Coarser wins a tie: slightly soft looks better than grainy.
        const double distance =
            std::abs(std::log2(double(level.factor) / factor)) - (level.factor > factor ? 0.25 : 0);
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearest = level.bitmap;
        }
    }
    return nearest;
}

void DisplayLevels::dropUnwanted() {
    std::erase_if(levels_, [](const Level& level) { return level.source.expired(); });
    std::size_t bytes = 0;
    for (const Level& level : levels_) {
        bytes += bytesOf(level.bitmap);
    }
    while (bytes > kBudgetBytes) {
        const auto oldest =
            std::min_element(levels_.begin(), levels_.end(), [](const Level& a, const Level& b) {
                return (a.bitmap ? a.lastUse : UINT64_MAX) < (b.bitmap ? b.lastUse : UINT64_MAX);
            });
        if (oldest == levels_.end() || !oldest->bitmap || levels_.size() == 1) {
            break;
        }
        bytes -= bytesOf(oldest->bitmap);
        levels_.erase(oldest);
    }
}
