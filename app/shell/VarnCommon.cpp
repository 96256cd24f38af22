#include "app/shell/VarnCommon.h"

#include "platform/ui/screens/UIAlertView.h"
#include "platform/ui/screens/UIApplication.h"
#include "platform/ui/screens/UIDevice.h"
#include "platform/ui/screens/UILocalizedString.h"
#include "platform/ui/sharing/UIActivityTypes.h"
#include "platform/ui/sharing/UIActivityViewController.h"
#include "platform/ui/sharing/UIPopoverController.h"
#include "platform/ui/window/UIWindow.h"

void VarnCommon::showAlertTitle(const std::string& message, const std::string& title) {
    auto alert = std::make_shared<UIAlertView>(title, message, std::weak_ptr<UIAlertViewDelegate>(),
                                               UILocalizedString::text("Alert_OK", "OK"));
    alert->show();
}

UIActivityViewControllerPtr VarnCommon::shareViaActivityControllerView(
    const ValueArray& items, UIViewController& controller) {
    auto sheet = std::make_shared<UIActivityViewController>(items);
    sheet->setExcludedActivityTypes({UIActivityTypePrint});
    if (UIDevice::currentDevice().userInterfaceIdiom() != UIUserInterfaceIdiom::Phone) {
        // A shown popover keeps itself alive until it closes.
        const CGRect screen = UIDevice::currentDevice().screenBounds();
        std::make_shared<UIPopoverController>(sheet)
            ->presentPopoverFromRectInViewPermittedArrowDirectionsAnimated(
                CGRect(screen.width() / 2, screen.height() / 4, 0, 0), controller.view(),
                UIPopoverArrowDirectionAny, true);
        return sheet;
    }
    const auto window = UIApplication::sharedApplication().keyWindow();
    if (window && window->rootViewController()) {
        window->rootViewController()->presentViewController(sheet, true, [] {});
    }
    return sheet;
}

std::shared_ptr<UIActivityIndicatorView> VarnCommon::addCentredBusySign(UIView& root) {
    auto busy = std::make_shared<UIActivityIndicatorView>(UIActivityIndicatorViewStyle::WhiteLarge);
    const CGRect bounds = root.bounds();
    busy->setCenter(CGPoint{bounds.midX(), bounds.midY()});
    busy->setAutoresizingMask(
        UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin |
        UIViewAutoresizingFlexibleTopMargin | UIViewAutoresizingFlexibleBottomMargin);
    root.addSubview(busy);
    return busy;
}
