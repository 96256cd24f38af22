#include "core/_ZOZuzazOzarozViewController.h"

#include <algorithm>
#include <vector>

#include "core/CLBusySign.h"
#include "core/CLMenuStrip.h"
#include "core/CLToolAnimations.h"
#include "core/UIViewCLImageToolInfo.h"
#include "core/ZOZuzazOzarozDiscardQuestion.h"
#include "core/ZOZuzazOzarozEditorClass.h"
#include "core/ZOZuzazOzarozTheme.h"
#include "core/ZOZuzazOzarozTransitions.h"
#include "core/ZOZuzazOzarozViewport.h"
#include "imaging/operations/BitmapRecycler.h"
#include "imaging/operations/UIDeviceSystemVersion.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/graphics/Transparency.h"
#include "platform/ui/screens/UIAlertView.h"
#include "platform/ui/screens/UIApplication.h"
#include "platform/ui/screens/UINavigationController.h"

namespace {

// The stack's bar goes up by its height and the status bar's.
constexpr double kStatusBarAllowance = 20;
// Systems before this one lay bars out under the status bar.
constexpr double kFlatBarsVersion = 7;

bool hasFlatBars() {
    return UIDeviceSystemVersion::iosVersion() >= kFlatBarsVersion;
}

}  // namespace

_ZOZuzazOzarozViewController::_ZOZuzazOzarozViewController(const ClassRegistry& registry)
    : registry_(registry) {
    const ZOZuzazOzarozEditorClass editorClass(registry);
    toolInfo_ = CLImageToolInfo::toolInfoForToolClass(&editorClass);
}

_ZOZuzazOzarozViewController::~_ZOZuzazOzarozViewController() {
    if (const auto bar = navigationBar_.lock()) {
        bar->removeFromSuperview();
    }
    // The bitmap kept for the next full-size render is a whole photo's memory.
    BitmapRecycler::releaseKept();
}

std::shared_ptr<_ZOZuzazOzarozViewController> _ZOZuzazOzarozViewController::self() {
    return std::static_pointer_cast<_ZOZuzazOzarozViewController>(shared_from_this());
}

std::weak_ptr<_ZOZuzazOzarozViewController> _ZOZuzazOzarozViewController::weakSelf() {
    return self();
}

void _ZOZuzazOzarozViewController::setTitle(const std::string& title) {
    UIViewController::setTitle(title);
    toolInfo_->setTitle(title);
}

std::shared_ptr<ZOZuzazOzarozTransitionDelegate> _ZOZuzazOzarozViewController::transitionDelegate()
    const {
    return std::dynamic_pointer_cast<ZOZuzazOzarozTransitionDelegate>(delegate());
}

// The screen.

void _ZOZuzazOzarozViewController::viewDidLoad() {
    setTitle(toolInfo_->title().value_or(""));
    const UIViewPtr& root = view();
    root->setClipsToBounds(true);
    root->setBackgroundColor(theme().backgroundColor());
    if (const auto navigation = navigationController()) {
        navigation->view()->setBackgroundColor(theme().backgroundColor());
        navigation->interactivePopGestureRecognizer()->setEnabled(false);
    }
    initNavigationBar();
    initMenuScrollView();
    initImageScrollView();
    setMenuView();
    if (!imageView_) {
        imageView_ = std::make_shared<UIImageView>();
        scrollView()->addSubview(imageView_);
        refreshImageView();
    }
    openingImage_ = originalImage_;
    if (options().history) {
        undo_ = std::make_unique<ZOZuzazOzarozUndo>(*this, options().historyBudget);
    }
    if (options().holdToCompare) {
        compare_ = std::make_unique<ZOZuzazOzarozCompare>(*this);
    }
    if (options().doubleTapZoom) {
        zoomToggle_ = std::make_unique<ZOZuzazOzarozZoomToggle>(*this);
    }
    if (options().checkerboardBehindPicture) {
        // The image view is fitted to the picture, so its background shows only through
        // the picture's transparent areas.
        imageView_->setBackgroundColor(Transparency::checkerboard());
    }
    if (options().followsWindowSize) {
        // The own bar sits in the stack's view, which the window resizes.
        navigationBar()->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    }
}

bool _ZOZuzazOzarozViewController::handleKeyCommand(const UIKeyPress& key) {
    if (!options().keyCommands) {
        return false;
    }
    const bool control = (key.modifiers & UIKeyPress::Control) != 0;
    const bool shift = (key.modifiers & UIKeyPress::Shift) != 0;
    if (compare_ && key.text == " " && !control) {
        compare_->begin();
    } else if (key.key == UIKeyPress::Key::Escape) {
        currentTool_ ? pushedCancelBtn() : pushedCloseBtn();
    } else if (key.key == UIKeyPress::Key::Return) {
        currentTool_ ? pushedDoneBtn() : pushedFinishBtn();
    } else if (control && undo_ && key.text == "z" && !shift) {
        undo_->undo();
    } else if (control && undo_ && ((key.text == "z" && shift) || key.text == "y")) {
        undo_->redo();
    } else {
        return false;
    }
    return true;
}

bool _ZOZuzazOzarozViewController::handleKeyRelease(const UIKeyPress& key) {
    if (!options().keyCommands || !compare_ || key.text != " ") {
        return false;
    }
    compare_->end();
    return true;
}

bool _ZOZuzazOzarozViewController::hasUnsavedWork() const {
    if (currentTool_) {
        return true;
    }
    // Undone back to the start, the history's pictures may be copies read back.
    return undo_ ? undo_->history().canUndo() : originalImage_ != openingImage_;
}

void _ZOZuzazOzarozViewController::leaveAskingFirst(void (_ZOZuzazOzarozViewController::*leave)()) {
    if (!options().askBeforeDiscarding || !hasUnsavedWork()) {
        (this->*leave)();
        return;
    }
    ZOZuzazOzarozDiscardQuestion::ask([weak = weakSelf(), leave] {
        if (const auto editor = weak.lock()) {
            (editor.get()->*leave)();
        }
    });
}

bool _ZOZuzazOzarozViewController::navigationShouldPopOnBackButton() {
    leaveAskingFirst(&_ZOZuzazOzarozViewController::popFromStack);
    return false;
}

void _ZOZuzazOzarozViewController::popFromStack() {
    if (const auto navigation = navigationController()) {
        navigation->popViewControllerAnimated(true);
    }
}

void _ZOZuzazOzarozViewController::viewWillAppear(bool animated) {
    ZOZuzazOzaroz::viewWillAppear(animated);
    if (targetImageView_) {
        expropriateImageView();
    } else {
        refreshImageView();
    }
}

void _ZOZuzazOzarozViewController::viewDidLayoutSubviews() {
    if (!options().followsWindowSize) {
        return;
    }
    if (const auto strip = menuView()) {
        const std::vector<UIViewPtr> items = strip->subviews();
        CLMenuStrip::arrange(*strip, items, CLMenuStrip::Spacing::SpreadWhenFew);
    }
    if (!currentTool_) {
        refreshImageView();
    }
}

UIStatusBarStyle _ZOZuzazOzarozViewController::preferredStatusBarStyle() const {
    return theme().statusBarStyle() == 0 ? UIStatusBarStyle::Default
                                         : UIStatusBarStyle::LightContent;
}

unsigned _ZOZuzazOzarozViewController::supportedInterfaceOrientations() const {
    return UIInterfaceOrientationMaskPortrait;
}

std::optional<UIBarPosition> _ZOZuzazOzarozViewController::positionForBar(UINavigationBar&) {
    return UIBarPosition::TopAttached;
}

UIBarButtonItem::Action _ZOZuzazOzarozViewController::buttonAction(
    void (_ZOZuzazOzarozViewController::*action)()) {
    return [weak = weakSelf(), action](UIBarButtonItem&) {
        if (const auto editor = weak.lock()) {
            (editor.get()->*action)();
        }
    };
}

UIBarButtonItemPtr _ZOZuzazOzarozViewController::makeButton(
    const std::string& key, const std::string& defaultTitle, UIBarButtonItemStyle style,
    void (_ZOZuzazOzarozViewController::*action)()) {
    return std::make_shared<UIBarButtonItem>(
        ZOZuzazOzarozTheme::localizedStringWithDefault(key, defaultTitle), style,
        buttonAction(action));
}

// A text button when the string tables name it, else the platform's own "Done".
UIBarButtonItemPtr _ZOZuzazOzarozViewController::makeFinishButton() {
    const std::string key = "ZOZuzazOzaroz_DoneBtnTitle";
    auto button = makeButton(key, "", UIBarButtonItemStyle::Done,
                             &_ZOZuzazOzarozViewController::pushedFinishBtn);
    if (button->title() != key) {
        return button;
    }
    return std::make_shared<UIBarButtonItem>(
        UIBarButtonSystemItem::Done, buttonAction(&_ZOZuzazOzarozViewController::pushedFinishBtn));
}

void _ZOZuzazOzarozViewController::initNavigationBar() {
    navigationItem()->setRightBarButtonItem(makeFinishButton());
    const auto navigation = navigationController();
    if (navigation) {
        navigation->setNavigationBarHidden(false, false);
    }
    if (!navigationBar()) {
        auto item = std::make_shared<UINavigationItem>(title());
        item->setLeftBarButtonItem(std::make_shared<UIBarButtonItem>(
            UIBarButtonSystemItem::Cancel,
            buttonAction(&_ZOZuzazOzarozViewController::pushedCloseBtn)));
        item->setRightBarButtonItem(makeFinishButton());
        const CGRect statusBar = UIApplication::sharedApplication().statusBarFrame();
        const double top = hasFlatBars() ? std::min(statusBar.height(), statusBar.width()) : 0.0;
        auto bar = std::make_shared<UINavigationBar>(
            CGRect{0, top, view()->bounds().width(), UINavigationBar::kHeight});
        bar->pushNavigationItem(item, false);
        bar->setDelegate(std::weak_ptr<UINavigationBarDelegate>(self()));
        (navigation ? navigation->view() : view())->addSubview(bar);
        navigationBar_ = bar;
    }
    const auto bar = navigationBar();
    if (navigation) {
        // In menu mode the stack's bar shows this screen's item; the own bar comes
        // down over it in tool mode.
        bar->setFrame(navigation->navigationBar()->frame());
        bar->setHidden(true);
        bar->setItems({}, false);
    } else {
        bar->topItem()->setTitle(title());
    }
    if (!hasFlatBars()) {
        bar->setBarStyle(UIBarStyle::Black);
        bar->setTranslucent(true);
    }
}

void _ZOZuzazOzarozViewController::initMenuScrollView() {
    if (menuView()) {
        return;
    }
    const CGRect bounds = view()->bounds();
    auto strip = std::make_shared<UIScrollView>(
        CGRect{0, bounds.height() - kMenuHeight, bounds.width(), kMenuHeight});
    strip->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                               UIViewAutoresizingFlexibleTopMargin);
    strip->setShowsHorizontalScrollIndicator(false);
    strip->setShowsVerticalScrollIndicator(false);
    strip->setBackgroundColor(theme().toolbarColor());
    view()->addSubview(strip);
    menuView_ = strip;
}

void _ZOZuzazOzarozViewController::setMenuView() {
    const auto strip = menuView();
    if (!strip) {
        return;
    }
    CLMenuStrip::fill(
        *strip, toolInfo_->sortedSubtools(),
        [weak = weakSelf()](UIGestureRecognizer& sender) {
            if (const auto editor = weak.lock()) {
                editor->tappedMenuView(sender);
            }
        },
        CLMenuStrip::Spacing::SpreadWhenFew);
}

// Tools.

void _ZOZuzazOzarozViewController::tappedMenuView(UIGestureRecognizer& sender) {
    const auto item = sender.view();
    if (!item) {
        return;
    }
    CLToolAnimations::flash(*item);
    setupToolWithToolInfo(UIViewCLImageToolInfo::toolInfo(*item));
}

std::shared_ptr<CLBusySign> _ZOZuzazOzarozViewController::showBusySign(const UIViewPtr& host) {
    return CLBusySign::start(host ? host : view());
}

void _ZOZuzazOzarozViewController::setupToolWithToolInfo(const CLImageToolInfoPtr& toolInfo) {
    if (currentTool_ || !toolInfo) {
        return;
    }
    const RuntimeClass* base = registry_.classNamed("CLImageToolBase");
    const auto* toolClass =
        dynamic_cast<const CLImageToolClass*>(registry_.classNamed(toolInfo->toolName()));
    if (base == nullptr || toolClass == nullptr || !toolClass->isSubclassOfClass(base)) {
        return;
    }
    if (auto tool = toolClass->createTool(weakSelf(), toolInfo)) {
        setCurrentTool(std::move(tool));
    }
}

void _ZOZuzazOzarozViewController::setCurrentTool(std::shared_ptr<CLImageToolBase> tool) {
    if (tool == currentTool_) {
        return;
    }
    // Kept alive until its cleanup is over.
    const auto previous = currentTool_;
    if (previous) {
        previous->cleanup();
    }
    currentTool_ = std::move(tool);
    if (currentTool_) {
        currentTool_->setup();
    }
    swapToolBarWithEditting(currentTool_ != nullptr);
}

void _ZOZuzazOzarozViewController::swapToolBarWithEditting(bool editing) {
    swapMenuViewWithEditting(editing);
    swapNavigationBarWithEditting(editing);
    const bool animated = navigationController() == nullptr;
    if (currentTool_) {
        pushToolItem(animated);
    } else {
        popToolItem(animated);
    }
}

double _ZOZuzazOzarozViewController::menuHiddenOffset() const {
    const auto strip = menuView();
    const auto& root = viewIfLoaded();
    if (!strip || !root) {
        return 0;
    }
    // The strip's own top, whatever transform it is under now.
    const double top = strip->center().y - strip->bounds().height() / 2;
    return root->bounds().height() - top;
}

void _ZOZuzazOzarozViewController::swapMenuViewWithEditting(bool editing) {
    const auto strip = menuView();
    if (!strip) {
        return;
    }
    const double offset = menuHiddenOffset();
    UIView::animate(CLToolAnimations::kDuration, [&] {
        strip->setTransform(editing ? CGAffineTransform::makeTranslation(0, offset)
                                    : CGAffineTransform::identity());
    });
}

void _ZOZuzazOzarozViewController::swapNavigationBarWithEditting(bool editing) {
    const auto navigation = navigationController();
    const auto bar = navigationBar();
    if (!navigation || !bar) {
        return;
    }
    const auto& stackBar = navigation->navigationBar();
    const auto above = CGAffineTransform::makeTranslation(0, -bar->bounds().height());
    if (editing) {
        bar->setHidden(false);
        bar->setTransform(above);
        UIView::animate(CLToolAnimations::kDuration, [&] {
            stackBar->setTransform(CGAffineTransform::makeTranslation(
                0, -(kStatusBarAllowance + stackBar->bounds().height())));
            bar->setTransform(CGAffineTransform::identity());
        });
        return;
    }
    UIView::animate(
        CLToolAnimations::kDuration,
        [&] {
            stackBar->setTransform(CGAffineTransform::identity());
            bar->setTransform(above);
        },
        [weakBar = std::weak_ptr<UINavigationBar>(bar)](bool finished) {
            // A tool started meanwhile wants the bar shown.
            const auto ownBar = weakBar.lock();
            if (finished && ownBar) {
                ownBar->setHidden(true);
                ownBar->setTransform(CGAffineTransform::identity());
            }
        });
}

void _ZOZuzazOzarozViewController::pushToolItem(bool animated) {
    const auto bar = navigationBar();
    const auto info = currentTool_->toolInfo();
    if (!bar) {
        return;
    }
    auto item =
        std::make_shared<UINavigationItem>(info && info->title() ? *info->title() : std::string());
    item->setRightBarButtonItem(makeButton("ZOZuzazOzaroz_OKBtnTitle", "OK",
                                           UIBarButtonItemStyle::Done,
                                           &_ZOZuzazOzarozViewController::pushedDoneBtn));
    item->setLeftBarButtonItem(makeButton("ZOZuzazOzaroz_BackBtnTitle", "Back",
                                          UIBarButtonItemStyle::Plain,
                                          &_ZOZuzazOzarozViewController::pushedCancelBtn));
    bar->pushNavigationItem(item, animated);
}

void _ZOZuzazOzarozViewController::popToolItem(bool animated) {
    const auto bar = navigationBar();
    if (!bar) {
        return;
    }
    // The bar never pops its last item; in a navigation stack the tool's item is the
    // only one, and must still go.
    if (bar->items().size() > 1) {
        bar->popNavigationItemAnimated(animated);
    } else {
        bar->setItems({}, false);
    }
}

// The bar buttons.

void _ZOZuzazOzarozViewController::pushedDoneBtn() {
    if (!currentTool_) {
        return;
    }
    view()->setUserInteractionEnabled(false);
    // A completion called at once may apply the result and release the tool while it
    // is still inside executeWithCompletionBlock; it lives until that returns.
    const std::shared_ptr<CLImageToolBase> executing = currentTool_;
    const std::weak_ptr<CLImageToolBase> tool = executing;
    executing->executeWithCompletionBlock(
        [weak = weakSelf(), tool](UIImagePtr image, std::optional<CLImageToolError> error,
                                  ValueDictionary) {
            auto deliver = [weak, tool, image = std::move(image), error = std::move(error)] {
                if (const auto editor = weak.lock()) {
                    editor->toolDidFinish(tool, image, error);
                }
            };
            // Views belong to the main thread, wherever the tool finished.
            if (isMainThread()) {
                deliver();
            } else {
                DispatchQueue::main().async(std::move(deliver));
            }
        });
}

void _ZOZuzazOzarozViewController::toolDidFinish(const std::weak_ptr<CLImageToolBase>& tool,
                                                 const UIImagePtr& image,
                                                 const std::optional<CLImageToolError>& error) {
    view()->setUserInteractionEnabled(true);
    const auto finished = tool.lock();
    if (!finished || !isCurrentTool(*finished)) {
        return;
    }
    if (error) {
        std::make_shared<UIAlertView>("Error", error->localizedDescription(),
                                      std::weak_ptr<UIAlertViewDelegate>{}, "OK")
            ->show();
        return;
    }
    if (!image) {
        return;
    }
    originalImage_ = image;
    imageView_->setImage(image);
    resetImageViewFrame();
    setCurrentTool(nullptr);
    if (undo_) {
        undo_->stepApplied(image);
    }
}

void _ZOZuzazOzarozViewController::pushedCancelBtn() {
    imageView_->setImage(originalImage_);
    resetImageViewFrame();
    setCurrentTool(nullptr);
}

void _ZOZuzazOzarozViewController::dismissUnlessHandled(bool handled) {
    if (!handled) {
        dismissViewControllerAnimated(true);
    }
}

void _ZOZuzazOzarozViewController::pushedFinishBtn() {
    if (targetImageView_) {
        imageView_->setImage(originalImage_);
        restoreImageView(false);
        return;
    }
    const auto listener = delegate();
    dismissUnlessHandled(listener &&
                         listener->imageEditorDidFinishEdittingWithImage(*this, originalImage_));
}

void _ZOZuzazOzarozViewController::pushedCloseBtn() {
    leaveAskingFirst(&_ZOZuzazOzarozViewController::closeEdit);
}

void _ZOZuzazOzarozViewController::closeEdit() {
    if (targetImageView_) {
        imageView_->setImage(targetImageView_->image());
        restoreImageView(true);
        return;
    }
    const auto listener = delegate();
    dismissUnlessHandled(listener && listener->imageEditorDidCancel(*this));
}

// The viewport.

void _ZOZuzazOzarozViewController::initImageScrollView() {
    if (scrollView()) {
        return;
    }
    double top = 0;
    if (const auto navigation = navigationController()) {
        const auto& stackBar = navigation->navigationBar();
        top = stackBar->isTranslucent() ? stackBar->frame().maxY() : 0;
        if (!hasFlatBars()) {
            top -= UIApplication::sharedApplication().statusBarFrame().height();
        }
    } else if (const auto bar = navigationBar()) {
        top = bar->frame().maxY();
    }
    const CGRect bounds = view()->bounds();
    auto viewport = std::make_shared<UIScrollView>(
        CGRect{0, top, bounds.width(), bounds.height() - top - kMenuHeight});
    viewport->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                  UIViewAutoresizingFlexibleHeight);
    viewport->setShowsHorizontalScrollIndicator(false);
    viewport->setShowsVerticalScrollIndicator(false);
    viewport->setDelegate(std::weak_ptr<UIScrollViewDelegate>(self()));
    viewport->setClipsToBounds(false);
    view()->insertSubviewAtIndex(viewport, 0);
    scrollView_ = viewport;
}

void _ZOZuzazOzarozViewController::resetImageViewFrame() {
    if (const auto viewport = scrollView(); viewport && imageView_) {
        ZOZuzazOzarozViewport::fitImageView(*viewport, *imageView_);
    }
}

void _ZOZuzazOzarozViewController::fixZoomScaleWithAnimated(bool animated) {
    if (const auto viewport = scrollView()) {
        ZOZuzazOzarozViewport::lockZoom(*viewport, animated);
    }
}

void _ZOZuzazOzarozViewController::resetZoomScaleWithAnimated(bool animated) {
    if (const auto viewport = scrollView(); viewport && imageView_) {
        ZOZuzazOzarozViewport::releaseZoom(*viewport, *imageView_, animated);
    }
}

void _ZOZuzazOzarozViewController::refreshImageView() {
    if (!imageView_) {
        return;
    }
    imageView_->setImage(originalImage_);
    resetImageViewFrame();
    resetZoomScaleWithAnimated(false);
}

std::optional<std::shared_ptr<UIView>> _ZOZuzazOzarozViewController::viewForZoomingInScrollView(
    UIScrollView&) {
    return std::shared_ptr<UIView>(imageView_);
}

void _ZOZuzazOzarozViewController::scrollViewDidZoom(UIScrollView& viewport) {
    if (imageView_) {
        ZOZuzazOzarozViewport::centreImageView(viewport, *imageView_);
    }
}

void _ZOZuzazOzarozViewController::copyImageViewInfoToView(const UIImageViewPtr& source,
                                                           const UIImageViewPtr& destination) {
    ZOZuzazOzarozTransitions::copyImageViewInfoToView(source, destination);
}

void _ZOZuzazOzarozViewController::showInViewControllerWithImageView(
    const std::shared_ptr<UIViewController>& host, const UIImageViewPtr& imageView) {
    if (!host || !imageView) {
        return;
    }
    originalImage_ = imageView->image();
    targetImageView_ = imageView;
    host->addChildViewController(self());
    view()->setFrame(host->view()->bounds());
    host->view()->addSubview(view());
    didMoveToParentViewController(host.get());
    refreshImageView();
}

void _ZOZuzazOzarozViewController::expropriateImageView() {
    ZOZuzazOzarozTransitions::expropriateImageView(*this);
}

void _ZOZuzazOzarozViewController::restoreImageView(bool canceled) {
    ZOZuzazOzarozTransitions::restoreImageView(*this, canceled);
}
