#pragma once

#include <memory>
#include <string>

#include "platform/ui/window/UIWindow.h"

class BeginViewController;

// Starts the application: the tool classes, the window, and the root stack with the
// begin screen.
class AppDelegate {
public:
    // Builds the window with the main screen's bounds and shows it; answers true.
    bool applicationDidFinishLaunchingWithOptions();

    const std::shared_ptr<UIWindow>& window() const { return window_; }
    std::shared_ptr<BeginViewController> beginViewController() const;

private:
    std::shared_ptr<UIWindow> window_;
};
