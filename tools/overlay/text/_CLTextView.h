#pragma once

#include <memory>
#include <string>

#include "core/CLImageToolBase.h"
#include "tools/overlay/box/CLOverlayBox.h"
#include "tools/overlay/text/CLTextLabel.h"

inline constexpr const char* CLTextViewActiveViewDidChangeNotificationString =
    "CLTextViewActiveViewDidChangeNotificationString";
inline constexpr const char* CLTextViewActiveViewDidTapNotificationString =
    "CLTextViewActiveViewDidTapNotificationString";

// A text box over the picture: a box (CLOverlayBox) whose content is a CLTextLabel at
// 50 points. An empty text shows the placeholder "Text". The text boxes share one
// active box; every change of it is posted as
// CLTextViewActiveViewDidChangeNotificationString with the box (or none), and a tap on
// the box that is already active as CLTextViewActiveViewDidTapNotificationString, both
// heard a main-loop turn later.
class _CLTextView : public CLOverlayBox {
public:
    static constexpr double kFontSize = 50;
    static constexpr double kMinimumScale = 0.3;
    static constexpr double kMinimumFontScale = 0.02;
    // A text is fitted for lines up to this many times the widest box width.
    static constexpr double kFittingWidthFactor = 1 / 0.3;

    // A box showing the placeholder, with the tool's delete button image.
    static std::shared_ptr<_CLTextView> create(const CLImageToolBase& tool);

    static std::shared_ptr<_CLTextView> activeTextView();
    static void setActiveTextView(const std::shared_ptr<_CLTextView>& box);

    const std::string& text() const { return text_; }
    void setText(const std::string& text);
    const UIColor& fillColor() const { return label_->textColor(); }
    void setFillColor(const UIColor& color) { label_->setTextColor(color); }
    const UIColor& borderColor() const { return label_->outlineColor(); }
    void setBorderColor(const UIColor& color) { label_->setOutlineColor(color); }
    // 0 to 1, a share of the font size (see CLTextLabel).
    double borderWidth() const { return label_->outlineWidth(); }
    void setBorderWidth(double width) { label_->setOutlineWidth(width); }
    NSTextAlignment textAlignment() const { return label_->textAlignment(); }
    void setTextAlignment(NSTextAlignment alignment) { label_->setTextAlignment(alignment); }
    const UIFont& font() const { return label_->font(); }
    // Kept at 50 points whatever size font has.
    void setFont(const UIFont& font);
    const CLTextLabelPtr& label() const { return label_; }

    // Refits the label to its text, on lines up to maxWidth / 0.3 wide, and scales the
    // box so that it is at most maxWidth wide and one line at most lineHeight high.
    void sizeToFitWithMaxWidthLineHeight(double maxWidth, double lineHeight);

    // Everything a render needs to draw the box as shown, taken on the main thread.
    struct Snapshot {
        CLOutlinedText text;
        Placement placement;
        // Into context in the box's parent's coordinates. Any thread.
        void draw(CGContext& context) const;
    };
    Snapshot snapshot() const;

    void viewDidTap() override;

    struct Token {};
    _CLTextView(Token, CLTextLabelPtr label, const UIImagePtr& deleteImage);

private:
    static CLActiveBoxSlot& activeSlot();

    CLTextLabelPtr label_;
    std::string text_;
};

using _CLTextViewPtr = std::shared_ptr<_CLTextView>;
