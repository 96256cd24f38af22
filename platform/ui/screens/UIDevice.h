#pragma once

#include "platform/geometry/CGRect.h"

enum class UIUserInterfaceIdiom { Phone, Pad };

// The device the program runs as. A desktop has no idiom of its own, so it is a
// setting: the program picks a phone or a tablet at start (tests switch it), and the
// screen's size follows the idiom. Main thread only.
class UIDevice {
public:
    static UIDevice& currentDevice();

    UIUserInterfaceIdiom userInterfaceIdiom() const { return idiom_; }
    void setUserInterfaceIdiom(UIUserInterfaceIdiom idiom) { idiom_ = idiom; }

    // The main screen's bounds in points: a phone's or a tablet's portrait screen.
    CGRect screenBounds() const;

private:
    UIDevice() = default;

    UIUserInterfaceIdiom idiom_ = UIUserInterfaceIdiom::Phone;
};
