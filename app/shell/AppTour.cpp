#include "app/shell/AppTour.h"

#include <filesystem>
#include <fstream>
#include <set>

#include "app/shell/AppDelegate.h"
#include "app/shell/BeginViewController.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/graphics/ImageEncoder.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/controls/UIScrollView.h"
#include "platform/ui/picker/PhotoLibrary.h"
#include "platform/ui/picker/PhotoLibraryViewController.h"
#include "platform/ui/picker/UIImagePickerController.h"
#include "platform/ui/screens/UILocalizedString.h"
#include "platform/ui/view/UILabel.h"

namespace {

CGPoint centreOf(const CGRect& rect) {
    return {rect.midX(), rect.midY()};
}

bool isShown(const UIView& view) {
    for (const UIView* ancestor = &view; ancestor;
         ancestor = ancestor->superview() ? ancestor->superview().get() : nullptr) {
        if (ancestor->isHidden() || ancestor->alpha() <= 0.01) {
            return false;
        }
    }
    return true;
}

// The last shown label with the text in drawing order: the one on top.
UIViewPtr topmostLabel(const UIViewPtr& root, const std::string& text) {
    UIViewPtr found;
    for (const UIViewPtr& child : root->allSubviews()) {
        if (const auto label = std::dynamic_pointer_cast<UILabel>(child);
            label && label->text() == text && isShown(*label)) {
            found = label;
        }
        if (UIViewPtr inner = topmostLabel(child, text)) {
            found = inner;
        }
    }
    return found;
}

std::shared_ptr<UIScrollView> enclosingScrollView(const UIView& view) {
    for (UIViewPtr ancestor = view.superview(); ancestor; ancestor = ancestor->superview()) {
        if (auto scroll = std::dynamic_pointer_cast<UIScrollView>(ancestor)) {
            return scroll;
        }
    }
    return nullptr;
}

std::set<std::string> filesIn(const std::string& folder) {
    std::set<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        files.insert(entry.path().string());
    }
    return files;
}

}  // namespace

AppTour::AppTour(AppDelegate& app, Tap tap, std::string screenshotFolder, std::ostream& log)
    : app_(app), tap_(std::move(tap)), screenshotFolder_(std::move(screenshotFolder)), log_(log) {}

AppTour::Result AppTour::run() {
    AnimationClock::shared().setManualStepping(true);
    settle();
    if (watch_) {
        watch_("The begin screen");
    }
    screenshot("1-begin");
    const std::set<std::string> before = filesIn(PhotoLibrary::libraryPath());
    struct Step {
        std::string what;
        std::function<bool()> action;
        // The screen to keep afterwards, if any.
        std::string screenshot;
    };
    // The text shown for a key of the string tables.
    const auto tapping = [this](const std::string& key, const std::string& english,
                                std::string screenshot = {}) {
        const std::string text = UILocalizedString::text(key, english);
        return Step{"Tap \"" + text + "\"", [this, text] { return tapText(text); },
                    std::move(screenshot)};
    };
    const std::vector<Step> steps = {
        tapping("Begin_NewBtnTitle", "New", "2-sheet"),
        tapping("Begin_SheetPhotoLibrary", "Photo Library", "3-library"),
        {"Tap the first picture", [this] { return pickFirstPicture(); }, "4-editor"},
        tapping("CLFilterTool_DefaultTitle", "Filter"),
        tapping("CLDefaultSepiaFilter_DefaultTitle", "Sepia", "5-filter"),
        tapping("ZOZuzazOzaroz_OKBtnTitle", "OK"),
        tapping("ZOZuzazOzaroz_DoneBtnTitle", "Done", "6-result"),
        tapping("Result_ShareBtnTitle", "Share", "7-share"),
        tapping("Share_SaveToPhotos", "Save to Photos", "8-saved"),
    };
    Result result;
    for (const Step& each : steps) {
        if (!step(each.what, each.action)) {
            result.failure = failure_;
            return result;
        }
        if (watch_) {
            watch_(each.what);
        }
        if (!each.screenshot.empty()) {
            screenshot(each.screenshot);
        }
    }
    for (const std::string& file : filesIn(PhotoLibrary::libraryPath())) {
        if (!before.contains(file)) {
            result.savedPath = file;
        }
    }
    if (result.savedPath.empty()) {
        result.failure =
            "\"Save to Photos\" wrote no new picture into " + PhotoLibrary::libraryPath();
    }
    return result;
}

void AppTour::settle() {
    for (int round = 0; round < 4; ++round) {
        drainMainQueueAndWaitForPool();
        AnimationClock::shared().runToEnd();
    }
    drainMainQueueAndWaitForPool();
}

bool AppTour::step(const std::string& what, const std::function<bool()>& action) {
    log_ << what << std::endl;
    const bool acted = action();
    settle();
    if (!acted) {
        failure_ = what + ": nothing on screen to tap";
    }
    return acted;
}

bool AppTour::tapText(const std::string& text) {
    const UIViewPtr label = topmostLabel(app_.window(), text);
    return label && tapView(*label);
}

bool AppTour::tapView(const UIView& view) {
    const auto& window = app_.window();
    const CGRect inWindow = view.convertRectToView(view.bounds(), window.get());
    if (!window->bounds().contains(centreOf(inWindow))) {
        if (const auto scroll = enclosingScrollView(view)) {
            scroll->scrollRectToVisible(view.convertRectToView(view.bounds(), scroll.get()), false);
            settle();
        }
    }
    const CGRect visible = view.convertRectToView(view.bounds(), window.get());
    if (!window->bounds().contains(centreOf(visible))) {
        return false;
    }
    tap_(centreOf(visible));
    return true;
}

bool AppTour::pickFirstPicture() {
    const auto begin = app_.beginViewController();
    const auto picker = std::dynamic_pointer_cast<UIImagePickerController>(
        begin ? begin->presentedViewController() : nullptr);
    if (!picker || picker->libraryViewController()->thumbnailViews().empty()) {
        return false;
    }
    return tapView(*picker->libraryViewController()->thumbnailViews().front());
}

void AppTour::screenshot(const std::string& name) {
    const UIImagePtr shot = app_.window()->snapshot();
    const std::string path = screenshotFolder_ + "/" + name + ".png";
    std::filesystem::create_directories(screenshotFolder_);
    const std::vector<std::uint8_t> bytes =
        shot ? ImageEncoder::encodePNG(*shot) : std::vector<std::uint8_t>();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    log_ << "  screenshot: " << path
         << (out.good() && !bytes.empty() ? "" : " (could not be written)") << std::endl;
}
