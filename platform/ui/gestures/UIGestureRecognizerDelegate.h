#pragma once

#include <optional>

class UIGestureRecognizer;

// What a gesture recogniser asks its delegate. Every operation is optional: an
// operation with an answer returns std::nullopt when the delegate does not implement
// it, and the recogniser then behaves as if there were no delegate.
class UIGestureRecognizerDelegate {
public:
    virtual ~UIGestureRecognizerDelegate() = default;

    // Asked when the recogniser is about to leave the possible state; false makes it fail.
    virtual std::optional<bool> gestureRecognizerShouldBegin(UIGestureRecognizer&) {
        return std::nullopt;
    }
    // Whether the recogniser may work at the same time as other, which shares its
    // touches; one true answer from either side's delegate is enough.
    virtual std::optional<bool> gestureRecognizerShouldRecognizeSimultaneouslyWith(
        UIGestureRecognizer&, UIGestureRecognizer& /*other*/) {
        return std::nullopt;
    }
};
