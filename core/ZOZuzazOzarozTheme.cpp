#include "core/ZOZuzazOzarozTheme.h"

#include <filesystem>

#include "core/CLToolbarMenuItem.h"
#include "imaging/operations/UIImageUtility.h"
#include "platform/ui/view/UIActivityIndicatorView.h"

namespace {

constexpr double kIndicatorSide = 80;
constexpr double kIndicatorAlpha = 0.6;
constexpr double kIndicatorCornerRadius = 5;
constexpr double kMenuFontSize = 10;

}  // namespace

ZOZuzazOzarozTheme::ZOZuzazOzarozTheme()
    : toolbarTextFont_(UIFont::systemFontOfSize(kMenuFontSize)) {}

ZOZuzazOzarozTheme& ZOZuzazOzarozTheme::theme() {
    static std::once_flag once;
    static ZOZuzazOzarozTheme* shared = nullptr;
    // Never destroyed: work still running while the process exits may read it.
    std::call_once(once, [] { shared = new ZOZuzazOzarozTheme(); });
    return *shared;
}

std::string ZOZuzazOzarozTheme::bundlePath() const {
    const std::string inMainBundle = NSBundle::mainBundle()->pathForResource(bundleName_, "bundle");
    if (!inMainBundle.empty()) {
        return inMainBundle;
    }
    const auto programFolder =
        std::filesystem::path(NSBundle::defaultMainBundlePath()).parent_path().string();
    const auto besideProgram = NSBundle::bundleWithPath(programFolder);
    return besideProgram ? besideProgram->pathForResource(bundleName_, "bundle") : std::string();
}

std::shared_ptr<NSBundle> ZOZuzazOzarozTheme::bundle() const {
    const std::string path = bundlePath();
    const std::lock_guard lock(bundleMutex_);
    if (path.empty()) {
        return nullptr;
    }
    if (!bundle_ || bundle_->bundlePath() != path) {
        bundle_ = NSBundle::bundleWithPath(path);
    }
    return bundle_;
}

UIImagePtr ZOZuzazOzarozTheme::imageNamedImage(const std::string& toolClassName,
                                               const std::string& fileName) {
    const auto& shared = theme();
    const auto resources = shared.bundle();
    if (!resources) {
        return nullptr;
    }
    return UIImageUtility::fastImageWithContentsOfFile(resources->bundlePath() + "/" +
                                                       toolClassName + "/" +
                                                       shared.toolIconColor() + "/" + fileName);
}

std::string ZOZuzazOzarozTheme::localizedStringWithDefault(const std::string& key,
                                                           const std::string& defaultValue) {
    const std::string own = NSBundle::mainBundle()->localizedStringForKey(key, "");
    if (own != key) {
        return own;
    }
    const auto resources = theme().bundle();
    if (!resources) {
        return defaultValue.empty() ? key : defaultValue;
    }
    return resources->localizedStringForKey(key, defaultValue);
}

UIViewPtr ZOZuzazOzarozTheme::indicatorView() {
    if (const auto delegate = theme().delegate()) {
        if (auto supplied = delegate->imageEditorThemeActivityIndicatorView()) {
            return *supplied;
        }
    }
    auto indicator =
        std::make_shared<UIActivityIndicatorView>(CGRect{0, 0, kIndicatorSide, kIndicatorSide});
    indicator->setBackgroundColor(UIColor::blackColor().colorWithAlphaComponent(kIndicatorAlpha));
    indicator->layer().setCornerRadius(kIndicatorCornerRadius);
    indicator->setActivityIndicatorViewStyle(UIActivityIndicatorViewStyle::WhiteLarge);
    return indicator;
}

std::shared_ptr<CLToolbarMenuItem> ZOZuzazOzarozTheme::menuItemWithFrameTargetActionToolInfo(
    const CGRect& frame, UIGestureRecognizer::Action action, CLImageToolInfoPtr toolInfo) {
    return std::make_shared<CLToolbarMenuItem>(frame, std::move(action), std::move(toolInfo));
}
