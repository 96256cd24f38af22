#pragma once

#include <memory>

#include "platform/geometry/CGRect.h"

class UIWindow;

// The running application as the screens see it: its key window, and the status
// bar's frame, which is empty on a desktop (there is no status bar over the window).
// Making it installs the touch dispatcher and the key handling for every window.
class UIApplication {
public:
    static UIApplication& sharedApplication();

    std::shared_ptr<UIWindow> keyWindow() const;
    CGRect statusBarFrame() const;

private:
    UIApplication();
};
