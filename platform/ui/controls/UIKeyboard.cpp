#include "platform/ui/controls/UIKeyboard.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/foundation/NSNotificationCenter.h"
#include "platform/runtime/Runtime.h"
#include "platform/ui/controls/UIKeyboardView.h"
#include "platform/ui/controls/UIResponder.h"
#include "platform/ui/window/UIWindow.h"

namespace {

struct KeyboardEntry {
    std::weak_ptr<UIWindow> window;
    std::shared_ptr<UIKeyboardView> view;
    bool visible = false;
};

std::optional<bool>& hardwareKeyboardSetting() {
    static std::optional<bool> setting;
    return setting;
}

std::vector<KeyboardEntry>& keyboards() {
    static std::vector<KeyboardEntry> entries;
    return entries;
}

KeyboardEntry* entryFor(const UIWindow& window) {
    auto& entries = keyboards();
    std::erase_if(entries, [](const KeyboardEntry& entry) { return entry.window.expired(); });
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const KeyboardEntry& e) {
        return e.window.lock().get() == &window;
    });
    return found == entries.end() ? nullptr : &*found;
}

double keyboardHeight(const UIWindow& window) {
    const CGSize size = window.bounds().size;
    const bool tablet = std::min(size.width, size.height) >= UIKeyboard::kTabletMinimumSide;
    return tablet ? UIKeyboard::kTabletHeight : UIKeyboard::kPhoneHeight;
}

CGRect hiddenFrame(const UIWindow& window) {
    const CGRect& b = window.bounds();
    return {b.minX(), b.maxY(), b.width(), keyboardHeight(window)};
}

void post(const char* name, const CGRect& begin, const CGRect& end) {
    NSNotificationCenter::defaultCenter().postNotificationName(
        name, nullptr,
        {{UIKeyboardFrameBeginUserInfoKey, begin},
         {UIKeyboardFrameEndUserInfoKey, end},
         {UIKeyboardAnimationDurationUserInfoKey, UIKeyboard::kAnimationDuration},
         {UIKeyboardAnimationCurveUserInfoKey, UIKeyboard::kAnimationCurve}});
}

void slide(UIWindow& window, KeyboardEntry& entry, bool show) {
    const CGRect shown = UIKeyboard::shownFrame(window);
    const CGRect hidden = hiddenFrame(window);
    const CGRect begin = entry.view->frame();
    const CGRect end = show ? shown : hidden;
    entry.visible = show;
    post(show ? UIKeyboardWillShowNotification : UIKeyboardWillHideNotification, begin, end);
    const std::weak_ptr<UIWindow> weakWindow =
        std::static_pointer_cast<UIWindow>(window.shared_from_this());
    UIView::animate(
        UIKeyboard::kAnimationDuration, 0,
        UIViewAnimationOptionBeginFromCurrentState |
            (static_cast<unsigned>(UIKeyboard::kAnimationCurve) << 16),
        [&] { entry.view->setFrame(end); },
        [weakWindow, show, begin, end](bool) {
            const auto window = weakWindow.lock();
            KeyboardEntry* current = window ? entryFor(*window) : nullptr;
            if (current == nullptr || current->visible != show) {
                return;
            }
            if (!show) {
                current->view->removeFromSuperview();
            }
            post(show ? UIKeyboardDidShowNotification : UIKeyboardDidHideNotification, begin, end);
        });
}

}  // namespace

CGRect UIKeyboard::shownFrame(const UIWindow& window) {
    const CGRect& b = window.bounds();
    const double height = keyboardHeight(window);
    return {b.minX(), b.maxY() - height, b.width(), height};
}

bool UIKeyboard::isVisible(const UIWindow& window) {
    const KeyboardEntry* entry = entryFor(window);
    return entry != nullptr && entry->visible;
}

bool UIKeyboard::hardwareKeyboardAttached() {
    return hardwareKeyboardSetting().value_or(!Runtime::isOffscreen());
}

void UIKeyboard::setHardwareKeyboardAttached(std::optional<bool> attached) {
    hardwareKeyboardSetting() = attached;
}

void UIKeyboard::update(UIWindow& window) {
    const UIResponder* responder = UIResponder::firstResponder(window);
    const bool wanted =
        responder != nullptr && responder->needsKeyboard() && !hardwareKeyboardAttached();
    KeyboardEntry* entry = entryFor(window);
    if (wanted) {
        if (entry == nullptr) {
            keyboards().push_back({std::static_pointer_cast<UIWindow>(window.shared_from_this()),
                                   std::make_shared<UIKeyboardView>(hiddenFrame(window))});
            entry = &keyboards().back();
        }
        entry->view->setKeyboardType(responder->keyboardType());
        // Above everything, including what was added to the window since it came up.
        window.addSubview(entry->view);
        window.bringSubviewToFront(entry->view);
    }
    if (entry != nullptr && wanted != entry->visible) {
        slide(window, *entry, wanted);
    }
}
