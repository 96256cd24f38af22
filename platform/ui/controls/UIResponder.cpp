#include "platform/ui/controls/UIResponder.h"

#include <algorithm>
#include <vector>

#include "platform/ui/controls/UIKeyboard.h"
#include "platform/ui/screens/UIAlertView.h"
#include "platform/ui/screens/UIViewController.h"
#include "platform/ui/window/UIWindow.h"

namespace {

struct FirstResponderEntry {
    std::weak_ptr<UIWindow> window;
    std::weak_ptr<UIView> view;
};

std::vector<FirstResponderEntry>& firstResponders() {
    static std::vector<FirstResponderEntry> entries;
    return entries;
}

FirstResponderEntry* entryFor(const UIWindow& window) {
    auto& entries = firstResponders();
    std::erase_if(entries, [](const FirstResponderEntry& e) {
        return e.window.expired() || e.view.expired();
    });
    const auto found = std::find_if(
        entries.begin(), entries.end(),
        [&](const FirstResponderEntry& e) { return e.window.lock().get() == &window; });
    return found == entries.end() ? nullptr : &*found;
}

}  // namespace

UIResponder::~UIResponder() = default;

UIResponder* UIResponder::firstResponder(const UIWindow& window) {
    const FirstResponderEntry* entry = entryFor(window);
    return entry ? dynamic_cast<UIResponder*>(entry->view.lock().get()) : nullptr;
}

bool UIResponder::isFirstResponder() const {
    const auto window = window_.lock();
    return window && firstResponder(*window) == this;
}

bool UIResponder::becomeFirstResponder() {
    if (isFirstResponder()) {
        return true;
    }
    const auto window = responderView().window();
    if (!canBecomeFirstResponder() || !window) {
        return false;
    }
    if (UIResponder* current = firstResponder(*window); current && !current->resign()) {
        return false;
    }
    installKeyHandler();
    window_ = window;
    firstResponders().push_back({window, responderView().weak_from_this()});
    didBecomeFirstResponder();
    UIKeyboard::update(*window);
    return true;
}

bool UIResponder::resign() {
    const auto window = window_.lock();
    if (!window || firstResponder(*window) != this) {
        return true;
    }
    if (!canResignFirstResponder()) {
        return false;
    }
    std::erase_if(firstResponders(),
                  [&](const FirstResponderEntry& e) { return e.window.lock() == window; });
    didResignFirstResponder();
    return true;
}

bool UIResponder::resignFirstResponder() {
    const auto window = window_.lock();
    if (!resign()) {
        return false;
    }
    if (window) {
        UIKeyboard::update(*window);
    }
    return true;
}

bool UIResponder::endEditing(UIView& view) {
    const auto window = view.window();
    if (!window) {
        return true;
    }
    UIResponder* current = firstResponder(*window);
    if (current == nullptr || !current->responderView().isDescendantOfView(&view)) {
        return true;
    }
    return current->resignFirstResponder();
}

void UIResponder::insertText(const std::string&) {}

void UIResponder::deleteBackward() {}

bool UIResponder::handleKeyPress(const UIKeyPress&) {
    return false;
}

void UIResponder::installKeyHandler() {
    UIWindow::setKeyHandler(&UIResponder::receiveKey);
}

bool UIResponder::receiveKey(UIWindow& window, const UIKeyPress& key) {
    // An alert waits for an answer before anything else: keys it does not use go
    // nowhere.
    if (const auto alert = UIAlertView::visibleAlert()) {
        return !key.released && alert->handleKey(key);
    }
    // Only screens hear releases; text is typed on the presses.
    if (UIResponder* responder = firstResponder(window);
        responder && !key.released && responder->receive(key)) {
        return true;
    }
    return UIViewController::offerKeyCommandFromTop(window.rootViewController().get(), key);
}

bool UIResponder::receive(const UIKeyPress& key) {
    // With Control a letter is a command, not text.
    const bool command = (key.modifiers & UIKeyPress::Control) != 0;
    switch (key.key) {
        case UIKeyPress::Key::Text:
            if (command) {
                return handleKeyPress(key);
            }
            insertText(key.text);
            return true;
        case UIKeyPress::Key::Backspace:
            deleteBackward();
            return true;
        default:
            return handleKeyPress(key);
    }
}
