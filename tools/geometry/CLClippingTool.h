#pragma once

#include <memory>
#include <vector>

#include "core/CLBackgroundRender.h"
#include "core/CLImageToolBase.h"
#include "platform/ui/controls/UIScrollView.h"
#include "platform/ui/view/UIButton.h"
#include "tools/geometry/CLClippingPanel.h"
#include "tools/geometry/CLRatioMenuItem.h"

// Crops the picture. A panel over the picture shows the crop rectangle with its grid
// and corner handles; a strip of aspect ratios (the first, "Custom", is free) fits the
// rectangle to the chosen ratio and keeps it while the handles are dragged, and a
// button beside the strip turns every ratio between landscape and portrait. "OK" cuts
// the full-size picture to the rectangle.
class CLClippingTool : public CLImageToolBase {
public:
    static constexpr const char* kClassName = "CLClippingTool";
    static constexpr double kSwapAreaWidth = 70;
    static constexpr double kSwapAreaAlpha = 0.9;
    static constexpr double kSwapButtonSide = 40;
    // The swap button's centre sits this far above the middle of its area.
    static constexpr double kSwapButtonLift = 10;
    // The strip items' thumbnail: its shorter side, in points.
    static constexpr double kThumbnailSide = 70;

    static std::string defaultTitle();
    static bool isAvailable() { return true; }
    static std::optional<ValueDictionary> optionalInfo();
    // Custom (free), 1 : 1, 4 : 3, 3 : 2, 16 : 9.
    static ValueArray defaultPresetRatios();
    static bool defaultSwapButtonHidden() { return false; }

    // The strip's thumbnail of picture: kThumbnailSide points on its shorter side, at
    // the screen's scale. Safe from any thread.
    static UIImagePtr thumbnailImage(const UIImagePtr& picture);
    // The part of image under clippingRect, a rectangle of a view showing image
    // viewWidth points wide. Safe from any thread.
    static UIImagePtr croppedImage(const UIImagePtr& image, const CGRect& clippingRect,
                                   double viewWidth);

    using CLImageToolBase::CLImageToolBase;

    void setup() override;
    void cleanup() override;
    void executeWithCompletionBlock(CompletionBlock completion) override;

    void setCropMenu();
    void tappedMenu(const CLRatioMenuItemPtr& item);
    const CLRatioMenuItemPtr& selectedMenu() const { return selectedMenu_; }
    // Marks item and hands its ratio to the panel (none for the free ratio).
    void setSelectedMenu(const CLRatioMenuItemPtr& item);
    // Turns every ratio of the strip and re-fits a rectangle that has a shape to turn.
    void pushedRotateBtn();

    const CLClippingPanelPtr& gridView() const { return gridView_; }
    const UIScrollViewPtr& menuScroll() const { return menuScroll_; }
    // Null when the options hide it.
    const UIButtonPtr& swapButton() const { return swapButton_; }
    // Every ratio's item, those the strip does not show included.
    const std::vector<CLRatioMenuItemPtr>& ratioItems() const { return ratioItems_; }

private:
    void makeSwapButton(UIView& area);
    CLRatioMenuItemPtr makeRatioItem(const Value& entry, bool swapHidden, bool landscapePicture);
    void showThumbnail(const UIImagePtr& picture);

    UIViewPtr menuContainer_;
    UIScrollViewPtr menuScroll_;
    UIButtonPtr swapButton_;
    CLClippingPanelPtr gridView_;
    CLRatioMenuItemPtr selectedMenu_;
    std::vector<CLRatioMenuItemPtr> ratioItems_;
    CLBackgroundRender render_ = CLBackgroundRender::everyRequest();
};
