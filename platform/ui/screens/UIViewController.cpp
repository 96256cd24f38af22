#include "platform/ui/screens/UIViewController.h"

#include <algorithm>

#include "platform/ui/screens/ControllerViewWatcher.h"
#include "platform/ui/screens/ModalTransition.h"
#include "platform/ui/screens/UINavigationController.h"
#include "platform/ui/window/UIWindow.h"

UIViewController::UIViewController() = default;

UIViewController::~UIViewController() {
    for (const auto& child : children_) {
        child->parent_ = nullptr;
    }
}

// The view.

const UIViewPtr& UIViewController::view() {
    if (!view_) {
        loadView();
        if (!view_) {
            setView(std::make_shared<UIView>());
        }
        viewDidLoad();
    }
    return view_;
}

void UIViewController::loadView() {
    const auto window = UIWindow::keyWindow();
    auto view =
        std::make_shared<UIView>(window ? window->bounds() : CGRect{{0, 0}, UIWindow::kPhoneSize});
    view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    setView(std::move(view));
}

void UIViewController::setView(UIViewPtr view) {
    if (watcher_) {
        watcher_->removeFromSuperview();
    }
    view_ = std::move(view);
    watcher_ = view_ ? std::make_shared<ControllerViewWatcher>(weak_from_this()) : nullptr;
    if (view_) {
        watcher_->setFrame(view_->bounds());
        view_->addSubview(watcher_);
    }
}

// Appearance.

void UIViewController::forwardToChildren(const std::function<void(UIViewController&)>& call) {
    const auto children = children_;
    for (const auto& child : children) {
        if (child->isViewLoaded() && view_ && child->view_->isDescendantOfView(view_.get())) {
            call(*child);
        }
    }
}

void UIViewController::beginAppearanceTransition(bool appearing, bool animated) {
    const auto keepAlive = weak_from_this().lock();
    if (appearing) {
        if (appearance_ == Appearance::Appearing || appearance_ == Appearance::Appeared) {
            return;
        }
        appearance_ = Appearance::Appearing;
        transitionAnimated_ = animated;
        viewWillAppear(animated);
    } else {
        if (appearance_ == Appearance::Disappearing || appearance_ == Appearance::Disappeared) {
            return;
        }
        appearance_ = Appearance::Disappearing;
        transitionAnimated_ = animated;
        viewWillDisappear(animated);
    }
    forwardToChildren(
        [&](UIViewController& child) { child.beginAppearanceTransition(appearing, animated); });
}

void UIViewController::endAppearanceTransition() {
    const auto keepAlive = weak_from_this().lock();
    if (appearance_ == Appearance::Appearing) {
        appearance_ = Appearance::Appeared;
        viewDidAppear(transitionAnimated_);
    } else if (appearance_ == Appearance::Disappearing) {
        appearance_ = Appearance::Disappeared;
        viewDidDisappear(transitionAnimated_);
    } else {
        return;
    }
    forwardToChildren([](UIViewController& child) { child.endAppearanceTransition(); });
}

void UIViewController::viewDidMoveToWindow(bool inWindow) {
    // During a container's transition the container says when it starts and ends.
    if (inWindow && appearance_ == Appearance::Disappeared) {
        beginAppearanceTransition(true, false);
        endAppearanceTransition();
    } else if (!inWindow && appearance_ == Appearance::Appeared) {
        beginAppearanceTransition(false, false);
        endAppearanceTransition();
    }
}

// Title and navigation.

void UIViewController::setTitle(const std::string& title) {
    title_ = title;
    navigationItem()->setTitle(title);
}

const UINavigationItemPtr& UIViewController::navigationItem() {
    if (!navigationItem_) {
        navigationItem_ = std::make_shared<UINavigationItem>(title_);
    }
    return navigationItem_;
}

std::shared_ptr<UIViewController> UIViewController::parentViewController() const {
    return parent_ ? parent_->shared_from_this() : nullptr;
}

std::shared_ptr<UINavigationController> UIViewController::navigationController() const {
    for (auto parent = parentViewController(); parent; parent = parent->parentViewController()) {
        if (auto navigation = std::dynamic_pointer_cast<UINavigationController>(parent)) {
            return navigation;
        }
    }
    return nullptr;
}

void UIViewController::addChildViewController(const std::shared_ptr<UIViewController>& child) {
    if (!child || child.get() == this || child->parent_ == this) {
        return;
    }
    child->removeFromParentViewController();
    child->willMoveToParentViewController(this);
    child->parent_ = this;
    children_.push_back(child);
}

void UIViewController::removeFromParentViewController() {
    UIViewController* parent = parent_;
    if (parent == nullptr) {
        return;
    }
    const auto keepAlive = shared_from_this();
    parent_ = nullptr;
    std::erase_if(parent->children_, [this](const auto& child) { return child.get() == this; });
    didMoveToParentViewController(nullptr);
}

// Modal presentation.

bool UIViewController::presentViewController(std::shared_ptr<UIViewController> controller,
                                             bool animated, std::function<void()> completion) {
    return ModalTransition::present(*this, std::move(controller), animated, std::move(completion));
}

void UIViewController::dismissViewControllerAnimated(bool animated,
                                                     std::function<void()> completion) {
    ModalTransition::dismiss(*this, animated, std::move(completion));
}

std::shared_ptr<UIViewController> UIViewController::presentingViewController() const {
    for (const UIViewController* c = this; c != nullptr; c = c->parent_) {
        if (auto presenting = c->presenting_.lock()) {
            return presenting;
        }
    }
    return nullptr;
}

namespace {

std::vector<std::shared_ptr<UIViewController>>& floatingScreens() {
    static std::vector<std::shared_ptr<UIViewController>> screens;
    return screens;
}

}  // namespace

void UIViewController::addFloatingScreen(std::shared_ptr<UIViewController> screen) {
    floatingScreens().push_back(std::move(screen));
}

void UIViewController::removeFloatingScreen(const UIViewController& screen) {
    std::erase_if(floatingScreens(), [&](const auto& shown) { return shown.get() == &screen; });
}

bool UIViewController::offerKeyCommandFromTop(UIViewController* root, const UIKeyPress& key) {
    const auto floating = floatingScreens();
    for (auto screen = floating.rbegin(); screen != floating.rend(); ++screen) {
        if (offerKeyCommand(**screen, key)) {
            return true;
        }
    }
    return root && offerKeyCommand(*root, key);
}

bool UIViewController::offerKeyCommand(UIViewController& screen, const UIKeyPress& key) {
    if (screen.presented_ && offerKeyCommand(*screen.presented_, key)) {
        return true;
    }
    const auto children = screen.children_;
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        const bool shown = (*child)->isViewLoaded() && screen.view_ &&
                           (*child)->view_->isDescendantOfView(screen.view_.get());
        if (shown && offerKeyCommand(**child, key)) {
            return true;
        }
    }
    return key.released ? screen.handleKeyRelease(key) : screen.handleKeyCommand(key);
}
