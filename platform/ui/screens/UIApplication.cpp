#include "platform/ui/screens/UIApplication.h"

#include <QtCore/QCoreApplication>

#include "platform/ui/controls/UIResponder.h"
#include "platform/ui/gestures/UITouchDispatcher.h"
#include "platform/ui/window/UIWindow.h"

UIApplication& UIApplication::sharedApplication() {
    static UIApplication application;
    return application;
}

UIApplication::UIApplication() {
    UITouchDispatcher::install();
    UIResponder::installKeyHandler();
}

std::shared_ptr<UIWindow> UIApplication::keyWindow() const {
    return UIWindow::keyWindow();
}

CGRect UIApplication::statusBarFrame() const {
    const auto window = keyWindow();
    return {0, 0, window ? window->bounds().width() : 0, statusBarHeight_};
}

void UIApplication::terminate() {
    if (terminationHandler_) {
        terminationHandler_();
    } else {
        QCoreApplication::quit();
    }
}
