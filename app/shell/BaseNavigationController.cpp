#include "app/shell/BaseNavigationController.h"

#include "app/shell/ResultViewController.h"
#include "core/ZOZuzazOzaroz.h"
#include "core/ZOZuzazOzarozDiscardQuestion.h"
#include "platform/ui/screens/UIAlertView.h"
#include "platform/ui/screens/UIApplication.h"

BaseNavigationController::BaseNavigationController(std::shared_ptr<UIViewController> root)
    : UINavigationController(std::move(root)) {
    navigationBar()->setTranslucent(true);
    setNavigationBarHidden(true, false);
}

bool BaseNavigationController::handleKeyCommand(const UIKeyPress& key) {
    if ((key.modifiers & UIKeyPress::Control) == 0 || key.text != "q") {
        return false;
    }
    if (mayQuitOrAsk()) {
        UIApplication::sharedApplication().terminate();
    }
    return true;
}

bool BaseNavigationController::mayQuitOrAsk() {
    if (!holdsUnsavedWork(*this)) {
        return true;
    }
    // A second request while the question is up leaves it to be answered.
    if (!UIAlertView::visibleAlert()) {
        ZOZuzazOzarozDiscardQuestion::ask([] { UIApplication::sharedApplication().terminate(); });
    }
    return false;
}

bool BaseNavigationController::holdsUnsavedWork(UIViewController& screen) {
    if (const auto* editor = dynamic_cast<const ZOZuzazOzaroz*>(&screen);
        editor && editor->hasUnsavedWork()) {
        return true;
    }
    if (const auto* result = dynamic_cast<const ResultViewController*>(&screen);
        result && result->hasUnsavedWork()) {
        return true;
    }
    for (const auto& child : screen.childViewControllers()) {
        if (holdsUnsavedWork(*child)) {
            return true;
        }
    }
    const auto& presented = screen.presentedViewController();
    return presented && holdsUnsavedWork(*presented);
}
