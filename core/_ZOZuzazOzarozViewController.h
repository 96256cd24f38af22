#pragma once

#include <memory>
#include <string>

#include "core/CLEditorServices.h"
#include "core/CLImageToolBase.h"
#include "core/CLImageToolInfo.h"
#include "core/ZOZuzazOzaroz.h"
#include "core/ZOZuzazOzarozCompare.h"
#include "core/ZOZuzazOzarozTransitionDelegate.h"
#include "core/ZOZuzazOzarozUndo.h"
#include "core/ZOZuzazOzarozZoomToggle.h"
#include "platform/foundation/ClassRegistry.h"
#include "platform/ui/controls/UINavigationBar.h"
#include "platform/ui/controls/UIScrollView.h"
#include "platform/ui/gestures/UIGestureRecognizer.h"
#include "platform/ui/view/UIImageView.h"

// The editor screen. In menu mode it shows the picture in a zoomable viewport, a bar
// with cancel and finish, and a strip with one item per available tool; tapping an
// item starts that tool (tool mode): the strip slides away and the bar offers "Back"
// and "OK". "OK" asks the tool for its result and makes it the working picture.
//
// Tools see it as CLEditorServices: the image view (the working picture or a tool's
// preview), the viewport and its zoom lock, the strip, the root view for their panels,
// the busy sign, and whether they are still the current tool.
//
// Main thread only. The editor owns its working picture, its image view, the tool
// tree and the current tool; tools and descriptors refer back to it weakly.
class _ZOZuzazOzarozViewController : public ZOZuzazOzaroz,
                                     public UIScrollViewDelegate,
                                     public UINavigationBarDelegate,
                                     public CLEditorServices {
public:
    static constexpr double kMenuHeight = 80;

    // Builds the tool tree from registry's editor class (see ZOZuzazOzarozEditorClass;
    // an unregistered editor class is answered for all the same).
    explicit _ZOZuzazOzarozViewController(const ClassRegistry& registry);
    // Takes the editor's own bar away from wherever it was added.
    ~_ZOZuzazOzarozViewController() override;

    const CLImageToolInfoPtr& toolInfo() const override { return toolInfo_; }
    // The screen's title and the root descriptor's.
    void setTitle(const std::string& title);

    // The working picture: the picture after the last applied tool.
    const UIImagePtr& originalImage() const override { return originalImage_; }
    void setOriginalImage(UIImagePtr image) { originalImage_ = std::move(image); }
    const UIImageViewPtr& imageView() const override { return imageView_; }
    UIScrollViewPtr scrollView() const override { return scrollView_.lock(); }
    UIScrollViewPtr menuView() const override { return menuView_.lock(); }
    const UIViewPtr& view() override { return UIViewController::view(); }
    // Over the root view unless host is given.
    std::shared_ptr<CLBusySign> showBusySign(const UIViewPtr& host) override;
    UINavigationBarPtr navigationBar() const { return navigationBar_.lock(); }
    // The backdrop of the opening and closing transitions; null before them.
    const UIViewPtr& bgView() const { return bgView_; }
    // The host's image view the editor was shown over, or null.
    const UIImageViewPtr& targetImageView() const { return targetImageView_; }
    // The delegate when it also hears the transitions, else null.
    std::shared_ptr<ZOZuzazOzarozTransitionDelegate> transitionDelegate() const;

    // The tool strip: one item per available descriptor of the root, in docked order,
    // spread with equal gaps when less than two items' width is left over.
    void setMenuView();

    // Tools.
    const std::shared_ptr<CLImageToolBase>& currentTool() const { return currentTool_; }
    // Cleans up the old tool, sets up the new one and switches the screen's mode.
    void setCurrentTool(std::shared_ptr<CLImageToolBase> tool);
    // False once the tool was applied, left or replaced: work it finishes later must
    // then leave the editor alone.
    bool isCurrentTool(const CLImageToolBase& tool) const override {
        return currentTool_.get() == &tool;
    }
    // Starts the tool a descriptor names, unless a tool is already current or the name
    // is not a tool class of the registry.
    void setupToolWithToolInfo(const CLImageToolInfoPtr& toolInfo);
    void tappedMenuView(UIGestureRecognizer& sender);
    void swapToolBarWithEditting(bool editing);
    void swapMenuViewWithEditting(bool editing);
    void swapNavigationBarWithEditting(bool editing);

    // The bar buttons: finish and cancel (menu mode), "OK" and "Back" (tool mode).
    void pushedFinishBtn();
    // With the discard question on, asks first when there is work to lose.
    void pushedCloseBtn();
    void pushedDoneBtn();
    void pushedCancelBtn();

    // The viewport.
    void initImageScrollView();
    // Fits imageView to the viewport at the current zoom scale, centred.
    void resetImageViewFrame() override;
    // Locks the zoom at 95 % of the minimum scale (tools that draw over the picture).
    void fixZoomScaleWithAnimated(bool animated) override;
    // Allows zooming until the picture covers the viewport or reaches its own size,
    // and returns to scale 1.
    void resetZoomScaleWithAnimated(bool animated) override;
    // Shows the working picture, fitted, at scale 1.
    void refreshImageView();
    // Gives destination the look and on-screen place of source, in its own superview.
    static void copyImageViewInfoToView(const UIImageViewPtr& source,
                                        const UIImageViewPtr& destination);

    // Over a host image view.
    void showInViewControllerWithImageView(const std::shared_ptr<UIViewController>& host,
                                           const UIImageViewPtr& imageView) override;
    // The picture flies from the host's image view into the viewport.
    void expropriateImageView();
    // The picture flies back to the host's image view, which keeps the result unless
    // canceled, and the editor leaves the host's screen.
    void restoreImageView(bool canceled);

    // The screen.
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    // With the option to follow the window's size: the strip spreads its items again,
    // and in menu mode the picture fits the new viewport.
    void viewDidLayoutSubviews() override;
    UIStatusBarStyle preferredStatusBarStyle() const override;
    // With the key commands option: Escape is "Back" or cancel, Return "OK" or finish,
    // Ctrl+Z undo, Ctrl+Shift+Z and Ctrl+Y redo, the space bar held compares.
    bool handleKeyCommand(const UIKeyPress& key) override;
    bool handleKeyRelease(const UIKeyPress& key) override;
    // A tool is current, or the working picture is not the one the editor opened with.
    bool hasUnsavedWork() const override;
    // The stack's back button asks first too, when there is work to lose.
    bool navigationShouldPopOnBackButton() override;

    // The options' parts, when turned on; else null.
    ZOZuzazOzarozUndo* undo() const { return undo_.get(); }
    ZOZuzazOzarozCompare* compare() const { return compare_.get(); }
    unsigned supportedInterfaceOrientations() const override;
    bool shouldAutorotate() const override { return false; }

    std::optional<std::shared_ptr<UIView>> viewForZoomingInScrollView(UIScrollView&) override;
    // Keeps a picture smaller than the viewport centred while it zooms.
    void scrollViewDidZoom(UIScrollView& scrollView) override;
    std::optional<UIBarPosition> positionForBar(UINavigationBar&) override;

private:
    friend class ZOZuzazOzarozTransitions;

    std::shared_ptr<_ZOZuzazOzarozViewController> self();
    std::weak_ptr<_ZOZuzazOzarozViewController> weakSelf();
    void initNavigationBar();
    void initMenuScrollView();
    // Runs action on this editor while it lives.
    UIBarButtonItem::Action buttonAction(void (_ZOZuzazOzarozViewController::*action)());
    UIBarButtonItemPtr makeFinishButton();
    UIBarButtonItemPtr makeButton(const std::string& key, const std::string& defaultTitle,
                                  UIBarButtonItemStyle style,
                                  void (_ZOZuzazOzarozViewController::*action)());
    void pushToolItem(bool animated);
    void popToolItem(bool animated);
    // Where the strip goes to be below the screen.
    double menuHiddenOffset() const;
    void toolDidFinish(const std::weak_ptr<CLImageToolBase>& tool, const UIImagePtr& image,
                       const std::optional<CLImageToolError>& error);
    void dismissUnlessHandled(bool handled);
    void closeEdit();
    // Runs leave at once, or after "Discard" when the question is on and work would go.
    void leaveAskingFirst(void (_ZOZuzazOzarozViewController::*leave)());
    void popFromStack();

    const ClassRegistry& registry_;
    CLImageToolInfoPtr toolInfo_;
    UIImagePtr originalImage_;
    // The working picture when the screen loaded.
    UIImagePtr openingImage_;
    UIImageViewPtr imageView_;
    std::weak_ptr<UIScrollView> scrollView_;
    std::weak_ptr<UIScrollView> menuView_;
    std::weak_ptr<UINavigationBar> navigationBar_;
    UIViewPtr bgView_;
    std::shared_ptr<CLImageToolBase> currentTool_;
    UIImageViewPtr targetImageView_;
    std::unique_ptr<ZOZuzazOzarozUndo> undo_;
    std::unique_ptr<ZOZuzazOzarozCompare> compare_;
    std::unique_ptr<ZOZuzazOzarozZoomToggle> zoomToggle_;
};
