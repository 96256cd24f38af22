#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "core/CLImageToolInfo.h"
#include "core/ZOZuzazOzarozThemeDelegate.h"
#include "platform/foundation/NSBundle.h"
#include "platform/geometry/CGRect.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIFont.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/gestures/UIGestureRecognizer.h"
#include "platform/ui/view/UIView.h"

class CLToolbarMenuItem;

// The editor's look and its resources: colours, the menu font, the resource bundle
// with the tools' icons and string tables, and the colour variant of the icons. There
// is one theme per process, made on first use; its fields can be changed by the host
// before the editor is shown, and otherwise keep the defaults below.
//
// theme() is safe from any thread; everything else belongs to the main thread.
class ZOZuzazOzarozTheme {
public:
    static ZOZuzazOzarozTheme& theme();

    ZOZuzazOzarozTheme(const ZOZuzazOzarozTheme&) = delete;
    ZOZuzazOzarozTheme& operator=(const ZOZuzazOzarozTheme&) = delete;

    // A picture of the resource bundle: "<bundle>/<class name>/<icon colour>/<file>";
    // null when there is no bundle or no such file.
    static UIImagePtr imageNamedImage(const std::string& toolClassName,
                                      const std::string& fileName);
    // The application's own translation of key when it has one, else the resource
    // bundle's, else defaultValue (the key itself when defaultValue is empty).
    static std::string localizedStringWithDefault(const std::string& key,
                                                  const std::string& defaultValue);
    // A new, stopped activity indicator: the delegate's, else an 80-point dark square
    // with a large white spinner.
    static UIViewPtr indicatorView();
    // A new menu item of frame for toolInfo whose taps call action. Callers hold their
    // target weakly in the action, as a tap recogniser does not own its target.
    static std::shared_ptr<CLToolbarMenuItem> menuItemWithFrameTargetActionToolInfo(
        const CGRect& frame, UIGestureRecognizer::Action action, CLImageToolInfoPtr toolInfo);

    // The resource bundle: the resource bundleName of type "bundle" in the application's
    // main bundle, else in the folder of the program; null when neither has it.
    std::shared_ptr<NSBundle> bundle() const;

    std::shared_ptr<ZOZuzazOzarozThemeDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<ZOZuzazOzarozThemeDelegate> delegate) {
        delegate_ = std::move(delegate);
    }
    const std::string& bundleName() const { return bundleName_; }
    void setBundleName(std::string name) { bundleName_ = std::move(name); }
    const UIColor& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const UIColor& color) { backgroundColor_ = color; }
    const UIColor& toolbarColor() const { return toolbarColor_; }
    void setToolbarColor(const UIColor& color) { toolbarColor_ = color; }
    const std::string& toolIconColor() const { return toolIconColor_; }
    void setToolIconColor(std::string folder) { toolIconColor_ = std::move(folder); }
    const UIColor& toolbarTextColor() const { return toolbarTextColor_; }
    void setToolbarTextColor(const UIColor& color) { toolbarTextColor_ = color; }
    const UIColor& toolbarSelectedButtonColor() const { return toolbarSelectedButtonColor_; }
    void setToolbarSelectedButtonColor(const UIColor& color) {
        toolbarSelectedButtonColor_ = color;
    }
    const UIFont& toolbarTextFont() const { return toolbarTextFont_; }
    void setToolbarTextFont(const UIFont& font) { toolbarTextFont_ = font; }
    // The platform's status-bar style; 0 is its default style.
    int statusBarStyle() const { return statusBarStyle_; }
    void setStatusBarStyle(int style) { statusBarStyle_ = style; }

private:
    ZOZuzazOzarozTheme();

    std::string bundlePath() const;

    std::weak_ptr<ZOZuzazOzarozThemeDelegate> delegate_;
    std::string bundleName_ = "ZOZuzazOzaroz";
    UIColor backgroundColor_ = UIColor::whiteColor();
    UIColor toolbarColor_ = UIColor::whiteColor().colorWithAlphaComponent(0.8);
    std::string toolIconColor_ = "black";
    UIColor toolbarTextColor_ = UIColor::blackColor();
    UIColor toolbarSelectedButtonColor_ = UIColor::cyanColor().colorWithAlphaComponent(0.2);
    UIFont toolbarTextFont_;
    int statusBarStyle_ = 0;

    // The bundle last opened, kept so its string tables are read once, and reopened
    // when the lookup finds another folder.
    mutable std::mutex bundleMutex_;
    mutable std::shared_ptr<NSBundle> bundle_;
};
