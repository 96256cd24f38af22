#pragma once

#include <memory>

#include "platform/ui/view/UILabel.h"
#include "tools/overlay/text/CLOutlinedText.h"

// A label that outlines its glyphs before filling them. The outline is
// outlineWidth × the font's size × 0.3 points wide (a 50-point font at width 1 gives
// 15 points, half of it outside the glyphs); the text is drawn a quarter of that
// inside the label's edges, so the outline stays in.
class CLTextLabel : public UILabel {
public:
    static constexpr double kStrokePerPoint = 0.3;
    static constexpr double kInsetPerStroke = 0.25;

    explicit CLTextLabel(const CGRect& frame = CGRect{});

    const UIColor& outlineColor() const { return outlineColor_; }
    void setOutlineColor(const UIColor& color);
    double outlineWidth() const { return outlineWidth_; }
    void setOutlineWidth(double width);

    // What drawing the label in rect (its own coordinates) paints, as a value that a
    // worker thread may draw.
    CLOutlinedText outlinedText(const CGRect& rect) const;
    void drawTextInRect(CGContext& context, const CGRect& rect) override;

private:
    UIColor outlineColor_ = UIColor::clearColor();
    double outlineWidth_ = 0;
};

using CLTextLabelPtr = std::shared_ptr<CLTextLabel>;
