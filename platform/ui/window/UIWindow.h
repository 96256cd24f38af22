#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/UIImage.h"
#include "platform/ui/view/UIView.h"
#include "platform/ui/window/UIKeyPress.h"

class UIViewController;
class NativeWindow;

// The root of a view tree on the screen. A window is a view: its subviews are the
// root view controller's view, and above it any floating views added later (the
// editor's transitions add theirs to the window directly, over everything).
//
// makeKeyAndVisible opens a desktop window (a phone-sized portrait window by
// default) that shows the tree, repaints it when something changes, and turns mouse,
// touch, wheel and key input into touches and key presses:
//  - a mouse button or a touch screen's fingers are fingers;
//  - Ctrl+wheel and a trackpad pinch are two fingers pinching about the cursor;
//  - Shift+wheel is two fingers turning about the cursor;
//  - the plain wheel (and a trackpad's two-finger scroll) is two fingers panning
//    together under the cursor, so any two-finger pan and a scroll view's own pan see
//    it the same way; over a scroll view that zooms with the wheel (at its minimum
//    zoom, see UIScrollView) it pinches instead;
//  - picture files dropped on the window go to its file drop handler.
// Each synthetic gesture ends when the wheel has been quiet for a moment; a roll of
// the wheel keeps the kind of gesture it started with.
class UIWindow : public UIView {
public:
    static constexpr CGSize kPhoneSize{390, 844};
    static constexpr CGSize kTabletSize{820, 1180};

    // Touches that changed in one input event (each with its phase), and the event.
    using TouchDispatcher =
        std::function<void(UIWindow& window, const UITouchSet& changed, const UIEvent& event)>;
    // Answers whether the key was used.
    using KeyHandler = std::function<bool(UIWindow& window, const UIKeyPress& key)>;
    // Answers whether the dropped files were taken.
    using FileDropHandler = std::function<bool(const std::vector<std::string>& paths)>;
    // Answers whether the window may close now.
    using CloseRequestHandler = std::function<bool()>;

    explicit UIWindow(const CGRect& frame = CGRect{{0, 0}, kPhoneSize});
    ~UIWindow() override;

    // The window that receives key input: the last one made key, while it lives.
    static std::shared_ptr<UIWindow> keyWindow();
    void makeKeyWindow();
    bool isKeyWindow() const;
    // Makes the window key and opens it on the screen (offscreen in tests).
    void makeKeyAndVisible();
    bool isVisible() const;
    // What the desktop shows in the window's title bar; until set, the program's name.
    const std::string& title() const { return title_; }
    void setTitle(const std::string& title);

    // The controller whose view fills the window. Setting it puts the controller's
    // view (controller->view(), loaded on the spot) in place of the previous one,
    // sized to the window and resizing with it.
    const std::shared_ptr<UIViewController>& rootViewController() const { return rootController_; }
    template <typename Controller>
    void setRootViewController(std::shared_ptr<Controller> controller) {
        UIViewPtr view = controller ? controller->view() : nullptr;
        installRootViewController(std::move(controller), std::move(view));
    }

    // Input. The window's touch tracking calls sendEvent for each input event; it
    // hands the touches to the process's touch dispatcher (by default
    // deliverTouchesToViews). Tests may call it with touches of their own.
    void sendEvent(const UITouchSet& changed, const UIEvent& event);
    // Key presses and typed text go to the process's key handler; false when unused.
    bool sendKey(const UIKeyPress& key);
    bool sendText(const std::string& text);
    // Installed once by the gesture layer and the responder layer. An empty function
    // restores the default.
    static void setTouchDispatcher(TouchDispatcher dispatcher);
    static void setKeyHandler(KeyHandler handler);
    // Whether the plain wheel at point (window coordinates) zooms rather than scrolls.
    bool wheelZoomsAt(CGPoint point);
    void setFileDropHandler(FileDropHandler handler) { fileDropHandler_ = std::move(handler); }
    // Hands local files dropped on the window to the handler; false without one.
    bool dropFiles(const std::vector<std::string>& paths);
    // Asked when the user closes the desktop window from its title bar; without a
    // handler it closes.
    void setCloseRequestHandler(CloseRequestHandler handler) {
        closeRequestHandler_ = std::move(handler);
    }
    bool shouldClose() const { return !closeRequestHandler_ || closeRequestHandler_(); }
    // Sends each touch to the view it began in: touchesBegan/Moved/Ended/Cancelled by
    // phase, grouped per view.
    static void deliverTouchesToViews(const UITouchSet& changed, const UIEvent& event);

    // The window's pixels at the screen scale: what the desktop window shows, or
    // for a window that is not open, the tree rendered as it would be shown.
    UIImagePtr snapshot();
    // Paints now what changed since the last paint (the event loop does this on its
    // own, coalescing changes).
    void displayIfNeeded();

    // The desktop window, for the window's own sources and end-to-end tests.
    NativeWindow* nativeWindow() const { return native_.get(); }

protected:
    void treeNeedsRedraw() override;

private:
    void installRootViewController(std::shared_ptr<UIViewController> controller, UIViewPtr view);

    std::shared_ptr<UIViewController> rootController_;
    UIViewPtr rootView_;
    std::unique_ptr<NativeWindow> native_;
    FileDropHandler fileDropHandler_;
    CloseRequestHandler closeRequestHandler_;
    std::string title_;
};
