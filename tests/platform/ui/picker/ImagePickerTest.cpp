#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>

#include "platform/dispatch/DispatchQueue.h"
#include "platform/graphics/UIScreen.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/picker/UIImagePickerController.h"
#include "platform/ui/screens/UIAlertView.h"
#include "platform/ui/window/UIWindow.h"
#include "tests/platform/ui/gestures/TouchScript.h"
#include "tests/platform/ui/picker/PhotoLibraryGuard.h"
#include "tests/platform/ui/picker/PictureFolder.h"

namespace {

void settle() {
    AnimationClock::shared().runToEnd();
    drainMainQueueAndWaitForPool();
    AnimationClock::shared().runToEnd();
}

class PickRecorder : public UIImagePickerControllerDelegate {
public:
    explicit PickRecorder(bool handles) : handles_(handles) {}
    std::vector<ValueDictionary> picks;
    int cancels = 0;

    bool imagePickerControllerDidFinishPickingMediaWithInfo(UIImagePickerController&,
                                                            const ValueDictionary& info) override {
        picks.push_back(info);
        return handles_;
    }
    bool imagePickerControllerDidCancel(UIImagePickerController&) override {
        ++cancels;
        return handles_;
    }

private:
    bool handles_;
};

// A window with a screen that presents the picker over a library folder holding a
// wide picture (newest), a square one, and files that are not pictures between them.
struct PickerScene {
    PictureFolder library;
    std::string wide = library.addPicture("wide.jpg", 160, 90, 10);
    std::string square = library.addPicture("square.jpg", 50, 50, 40);
    PhotoLibraryGuard guard{library.path().string()};
    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>();
    UIViewControllerPtr host = std::make_shared<UIViewController>();
    UIImagePickerControllerPtr picker = std::make_shared<UIImagePickerController>();
    TouchScript touches{window};

    PickerScene() {
        AnimationClock::shared().setManualStepping(true);
        library.addText("notes.jpg", 20);
        library.addTruncatedJpeg("broken.jpg", 30);
        std::filesystem::create_directory(library.file("album.jpg"));
        ::mkfifo(library.file("pipe.jpg").c_str(), 0600);
        window->makeKeyWindow();
        window->setRootViewController(host);
    }
    ~PickerScene() { settle(); }

    void present() {
        host->presentViewController(picker, true);
        settle();
    }
    void tap(const UIView& view) { touches.tap(view); }
};

TEST(ImagePicker, ShowsReadablePicturesNewestFirstAsThumbnailsMadeOffTheMainThread) {
    UIScreen::setScale(2);
    PickerScene scene;
    DispatchQueue::global().hold();
    scene.host->presentViewController(scene.picker, true);
    AnimationClock::shared().runToEnd();
    drainMainQueueAndWaitForPool();
    const auto library = scene.picker->libraryViewController();
    EXPECT_EQ(scene.picker->topViewController(), library);
    EXPECT_EQ(library->title(), "Photos");
    // The screen is up while no thumbnail has been made yet.
    EXPECT_TRUE(scene.picker->view()->window() != nullptr);
    for (const UIImageViewPtr& cell : library->thumbnailViews()) {
        EXPECT_EQ(cell->image(), nullptr);
    }
    DispatchQueue::global().release();
    settle();

    EXPECT_EQ(library->thumbnailPaths(), (std::vector<std::string>{scene.wide, scene.square}));
    const auto cells = library->thumbnailViews();
    ASSERT_EQ(cells.size(), 2u);
    const double side = cells[0]->frame().width();
    EXPECT_NEAR(side, (UIWindow::kPhoneSize.width - 3 * PhotoLibraryViewController::kSpacing) / 4,
                0.01)
        << "four to a row on a phone";
    EXPECT_EQ(cells[0]->frame().height(), side);
    EXPECT_NEAR(cells[1]->frame().minX(), side + PhotoLibraryViewController::kSpacing, 0.01);
    ASSERT_NE(cells[0]->image(), nullptr);
    EXPECT_EQ(cells[0]->image()->scale(), 2);
    EXPECT_NEAR(cells[0]->image()->CGImage()->width(), std::round(side * 2), 1);
    const CGRect inWindow = cells[0]->convertRectToView(cells[0]->bounds(), scene.window.get());
    EXPECT_GE(inWindow.minY(), UINavigationBar::kHeight) << "the first row starts below the bar";
    UIScreen::setScale(1);
}

TEST(ImagePicker, ATappedThumbnailDeliversTheFullPictureOrAnAlertWhenUnreadable) {
    PickerScene scene;
    auto recorder = std::make_shared<PickRecorder>(true);
    scene.picker->setDelegate(recorder);
    scene.present();
    const auto cells = scene.picker->libraryViewController()->thumbnailViews();
    ASSERT_EQ(cells.size(), 2u);

    scene.tap(*cells[0]);
    EXPECT_TRUE(scene.picker->libraryViewController()->isPicking());
    settle();
    ASSERT_EQ(recorder->picks.size(), 1u);
    const UIImagePtr picked =
        recorder->picks[0].at(UIImagePickerControllerOriginalImage).imageValue();
    ASSERT_NE(picked, nullptr);
    EXPECT_EQ(picked->size(), (CGSize{160, 90})) << "the full picture, not the thumbnail";
    EXPECT_EQ(recorder->cancels, 0);
    EXPECT_EQ(scene.host->presentedViewController(), scene.picker)
        << "a delegate that handles the pick keeps the picker";

    // A picture that can no longer be read gives an alert and no pick.
    std::filesystem::resize_file(scene.wide, 100);
    scene.tap(*cells[0]);
    settle();
    EXPECT_EQ(recorder->picks.size(), 1u);
    const auto alert = UIAlertView::visibleAlert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "Error");
    alert->dismissWithClickedButtonIndex(0, false);
    EXPECT_FALSE(scene.picker->libraryViewController()->isPicking());

    // A host pushes its next screen onto the picker's own stack.
    auto next = std::make_shared<UIViewController>();
    scene.picker->pushViewController(next, true);
    settle();
    EXPECT_EQ(scene.picker->topViewController(), next);
}

TEST(ImagePicker, WithoutADelegateThatHandlesThemAPickOrCancelClosesThePicker) {
    PickerScene scene;
    auto recorder = std::make_shared<PickRecorder>(false);
    scene.picker->setDelegate(recorder);
    scene.present();
    scene.tap(*scene.picker->libraryViewController()->thumbnailViews()[1]);
    settle();
    ASSERT_EQ(recorder->picks.size(), 1u);
    EXPECT_EQ(recorder->picks[0].at(UIImagePickerControllerOriginalImage).imageValue()->size(),
              (CGSize{50, 50}));
    EXPECT_EQ(scene.host->presentedViewController(), nullptr);

    scene.present();
    const auto library = scene.picker->libraryViewController();
    const auto cancel = scene.picker->navigationBar()->buttonForItem(
        *library->navigationItem()->rightBarButtonItem());
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->currentTitle(), "Cancel");
    scene.tap(*cancel);
    settle();
    EXPECT_EQ(recorder->cancels, 1);
    EXPECT_EQ(recorder->picks.size(), 1u);
    EXPECT_EQ(scene.host->presentedViewController(), nullptr);
}

TEST(ImagePicker, OnlyTheLibraryIsAvailableAndTheCameraShowsTheLibrary) {
    using Source = UIImagePickerControllerSourceType;
    EXPECT_TRUE(UIImagePickerController::isSourceTypeAvailable(Source::PhotoLibrary));
    EXPECT_FALSE(UIImagePickerController::isSourceTypeAvailable(Source::Camera));

    PickerScene scene;
    scene.picker->setSourceType(Source::Camera);
    scene.present();
    EXPECT_EQ(scene.picker->topViewController(), scene.picker->libraryViewController());
    EXPECT_EQ(scene.picker->libraryViewController()->thumbnailViews().size(), 2u);
}

}  // namespace

TEST(ImagePicker, OpeningTheLibraryRemovesOnlyTheOldLeftoversOfKilledSaves) {
    PickerScene scene;
    const std::string killed = ".IMG_20260101_120000.jpg.1234567-8";
    const std::string saving = ".IMG_20260101_120100.jpg.7654321-9";
    scene.library.addText(killed, 120);
    scene.library.addText(saving, 5);
    scene.library.addText(".settings", 120);
    scene.present();
    const std::vector<std::string> entries = scene.library.entries();
    const auto has = [&](const std::string& name) {
        return std::find(entries.begin(), entries.end(), name) != entries.end();
    };
    EXPECT_FALSE(has(killed));
    EXPECT_TRUE(has(saving)) << "a save in progress keeps its file";
    EXPECT_TRUE(has(".settings")) << "other hidden files are not the saver's";
}

TEST(ImagePicker, SaysWhatItSkippedWhichFolderWasEmptyAndWhenThereIsNothingToShow) {
    {
        PickerScene scene;
        scene.present();
        const auto library = scene.picker->libraryViewController();
        EXPECT_FALSE(library->footerLabel()->isHidden());
        EXPECT_EQ(library->footerLabel()->text(), "2 files couldn't be opened");
        EXPECT_GE(library->footerLabel()->frame().minY(),
                  library->thumbnailViews().back()->frame().maxY())
            << "under the grid";
        EXPECT_TRUE(library->headerLabel()->isHidden());
        EXPECT_TRUE(library->emptyLabel()->isHidden());
    }
    PictureFolder empty;
    PictureFolder samples;
    samples.addPicture("sample.jpg", 40, 30, 0);
    const auto present = [] {
        const auto window = std::make_shared<UIWindow>();
        window->makeKeyWindow();
        const auto host = std::make_shared<UIViewController>();
        window->setRootViewController(host);
        const auto picker = std::make_shared<UIImagePickerController>();
        host->presentViewController(picker, false);
        settle();
        return std::make_pair(window, picker->libraryViewController());
    };
    {
        PhotoLibraryGuard guard(empty.path().string(), samples.path().string());
        const auto [window, library] = present();
        EXPECT_FALSE(library->headerLabel()->isHidden());
        EXPECT_EQ(library->headerLabel()->text(),
                  "No pictures in " + empty.path().string() + ". Here are the sample pictures.");
        ASSERT_EQ(library->thumbnailViews().size(), 1u);
        EXPECT_GE(library->thumbnailViews()[0]->frame().minY(),
                  library->headerLabel()->frame().maxY());
        EXPECT_TRUE(library->emptyLabel()->isHidden());
    }
    {
        PhotoLibraryGuard guard(empty.path().string());
        const auto [window, library] = present();
        EXPECT_FALSE(library->emptyLabel()->isHidden()) << "not an empty white grid";
        EXPECT_EQ(library->emptyLabel()->text(), "No pictures in " + empty.path().string());
        EXPECT_TRUE(library->footerLabel()->isHidden());
    }
}
