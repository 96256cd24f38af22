#pragma once

#include <optional>

#include "platform/geometry/CGRect.h"

enum class UIUserInterfaceIdiom { Phone, Pad };

// The device the program runs as. A desktop has no idiom of its own, so it is a
// setting: the program picks a phone or a tablet at start (tests switch it), and the
// screen's size follows the idiom unless it is set. Main thread only.
class UIDevice {
public:
    static UIDevice& currentDevice();

    UIUserInterfaceIdiom userInterfaceIdiom() const { return idiom_; }
    void setUserInterfaceIdiom(UIUserInterfaceIdiom idiom) { idiom_ = idiom; }

    // The main screen's bounds in points: the size set, else a phone's or a tablet's
    // portrait screen.
    CGRect screenBounds() const;
    // Another screen's size (a smaller phone, say); nothing returns to the idiom's.
    void setScreenSize(std::optional<CGSize> size) { screenSize_ = size; }

private:
    UIDevice() = default;

    UIUserInterfaceIdiom idiom_ = UIUserInterfaceIdiom::Phone;
    std::optional<CGSize> screenSize_;
};
