#pragma once

#include <memory>

#include "core/CLBackgroundRender.h"
#include "core/CLImageToolBase.h"
#include "core/CLToolbarMenuItem.h"
#include "platform/ui/controls/UIScrollView.h"
#include "tools/geometry/_CLResizePanel.h"

// Scales the whole picture to a new size. A panel over the picture shows its size and
// the new width and height (chained to keep the proportions, never above the size
// limit); a strip of preset sizes sets the width, or the height when the switch beside
// the strip says so. "OK" scales the picture the tool started with to the fields' size
// in the background; an empty or zero field gives no picture.
class CLResizeTool : public CLImageToolBase {
public:
    static constexpr const char* kClassName = "CLResizeTool";
    static constexpr double kSwitchAreaWidth = 70;
    static constexpr double kSwitchAreaAlpha = 0.97;
    static constexpr double kPresetIconSide = 100;
    static constexpr double kPresetFontSize = 30;
    // What the presets set: the switch button's tag.
    enum PresetSide { kPresetWidth = 0, kPresetHeight = 1 };

    static std::string defaultTitle();
    static bool isAvailable();
    static double defaultDockedNumber(const RuntimeClass&) { return 5.5; }
    static ValueArray defaultPresetSizes();
    static double defaultLimitSize() { return 3200; }
    static std::optional<ValueDictionary> optionalInfo();

    // image scaled to size; null unless both sides are above 0. Safe from any thread.
    static UIImagePtr resizedImage(const UIImagePtr& image, CGSize size);
    // A preset's icon: text in the strip's colour on a square of the menu text colour.
    static UIImagePtr imageWithString(const std::string& text);

    using CLImageToolBase::CLImageToolBase;

    void setup() override;
    void cleanup() override;
    void executeWithCompletionBlock(CompletionBlock completion) override;

    void setResizeMenu();
    // Switches the presets between width and height.
    void pushedSwitchBtn();
    void tappedResizePanel(UIView& item);

    const UIImagePtr& originalImage() const { return originalImage_; }
    const UIScrollViewPtr& menuScroll() const { return menuScroll_; }
    const CLToolbarMenuItemPtr& switchBtn() const { return switchBtn_; }
    const _CLResizePanelPtr& resizePanel() const { return resizePanel_; }

private:
    void makeSwitchButton(UIView& area);
    void showSwitchIcon();

    UIImagePtr originalImage_;
    UIViewPtr menuContainer_;
    UIScrollViewPtr menuScroll_;
    CLToolbarMenuItemPtr switchBtn_;
    _CLResizePanelPtr resizePanel_;
    CLBackgroundRender render_ = CLBackgroundRender::everyRequest();
};
