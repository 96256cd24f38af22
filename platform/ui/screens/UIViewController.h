#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/controls/UINavigationItem.h"
#include "platform/ui/view/UIView.h"
#include "platform/ui/window/UIKeyPress.h"

class UINavigationController;

enum class UIStatusBarStyle { Default, LightContent };

enum UIInterfaceOrientationMask : unsigned {
    UIInterfaceOrientationMaskPortrait = 1u << 1,
    UIInterfaceOrientationMaskPortraitUpsideDown = 1u << 2,
    UIInterfaceOrientationMaskLandscapeRight = 1u << 3,
    UIInterfaceOrientationMaskLandscapeLeft = 1u << 4,
    UIInterfaceOrientationMaskLandscape =
        UIInterfaceOrientationMaskLandscapeLeft | UIInterfaceOrientationMaskLandscapeRight,
    UIInterfaceOrientationMaskAll = UIInterfaceOrientationMaskPortrait |
                                    UIInterfaceOrientationMaskPortraitUpsideDown |
                                    UIInterfaceOrientationMaskLandscape,
    UIInterfaceOrientationMaskAllButUpsideDown =
        UIInterfaceOrientationMaskPortrait | UIInterfaceOrientationMaskLandscape,
};

// One screen: it owns a view, made on first use (loadView, then viewDidLoad), and
// hears when that view is about to appear and has appeared on screen, and when it is
// about to disappear and has gone: containers (navigation controllers, modal
// presentation) tell it around their transitions, and a view that enters or leaves
// a window by other means (a window's root view, a child's view added to a screen on
// show) tells it at once. Controllers can hold child controllers, present another
// controller modally (it slides up over everything in 0.3 s) and be dismissed.
//
// Shared objects (std::make_shared). Main thread only.
class UIViewController : public std::enable_shared_from_this<UIViewController> {
public:
    UIViewController();
    virtual ~UIViewController();
    UIViewController(const UIViewController&) = delete;
    UIViewController& operator=(const UIViewController&) = delete;

    // The view, loaded on first use.
    const UIViewPtr& view();
    bool isViewLoaded() const { return view_ != nullptr; }
    // The view when loaded, else null; never loads it.
    const UIViewPtr& viewIfLoaded() const { return view_; }
    void loadViewIfNeeded() { view(); }
    // Makes the view: by default a clear view the size of the key window (or a
    // phone's screen), resizing with its superview.
    virtual void loadView();
    // loadView's job: gives the controller its view.
    void setView(UIViewPtr view);
    virtual void viewDidLoad() {}
    // After the view changed size and its subviews followed their autoresizing rules,
    // when the tree is next laid out (before the window paints).
    virtual void viewDidLayoutSubviews() {}

    virtual void viewWillAppear(bool /*animated*/) {}
    virtual void viewDidAppear(bool /*animated*/) {}
    virtual void viewWillDisappear(bool /*animated*/) {}
    virtual void viewDidDisappear(bool /*animated*/) {}
    // For containers: each will/did pair once, repeated calls ignored. Children whose
    // views are inside this view's hear the same.
    void beginAppearanceTransition(bool appearing, bool animated);
    void endAppearanceTransition();
    // Between did-appear and will-disappear.
    bool isVisible() const { return appearance_ == Appearance::Appeared; }

    const std::string& title() const { return title_; }
    // Also the navigation item's title.
    void setTitle(const std::string& title);
    const UINavigationItemPtr& navigationItem();

    // The nearest navigation controller among the parents, or null.
    std::shared_ptr<UINavigationController> navigationController() const;
    std::shared_ptr<UIViewController> parentViewController() const;
    const std::vector<std::shared_ptr<UIViewController>>& childViewControllers() const {
        return children_;
    }
    // Tells the child it will move here; the caller tells it when it did.
    void addChildViewController(const std::shared_ptr<UIViewController>& child);
    // Tells this controller it did move to no parent; the caller tells it before.
    void removeFromParentViewController();
    virtual void willMoveToParentViewController(UIViewController* /*parent*/) {}
    virtual void didMoveToParentViewController(UIViewController* /*parent*/) {}

    // Modal presentation. False when this controller already presents one (nothing
    // happens then). The completion runs once, after the slide.
    bool presentViewController(std::shared_ptr<UIViewController> controller, bool animated,
                               std::function<void()> completion = {});
    // Dismisses what this controller (or a parent) presents, else the presented
    // controller this one is (or is inside). The completion runs once, after the slide;
    // nothing happens when there is nothing to dismiss or it is already going.
    void dismissViewControllerAnimated(bool animated, std::function<void()> completion = {});
    const std::shared_ptr<UIViewController>& presentedViewController() const { return presented_; }
    // A key its window's first responder did not use (or every key, without one), as a
    // key command: answers whether the screen used it. Asked from the front-most screen
    // back towards the window's root, each screen before the one that presented it.
    virtual bool handleKeyCommand(const UIKeyPress&) { return false; }
    // The release of a key, offered as key commands are.
    virtual bool handleKeyRelease(const UIKeyPress&) { return false; }
    // Offers key (a press or a release) to screen, the screens it presented, and its
    // visible children.
    static bool offerKeyCommand(UIViewController& screen, const UIKeyPress& key);
    // Screens shown over the window outside any presentation (a popover's content),
    // kept while shown. They are offered keys before the window's root screen, the
    // last shown first.
    static void addFloatingScreen(std::shared_ptr<UIViewController> screen);
    static void removeFloatingScreen(const UIViewController& screen);
    // Offers key to the floating screens, then to root (which may be null).
    static bool offerKeyCommandFromTop(UIViewController* root, const UIKeyPress& key);
    // Asked when the navigation bar's back button is tapped on this screen: false keeps
    // the screen, which may pop itself later (after a question, say).
    virtual bool navigationShouldPopOnBackButton() { return true; }
    // The controller that presented this one, or the one a parent of it.
    std::shared_ptr<UIViewController> presentingViewController() const;

    virtual UIStatusBarStyle preferredStatusBarStyle() const { return UIStatusBarStyle::Default; }
    virtual unsigned supportedInterfaceOrientations() const {
        return UIInterfaceOrientationMaskAllButUpsideDown;
    }
    virtual bool shouldAutorotate() const { return true; }

    // Called by the view's watcher when the view enters (true) or leaves a window.
    void viewDidMoveToWindow(bool inWindow);

private:
    friend class ModalTransition;
    enum class Appearance { Disappeared, Appearing, Appeared, Disappearing };

    void forwardToChildren(const std::function<void(UIViewController&)>& call);

    UIViewPtr view_;
    UIViewPtr watcher_;
    std::string title_;
    UINavigationItemPtr navigationItem_;
    // The parent owns its children; it clears this pointer when it goes.
    UIViewController* parent_ = nullptr;
    std::vector<std::shared_ptr<UIViewController>> children_;
    std::shared_ptr<UIViewController> presented_;
    std::weak_ptr<UIViewController> presenting_;
    bool dismissing_ = false;
    Appearance appearance_ = Appearance::Disappeared;
    bool transitionAnimated_ = false;
};

using UIViewControllerPtr = std::shared_ptr<UIViewController>;
