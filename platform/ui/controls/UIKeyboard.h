#pragma once

#include <optional>

#include "platform/geometry/CGRect.h"
#include "platform/ui/controls/UIKeyboardType.h"

class UIWindow;

// The keyboard notifications and their user-info keys, named as on the platform.
inline constexpr const char* UIKeyboardWillShowNotification = "UIKeyboardWillShowNotification";
inline constexpr const char* UIKeyboardDidShowNotification = "UIKeyboardDidShowNotification";
inline constexpr const char* UIKeyboardWillHideNotification = "UIKeyboardWillHideNotification";
inline constexpr const char* UIKeyboardDidHideNotification = "UIKeyboardDidHideNotification";
// Rectangles in the window's coordinates.
inline constexpr const char* UIKeyboardFrameBeginUserInfoKey = "UIKeyboardFrameBeginUserInfoKey";
inline constexpr const char* UIKeyboardFrameEndUserInfoKey = "UIKeyboardFrameEndUserInfoKey";
// Seconds, and a UIView animation curve (shifted left by 16 it is an animation option).
inline constexpr const char* UIKeyboardAnimationDurationUserInfoKey =
    "UIKeyboardAnimationDurationUserInfoKey";
inline constexpr const char* UIKeyboardAnimationCurveUserInfoKey =
    "UIKeyboardAnimationCurveUserInfoKey";

// The on-screen keyboard, simulated on the desktop: while a window's first responder
// needs a keyboard, a translucent keyboard panel covers the bottom of the window
// (216 points on a phone, 264 on a tablet, as the platform's), so layouts make room
// for it as they would on a phone; typing itself comes from the desktop's keyboard.
// It slides in and out on the animation clock, and every appearance and
// disappearance is announced on the default notification centre with its end frame,
// duration and curve (will-show and will-hide before the slide, did-show and
// did-hide after).
class UIKeyboard {
public:
    static constexpr double kPhoneHeight = 216;
    static constexpr double kTabletHeight = 264;
    // A window at least this wide and tall (points) is a tablet's.
    static constexpr double kTabletMinimumSide = 600;
    static constexpr double kAnimationDuration = 0.25;
    // Ease in and out.
    static constexpr int kAnimationCurve = 0;

    // Brings the keyboard up or down to match the window's first responder, and
    // switches its keys to the responder's keyboard type.
    static void update(UIWindow& window);
    static bool isVisible(const UIWindow& window);
    // A desktop with a display has a keyboard of its own, so the on-screen one never
    // comes up there; offscreen (tests, the tour) the program plays a phone without one.
    // A setting; null returns to that default.
    static bool hardwareKeyboardAttached();
    static void setHardwareKeyboardAttached(std::optional<bool> attached);
    // Where the keyboard rests while shown, in the window's coordinates.
    static CGRect shownFrame(const UIWindow& window);
};
