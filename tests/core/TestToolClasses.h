#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/CLImageToolBase.h"
#include "core/CLImageToolClassOf.h"
#include "core/CLImageToolInfo.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/foundation/ClassRegistry.h"
#include "platform/graphics/UIColor.h"

// A small class registry of test tools, in this discovery order:
//   CLImageToolBase
//     CLFilterTool (0), CLRotateTool (4), HiddenTool (unavailable)
//       HiddenChildTool (5.5)
//     StickerLikeTool (7), EmoticonLikeTool (7), UnlistedTool (no docked number)
//     PlainClass (no tool protocol)
//   EffectLikeBase (available itself) > EffectLikeChild
//   _ZOZuzazOzarozViewController (the editor's root class)
namespace testtools {

ClassRegistry& registry();
// How often HiddenTool was asked for its sub-tools.
int& hiddenSubtoolsAsked();

struct FilterTool : CLImageToolBase {
    using CLImageToolBase::CLImageToolBase;
    static bool isAvailable() { return true; }
    static std::string defaultTitle() { return "Filter"; }
    static std::optional<ValueDictionary> optionalInfo() {
        return ValueDictionary{{"arrowIconAssetsName", ""}, {"limitSize", 2048}};
    }
    bool setUp = false;
    void setup() override { setUp = true; }
};

// CLRotateTool, and UnlistedTool.
struct AvailableTool : CLImageToolBase {
    using CLImageToolBase::CLImageToolBase;
    static bool isAvailable() { return true; }
};

struct HiddenTool : CLImageToolBase {
    using CLImageToolBase::CLImageToolBase;
    static CLImageToolInfoArray subtools() {
        ++hiddenSubtoolsAsked();
        return {};
    }
};

struct HiddenChildTool : HiddenTool {
    using HiddenTool::HiddenTool;
    static bool isAvailable() { return true; }
    static double defaultDockedNumber(const RuntimeClass&) { return 5.5; }
    // Its own answer, so the count above is HiddenTool's alone.
    static CLImageToolInfoArray subtools() { return {}; }
};

struct SevenTool : CLImageToolBase {
    using CLImageToolBase::CLImageToolBase;
    static bool isAvailable() { return true; }
    static double defaultDockedNumber(const RuntimeClass&) { return 7; }
};

// Not a tool: answers the protocol, but has no constructor for the factory.
struct EffectLike {
    static std::optional<std::string> defaultIconImagePath(const RuntimeClass&) {
        return std::nullopt;
    }
    static double defaultDockedNumber(const RuntimeClass&) { return 0; }
    static std::string defaultTitle() { return "None"; }
    static bool isAvailable() { return true; }
    static CLImageToolInfoArray subtools() { return {}; }
    static std::optional<ValueDictionary> optionalInfo() { return std::nullopt; }
};

struct EditorRoot : EffectLike {
    static std::string defaultTitle() { return "Edit"; }
    static CLImageToolInfoArray subtools() {
        return CLImageToolInfo::toolsWithToolClass(registry().classNamed("CLImageToolBase"),
                                                   registry());
    }
};

// The editor's registry: the editor class, tools whose results are known, and tools
// named after real ones (with the bundle's icons) that do nothing:
//   CLImageToolBase
//     PictureTool (10), ErrorTool (11), SilentTool (12), BackgroundTool (13),
//     PreviewTool (14), CLFilterTool, CLAdjustmentTool, CLEffectTool, CLBlurTool,
//     CLRotateTool, CLClippingTool (0 to 5), CLDrawTool, CLSplashTool, CLResizeTool
//     (unlisted, last)
//   _ZOZuzazOzarozViewController
ClassRegistry& editorRegistry();
// "<class name> setup" and "<class name> cleanup", in the order the tools heard them.
std::vector<std::string>& toolLog();
UIImagePtr solidPicture(CGSize size, const UIColor& color);
// What PictureTool and BackgroundTool deliver: 60 x 30.
const UIImagePtr& toolResult();
// What PreviewTool shows in the editor's image view: 30 x 60.
const UIImagePtr& toolPreview();

struct LoggingTool : CLImageToolBase {
    using CLImageToolBase::CLImageToolBase;
    static bool isAvailable() { return true; }
    void setup() override { toolLog().push_back(toolClass().name() + " setup"); }
    void cleanup() override { toolLog().push_back(toolClass().name() + " cleanup"); }
};

// Locks the zoom while it is current and delivers toolResult at once.
struct PictureTool : LoggingTool {
    using LoggingTool::LoggingTool;
    static double defaultDockedNumber(const RuntimeClass&) { return 10; }
    static std::string defaultTitle() { return "Picture"; }
    void setup() override;
    void cleanup() override;
    void executeWithCompletionBlock(CompletionBlock completion) override {
        completion(toolResult(), std::nullopt, {});
    }
};

struct ErrorTool : LoggingTool {
    using LoggingTool::LoggingTool;
    static double defaultDockedNumber(const RuntimeClass&) { return 11; }
    void executeWithCompletionBlock(CompletionBlock completion) override {
        completion(nullptr, CLImageToolError("Can't render"), {});
    }
};

struct SilentTool : LoggingTool {
    using LoggingTool::LoggingTool;
    static double defaultDockedNumber(const RuntimeClass&) { return 12; }
    void executeWithCompletionBlock(CompletionBlock completion) override {
        completion(nullptr, std::nullopt, {});
    }
};

// Renders on the global queue, holding itself as real renders do, and calls the
// completion from the worker thread.
struct BackgroundTool : LoggingTool {
    using LoggingTool::LoggingTool;
    static double defaultDockedNumber(const RuntimeClass&) { return 13; }
    void executeWithCompletionBlock(CompletionBlock completion) override {
        DispatchQueue::global().async([self = shared_from_this(), completion] {
            completion(toolResult(), std::nullopt, {});
        });
    }
};

// Shows toolPreview and leaves the result to the base.
struct PreviewTool : LoggingTool {
    using LoggingTool::LoggingTool;
    static double defaultDockedNumber(const RuntimeClass&) { return 14; }
    void setup() override;
};

inline const RuntimeClass* named(const std::string& name) {
    return registry().classNamed(name);
}

}  // namespace testtools
