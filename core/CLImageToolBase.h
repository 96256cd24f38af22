#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/CLEditorServices.h"
#include "core/CLImageToolClass.h"
#include "core/CLImageToolError.h"
#include "core/CLImageToolInfo.h"
#include "platform/foundation/ClassRegistry.h"
#include "platform/foundation/RuntimeClass.h"
#include "platform/foundation/Value.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/gestures/UIGestureRecognizer.h"

// The base of every editing tool. A tool is created by its class's factory when its
// menu item is tapped and lives while it is the editor's current tool; it refers to
// the editor (through the services it offers tools) and to its descriptor weakly,
// since the editor owns both the tool and the descriptor tree.
//
// The static members are the tool protocol's defaults; CLImageToolClassOf<Tool> reaches
// a tool's own answers, or these, by name lookup. The two that depend on the class
// asked receive it, as a derived class inherits them.
class CLImageToolBase : public std::enable_shared_from_this<CLImageToolBase> {
public:
    // How a tool delivers its result: the full-size picture, or an error when it can't
    // make one, and a user-info dictionary the editor ignores. It must be called on the
    // main thread (the editor moves a call from another thread there) and once.
    static constexpr const char* kClassName = "CLImageToolBase";

    using CompletionBlock = std::function<void(
        UIImagePtr image, std::optional<CLImageToolError> error, ValueDictionary userInfo)>;

    // The classes whose docked numbers are their places in this list (0 to 6).
    static constexpr const char* kDockedToolNames[] = {
        "CLFilterTool", "CLAdjustmentTool", "CLEffectTool",    "CLBlurTool",
        "CLRotateTool", "CLClippingTool",   "CLToneCurveTool",
    };

    // "<bundle>/<class name>/<icon colour>/icon.png"; nothing without a resource bundle.
    static std::optional<std::string> defaultIconImagePath(const RuntimeClass& toolClass);
    // The class's place in kDockedToolNames, else the not-found index (the largest signed
    // 64-bit integer) read as unsigned, 9223372036854775808.0, so it sorts last.
    static double defaultDockedNumber(const RuntimeClass& toolClass);
    static std::string defaultTitle() { return "DefaultTitle"; }
    // The base itself is never a tool of the menu.
    static bool isAvailable() { return false; }
    static CLImageToolInfoArray subtools() { return {}; }
    static std::optional<ValueDictionary> optionalInfo() { return std::nullopt; }

    CLImageToolBase(const CLImageToolClass& toolClass, std::weak_ptr<CLEditorServices> editor,
                    const CLImageToolInfoPtr& toolInfo);
    virtual ~CLImageToolBase();
    CLImageToolBase(const CLImageToolBase&) = delete;
    CLImageToolBase& operator=(const CLImageToolBase&) = delete;

    const CLImageToolClass& toolClass() const { return toolClass_; }
    std::shared_ptr<CLEditorServices> editor() const { return editor_.lock(); }
    // The registry the tool's class belongs to: the one to look its sub-classes up in.
    const ClassRegistry& registry() const;
    CLImageToolInfoPtr toolInfo() const { return toolInfo_.lock(); }

    // Called right after the tool becomes current, and when it stops being current.
    virtual void setup();
    virtual void cleanup();
    // Called when the user confirms the tool ("OK"). The base hands back the picture
    // the editor's image view shows, at once and on the calling thread; tools override
    // it to render their result (often in the background).
    virtual void executeWithCompletionBlock(CompletionBlock completion);

    // An action for a tapped strip item: calls method of this tool (of class Tool) with
    // the item, while the tool lives.
    template <typename Tool>
    UIGestureRecognizer::Action itemAction(void (Tool::*method)(UIView& item)) {
        return [weak = weak_from_this(), method](UIGestureRecognizer& sender) {
            const auto tool = std::static_pointer_cast<Tool>(weak.lock());
            if (tool && sender.view()) {
                ((*tool).*method)(*sender.view());
            }
        };
    }

    // The setting under key in the descriptor's optionalInfo; null when the descriptor,
    // its settings or the key are missing.
    Value option(const std::string& key) const;

    // A button or icon image: the application's image named by a non-empty string under
    // key in the descriptor's optionalInfo, else defaultImageName from this tool class's
    // folder in the resource bundle.
    UIImagePtr imageForKeyDefaultImageName(const std::string& key,
                                           const std::string& defaultImageName) const;

private:
    const CLImageToolClass& toolClass_;
    std::weak_ptr<CLEditorServices> editor_;
    std::weak_ptr<CLImageToolInfo> toolInfo_;
};
