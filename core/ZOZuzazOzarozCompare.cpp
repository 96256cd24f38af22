#include "core/ZOZuzazOzarozCompare.h"

#include "core/ZOZuzazOzarozTheme.h"
#include "core/_ZOZuzazOzarozViewController.h"

namespace {

constexpr CGSize kLabelSize{80, 24};
constexpr double kLabelMargin = 8;

}  // namespace

ZOZuzazOzarozCompare::ZOZuzazOzarozCompare(_ZOZuzazOzarozViewController& editor)
    : editor_(editor),
      opening_(editor.originalImage()),
      hold_(std::make_shared<UILongPressGestureRecognizer>()),
      label_(std::make_shared<UILabel>(CGRect{{0, 0}, kLabelSize})) {
    label_->setText(
        ZOZuzazOzarozTheme::localizedStringWithDefault("ZOZuzazOzaroz_OriginalLabel", "Original"));
    label_->setTextAlignment(NSTextAlignment::Center);
    label_->setTextColor(UIColor::whiteColor());
    label_->setBackgroundColor(UIColor::blackColor().colorWithAlphaComponent(0.5));
    label_->layer().setCornerRadius(kLabelSize.height / 2);
    label_->setUserInteractionEnabled(false);
    hold_->setMinimumPressDuration(kHoldDuration);
    hold_->setCancelsTouchesInView(false);
    hold_->addTarget([this](UIGestureRecognizer& sender) {
        if (sender.state() == UIGestureRecognizerState::Began) {
            begin();
        } else if (!sender.isActive()) {
            end();
        }
    });
    editor.scrollView()->addGestureRecognizer(hold_);
}

ZOZuzazOzarozCompare::~ZOZuzazOzarozCompare() {
    if (const auto view = hold_->view()) {
        view->removeGestureRecognizer(hold_);
    }
    label_->removeFromSuperview();
}

UIImagePtr ZOZuzazOzarozCompare::original() const {
    return editor_.currentTool() ? editor_.originalImage() : opening_;
}

void ZOZuzazOzarozCompare::begin() {
    const UIImageViewPtr& imageView = editor_.imageView();
    if (isShowingOriginal() || !imageView) {
        return;
    }
    hidden_ = imageView->image();
    imageView->setImage(original());
    const CGRect area = editor_.scrollView()->frame();
    label_->setFrame({area.midX() - kLabelSize.width / 2, area.minY() + kLabelMargin,
                      kLabelSize.width, kLabelSize.height});
    editor_.view()->addSubview(label_);
}

void ZOZuzazOzarozCompare::end() {
    if (!isShowingOriginal()) {
        return;
    }
    editor_.imageView()->setImage(hidden_);
    hidden_.reset();
    label_->removeFromSuperview();
}
