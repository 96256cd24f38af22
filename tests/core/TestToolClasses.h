#pragma once

#include <memory>
#include <string>

#include "core/CLImageToolBase.h"
#include "core/CLImageToolClassOf.h"
#include "core/CLImageToolInfo.h"
#include "platform/foundation/ClassRegistry.h"

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

struct RotateTool : CLImageToolBase {
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

struct UnlistedTool : CLImageToolBase {
    using CLImageToolBase::CLImageToolBase;
    static bool isAvailable() { return true; }
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

inline const RuntimeClass* named(const std::string& name) {
    return registry().classNamed(name);
}

}  // namespace testtools
