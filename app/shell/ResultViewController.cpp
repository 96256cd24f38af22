#include "app/shell/ResultViewController.h"

#include "app/shell/VarnCommon.h"
#include "core/ZOZuzazOzaroz.h"
#include "core/ZOZuzazOzarozDiscardQuestion.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/graphics/Transparency.h"
#include "platform/ui/screens/UILocalizedString.h"
#include "platform/ui/screens/UINavigationController.h"
#include "platform/ui/sharing/ShareActivities.h"
#include "platform/ui/view/ContentModeLayout.h"
#include "platform/ui/view/UILabel.h"

namespace {

constexpr double kBarTop = 44;
constexpr double kBarHeight = 52;
constexpr double kBottomBarHeight = 72;
constexpr double kEditWidth = 140;
constexpr double kEditHeight = 44;

}  // namespace

std::weak_ptr<ResultViewController> ResultViewController::weakSelf() {
    return std::static_pointer_cast<ResultViewController>(shared_from_this());
}

void ResultViewController::loadView() {
    UIViewController::loadView();
    const UIViewPtr& root = view();
    root->setBackgroundColor(UIColor::colorWithWhite(0.08, 1));
    const CGRect bounds = root->bounds();

    auto title = std::make_shared<UILabel>(CGRect(100, kBarTop, bounds.width() - 200, kBarHeight));
    title->setText(UILocalizedString::text("Result_Title", "Your picture"));
    title->setFont(UIFont::boldSystemFontOfSize(17));
    title->setTextColor(UIColor::whiteColor());
    title->setTextAlignment(NSTextAlignment::Center);
    title->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    root->addSubview(title);

    backButton_ = makeButton(CGRect(8, kBarTop, 90, kBarHeight),
                             UILocalizedString::text("Result_BackBtnTitle", "Back"),
                             &ResultViewController::back);
    const auto share = makeButton(CGRect(bounds.width() - 98, kBarTop, 90, kBarHeight),
                                  UILocalizedString::text("Result_ShareBtnTitle", "Share"),
                                  &ResultViewController::saveAndShare);
    share->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    shareButton_ = share;
    const auto edit = makeButton(
        CGRect((bounds.width() - kEditWidth) / 2,
               bounds.height() - (kBottomBarHeight + kEditHeight) / 2, kEditWidth, kEditHeight),
        UILocalizedString::text("Result_EditBtnTitle", "Edit"), &ResultViewController::edit);
    edit->setBackgroundColor(UIColor::colorWithWhite(1, 0.15));
    edit->layer().setCornerRadius(kEditHeight / 2);
    edit->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin |
                              UIViewAutoresizingFlexibleRightMargin |
                              UIViewAutoresizingFlexibleTopMargin);
    editButton_ = edit;

    const double top = kBarTop + kBarHeight + 8;
    auto checkerboard = std::make_shared<UIView>();
    checkerboard->setBackgroundColor(Transparency::checkerboard());
    checkerboard->setHidden(true);
    root->addSubview(checkerboard);
    checkerboard_ = checkerboard;
    auto display = std::make_shared<UIImageView>(
        CGRect(0, top, bounds.width(), bounds.height() - top - kBottomBarHeight));
    display->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                 UIViewAutoresizingFlexibleHeight);
    root->addSubview(display);
    imageDisplayView_ = display;

    busySign_ = VarnCommon::addCentredBusySign(*root);
}

std::shared_ptr<UIButton> ResultViewController::makeButton(const CGRect& frame,
                                                           const std::string& title,
                                                           void (ResultViewController::*action)()) {
    auto button = std::make_shared<UIButton>(frame);
    button->setTitle(title, UIControlStateNormal);
    button->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
    button->titleLabel()->setFont(UIFont::systemFontOfSize(17));
    button->addTarget(
        [weak = weakSelf(), action](UIControl&) {
            if (const auto self = weak.lock()) {
                ((*self).*action)();
            }
        },
        UIControlEventTouchUpInside);
    view()->addSubview(button);
    return button;
}

void ResultViewController::setupData() {
    imageDisplayView()->setContentMode(UIViewContentMode::ScaleAspectFit);
    showImage();
}

void ResultViewController::viewDidLayoutSubviews() {
    placeCheckerboard();
}

void ResultViewController::showImage() {
    imageDisplayView()->setImage(image_);
    checkerboardView()->setHidden(true);
    placeCheckerboard();
    if (!image_ || !image_->CGImage()) {
        return;
    }
    DispatchQueue::global().async([weak = weakSelf(), picture = image_] {
        const bool transparent = Transparency::hasTransparentPixels(*picture->CGImage());
        DispatchQueue::main().async([weak, picture, transparent] {
            const auto self = weak.lock();
            if (self && self->image_ == picture) {
                self->checkerboardView()->setHidden(!transparent);
            }
        });
    });
}

void ResultViewController::placeCheckerboard() {
    const auto display = imageDisplayView();
    if (image_ && display) {
        checkerboardView()->setFrame(ContentModeLayout::placement(
            UIViewContentMode::ScaleAspectFit, image_->size(), display->frame()));
    }
}

void ResultViewController::back() {
    if (!hasUnsavedWork()) {
        popToBegin();
        return;
    }
    ZOZuzazOzarozDiscardQuestion::ask([weak = weakSelf()] {
        if (const auto self = weak.lock()) {
            self->popToBegin();
        }
    });
}

void ResultViewController::popToBegin() {
    if (const auto stack = navigationController()) {
        stack->popToRootViewControllerAnimated(true);
    }
}

void ResultViewController::saveAndShare() {
    if (!image_) {
        VarnCommon::showAlertTitle(UILocalizedString::text("Result_NoImage", "Can't creat image"),
                                   UILocalizedString::text("Alert_Error", "Error"));
        return;
    }
    const auto sheet = VarnCommon::shareViaActivityControllerView({image_}, *this);
    sheet->setCompletionHandler(
        [weak = weakSelf()](const std::string&, bool completed, const std::string&) {
            const auto self = weak.lock();
            if (self && completed) {
                self->kept_ = true;
            }
        });
}

void ResultViewController::saveToPhotos() {
    const auto busy = busySign();
    if (!image_ || busy->isAnimating()) {
        return;
    }
    busy->startAnimating();
    ShareActivities::perform(UIActivityTypeSaveToCameraRoll, image_,
                             [weak = weakSelf()](const ShareActivities::Outcome& outcome) {
                                 ShareActivities::announce(outcome);
                                 if (const auto self = weak.lock()) {
                                     self->busySign()->stopAnimating();
                                     self->kept_ = self->kept_ || outcome.succeeded();
                                 }
                             },
                             {});
}

void ResultViewController::edit() {
    if (!image_) {
        return;
    }
    const auto editor = ZOZuzazOzaroz::createWithImageDelegate(image_, weakSelf());
    editor->setOptions(ZOZuzazOzarozOptions::all());
    presentViewController(editor, true);
}

bool ResultViewController::imageEditorDidFinishEdittingWithImage(ZOZuzazOzaroz& editor,
                                                                 const UIImagePtr& image) {
    if (editor.hasUnsavedWork()) {
        image_ = image;
        kept_ = false;
        showImage();
    }
    editor.dismissViewControllerAnimated(true);
    return true;
}

bool ResultViewController::handleKeyCommand(const UIKeyPress& key) {
    // Not while the editor is open over this screen.
    if ((key.modifiers & UIKeyPress::Control) == 0 || key.text != "s" ||
        presentedViewController()) {
        return false;
    }
    saveToPhotos();
    return true;
}
