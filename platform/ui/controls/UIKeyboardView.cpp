#include "platform/ui/controls/UIKeyboardView.h"

#include <vector>

#include "platform/graphics/NSStringDrawing.h"
#include "platform/ui/screens/UILocalizedString.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

constexpr double kGap = 6;

bool isPad(UIKeyboardType type) {
    return type == UIKeyboardType::NumberPad || type == UIKeyboardType::PhonePad ||
           type == UIKeyboardType::DecimalPad;
}

Rows keysFor(UIKeyboardType type) {
    if (isPad(type)) {
        const std::string extra = type == UIKeyboardType::PhonePad     ? "+*#"
                                  : type == UIKeyboardType::DecimalPad ? "."
                                                                       : "";
        return {{"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}, {extra, "0", "\u232B"}};
    }
    return {{"Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P"},
            {"A", "S", "D", "F", "G", "H", "J", "K", "L"},
            {"\u21E7", "Z", "X", "C", "V", "B", "N", "M", "\u232B"},
            {"123", UILocalizedString::text("Keyboard_Space", "space"),
             UILocalizedString::text("Keyboard_Return", "return")}};
}

}  // namespace

UIKeyboardView::UIKeyboardView(const CGRect& frame) : UIView(frame) {
    setBackgroundColor(UIColor::colorWithWhite(0.82, 0.92));
    setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin);
}

void UIKeyboardView::setKeyboardType(UIKeyboardType type) {
    if (type == type_) {
        return;
    }
    type_ = type;
    setNeedsDisplay();
}

void UIKeyboardView::drawRect(CGContext& context, const CGRect&) {
    const Rows rows = keysFor(type_);
    const CGRect area = bounds().insetBy(kGap / 2, kGap);
    const double rowHeight = area.height() / static_cast<double>(rows.size());
    // Letter rows share the key width of the longest row and are centred; the bottom
    // row of a letter keyboard has a wide space bar.
    std::size_t widest = 0;
    for (const auto& row : rows) {
        widest = std::max(widest, row.size());
    }
    const double unit = area.width() / static_cast<double>(widest);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto& row = rows[r];
        const double y = area.minY() + rowHeight * static_cast<double>(r);
        const bool spaceRow = !isPad(type_) && r + 1 == rows.size();
        const double rowWidth = spaceRow ? area.width() : unit * static_cast<double>(row.size());
        double x = area.minX() + (area.width() - rowWidth) / 2;
        for (std::size_t k = 0; k < row.size(); ++k) {
            // The space bar is the middle key of the bottom row.
            const double width = spaceRow && k == 1 ? rowWidth - 2 * unit * 1.5
                                 : spaceRow         ? unit * 1.5
                                                    : unit;
            drawKey(context, {x + kGap / 2, y + kGap / 2, width - kGap, rowHeight - kGap}, row[k]);
            x += width;
        }
    }
}

void UIKeyboardView::drawKey(CGContext& context, const CGRect& key,
                             const std::string& label) const {
    if (label.empty()) {
        return;
    }
    context.setFillColor(UIColor::colorWithWhite(1, 0.9));
    context.beginPath();
    context.addPath(CGPath::withRoundedRect(key, 5, 5));
    context.fillPath();
    const NSStringAttributes attributes{UIFont::systemFontOfSize(label.size() > 3 ? 14 : 18),
                                        UIColor::colorWithWhite(0.15), NSTextAlignment::Center};
    const CGSize size = NSStringDrawing::sizeWithAttributes(label, attributes);
    NSStringDrawing::drawInRect(
        context, label, {key.minX(), key.midY() - size.height / 2, key.width(), size.height},
        attributes);
}
