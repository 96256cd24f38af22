#pragma once

#include <functional>
#include <memory>

#include "platform/geometry/CGRect.h"

class UIWindow;

// The running application as the screens see it: its key window, and the status
// bar's frame across the top of it. A desktop window has no status bar, so its height
// is a setting, 0 unless a test lays screens out as a phone would.
// Making it installs the touch dispatcher and the key handling for every window.
class UIApplication {
public:
    static UIApplication& sharedApplication();

    std::shared_ptr<UIWindow> keyWindow() const;
    CGRect statusBarFrame() const;
    void setStatusBarHeight(double height) { statusBarHeight_ = height; }

    // Ends the program: its event loop stops once the current event is handled. The
    // handler, when set, runs instead (tests watch for the end with it).
    void terminate();
    void setTerminationHandler(std::function<void()> handler) {
        terminationHandler_ = std::move(handler);
    }

private:
    UIApplication();

    double statusBarHeight_ = 0;
    std::function<void()> terminationHandler_;
};
