#pragma once

#include <string>

#include "platform/foundation/Value.h"
#include "platform/ui/screens/UIViewController.h"
#include "platform/ui/sharing/UIActivityViewController.h"
#include "platform/ui/view/UIActivityIndicatorView.h"

// The application's alert, share sheet and busy sign.
class VarnCommon {
public:
    // An alert with the title and message and one "OK" button.
    static void showAlertTitle(const std::string& message, const std::string& title);
    // The share sheet for items, never offering to print: in a popover a quarter of the
    // way down the screen on a tablet, sliding up from the bottom on a phone. Answers
    // the sheet shown.
    static UIActivityViewControllerPtr shareViaActivityControllerView(const ValueArray& items,
                                                                      UIViewController& controller);
    // A large white busy sign added in the middle of root, staying there as root resizes.
    static std::shared_ptr<UIActivityIndicatorView> addCentredBusySign(UIView& root);
};
