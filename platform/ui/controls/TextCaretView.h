#pragma once

#include "platform/ui/view/UIView.h"

// The insertion point of a text editor: a thin bar in the tint colour that blinks on
// the animation clock, solid for a moment after every edit or move.
class TextCaretView : public UIView {
public:
    static constexpr double kWidth = 2;
    // Seconds the caret is lit, and then dark, in each blink.
    static constexpr double kBlinkPeriod = 0.5;

    TextCaretView();

    // Places the caret at a caret rectangle (zero width, a line high) of the editor.
    void placeAt(const CGRect& caret);
    // Shows the caret solid and starts blinking again from there.
    void restartBlinking();
    // Hides it and stops the blinking.
    void stop();
};
