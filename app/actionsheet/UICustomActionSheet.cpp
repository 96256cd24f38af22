#include "app/actionsheet/UICustomActionSheet.h"

#include <algorithm>

#include "app/translucent/KRTranslucentView.h"
#include "platform/graphics/UIFont.h"
#include "platform/ui/gestures/UITapGestureRecognizer.h"
#include "platform/ui/window/UIWindow.h"

namespace {

constexpr int kLabelLines = 4;
constexpr double kBackdropAlpha = 0.9;
const char* const kButtonHorizontal = "|-10-[%@]-10-|";

// The format with each "%@" replaced by the next name.
std::string formatWith(const std::string& format, std::initializer_list<std::string> names) {
    std::string result;
    auto name = names.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format.compare(i, 2, "%@") == 0 && name != names.end()) {
            result += *name++;
            ++i;
        } else {
            result += format[i];
        }
    }
    return result;
}

std::string buttonName(std::size_t position) {
    return "button" + std::to_string(position);
}

}  // namespace

std::shared_ptr<UICustomActionSheet> UICustomActionSheet::create(
    const std::string& title, std::weak_ptr<UICustomActionSheetDelegate> delegate,
    std::vector<std::string> buttonTitles) {
    const std::shared_ptr<UIWindow> window = UIWindow::keyWindow();
    auto sheet =
        std::make_shared<UICustomActionSheet>(Token{}, window ? window->frame() : CGRect{}, title,
                                              std::move(delegate), std::move(buttonTitles));
    sheet->installTapToClose();
    return sheet;
}

UICustomActionSheet::UICustomActionSheet(Token, const CGRect& frame, const std::string& title,
                                         std::weak_ptr<UICustomActionSheetDelegate> delegate,
                                         std::vector<std::string> buttonTitles)
    : ConstraintLayoutView(frame),
      title_(title),
      buttonTitles_(std::move(buttonTitles)),
      delegate_(std::move(delegate)),
      panel_(std::make_shared<ConstraintLayoutView>()),
      emptyBackground_(std::make_shared<UIImageView>()),
      backgroundImage_(emptyBackground_) {
    addSubview(emptyBackground_);
    addSubview(panel_);
}

void UICustomActionSheet::installTapToClose() {
    auto tap = std::make_shared<UITapGestureRecognizer>();
    tap->addTarget([weak = weak_from_this()](UIGestureRecognizer&) {
        if (const auto sheet = std::static_pointer_cast<UICustomActionSheet>(weak.lock())) {
            sheet->hideAlert();
        }
    });
    tap->setDelegate(std::static_pointer_cast<UICustomActionSheet>(shared_from_this()));
    addGestureRecognizer(tap);
}

void UICustomActionSheet::setTitleAndSubtitle(const std::string& title,
                                              const std::string& subtitle) {
    title_ = title;
    subtitle_ = subtitle;
}

void UICustomActionSheet::setButtonTitlesWithColors(std::vector<std::string> titles,
                                                    std::vector<UIColor> colors) {
    buttonTitles_ = std::move(titles);
    buttonColors_ = std::move(colors);
}

void UICustomActionSheet::setDelegate(std::weak_ptr<UICustomActionSheetDelegate> delegate) {
    delegate_ = std::move(delegate);
}

void UICustomActionSheet::setBackgroundColor(const UIColor& color) {
    panelBackgroundColor_ = color;
}

void UICustomActionSheet::showInView(const UIViewPtr& view) {
    if (!view || shown_) {
        return;
    }
    shown_ = true;
    view->addSubview(shared_from_this());
    if (frame().isEmpty()) {
        setFrame(view->bounds());
    }
    panel_->setBackgroundColor(panelBackgroundColor_);
    pinBackdropAndPanel();
    installTranslucentBackdrop();
    addButtons();
    addLabels();
    setNeedsLayout();
    layoutIfNeeded();
    backgroundImage_->setAlpha(0);
    panelCenter_ = panel_->center();
    panelHeight_ = panel_->bounds().height() / 2;
    panel_->setCenter({panelCenter_.x, panelCenter_.y + 2 * panelHeight_});
    slideIn();
}

void UICustomActionSheet::pinBackdropAndPanel() {
    const VisualFormat::Views views{{"bg", emptyBackground_}, {"panel", panel_}};
    for (const char* format :
         {"|-0-[bg]-0-|", "V:|-0-[bg]-0-|", "|-0-[panel]-0-|", "V:[panel]-0-|"}) {
        addConstraintsWithVisualFormat(format, views);
    }
}

void UICustomActionSheet::installTranslucentBackdrop() {
    auto backdrop = std::make_shared<KRTranslucentView>(bounds());
    backdrop->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                  UIViewAutoresizingFlexibleHeight);
    insertSubviewAtIndex(backdrop, 0);
    backdrop->setTranslucentAlpha(kBackdropAlpha);
    backdrop->setTranslucentStyle(UIBarStyle::Black);
    backdrop->setTranslucentTintColor(UIColor::clearColor());
    backdrop->setBackgroundColor(UIColor::clearColor());
    backgroundImage_ = std::move(backdrop);
}

void UICustomActionSheet::addButtons() {
    for (std::size_t position = 0; position < buttonTitles_.size(); ++position) {
        UIButtonPtr button = makeButton(position);
        const std::string name = buttonName(position);
        panelViews_[name] = button;
        panel_->addSubview(button);
        buttons_.push_back(button);
        panel_->addConstraintsWithVisualFormat(formatWith(kButtonHorizontal, {name}), panelViews_);
        const std::string below = position > 0 ? buttonName(position - 1) : std::string();
        panel_->addConstraintsWithVisualFormat(
            formatWith(verticalButtonFormat(position), {name, below}), panelViews_);
    }
}

UIButtonPtr UICustomActionSheet::makeButton(std::size_t position) {
    auto button = std::make_shared<UIButton>();
    button->setTitle(buttonTitles_[position], UIControlStateNormal);
    button->setTitleColor(buttonsTextColor_, UIControlStateNormal);
    button->setBackgroundColor(position < buttonColors_.size() ? buttonColors_[position]
                                                               : tintColor_);
    button->layer().setCornerRadius(kButtonCornerRadius);
    button->addTarget(
        [weak = weak_from_this()](UIControl& sender) {
            if (const auto sheet = std::static_pointer_cast<UICustomActionSheet>(weak.lock())) {
                sheet->actionButtonPressed(static_cast<UIButton&>(sender));
            }
        },
        UIControlEventTouchUpInside);
    return button;
}

// The buttons stack upwards from the bottom one; the top one reaches for the panel's top
// only when no title or subtitle sits above it.
std::string UICustomActionSheet::verticalButtonFormat(std::size_t position) const {
    if (position == 0) {
        return "V:[%@(45)]-10-|";
    }
    if (position + 1 == buttonTitles_.size() && title_.empty() && subtitle_.empty()) {
        return "V:|-10-[%@(45)]-8-[%@]";
    }
    return "V:[%@(45)]-8-[%@]";
}

UIViewPtr UICustomActionSheet::topButton() const {
    return buttons_.empty() ? nullptr : buttons_.back();
}

void UICustomActionSheet::addLabels() {
    const UIViewPtr top = topButton();
    if (!top) {
        return;
    }
    panelViews_["top"] = top;
    if (!subtitle_.empty()) {
        panelViews_["subtitle"] = makeLabel(subtitle_, subtitleFontSize_, subtitleColor_);
        panel_->addConstraintsWithVisualFormat(formatWith(kButtonHorizontal, {"subtitle"}),
                                               panelViews_);
        panel_->addConstraintsWithVisualFormat(
            title_.empty() ? "V:|-12-[subtitle]-12-[top]" : "V:[subtitle]-12-[top]", panelViews_);
    }
    if (!title_.empty()) {
        panelViews_["title"] = makeLabel(title_, titleFontSize_, titleColor_);
        panel_->addConstraintsWithVisualFormat(formatWith(kButtonHorizontal, {"title"}),
                                               panelViews_);
        panel_->addConstraintsWithVisualFormat(
            subtitle_.empty() ? "V:|-12-[title]-12-[top]" : "V:|-12-[title]-0-[subtitle]",
            panelViews_);
    }
}

UILabelPtr UICustomActionSheet::makeLabel(const std::string& text, double fontSize,
                                          const UIColor& color) {
    auto label = std::make_shared<UILabel>();
    label->setText(text);
    label->setFont(UIFont::systemFontOfSize(fontSize));
    label->setNumberOfLines(kLabelLines);
    label->setTextAlignment(NSTextAlignment::Center);
    label->setTextColor(color);
    panel_->addSubview(label);
    return label;
}

void UICustomActionSheet::slideIn() {
    UIView::animate(kAnimationDuration, 0, kAnimationOptions, [this] {
        backgroundImage_->setAlpha(1);
        panel_->setCenter(panelCenter_);
    });
}

void UICustomActionSheet::actionButtonPressed(UIButton& button) {
    if (hiding_) {
        return;
    }
    const auto found = std::find(buttonTitles_.begin(), buttonTitles_.end(), button.currentTitle());
    const auto delegate = delegate_.lock();
    if (found != buttonTitles_.end() && delegate) {
        delegate->customActionSheetClickedButtonAtIndex(
            *this, static_cast<std::size_t>(found - buttonTitles_.begin()));
    }
    hideAlert();
}

void UICustomActionSheet::hideAlert() {
    if (hiding_) {
        return;
    }
    hiding_ = true;
    UIView::animate(
        kAnimationDuration, 0, kAnimationOptions,
        [this] {
            backgroundImage_->setAlpha(0);
            const CGRect frame = panel_->frame();
            panel_->setFrame({0, frame.minY() + frame.height(), frame.width(), frame.height()});
        },
        [self = shared_from_this()](bool) { self->removeFromSuperview(); });
}

std::optional<bool> UICustomActionSheet::gestureRecognizerShouldBegin(
    UIGestureRecognizer& recognizer) {
    const CGPoint point = recognizer.locationInView(this);
    for (UIViewPtr view = hitTest(point, nullptr); view && view.get() != this;
         view = view->superview()) {
        if (dynamic_cast<UIControl*>(view.get()) != nullptr) {
            return false;
        }
    }
    return true;
}
