#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/ClassRegistry.h"
#include "platform/foundation/RuntimeClass.h"
#include "platform/foundation/Value.h"
#include "platform/graphics/UIImage.h"

class CLImageToolInfo;
using CLImageToolInfoPtr = std::shared_ptr<CLImageToolInfo>;
using CLImageToolInfoArray = std::vector<CLImageToolInfoPtr>;

// The description of one tool, filter or effect class: what its menu item shows, where
// it sorts, and the settings the host may change before the editor is shown. A tree
// of them, built from the class registry, is the editor's menu and the tools' menus.
// Main thread only.
class CLImageToolInfo {
public:
    // The editor's own class, whose descriptor is the root of the tree.
    static constexpr const char* kEditorClassName = "_ZOZuzazOzarozViewController";
    // The name the root descriptor reports for it.
    static constexpr const char* kEditorToolName = "ZOZuzazOzaroz";

    // A descriptor built from the class's answers to the tool protocol; null when the
    // class does not offer the protocol or is not available.
    static CLImageToolInfoPtr toolInfoForToolClass(const RuntimeClass* toolClass);
    // The descriptor of toolClass itself (if it gives one), then those of its
    // subclasses in discovery order; classes that give none are skipped.
    static CLImageToolInfoArray toolsWithToolClass(
        const RuntimeClass* toolClass, const ClassRegistry& registry = ClassRegistry::shared());

    // The stored class name, except that the editor's class reads as kEditorToolName.
    std::string toolName() const;
    void setToolName(std::string toolName) { toolName_ = std::move(toolName); }
    const std::optional<std::string>& title() const { return title_; }
    void setTitle(std::optional<std::string> title) { title_ = std::move(title); }
    bool available() const { return available_; }
    void setAvailable(bool available) { available_ = available; }
    double dockedNumber() const { return dockedNumber_; }
    void setDockedNumber(double dockedNumber) { dockedNumber_ = dockedNumber; }
    const std::optional<std::string>& iconImagePath() const { return iconImagePath_; }
    void setIconImagePath(std::optional<std::string> path) { iconImagePath_ = std::move(path); }
    const CLImageToolInfoArray& subtools() const { return subtools_; }
    void setSubtools(CLImageToolInfoArray subtools) { subtools_ = std::move(subtools); }
    std::optional<ValueDictionary>& optionalInfo() { return optionalInfo_; }
    const std::optional<ValueDictionary>& optionalInfo() const { return optionalInfo_; }
    void setOptionalInfo(std::optional<ValueDictionary> info) { optionalInfo_ = std::move(info); }

    // Loaded from iconImagePath on every call; null without a path or a readable file.
    UIImagePtr iconImage() const;

    // Sorts subtools by ascending docked number, keeping the order of equal numbers,
    // stores the result as subtools and returns it.
    const CLImageToolInfoArray& sortedSubtools();
    // The first descendant named toolName, walking subtools in their stored order and
    // (when recursive) each child's subtree right after the child; null when none.
    CLImageToolInfoPtr subToolInfoWithToolNameRecursive(const std::string& toolName,
                                                        bool recursive) const;

    // Diagnostics. These sort the subtools on the way, as sortedSubtools does.
    ValueDictionary descriptionDictionary();
    std::string description();
    std::string toolTreeDescription();
    std::string toolTreeDescriptionWithSpace(const std::string& indent);

private:
    std::string toolName_;
    std::optional<std::string> title_;
    bool available_ = false;
    double dockedNumber_ = 0;
    std::optional<std::string> iconImagePath_;
    CLImageToolInfoArray subtools_;
    std::optional<ValueDictionary> optionalInfo_;
};
