#pragma once

#include "platform/ui/controls/UIKeyboardType.h"
#include "platform/ui/view/UIView.h"

// The picture of the simulated on-screen keyboard: a translucent panel with rows of
// keys for the keyboard type (letters, or a number pad). It swallows the touches that
// land on it, as a real keyboard would keep them from the screen below.
class UIKeyboardView : public UIView {
public:
    explicit UIKeyboardView(const CGRect& frame);

    UIKeyboardType keyboardType() const { return type_; }
    void setKeyboardType(UIKeyboardType type);

    void drawRect(CGContext& context, const CGRect& rect) override;
    void touchesBegan(const UITouchSet&, const UIEvent&) override {}
    void touchesMoved(const UITouchSet&, const UIEvent&) override {}
    void touchesEnded(const UITouchSet&, const UIEvent&) override {}
    void touchesCancelled(const UITouchSet&, const UIEvent&) override {}

private:
    void drawKey(CGContext& context, const CGRect& key, const std::string& label) const;

    UIKeyboardType type_ = UIKeyboardType::Default;
};
