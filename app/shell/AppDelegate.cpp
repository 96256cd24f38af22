#include "app/shell/AppDelegate.h"

#include "app/shell/BaseNavigationController.h"
#include "app/shell/BeginViewController.h"
#include "app/shell/HomeViewController.h"
#include "core/ZOZuzazOzarozTheme.h"
#include "platform/ui/screens/UIApplication.h"
#include "platform/ui/screens/UIDevice.h"
#include "platform/ui/screens/UILocalizedString.h"
#include "tools/ToolCatalogue.h"

bool AppDelegate::applicationDidFinishLaunchingWithOptions() {
    ToolCatalogue::registerSharedClasses();
    // Made first: it routes the windows' touches and keys.
    UIApplication::sharedApplication();
    // The platform's sheets speak the user's language from the same string tables.
    UILocalizedString::setLookup(&ZOZuzazOzarozTheme::localizedStringWithDefault);
    window_ = std::make_shared<UIWindow>(UIDevice::currentDevice().screenBounds());
    window_->setTitle(UILocalizedString::text("App_Title", "Photo Editor"));
    // The sticker category screen is made and let go again; nothing leads to it.
    (void)std::make_shared<HomeViewController>();
    auto begin = std::make_shared<BeginViewController>();
    const auto stack = std::make_shared<BaseNavigationController>(begin);
    window_->setRootViewController(stack);
    window_->setCloseRequestHandler([weak = std::weak_ptr<BaseNavigationController>(stack)] {
        const auto root = weak.lock();
        return !root || root->mayQuitOrAsk();
    });
    window_->setFileDropHandler(
        [weak = std::weak_ptr<BeginViewController>(begin)](const std::vector<std::string>& paths) {
            const auto screen = weak.lock();
            return screen && screen->openDroppedFile(paths.front());
        });
    window_->makeKeyAndVisible();
    return true;
}

std::shared_ptr<BeginViewController> AppDelegate::beginViewController() const {
    const auto stack = std::dynamic_pointer_cast<UINavigationController>(
        window_ ? window_->rootViewController() : nullptr);
    return stack && !stack->viewControllers().empty()
               ? std::dynamic_pointer_cast<BeginViewController>(stack->viewControllers().front())
               : nullptr;
}
