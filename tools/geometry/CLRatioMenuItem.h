#pragma once

#include <memory>

#include "core/CLToolbarMenuItem.h"
#include "tools/geometry/CLRatio.h"

// A crop strip item: titled with its ratio, with the icon cut to the ratio's
// rectangle (the free ratio keeps the icon picture's own proportions), so the
// thumbnail shows through the shape the crop will take.
class CLRatioMenuItem : public CLToolbarMenuItem {
public:
    // The longer side of the reshaped icon.
    static constexpr double kIconSide = 50;
    static constexpr double kTurnDuration = 0.2;

    using CLToolbarMenuItem::CLToolbarMenuItem;

    const CLRatioPtr& ratio() const { return ratio_; }
    // Refreshes the item when ratio is another object than the one it holds.
    void setRatio(CLRatioPtr ratio);
    // Shows the ratio's title and reshapes the icon about its centre.
    void refreshViews();
    // Turns the held ratio between landscape and portrait, the icon following.
    void changeOrientation();

private:
    CGSize iconSize() const;

    CLRatioPtr ratio_;
};

using CLRatioMenuItemPtr = std::shared_ptr<CLRatioMenuItem>;
