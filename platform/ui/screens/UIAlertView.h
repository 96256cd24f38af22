#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/screens/UIAlertViewDelegate.h"
#include "platform/ui/view/UIButton.h"
#include "platform/ui/view/UIView.h"
#include "platform/ui/window/UIKeyPress.h"

class UIWindow;

// A message that waits for the user: a rounded panel with a bold title, the message and
// one or more buttons, centred over a dimmed backdrop that covers the key window and
// keeps touches from the screen below. A tap on a button reports its index (the
// cancel button first, then the others in order) to the delegate and the handler,
// and the alert fades away. A shown alert keeps itself alive until then.
class UIAlertView : public std::enable_shared_from_this<UIAlertView> {
public:
    static constexpr double kFadeDuration = 0.2;
    static constexpr double kPanelWidth = 270;

    // An empty cancel title means no cancel button.
    UIAlertView(std::string title, std::string message, std::weak_ptr<UIAlertViewDelegate> delegate,
                std::string cancelButtonTitle, std::vector<std::string> otherButtonTitles = {});
    ~UIAlertView();

    const std::string& title() const { return title_; }
    const std::string& message() const { return message_; }
    int numberOfButtons() const { return static_cast<int>(buttonTitles_.size()); }
    std::string buttonTitleAtIndex(int index) const;
    // -1 without a cancel button.
    int cancelButtonIndex() const { return hasCancel_ ? 0 : -1; }
    // Also told of the tapped button, after the delegate.
    void setClickedHandler(std::function<void(int buttonIndex)> handler) {
        handler_ = std::move(handler);
    }

    // Shows it in the key window, on top of everything. Does nothing without a key
    // window or when already shown.
    void show();
    bool isVisible() const { return overlay_ != nullptr; }
    // As a tap on the button does.
    void dismissWithClickedButtonIndex(int buttonIndex, bool animated);
    // The button views, for finding where to tap; null when not shown.
    std::shared_ptr<UIButton> buttonAtIndex(int index) const;

    // The keyboard's way to answer, as a tap on a button: Escape the cancel button (the
    // only button when there is no cancel one), Return the last button. Answers whether the key was
    // used.
    bool handleKey(const UIKeyPress& key);

    // The alerts on screen, the last shown last.
    static std::vector<std::shared_ptr<UIAlertView>> visibleAlerts();
    static std::shared_ptr<UIAlertView> visibleAlert();

private:
    UIViewPtr buildPanel(double maxWidth);
    void buttonTapped(int index);

    std::string title_;
    std::string message_;
    std::weak_ptr<UIAlertViewDelegate> delegate_;
    std::vector<std::string> buttonTitles_;
    bool hasCancel_;
    std::function<void(int)> handler_;
    UIViewPtr overlay_;
    std::vector<std::shared_ptr<UIButton>> buttons_;
};

using UIAlertViewPtr = std::shared_ptr<UIAlertView>;
