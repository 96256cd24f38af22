#pragma once

#include <string>

#include "platform/geometry/UIEdgeInsets.h"
#include "platform/graphics/NSStringDrawing.h"
#include "platform/ui/view/UIView.h"

// The text of a text view, drawn wrapped to its width less the insets, from the top.
// It takes no touches: they go to the text view that holds it.
class TextContentView : public UIView {
public:
    TextContentView();

    void setText(const std::string& text);
    void setAttributes(const NSStringAttributes& attributes);
    void setInsets(const UIEdgeInsets& insets);
    // The rectangle the text is drawn in for a given width (unbounded height).
    CGRect textRect(double width) const;

    void drawRect(CGContext& context, const CGRect& rect) override;

private:
    std::string text_;
    NSStringAttributes attributes_;
    UIEdgeInsets insets_;
};
