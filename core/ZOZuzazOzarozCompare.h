#pragma once

#include <memory>

#include "platform/ui/gestures/UILongPressGestureRecognizer.h"
#include "platform/ui/view/UILabel.h"

class _ZOZuzazOzarozViewController;

// Hold to compare, for an editor that turns it on: holding the picture shows the
// picture before the edit, in menu mode the one the editor opened with, in a tool the
// one the tool started from, with a small "Original" label, until the finger lifts.
class ZOZuzazOzarozCompare {
public:
    static constexpr double kHoldDuration = 0.3;

    explicit ZOZuzazOzarozCompare(_ZOZuzazOzarozViewController& editor);
    ~ZOZuzazOzarozCompare();

    // What showing the original would show now.
    UIImagePtr original() const;
    void begin();
    void end();
    bool isShowingOriginal() const { return hidden_ != nullptr; }
    const std::shared_ptr<UILabel>& label() const { return label_; }

private:
    _ZOZuzazOzarozViewController& editor_;
    UIImagePtr opening_;
    // What the image view showed before the hold.
    UIImagePtr hidden_;
    std::shared_ptr<UILongPressGestureRecognizer> hold_;
    std::shared_ptr<UILabel> label_;
};
