#pragma once

#include <atomic>
#include <memory>

#include "core/CLBackgroundRender.h"
#include "core/CLImageToolBase.h"
#include "platform/ui/controls/UIScrollView.h"
#include "platform/ui/gestures/UIGestureRecognizer.h"

// One-tap filters: a strip with one item per filter of the catalogue, each showing a
// thumbnail of the picture under its filter. A tap renders the filter over the whole
// picture the tool started with, in the background, and shows it; filters never stack.
// "OK" hands back what is shown, which is already full size (the base's answer).
class CLFilterTool : public CLImageToolBase {
public:
    static constexpr const char* kClassName = "CLFilterTool";
    static constexpr double kThumbnailSide = 50;

    static std::string defaultTitle();
    static bool isAvailable();
    // One descriptor per filter class of the tool class's registry.
    static CLImageToolInfoArray subtools(const RuntimeClass& toolClass);

    // The filter a descriptor names applied to image; null when the name is not a
    // filter class of registry. Safe from any thread.
    static UIImagePtr filteredImageWithToolName(
        const UIImagePtr& image, const std::string& toolName,
        const ClassRegistry& registry = ClassRegistry::shared());
    // True while a full-size render of any filter tool runs; taps are ignored then.
    static bool isRendering() { return rendering_.load(); }

    using CLImageToolBase::CLImageToolBase;

    void setup() override;
    void cleanup() override;

    void setFilterMenu();
    void tappedFilterPanel(UIGestureRecognizer& sender);

    const UIImagePtr& originalImage() const { return originalImage_; }
    const UIScrollViewPtr& menuScroll() const { return menuScroll_; }

private:
    static std::atomic<bool> rendering_;

    UIImagePtr originalImage_;
    UIScrollViewPtr menuScroll_;
    CLBackgroundRender thumbnails_ = CLBackgroundRender::everyRequest();
    CLBackgroundRender render_ = CLBackgroundRender::dropWhileBusy(rendering_);
};
