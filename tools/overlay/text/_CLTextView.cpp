#include "tools/overlay/text/_CLTextView.h"

#include <algorithm>
#include <limits>

#include "core/ZOZuzazOzarozTheme.h"
#include "platform/foundation/NSNotificationCenter.h"

namespace {

constexpr double kUnlimited = std::numeric_limits<float>::max();

CLTextLabelPtr makeLabel() {
    auto label = std::make_shared<CLTextLabel>();
    label->setTextColor(ZOZuzazOzarozTheme::theme().toolbarTextColor());
    label->setNumberOfLines(0);
    label->setBackgroundColor(UIColor::clearColor());
    label->setFont(UIFont::systemFontOfSize(_CLTextView::kFontSize));
    label->setAdjustsFontSizeToFitWidth(true);
    label->setMinimumScaleFactor(_CLTextView::kMinimumFontScale);
    label->setTextAlignment(NSTextAlignment::Center);
    return label;
}

std::string placeholder() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLTextTool_EmptyText", "Text");
}

}  // namespace

CLActiveBoxSlot& _CLTextView::activeSlot() {
    static CLActiveBoxSlot slot([](const CLOverlayBoxPtr& box) {
        NSNotificationCenter::defaultCenter().postNotificationName(
            CLTextViewActiveViewDidChangeNotificationString,
            std::static_pointer_cast<_CLTextView>(box));
    });
    return slot;
}

std::shared_ptr<_CLTextView> _CLTextView::activeTextView() {
    return std::static_pointer_cast<_CLTextView>(activeSlot().activeBox());
}

void _CLTextView::setActiveTextView(const std::shared_ptr<_CLTextView>& box) {
    activeSlot().setActiveBox(box);
}

std::shared_ptr<_CLTextView> _CLTextView::create(const CLImageToolBase& tool) {
    auto box = std::make_shared<_CLTextView>(
        Token{}, makeLabel(),
        tool.imageForKeyDefaultImageName("deleteIconAssetsName", "btn_delete.png"));
    box->initGestures();
    return box;
}

_CLTextView::_CLTextView(Token, CLTextLabelPtr label, const UIImagePtr& deleteImage)
    : CLOverlayBox(label, deleteImage, activeSlot(), kMinimumScale), label_(std::move(label)) {
    label_->layer().setCornerRadius(kFrameCornerRadius);
    label_->setText(placeholder());
    layoutAroundContent(label_->sizeThatFits({kUnlimited, kUnlimited}));
}

void _CLTextView::setText(const std::string& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    label_->setText(text.empty() ? placeholder() : text);
}

void _CLTextView::setFont(const UIFont& font) {
    label_->setFont(font.fontWithSize(kFontSize));
}

void _CLTextView::sizeToFitWithMaxWidthLineHeight(double maxWidth, double lineHeight) {
    const CGSize fitted = label_->sizeThatFits({maxWidth * kFittingWidthFactor, kUnlimited});
    const double scale =
        std::min(maxWidth / (fitted.width + 2 * kMargin), lineHeight / label_->font().lineHeight());
    layoutContent(fitted, scale);
}

_CLTextView::Snapshot _CLTextView::snapshot() const {
    return {label_->outlinedText(label_->bounds()), placement()};
}

void _CLTextView::Snapshot::draw(CGContext& context) const {
    context.saveGState();
    placement.applyTo(context);
    text.draw(context);
    context.restoreGState();
}

void _CLTextView::viewDidTap() {
    if (active()) {
        NSNotificationCenter::defaultCenter().postNotificationName(
            CLTextViewActiveViewDidTapNotificationString,
            std::static_pointer_cast<_CLTextView>(shared_from_this()));
    }
    makeActive();
}
