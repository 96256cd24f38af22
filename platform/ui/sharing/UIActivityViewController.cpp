#include "platform/ui/sharing/UIActivityViewController.h"

#include <algorithm>
#include <filesystem>

#include "platform/ui/screens/UIAlertView.h"
#include "platform/ui/screens/UILocalizedString.h"
#include "platform/ui/sharing/UIPopoverController.h"
#include "platform/ui/view/UILabel.h"

namespace {

// Where the "Save As…" step sits on a full screen: near the top, clear of the
// keyboard that comes up from the bottom.
constexpr double kSaveAsTop = 40;

// A small grey line at the foot of an activity's row.
void addCaption(UIButton& row, const std::string& text) {
    constexpr double kCaptionHeight = 14;
    auto caption = std::make_shared<UILabel>(
        CGRect{0, UIActivityViewController::kRowHeight - kCaptionHeight - 2,
               UIActivityViewController::kWidth, kCaptionHeight});
    caption->setText(text);
    caption->setFont(UIFont::systemFontOfSize(11));
    caption->setTextColor(UIColor::grayColor());
    caption->setTextAlignment(NSTextAlignment::Center);
    caption->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    caption->setUserInteractionEnabled(false);
    row.addSubview(caption);
}

UIImagePtr firstPicture(const ValueArray& items) {
    for (const Value& item : items) {
        if (UIImagePtr picture = item.imageValue()) {
            return picture;
        }
    }
    return nullptr;
}

}  // namespace

// The sheet's view: the list of activities, or the "Save As…" step in its place.
// Full screen (presented modally) the list sits at the bottom over a dimmed backdrop;
// in a popover it fills the view.
class UIActivityViewController::SheetView : public UIView {
public:
    explicit SheetView(const CGRect& frame) : UIView(frame), list_(std::make_shared<UIView>()) {
        list_->setBackgroundColor(UIColor::whiteColor());
        list_->setClipsToBounds(true);
        addSubview(list_);
    }

    const UIViewPtr& list() const { return list_; }
    void setRows(std::size_t rows) {
        rows_ = rows;
        setNeedsLayout();
    }
    void setStep(std::shared_ptr<SaveAsPanel> step) {
        if (step_) {
            step_->removeFromSuperview();
        }
        step_ = std::move(step);
        if (step_) {
            addSubview(step_);
        }
        list_->setHidden(step_ != nullptr);
        setNeedsLayout();
    }
    void setFullScreen(bool fullScreen) {
        fullScreen_ = fullScreen;
        setBackgroundColor(fullScreen ? UIColor::colorWithWhite(0, 0.4) : UIColor::whiteColor());
        list_->layer().setCornerRadius(fullScreen ? 12 : 0);
        setNeedsLayout();
    }

    double listHeight() const { return static_cast<double>(rows_) * kRowHeight; }

    CGSize sizeThatFits(CGSize) const override {
        return CGSize{kWidth, std::max(listHeight(), SaveAsPanel::kHeight)};
    }

    void layoutSubviews() override {
        const CGRect area = bounds();
        if (!fullScreen_) {
            list_->setFrame(area);
            if (step_) {
                step_->setFrame(area);
            }
            return;
        }
        const double width = area.width() - 2 * kMargin;
        list_->setFrame(CGRect{kMargin, area.maxY() - kMargin - listHeight(), width, listHeight()});
        if (step_) {
            step_->setFrame(CGRect{kMargin, kSaveAsTop, width, SaveAsPanel::kHeight});
            step_->layer().setCornerRadius(12);
        }
    }

private:
    UIViewPtr list_;
    std::shared_ptr<SaveAsPanel> step_;
    std::size_t rows_ = 0;
    bool fullScreen_ = false;
};

UIActivityViewController::UIActivityViewController(ValueArray activityItems, ValueArray)
    : items_(std::move(activityItems)) {}

UIActivityViewController::~UIActivityViewController() = default;

void UIActivityViewController::setExcludedActivityTypes(std::vector<std::string> types) {
    excluded_ = std::move(types);
    if (isViewLoaded()) {
        rebuildButtons();
    }
}

std::vector<std::string> UIActivityViewController::activityTypes() const {
    std::vector<std::string> types;
    for (const ShareActivities::Activity& activity : ShareActivities::available()) {
        if (std::find(excluded_.begin(), excluded_.end(), activity.type) == excluded_.end()) {
            types.push_back(activity.type);
        }
    }
    return types;
}

UIActivityViewController::SheetView& UIActivityViewController::sheet() {
    return static_cast<SheetView&>(*view());
}

void UIActivityViewController::loadView() {
    setView(std::make_shared<SheetView>(CGRect{0, 0, kWidth, kRowHeight}));
    rebuildButtons();
    busy_ = std::make_shared<UIActivityIndicatorView>(UIActivityIndicatorViewStyle::Gray);
    busy_->setHidesWhenStopped(true);
    view()->addSubview(busy_);
}

void UIActivityViewController::rebuildButtons() {
    for (const UIButtonPtr& button : buttons_) {
        button->removeFromSuperview();
    }
    buttons_.clear();
    shown_.clear();
    const std::vector<std::string> types = activityTypes();
    for (const ShareActivities::Activity& activity : ShareActivities::available()) {
        if (std::find(types.begin(), types.end(), activity.type) != types.end()) {
            shown_.push_back(activity);
        }
    }
    // Sized first: the rows stretch with the list from here on.
    const std::size_t rows = shown_.size() + 1;
    sheet().list()->setFrame(CGRect{0, 0, kWidth, rows * kRowHeight});
    sheet().setRows(rows);
    const std::weak_ptr<UIViewController> weakSelf = weak_from_this();
    const auto addRow = [&](const std::string& title,
                            std::function<void(UIActivityViewController&)> tap) {
        const UIButtonPtr button = UIButton::buttonWithType(UIButtonType::System);
        button->setTitle(title, UIControlStateNormal);
        button->setFrame(CGRect{0, buttons_.size() * kRowHeight, kWidth, kRowHeight});
        button->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
        button->addTarget(
            [weakSelf, tap = std::move(tap)](UIControl&) {
                if (const auto self =
                        std::static_pointer_cast<UIActivityViewController>(weakSelf.lock())) {
                    tap(*self);
                }
            },
            UIControlEventTouchUpInside);
        sheet().list()->addSubview(button);
        buttons_.push_back(button);
    };
    const UIImagePtr picture = firstPicture(items_);
    for (const ShareActivities::Activity& activity : shown_) {
        addRow(activity.title, [type = activity.type](UIActivityViewController& self) {
            self.activityTapped(type);
        });
        if (const std::string caption =
                picture ? ShareActivities::captionFor(activity.type, *picture) : std::string();
            !caption.empty()) {
            addCaption(*buttons_.back(), caption);
        }
    }
    addRow(UILocalizedString::text("Share_Cancel", "Cancel"), [](UIActivityViewController& self) {
        if (!self.performing_) {
            self.finish({}, false, {});
        }
    });
    buttons_.back()->titleLabel()->setFont(UIFont::boldSystemFontOfSize(17));
}

UIButtonPtr UIActivityViewController::buttonForActivityType(const std::string& type) {
    loadViewIfNeeded();
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        if (shown_[i].type == type) {
            return buttons_[i];
        }
    }
    return nullptr;
}

UIButtonPtr UIActivityViewController::cancelButton() {
    loadViewIfNeeded();
    return buttons_.back();
}

void UIActivityViewController::viewWillAppear(bool) {
    sheet().setFullScreen(presentingViewController() != nullptr);
}

void UIActivityViewController::viewDidDisappear(bool) {
    // Closed from outside (a tap beside the popover): the user cancelled.
    finish({}, false, {});
}

void UIActivityViewController::activityTapped(const std::string& type) {
    if (performing_ || finished_) {
        return;
    }
    if (type == UIActivityTypeSaveToFile) {
        showSaveAs();
    } else {
        run(type, {});
    }
}

void UIActivityViewController::showSaveAs() {
    const UIImagePtr picture = firstPicture(items_);
    saveAs_ = std::make_shared<SaveAsPanel>(picture ? ShareActivities::defaultSavePath(*picture)
                                                    : std::string());
    const std::weak_ptr<UIViewController> weakSelf = weak_from_this();
    const auto self = [weakSelf] {
        return std::static_pointer_cast<UIActivityViewController>(weakSelf.lock());
    };
    saveAs_->setSaveHandler([self](const std::string& path) {
        if (const auto sheet = self()) {
            sheet->saveAs(path);
        }
    });
    saveAs_->setCancelHandler([self] {
        if (const auto sheet = self()) {
            sheet->closeSaveAs();
        }
    });
    sheet().setStep(saveAs_);
    // Typing goes to the path at once; Return saves.
    saveAs_->pathField()->becomeFirstResponder();
}

void UIActivityViewController::closeSaveAs() {
    if (!performing_) {
        saveAs_.reset();
        sheet().setStep(nullptr);
    }
}

bool UIActivityViewController::handleKeyCommand(const UIKeyPress& key) {
    if (key.key != UIKeyPress::Key::Escape || performing_ || finished_) {
        return false;
    }
    if (saveAs_) {
        closeSaveAs();
    } else {
        finish({}, false, {});
    }
    return true;
}

void UIActivityViewController::saveAs(const std::string& path) {
    std::error_code error;
    if (performing_ || UIAlertView::visibleAlert()) {
        return;
    }
    if (!std::filesystem::is_regular_file(path, error)) {
        run(UIActivityTypeSaveToFile, {path, false});
        return;
    }
    const std::string name = std::filesystem::path(path).filename().string();
    auto question = std::make_shared<UIAlertView>(
        UILocalizedString::format("Share_ReplaceQuestion", "Replace \u201c%@\u201d?", {name}),
        UILocalizedString::text("Share_ReplaceMessage",
                                "A file with this name already exists in the folder."),
        std::weak_ptr<UIAlertViewDelegate>{}, UILocalizedString::text("Share_Cancel", "Cancel"),
        std::vector<std::string>{UILocalizedString::text("Share_Replace", "Replace")});
    const std::weak_ptr<UIViewController> weakSelf = weak_from_this();
    question->setClickedHandler([weakSelf, path](int index) {
        const auto self = std::static_pointer_cast<UIActivityViewController>(weakSelf.lock());
        if (self && index > 0 && !self->performing_) {
            self->run(UIActivityTypeSaveToFile, {path, true});
        }
    });
    question->show();
}

void UIActivityViewController::run(const std::string& type,
                                   const ShareActivities::FileTarget& target) {
    performing_ = true;
    busy_->setCenter({view()->bounds().midX(), view()->bounds().midY()});
    view()->bringSubviewToFront(busy_);
    busy_->startAnimating();
    const std::weak_ptr<UIViewController> weakSelf = weak_from_this();
    ShareActivities::perform(
        type, firstPicture(items_),
        [weakSelf, type](const ShareActivities::Outcome& outcome) {
            ShareActivities::announce(outcome);
            if (const auto self =
                    std::static_pointer_cast<UIActivityViewController>(weakSelf.lock())) {
                self->activityFinished(type, outcome);
            }
        },
        target);
}

void UIActivityViewController::activityFinished(const std::string& type,
                                                const ShareActivities::Outcome& outcome) {
    performing_ = false;
    busy_->stopAnimating();
    // The typed path stays for another try.
    if (!outcome.succeeded() && saveAs_ && type == UIActivityTypeSaveToFile) {
        return;
    }
    finish(type, outcome.succeeded(), outcome.error);
}

void UIActivityViewController::finish(const std::string& type, bool completed,
                                      const std::string& error) {
    if (finished_) {
        return;
    }
    finished_ = true;
    close();
    if (completion_) {
        completion_(type, completed, error);
    }
}

void UIActivityViewController::close() {
    if (const auto popover = UIPopoverController::popoverContaining(*this)) {
        popover->dismissPopoverAnimated(true);
    } else if (presentingViewController()) {
        dismissViewControllerAnimated(true);
    }
}
