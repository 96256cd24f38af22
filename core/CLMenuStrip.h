#pragma once

#include <span>
#include <string>
#include <vector>

#include "core/CLImageToolInfo.h"
#include "core/CLToolbarMenuItem.h"
#include "platform/ui/controls/UIScrollView.h"
#include "platform/ui/gestures/UIGestureRecognizer.h"

class CLEditorServices;
class CLImageToolBase;

// A horizontal strip of menu items, the editor's and the tools': items 70 points wide
// and as high as the strip, left to right, in a scroll view whose content is always at
// least a point wider than the strip, so it always scrolls.
class CLMenuStrip {
public:
    static constexpr double kItemWidth = 70;

    enum class Spacing {
        Packed,
        // Equal gaps around the items while the room left over is less than two items'
        // width; with more room they pack from the left.
        SpreadWhenFew,
    };

    // A tool's strip over the editor's: same frame and colour, no scroll indicator,
    // added to the editor's view. Slide it in with CLToolAnimations.
    static UIScrollViewPtr makeToolStrip(CLEditorServices& editor);

    // Replaces strip's items with one per available descriptor; every tap calls action.
    static std::vector<CLToolbarMenuItemPtr> fill(UIScrollView& strip,
                                                  const std::vector<CLImageToolInfoPtr>& infos,
                                                  const UIGestureRecognizer::Action& action,
                                                  Spacing spacing);

    // Packed items without descriptors, one per entry, tagged 0, 1, … in order.
    struct Entry {
        std::string title;
        UIImagePtr icon;
    };
    static std::vector<CLToolbarMenuItemPtr> fill(UIScrollView& strip,
                                                  const std::vector<Entry>& entries,
                                                  const UIGestureRecognizer::Action& action);

    // A tool's item as its table gives it: the title's key and default, and the icon's
    // settings key and bundle file (no icon without a key).
    struct ItemSpec {
        const char* titleKey;
        const char* defaultTitle;
        const char* iconKey;
        const char* iconName;
    };
    // The entries of tool's items: localized titles, icons from its settings or bundle.
    static std::vector<Entry> entries(const CLImageToolBase& tool, std::span<const ItemSpec> specs);

    // Lays items out in strip, which they replace.
    static void arrange(UIScrollView& strip, const std::vector<UIViewPtr>& items, Spacing spacing);

    // Marks the item of the choice in effect now, and no other.
    static void markChoice(const UIScrollView& strip, const UIView* chosen);
};
