#include "platform/ui/screens/UIDevice.h"

#include "platform/ui/window/UIWindow.h"

UIDevice& UIDevice::currentDevice() {
    static UIDevice device;
    return device;
}

CGRect UIDevice::screenBounds() const {
    const CGSize idiomSize =
        idiom_ == UIUserInterfaceIdiom::Pad ? UIWindow::kTabletSize : UIWindow::kPhoneSize;
    return CGRect{{0, 0}, screenSize_.value_or(idiomSize)};
}
