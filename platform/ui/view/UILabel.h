#pragma once

#include <string>

#include "platform/graphics/NSStringDrawing.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIFont.h"
#include "platform/ui/view/UIView.h"

// A view that shows text (UTF-8): one line by default, or wrapped at word boundaries
// over up to numberOfLines lines (0: as many as fit), centred vertically in the
// bounds. With adjustsFontSizeToFitWidth the font shrinks, down to
// minimumScaleFactor of its size, until the text fits. Takes no touches by default.
class UILabel : public UIView {
public:
    explicit UILabel(const CGRect& frame = CGRect{});

    const std::string& text() const { return text_; }
    void setText(const std::string& text);
    // The system font of 17 points by default.
    const UIFont& font() const { return font_; }
    void setFont(const UIFont& font);
    const UIColor& textColor() const { return textColor_; }
    void setTextColor(const UIColor& color);
    NSTextAlignment textAlignment() const { return textAlignment_; }
    void setTextAlignment(NSTextAlignment alignment);
    int numberOfLines() const { return numberOfLines_; }
    void setNumberOfLines(int lines);
    bool adjustsFontSizeToFitWidth() const { return adjustsFontSizeToFitWidth_; }
    void setAdjustsFontSizeToFitWidth(bool adjusts);
    double minimumScaleFactor() const { return minimumScaleFactor_; }
    void setMinimumScaleFactor(double factor);

    // The text's size at the label's font within size (a width of 0 or less is
    // unlimited), rounded up to whole points; zero for no text.
    CGSize sizeThatFits(CGSize size) const override;
    void drawRect(CGContext& context, const CGRect& rect) override;
    // Draws the text in rect with the label's attributes; subclasses may draw it
    // differently (an outline under the fill, say).
    virtual void drawTextInRect(CGContext& context, const CGRect& rect);

protected:
    // The font the text is drawn with in a rectangle of size: the label's font, or a
    // smaller one when it adjusts its size to fit.
    UIFont fittingFont(CGSize size) const;
    NSStringAttributes attributes(const UIFont& font) const;

private:
    std::string displayedText() const;
    CGSize textSize(const UIFont& font, double width) const;
    void drawSingleLine(CGContext& context, const CGRect& rect, double textWidth,
                        const NSStringAttributes& style) const;

    std::string text_;
    UIFont font_;
    UIColor textColor_ = UIColor::blackColor();
    NSTextAlignment textAlignment_ = NSTextAlignment::Left;
    int numberOfLines_ = 1;
    bool adjustsFontSizeToFitWidth_ = false;
    double minimumScaleFactor_ = 0;
};

using UILabelPtr = std::shared_ptr<UILabel>;
