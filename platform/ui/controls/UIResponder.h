#pragma once

#include <memory>
#include <string>

#include "platform/ui/controls/UIKeyboardType.h"
#include "platform/ui/window/UIKeyPress.h"

class UIView;
class UIWindow;

// The part of a view that takes keyboard input: each window has at most one first
// responder, which receives the window's key presses and typed text; keys it does not
// use go to the window's screens as key commands (UIViewController::handleKeyCommand). A responder
// that needs a keyboard brings up the on-screen keyboard (UIKeyboard) while it is
// first responder.
//
// Views that edit text derive from UIView (or a subclass) and from UIResponder.
// Main thread only.
class UIResponder {
public:
    virtual ~UIResponder();

    // Asked on every attempt (a text input asks its delegate here).
    virtual bool canBecomeFirstResponder() { return false; }
    virtual bool canResignFirstResponder() { return true; }
    // Fails when the responder can't become first, is not in a window, or the
    // current first responder refuses to resign.
    bool becomeFirstResponder();
    bool resignFirstResponder();
    bool isFirstResponder() const;
    // Whether the on-screen keyboard comes up for this responder.
    virtual bool needsKeyboard() const { return false; }
    // Which keys that keyboard shows.
    virtual UIKeyboardType keyboardType() const { return UIKeyboardType::Default; }

    // Typed text and editing keys, sent to the first responder.
    virtual void insertText(const std::string& text);
    virtual void deleteBackward();
    // Keys other than text and backspace; answers whether the key was used.
    virtual bool handleKeyPress(const UIKeyPress& key);

    // The window's first responder, or null.
    static UIResponder* firstResponder(const UIWindow& window);
    // Makes the first responder of view's window resign when it is view or one of its
    // descendants (the platform's endEditing:). Answers whether none is left there.
    static bool endEditing(UIView& view);
    // Makes the windows send their key input to their first responders (again, if
    // something replaced that); becoming first responder installs it too.
    static void installKeyHandler();

protected:
    // The view this responder is.
    virtual UIView& responderView() = 0;
    virtual void didBecomeFirstResponder() {}
    virtual void didResignFirstResponder() {}

private:
    // Sends key to an alert on screen, else the first responder, then to the screens as
    // a key command.
    static bool receiveKey(UIWindow& window, const UIKeyPress& key);
    bool receive(const UIKeyPress& key);
    // Resigns without updating the keyboard (the next responder takes it over).
    bool resign();

    std::weak_ptr<UIWindow> window_;
};
