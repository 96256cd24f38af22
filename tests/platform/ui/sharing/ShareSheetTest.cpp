#include <gtest/gtest.h>

#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <cstring>
#include <fstream>

#include "platform/codecs/PictureMetadata.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/graphics/ImageDecoder.h"
#include "platform/graphics/ImageEncoder.h"
#include "platform/runtime/Runtime.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/controls/UIKeyboard.h"
#include "platform/ui/picker/PhotoLibrary.h"
#include "platform/ui/screens/UIAlertView.h"
#include "platform/ui/screens/UIDevice.h"
#include "platform/ui/screens/UIToast.h"
#include "platform/ui/sharing/ShareActivities.h"
#include "platform/ui/sharing/UIActivityViewController.h"
#include "platform/ui/sharing/UIPopoverController.h"
#include "platform/ui/view/UILabel.h"
#include "platform/ui/window/UIWindow.h"
#include "tests/platform/codecs/CodecTestFiles.h"
#include "tests/platform/ui/gestures/TouchScript.h"
#include "tests/platform/ui/picker/PhotoLibraryGuard.h"
#include "tests/platform/ui/picker/PictureFolder.h"

namespace {

void runClockAndQueues() {
    AnimationClock::shared().runToEnd();
    drainMainQueueAndWaitForPool();
    AnimationClock::shared().runToEnd();
}

struct Outcome {
    int calls = 0;
    std::string type;
    bool completed = false;
    std::string error;
};

std::shared_ptr<UIWindow> deviceWindow(UIUserInterfaceIdiom idiom) {
    UIDevice::currentDevice().setUserInterfaceIdiom(idiom);
    return std::make_shared<UIWindow>(UIDevice::currentDevice().screenBounds());
}

// A window of the device's screen size with a screen that shares a picture.
struct ShareScene {
    explicit ShareScene(UIUserInterfaceIdiom idiom = UIUserInterfaceIdiom::Phone)
        : window(deviceWindow(idiom)), touches(window) {
        AnimationClock::shared().setManualStepping(true);
        window->makeKeyWindow();
        window->setRootViewController(host);
        sheet->setExcludedActivityTypes({UIActivityTypePrint});
        sheet->setCompletionHandler(
            [outcome = outcome](const std::string& type, bool completed, const std::string& error) {
                ++outcome->calls;
                outcome->type = type;
                outcome->completed = completed;
                outcome->error = error;
            });
    }
    ~ShareScene() {
        if (const auto alert = UIAlertView::visibleAlert()) {
            alert->dismissWithClickedButtonIndex(0, false);
        }
        settle();
        UIDevice::currentDevice().setUserInterfaceIdiom(UIUserInterfaceIdiom::Phone);
    }

    // As the window's display pass does, so frames and hit tests see the layout.
    void settle() {
        runClockAndQueues();
        window->layoutIfNeeded();
    }
    void tap(const UIView& view) { touches.tap(view); }
    void presentModally() {
        host->presentViewController(sheet, true);
        settle();
    }
    std::shared_ptr<SaveAsPanel> openSaveAs() {
        presentModally();
        tap(*sheet->buttonForActivityType(UIActivityTypeSaveToFile));
        settle();
        return sheet->saveAsPanel();
    }

    UIImagePtr picture = viewtest::quadrantPicture(60, 40);
    std::shared_ptr<UIWindow> window;
    UIViewControllerPtr host = std::make_shared<UIViewController>();
    UIActivityViewControllerPtr sheet =
        std::make_shared<UIActivityViewController>(ValueArray{Value("caption"), Value(picture)});
    std::shared_ptr<Outcome> outcome = std::make_shared<Outcome>();
    TouchScript touches;
};

TEST(ShareSheet, NeverOffersPrintingAndLeavesOutExcludedTypes) {
    const auto sheet = std::make_shared<UIActivityViewController>(ValueArray{});
    std::vector<std::string> types = sheet->activityTypes();
    EXPECT_EQ(std::count(types.begin(), types.end(), UIActivityTypePrint), 0);
    EXPECT_EQ(std::count(types.begin(), types.end(), UIActivityTypeSaveToCameraRoll), 1);
    EXPECT_EQ(std::count(types.begin(), types.end(), UIActivityTypeSaveToFile), 1);
    EXPECT_EQ(std::count(types.begin(), types.end(), UIActivityTypeOpenInAnotherApp),
              Runtime::isOffscreen() ? 0 : 1)
        << "no other program to open the picture in without a desktop session";

    sheet->setExcludedActivityTypes({UIActivityTypeCopyToPasteboard, UIActivityTypeMail});
    types = sheet->activityTypes();
    EXPECT_EQ(std::count(types.begin(), types.end(), UIActivityTypeCopyToPasteboard), 0);
    EXPECT_EQ(sheet->buttonForActivityType(UIActivityTypeCopyToPasteboard), nullptr);
    ASSERT_NE(sheet->buttonForActivityType(UIActivityTypeSaveToCameraRoll), nullptr);
    EXPECT_EQ(sheet->buttonForActivityType(UIActivityTypeSaveToCameraRoll)->currentTitle(),
              "Save to Photos");
    EXPECT_EQ(sheet->cancelButton()->currentTitle(), "Cancel");
}

TEST(ShareSheet, OnAPhoneItSlidesUpFromTheBottomAndCancelClosesIt) {
    ShareScene scene;
    EXPECT_EQ(scene.window->bounds().size, UIWindow::kPhoneSize);
    scene.host->presentViewController(scene.sheet, true);
    const CGRect screen = scene.window->bounds();
    EXPECT_EQ(scene.sheet->view()->presentationCenter().y, screen.midY() + screen.height())
        << "starts below the screen";
    scene.settle();
    EXPECT_EQ(scene.sheet->view()->frame(), screen);
    const auto cancel = scene.sheet->cancelButton();
    const CGRect cancelInWindow = cancel->convertRectToView(cancel->bounds(), scene.window.get());
    EXPECT_NEAR(cancelInWindow.maxY(), screen.maxY() - UIActivityViewController::kMargin, 0.5)
        << "the list sits at the bottom";

    scene.tap(*cancel);
    scene.settle();
    EXPECT_EQ(scene.host->presentedViewController(), nullptr);
    EXPECT_EQ(scene.outcome->calls, 1);
    EXPECT_EQ(scene.outcome->type, "");
    EXPECT_FALSE(scene.outcome->completed);
}

TEST(ShareSheet, OnATabletItHangsInAPopoverAtTheAnchorThatKeepsItselfAlive) {
    ShareScene scene(UIUserInterfaceIdiom::Pad);
    const CGRect screen = UIDevice::currentDevice().screenBounds();
    EXPECT_EQ(screen.size, UIWindow::kTabletSize);
    const CGRect anchor{screen.width() / 2, screen.height() / 4, 0, 0};
    std::weak_ptr<UIPopoverController> weakPopover;
    {
        auto popover = std::make_shared<UIPopoverController>(scene.sheet);
        popover->presentPopoverFromRectInViewPermittedArrowDirectionsAnimated(
            anchor, scene.host->view(), UIPopoverArrowDirectionAny, true);
        weakPopover = popover;
    }
    scene.settle();
    const auto popover = weakPopover.lock();
    ASSERT_NE(popover, nullptr) << "a shown popover keeps itself alive";
    ASSERT_TRUE(popover->isPopoverVisible());
    EXPECT_EQ(popover->popoverArrowDirection(), UIPopoverArrowDirectionUp);
    const CGRect box = popover->popoverView()->frame();
    EXPECT_NEAR(box.midX(), anchor.midX(), 0.5);
    EXPECT_NEAR(box.minY(), anchor.maxY() + UIPopoverController::kArrowSize, 0.5);
    EXPECT_EQ(box.width(), UIActivityViewController::kWidth);
    EXPECT_EQ(scene.sheet->view()->frame().size, box.size) << "the sheet fills the popover";
    EXPECT_EQ(UIPopoverController::popoverContaining(*scene.sheet), popover);

    scene.tap(*scene.sheet->buttonForActivityType(UIActivityTypeCopyToPasteboard));
    scene.settle();
    EXPECT_FALSE(popover->isPopoverVisible());
    EXPECT_EQ(UIPopoverController::popoverContaining(*scene.sheet), nullptr);
    EXPECT_EQ(scene.outcome->type, UIActivityTypeCopyToPasteboard);
    EXPECT_TRUE(scene.outcome->completed);
}

TEST(ShareSheet, ATapBesideThePopoverClosesItAsACancel) {
    ShareScene scene(UIUserInterfaceIdiom::Pad);
    auto popover = std::make_shared<UIPopoverController>(scene.sheet);
    popover->presentPopoverFromRectInViewPermittedArrowDirectionsAnimated(
        CGRect{400, 1100, 20, 20}, scene.host->view(), UIPopoverArrowDirectionAny, false);
    EXPECT_EQ(popover->popoverArrowDirection(), UIPopoverArrowDirectionDown)
        << "no room below the anchor";
    EXPECT_LE(popover->popoverView()->frame().maxY(), 1100 - UIPopoverController::kArrowSize + 0.5);
    scene.touches.down(1, {20, 20}).up(1, {20, 20});
    scene.settle();
    EXPECT_FALSE(popover->isPopoverVisible());
    EXPECT_EQ(scene.outcome->calls, 1);
    EXPECT_FALSE(scene.outcome->completed);
}

TEST(ShareSheet, CopyPutsTheUprightPictureOnTheClipboard) {
    ShareScene scene;
    QGuiApplication::clipboard()->clear();
    scene.presentModally();
    scene.tap(*scene.sheet->buttonForActivityType(UIActivityTypeCopyToPasteboard));
    drainMainQueueAndWaitForPool();
    ASSERT_NE(UIToast::visibleToast(), nullptr);
    EXPECT_EQ(UIToast::visibleToast()->text(), "Copied");
    scene.settle();
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.width(), 60);
    EXPECT_EQ(copied.height(), 40);
    EXPECT_EQ(QColor(copied.pixel(5, 5)), QColor(Qt::red));
    EXPECT_EQ(QColor(copied.pixel(55, 35)), QColor(Qt::white));
    EXPECT_EQ(scene.outcome->type, UIActivityTypeCopyToPasteboard);
    EXPECT_TRUE(scene.outcome->completed);
    EXPECT_EQ(scene.host->presentedViewController(), nullptr);
}

TEST(ShareSheet, SaveToPhotosAddsANewFileToTheLibrary) {
    PictureFolder library;
    PhotoLibraryGuard guard(library.path().string());
    ShareScene scene;
    scene.presentModally();
    scene.tap(*scene.sheet->buttonForActivityType(UIActivityTypeSaveToCameraRoll));
    EXPECT_TRUE(scene.sheet->isPerforming());
    scene.settle();
    EXPECT_EQ(scene.outcome->type, UIActivityTypeSaveToCameraRoll);
    EXPECT_TRUE(scene.outcome->completed) << scene.outcome->error;
    const std::vector<std::string> saved = PhotoLibrary::picturePaths();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(ImageDecoder::decodeFile(saved[0])->size(), (CGSize{60, 40}));
}

// The quadrant picture read back from a PNG whose left half is see-through.
UIImagePtr transparentPng(const PictureFolder& folder) {
    const UIImagePtr quadrants = viewtest::quadrantPicture(60, 40);
    const CGImage& opaque = *quadrants->CGImage();
    auto bitmap = CGImage::create(60, 40, CGPixelFormat::ARGB32Premultiplied);
    for (int y = 0; y < 40; ++y) {
        std::memcpy(bitmap->mutableRow(y), opaque.row(y), 4 * 60);
        std::memset(bitmap->mutableRow(y), 0, 4 * 30);
    }
    const std::string path = (folder.path() / "clear.png").string();
    const auto bytes = ImageEncoder::encodePNG(*UIImage::imageWithCGImage(std::move(bitmap)));
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return ImageDecoder::decodeFile(path);
}

TEST(ShareSheet, APictureWithTransparentPixelsIsSavedAndCopiedWithThem) {
    PictureFolder source;
    PictureFolder library;
    PhotoLibraryGuard guard(library.path().string());
    ShareScene scene;
    scene.sheet =
        std::make_shared<UIActivityViewController>(ValueArray{Value(transparentPng(source))});
    scene.sheet->setCompletionHandler(
        [outcome = scene.outcome](const std::string&, bool completed, const std::string& error) {
            outcome->completed = completed;
            outcome->error = error;
        });
    scene.presentModally();
    scene.tap(*scene.sheet->buttonForActivityType(UIActivityTypeSaveToCameraRoll));
    scene.settle();
    ASSERT_TRUE(scene.outcome->completed) << scene.outcome->error;
    const std::vector<std::string> saved = PhotoLibrary::picturePaths();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_TRUE(saved[0].ends_with(".png")) << saved[0];
    const QImage written(QString::fromStdString(saved[0]));
    EXPECT_EQ(qAlpha(written.pixel(5, 5)), 0);
    EXPECT_EQ(written.pixel(55, 35), QColor(Qt::white).rgba());

    const UIImagePtr clear = transparentPng(source);
    EXPECT_TRUE(ShareActivities::defaultSavePath(*clear).ends_with(".png"));
    EXPECT_TRUE(ShareActivities::defaultSavePath(*scene.picture).ends_with(".jpg"));
    bool copied = false;
    ShareActivities::perform(
        UIActivityTypeCopyToPasteboard, clear,
        [&](const ShareActivities::Outcome& outcome) { copied = outcome.succeeded(); }, {});
    scene.settle();
    ASSERT_TRUE(copied);
    EXPECT_EQ(qAlpha(QGuiApplication::clipboard()->image().pixel(5, 5)), 0);
}

TEST(ShareSheet, AFailedActivityShowsAnAlertAndReportsTheFailure) {
    PictureFolder folder;
    const std::string blocker = folder.addText("blocker", 0);
    PhotoLibraryGuard guard((std::filesystem::path(blocker) / "photos").string());
    ShareScene scene;
    scene.presentModally();
    scene.tap(*scene.sheet->buttonForActivityType(UIActivityTypeSaveToCameraRoll));
    scene.settle();
    EXPECT_EQ(scene.outcome->calls, 1);
    EXPECT_FALSE(scene.outcome->completed);
    EXPECT_FALSE(scene.outcome->error.empty());
    const auto alert = UIAlertView::visibleAlert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "Error");
    EXPECT_EQ(alert->message(), scene.outcome->error);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"blocker"});
}

TEST(ShareSheet, SaveAsWritesTheFormatOfTheExtensionAndKeepsThePathOnAnError) {
    PictureFolder folder;
    PhotoLibraryGuard guard(folder.path().string());
    ShareScene scene;
    const auto panel = scene.openSaveAs();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->pathField()->text(), folder.file("Picture.jpg"))
        << "defaults to the photo library's folder";
    for (const std::string& bad : {folder.file("picture.gif"), folder.file("missing/inside.jpg")}) {
        panel->pathField()->setText(bad);
        scene.tap(*panel->saveButton());
        scene.settle();
        const auto alert = UIAlertView::visibleAlert();
        ASSERT_NE(alert, nullptr) << bad;
        EXPECT_EQ(alert->message().back(), '.') << "errors end alike: " << alert->message();
        alert->dismissWithClickedButtonIndex(0, false);
        EXPECT_EQ(scene.sheet->saveAsPanel(), panel) << "still open after " << bad;
        EXPECT_EQ(panel->pathField()->text(), bad) << "the typed path survives";
    }
    EXPECT_EQ(scene.outcome->calls, 0);

    const std::string target = folder.file("result.png");
    panel->pathField()->setText(target);
    scene.tap(*panel->saveButton());
    scene.settle();
    EXPECT_TRUE(scene.outcome->completed) << scene.outcome->error;
    EXPECT_EQ(scene.outcome->type, UIActivityTypeSaveToFile);
    const UIImagePtr saved = ImageDecoder::decodeFile(target);
    ASSERT_NE(saved, nullptr);
    EXPECT_TRUE(viewtest::near(viewtest::pixelAt(*saved, 50, 5), viewtest::kGreen, 0))
        << "PNG keeps the pixels exactly";
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"result.png"});
}

TEST(ShareSheet, SaveAsReplacesAnExistingFileOnlyAfterReplace) {
    PictureFolder folder;
    const std::string target = folder.addText("taken.jpg", 0);
    ShareScene scene;
    const auto panel = scene.openSaveAs();
    panel->pathField()->setText(target);
    // Return in the field saves, as the button does.
    panel->pathField()->sendActionsForControlEvents(UIControlEventEditingDidEndOnExit);
    scene.settle();
    auto question = UIAlertView::visibleAlert();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->title(), "Replace \u201ctaken.jpg\u201d?");
    scene.tap(*question->buttonAtIndex(0));
    scene.settle();
    EXPECT_EQ(ImageDecoder::decodeFile(target), nullptr) << "\"Cancel\" keeps the old file";
    EXPECT_EQ(scene.outcome->calls, 0);

    scene.tap(*panel->saveButton());
    scene.settle();
    question = UIAlertView::visibleAlert();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->buttonTitleAtIndex(1), "Replace");
    scene.tap(*question->buttonAtIndex(1));
    scene.settle();
    EXPECT_TRUE(scene.outcome->completed) << scene.outcome->error;
    ASSERT_NE(ImageDecoder::decodeFile(target), nullptr);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"taken.jpg"});
}

TEST(ShareSheet, AHeldSaveLeavesTheScreenResponsiveAndSaysWhereThePictureWent) {
    PictureFolder library;
    PhotoLibraryGuard guard(library.path().string());
    ShareScene scene;
    scene.presentModally();
    DispatchQueue::global().hold();
    scene.tap(*scene.sheet->buttonForActivityType(UIActivityTypeSaveToCameraRoll));
    bool ran = false;
    DispatchQueue::main().async([&] { ran = true; });
    drainMainQueueAndWaitForPool();
    EXPECT_TRUE(ran) << "the main queue runs while the picture is written";
    EXPECT_TRUE(scene.sheet->busySign()->isAnimating());
    EXPECT_EQ(UIToast::visibleToast(), nullptr);
    DispatchQueue::global().release();
    drainMainQueueAndWaitForPool();
    EXPECT_FALSE(scene.sheet->busySign()->isAnimating());
    const std::vector<std::string> saved = PhotoLibrary::picturePaths();
    ASSERT_EQ(saved.size(), 1u);
    const auto message = UIToast::visibleToast();
    ASSERT_NE(message, nullptr);
    const std::filesystem::path file(saved[0]);
    EXPECT_EQ(message->text(),
              "Saved to " + library.path().filename().string() + "/" + file.filename().string());
    AnimationClock::shared().advance(UIToast::kFadeDuration + UIToast::kShownSeconds - 0.1);
    EXPECT_NE(UIToast::visibleToast(), nullptr) << "shown for two seconds";
    scene.settle();
    EXPECT_EQ(UIToast::visibleToast(), nullptr);
}

TEST(ShareSheet, SaveAsTakesTypingAtOnceWithAnOnScreenKeyboardOnlyWithoutAHardwareOne) {
    for (const bool hardware : {false, true}) {
        UIKeyboard::setHardwareKeyboardAttached(hardware);
        ShareScene scene;
        const auto panel = scene.openSaveAs();
        EXPECT_TRUE(panel->pathField()->isFirstResponder());
        EXPECT_EQ(UIKeyboard::isVisible(*scene.window), !hardware);
    }
    UIKeyboard::setHardwareKeyboardAttached(std::nullopt);
}

TEST(ShareSheet, TheSaveAsStepCanGoBackToTheList) {
    ShareScene scene;
    const auto panel = scene.openSaveAs();
    ASSERT_NE(panel, nullptr);
    scene.tap(*panel->cancelButton());
    scene.settle();
    EXPECT_EQ(scene.sheet->saveAsPanel(), nullptr);
    EXPECT_FALSE(scene.sheet->cancelButton()->superview()->isHidden());
    EXPECT_EQ(scene.outcome->calls, 0) << "still open";
    scene.tap(*scene.sheet->cancelButton());
    scene.settle();
    EXPECT_EQ(scene.outcome->calls, 1);
}

}  // namespace

TEST(ShareSheet, TheActivitiesThatSendAPictureWithoutItsLocationSaySo) {
    const std::vector<std::uint8_t> located = codectest::edited(
        UIImageJPEGRepresentation(
            *UIImage::imageWithCGImage(CGImage::create(8, 8, CGPixelFormat::RGB32)), 0.9),
        [](Exiv2::Image& image) { image.exifData()["Exif.GPSInfo.GPSLatitudeRef"] = "N"; });
    const UIImagePtr picture = ImageDecoder::decodeData(located);
    ASSERT_TRUE(picture && picture->metadata());
    EXPECT_EQ(ShareActivities::captionFor(UIActivityTypeCopyToPasteboard, *picture),
              "Location removed");
    EXPECT_EQ(ShareActivities::captionFor(UIActivityTypeOpenInAnotherApp, *picture),
              "Location removed");
    EXPECT_EQ(ShareActivities::captionFor(UIActivityTypeSaveToCameraRoll, *picture), "");
    EXPECT_EQ(ShareActivities::captionFor(UIActivityTypeSaveToFile, *picture), "");
    ShareActivities::setKeepsPrivateDataWhenSharing(true);
    EXPECT_EQ(ShareActivities::captionFor(UIActivityTypeOpenInAnotherApp, *picture), "");
    ShareActivities::setKeepsPrivateDataWhenSharing(false);
    const UIImagePtr unlocated =
        picture->imageWithMetadata(picture->metadata()->withoutPrivateData());
    EXPECT_EQ(ShareActivities::captionFor(UIActivityTypeCopyToPasteboard, *unlocated), "");

    auto sheet = std::make_shared<UIActivityViewController>(ValueArray{picture});
    const auto labelTexts = [&](const std::string& type) {
        std::vector<std::string> texts;
        for (const UIViewPtr& view : sheet->buttonForActivityType(type)->subviews()) {
            if (const auto label = std::dynamic_pointer_cast<UILabel>(view)) {
                texts.push_back(label->text());
            }
        }
        return texts;
    };
    EXPECT_EQ(labelTexts(UIActivityTypeCopyToPasteboard),
              (std::vector<std::string>{"Copy", "Location removed"}));
    EXPECT_EQ(labelTexts(UIActivityTypeSaveToCameraRoll),
              (std::vector<std::string>{"Save to Photos"}));
}
