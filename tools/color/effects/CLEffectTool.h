#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "core/CLBackgroundRender.h"
#include "core/CLImageToolBase.h"
#include "core/CLToolbarMenuItem.h"
#include "platform/ui/controls/UIScrollView.h"
#include "platform/ui/gestures/UIGestureRecognizer.h"
#include "tools/color/effects/CLEffectBase.h"

// Tunable effects: a strip with one item per effect class (the first, "None", leaves
// the picture), exactly one selected. The selected effect lays its controls over the
// picture; its preview renders in the background from a copy of the picture at the
// size shown, and "OK" renders it once more on the full-size picture.
class CLEffectTool : public CLImageToolBase, public CLEffectDelegate {
public:
    static constexpr const char* kClassName = "CLEffectTool";

    static std::string defaultTitle();
    static bool isAvailable();
    // One descriptor per effect class of the tool class's registry, "None" first.
    static CLImageToolInfoArray subtools(const RuntimeClass& toolClass);
    // True while a preview of a control change runs; further changes are dropped then.
    static bool isRendering() { return rendering_.load(); }

    using CLImageToolBase::CLImageToolBase;

    void setup() override;
    void cleanup() override;
    void executeWithCompletionBlock(CompletionBlock completion) override;

    void setEffectMenu();
    void tappedMenu(UIGestureRecognizer& sender);
    void setSelectedMenu(const CLToolbarMenuItemPtr& item);
    void setSelectedEffect(const CLEffectBasePtr& effect);
    void effectParameterDidChange(CLEffectBase& effect) override;

    const UIImagePtr& originalImage() const { return originalImage_; }
    const UIImagePtr& thumbnailImage() const { return thumbnailImage_; }
    const UIScrollViewPtr& menuScroll() const { return menuScroll_; }
    const CLToolbarMenuItemPtr& selectedMenu() const { return selectedMenu_; }
    const CLEffectBasePtr& selectedEffect() const { return selectedEffect_; }

private:
    static std::atomic<bool> rendering_;

    // Renders the selected effect's preview under the policy and shows it, unless the
    // effect is no longer selected or a newer preview is already shown.
    void buildThumbnailImage(CLBackgroundRender& policy);

    UIImagePtr originalImage_;
    UIImagePtr thumbnailImage_;
    UIScrollViewPtr menuScroll_;
    CLToolbarMenuItemPtr selectedMenu_;
    CLEffectBasePtr selectedEffect_;
    // Numbers of the previews, in the order they were asked for: the last one asked
    // for, and the one shown.
    std::uint64_t previewsAsked_ = 0;
    std::uint64_t previewShown_ = 0;
    CLBackgroundRender selections_ = CLBackgroundRender::everyRequest();
    CLBackgroundRender changes_ =
        CLBackgroundRender::dropWhileBusy(rendering_, CLBackgroundRender::Refused::CaughtUp);
};
