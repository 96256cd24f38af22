#pragma once

#include <memory>
#include <string>

#include "platform/ui/view/UILabel.h"

// A short message near the bottom of the key window that goes away on its own ("Saved
// to Pictures/IMG_1.jpg"): white text in a rounded dark box that fades in, stays for a
// while, and fades out. Touches pass through it; a new message replaces the one shown.
class UIToast {
public:
    static constexpr double kShownSeconds = 2;
    static constexpr double kFadeDuration = 0.2;
    // From the window's bottom edge to the message's.
    static constexpr double kBottomMargin = 96;

    // Shows message in the key window; null without one.
    static std::shared_ptr<UILabel> show(const std::string& message,
                                         double seconds = kShownSeconds);
    // The message on screen, or null.
    static std::shared_ptr<UILabel> visibleToast();
};
