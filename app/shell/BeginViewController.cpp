#include "app/shell/BeginViewController.h"
#include "app/shell/VarnCommon.h"

#include <cstring>

#include "app/actionsheet/UICustomActionSheet.h"
#include "app/shell/ResultViewController.h"
#include "app/translucent/KRTranslucentView.h"
#include "core/ZOZuzazOzaroz.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/foundation/NSBundle.h"
#include "platform/graphics/ImageEncoder.h"
#include "platform/ui/picker/PictureFile.h"
#include "platform/ui/screens/UIAlertView.h"
#include "platform/ui/screens/UILocalizedString.h"
#include "platform/ui/screens/UINavigationController.h"
#include "platform/ui/view/UILabel.h"

namespace {

constexpr double kPanelHeight = 150;
constexpr double kButtonWidth = 220;
constexpr double kButtonHeight = 54;
constexpr double kMargin = 24;

std::shared_ptr<UILabel> makeLabel(const CGRect& frame, const std::string& text, const UIFont& font,
                                   double alpha) {
    auto label = std::make_shared<UILabel>(frame);
    label->setText(text);
    label->setFont(font);
    label->setTextColor(UIColor::whiteColor().colorWithAlphaComponent(alpha));
    label->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    return label;
}

// True when the bitmaps hold the same pixels in the same layout (RGB32's unused alpha
// byte aside), which is when they encode alike.
bool haveSamePixels(const CGImage& first, const CGImage& second) {
    if (&first == &second) {
        return true;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(first.width()) * first.bytesPerPixel();
    const bool ignoresAlpha = first.format() == CGPixelFormat::RGB32;
    for (int y = 0; y < first.height(); ++y) {
        const std::uint8_t* a = first.row(y);
        const std::uint8_t* b = second.row(y);
        if (!ignoresAlpha) {
            if (std::memcmp(a, b, rowBytes) != 0) {
                return false;
            }
            continue;
        }
        for (std::size_t i = 0; i < rowBytes; i += 4) {
            if (std::memcmp(a + i, b + i, 3) != 0) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

bool BeginViewController::firstimageIsEqualTo(const UIImagePtr& first, const UIImagePtr& second) {
    if (!first || !second) {
        return false;
    }
    // Pictures of different sizes or scales never encode alike; this spares the screen
    // a PNG encoding of a whole photo, which takes seconds.
    if (first->size() != second->size() || first->scale() != second->scale()) {
        return false;
    }
    // Alike bitmaps in alike orientations encode alike: comparing their pixels spares the
    // main thread two PNG encodings.
    const CGImage& firstBitmap = *first->CGImage();
    const CGImage& secondBitmap = *second->CGImage();
    if (first->imageOrientation() == second->imageOrientation() &&
        firstBitmap.format() == secondBitmap.format()) {
        return haveSamePixels(firstBitmap, secondBitmap);
    }
    const std::vector<std::uint8_t> firstBytes = ImageEncoder::encodePNG(*first);
    return !firstBytes.empty() && firstBytes == ImageEncoder::encodePNG(*second);
}

UIImagePtr BeginViewController::placeholderImage() {
    if (!placeholder_) {
        placeholder_ = UIImage::imageWithContentsOfFile(NSBundle::mainBundle()->bundlePath() + "/" +
                                                        kPlaceholderName);
    }
    return placeholder_;
}

std::weak_ptr<BeginViewController> BeginViewController::weakSelf() {
    return std::static_pointer_cast<BeginViewController>(shared_from_this());
}

// The screen: the photo filling it, a title over its top, and a translucent panel
// along the bottom holding the "New" button (and the share button, hidden here).
void BeginViewController::loadView() {
    UIViewController::loadView();
    const UIViewPtr& root = view();
    root->setBackgroundColor(UIColor::blackColor());
    const CGRect bounds = root->bounds();

    auto photo = std::make_shared<UIImageView>(bounds);
    photo->setContentMode(UIViewContentMode::ScaleAspectFill);
    photo->setClipsToBounds(true);
    photo->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    photo->setImage(placeholderImage());
    root->addSubview(photo);
    imageView_ = photo;

    root->addSubview(makeLabel(CGRect(kMargin, 64, bounds.width() - 2 * kMargin, 42),
                               UILocalizedString::text("App_Title", "Photo Editor"),
                               UIFont::boldSystemFontOfSize(34), 1.0));
    root->addSubview(
        makeLabel(CGRect(kMargin, 108, bounds.width() - 2 * kMargin, 24),
                  UILocalizedString::text("Begin_Tagline", "Pick a photo and make it yours"),
                  UIFont::systemFontOfSize(17), 0.85));

    auto panel = std::make_shared<KRTranslucentView>(
        CGRect(0, bounds.height() - kPanelHeight, bounds.width(), kPanelHeight));
    panel->setTranslucentStyle(UIBarStyle::Black);
    panel->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                               UIViewAutoresizingFlexibleTopMargin);
    root->addSubview(panel);
    blurView_ = panel;

    auto button = std::make_shared<UIButton>(CGRect((bounds.width() - kButtonWidth) / 2,
                                                    (kPanelHeight - kButtonHeight) / 2 - 8,
                                                    kButtonWidth, kButtonHeight));
    button->setBackgroundColor(UIColor::whiteColor());
    button->setTitleColor(UIColor::blackColor(), UIControlStateNormal);
    button->titleLabel()->setFont(UIFont::boldSystemFontOfSize(20));
    button->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin |
                                UIViewAutoresizingFlexibleRightMargin);
    const auto weak = weakSelf();
    button->addTarget(
        [weak](UIControl&) {
            if (const auto self = weak.lock()) {
                self->chooseImage();
            }
        },
        UIControlEventTouchUpInside);
    panel->addSubview(button);
    chooseImageButton_ = button;

    auto share = std::make_shared<UIButton>(CGRect(bounds.width() - 90, 64, 70, 36));
    share->setTitle(UILocalizedString::text("Begin_ShareBtnTitle", "Share"), UIControlStateNormal);
    share->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    root->addSubview(share);
    saveAndShare_ = share;

    busySign_ = VarnCommon::addCentredBusySign(*root);
}

void BeginViewController::setupUI() {
    saveAndShare()->setHidden(true);
    const auto button = chooseImageButton();
    button->setTitle(UILocalizedString::text("Begin_NewBtnTitle", "New"), UIControlStateNormal);
    button->titleLabel()->setTextAlignment(NSTextAlignment::Center);
    button->layer().setCornerRadius(button->frame().size.height / 2);
    button->layer().setMasksToBounds(true);
}

void BeginViewController::chooseImage() {
    const UIImagePtr shown = imageView()->image();
    if (firstimageIsEqualTo(shown, placeholderImage())) {
        presentUICustomActionSheet();
        return;
    }
    editImage(shown);
}

void BeginViewController::editImage(const UIImagePtr& picture) {
    loadViewIfNeeded();
    sourceMetadata_ = picture ? picture->metadata() : nullptr;
    const auto editor = ZOZuzazOzaroz::createWithImageDelegate(picture, weakSelf());
    editor->setOptions(ZOZuzazOzarozOptions::all());
    presentViewController(editor, true);
}

void BeginViewController::editImageAtPath(const std::string& path,
                                          std::function<void(bool opened)> done) {
    loadViewIfNeeded();
    busySign()->startAnimating();
    chooseImageButton()->setEnabled(false);
    const auto weak = weakSelf();
    DispatchQueue::global().async([path, weak, done = std::move(done)] {
        PictureFile::Opened opened = PictureFile::open(path);
        DispatchQueue::main().async([weak, opened = std::move(opened), done] {
            const auto self = weak.lock();
            if (self) {
                self->busySign()->stopAnimating();
                self->chooseImageButton()->setEnabled(true);
                if (opened.picture) {
                    self->editImage(opened.picture);
                } else {
                    std::make_shared<UIAlertView>(
                        UILocalizedString::text("Begin_CantOpenTitle", "Can't open the picture"),
                        opened.failure, std::weak_ptr<UIAlertViewDelegate>{},
                        UILocalizedString::text("Alert_OK", "OK"))
                        ->show();
                }
            }
            if (done) {
                done(self && opened.picture);
            }
        });
    });
}

bool BeginViewController::openDroppedFile(const std::string& path) {
    const auto stack = navigationController();
    const bool shown = !stack || stack->topViewController().get() == this;
    if (!shown || presentedViewController() || busySign()->isAnimating() || actionSheet()) {
        return false;
    }
    editImageAtPath(path, nullptr);
    return true;
}

std::shared_ptr<UICustomActionSheet> BeginViewController::actionSheet() const {
    const auto sheet = sheet_.lock();
    return sheet && sheet->superview() ? sheet : nullptr;
}

bool BeginViewController::handleKeyCommand(const UIKeyPress& key) {
    const auto sheet = actionSheet();
    if (key.key != UIKeyPress::Key::Escape || !sheet) {
        return false;
    }
    sheet->hideAlert();
    return true;
}

void BeginViewController::presentUICustomActionSheet() {
    const auto sheet = UICustomActionSheet::create(
        UILocalizedString::text("Begin_SheetTitle", "Pick a picture"), weakSelf(),
        {UILocalizedString::text("Begin_SheetCancel", "Cancel"),
         UILocalizedString::text("Begin_SheetPhotoLibrary", "Photo Library"),
         UILocalizedString::text("Begin_SheetCamera", "Camera")});
    sheet->setButtonColors({UIColor::redColor()});
    sheet->setBackgroundColor(UIColor::clearColor());
    sheet->showInView(view());
    sheet_ = sheet;
}

void BeginViewController::customActionSheetClickedButtonAtIndex(UICustomActionSheet&,
                                                                std::size_t index) {
    using Source = UIImagePickerControllerSourceType;
    if (index == 0 || !UIImagePickerController::isSourceTypeAvailable(Source::PhotoLibrary)) {
        return;
    }
    const bool camera =
        index == 2 && UIImagePickerController::isSourceTypeAvailable(Source::Camera);
    auto picker = std::make_shared<UIImagePickerController>();
    picker->setAllowsEditing(false);
    picker->setSourceType(camera ? Source::Camera : Source::PhotoLibrary);
    picker->setDelegate(weakSelf());
    presentViewController(picker, true);
}

bool BeginViewController::imagePickerControllerDidFinishPickingMediaWithInfo(
    UIImagePickerController& picker, const ValueDictionary& info) {
    const auto picked = info.find(UIImagePickerControllerOriginalImage);
    const UIImagePtr image = picked == info.end() ? nullptr : picked->second.imageValue();
    sourceMetadata_ = image ? image->metadata() : nullptr;
    const auto editor = ZOZuzazOzaroz::createWithImage(image);
    editor->setOptions(ZOZuzazOzarozOptions::all());
    editor->setDelegate(weakSelf());
    picker.pushViewController(editor, true);
    return true;
}

bool BeginViewController::imageEditorDidFinishEdittingWithImage(ZOZuzazOzaroz& editor,
                                                                const UIImagePtr& image) {
    const auto weak = weakSelf();
    // The tools make new pictures: the result takes the photo's metadata back, so a save
    // keeps its date, camera and credits.
    const UIImagePtr described = image && sourceMetadata_ && !image->metadata()
                                     ? image->imageWithMetadata(sourceMetadata_)
                                     : image;
    editor.dismissViewControllerAnimated(true, [weak, described] {
        const auto self = weak.lock();
        if (!self || !self->navigationController()) {
            return;
        }
        auto result = std::make_shared<ResultViewController>();
        result->setImage(described);
        self->navigationController()->pushViewController(result, true);
    });
    return true;
}

void BeginViewController::imageEditorWillDismissWithImageViewCanceled(ZOZuzazOzaroz&,
                                                                      const UIImageViewPtr&, bool) {
    chooseImageButton()->setTitle(UILocalizedString::text("Begin_EditBtnTitle", "Edit"),
                                  UIControlStateNormal);
}
