#include "core/CLMenuStrip.h"

#include <algorithm>

#include "core/CLEditorServices.h"
#include "core/CLImageToolBase.h"
#include "core/ZOZuzazOzarozTheme.h"

UIScrollViewPtr CLMenuStrip::makeToolStrip(CLEditorServices& editor) {
    const auto editorStrip = editor.menuView();
    auto strip = std::make_shared<UIScrollView>(editorStrip ? editorStrip->frame() : CGRect());
    if (editorStrip) {
        strip->setBackgroundColor(editorStrip->backgroundColor());
    }
    strip->setShowsHorizontalScrollIndicator(false);
    editor.view()->addSubview(strip);
    return strip;
}

std::vector<CLToolbarMenuItemPtr> CLMenuStrip::fill(UIScrollView& strip,
                                                    const std::vector<CLImageToolInfoPtr>& infos,
                                                    const UIGestureRecognizer::Action& action,
                                                    Spacing spacing) {
    std::vector<CLToolbarMenuItemPtr> items;
    for (const CLImageToolInfoPtr& info : infos) {
        if (info->available()) {
            items.push_back(ZOZuzazOzarozTheme::menuItemWithFrameTargetActionToolInfo(
                CGRect{0, 0, kItemWidth, strip.bounds().height()}, action, info));
        }
    }
    arrange(strip, {items.begin(), items.end()}, spacing);
    return items;
}

std::vector<CLToolbarMenuItemPtr> CLMenuStrip::fill(UIScrollView& strip,
                                                    const std::vector<Entry>& entries,
                                                    const UIGestureRecognizer::Action& action) {
    std::vector<CLToolbarMenuItemPtr> items;
    for (const Entry& entry : entries) {
        auto item = ZOZuzazOzarozTheme::menuItemWithFrameTargetActionToolInfo(
            CGRect{0, 0, kItemWidth, strip.bounds().height()}, action, nullptr);
        item->setTag(static_cast<int>(items.size()));
        item->setTitle(entry.title);
        item->setIconImage(entry.icon);
        items.push_back(std::move(item));
    }
    arrange(strip, {items.begin(), items.end()}, Spacing::Packed);
    return items;
}

std::vector<CLMenuStrip::Entry> CLMenuStrip::entries(const CLImageToolBase& tool,
                                                     std::span<const ItemSpec> specs) {
    std::vector<Entry> made;
    for (const ItemSpec& spec : specs) {
        made.push_back(
            {ZOZuzazOzarozTheme::localizedStringWithDefault(spec.titleKey, spec.defaultTitle),
             spec.iconKey ? tool.imageForKeyDefaultImageName(spec.iconKey, spec.iconName)
                          : nullptr});
    }
    return made;
}

void CLMenuStrip::arrange(UIScrollView& strip, const std::vector<UIViewPtr>& items,
                          Spacing spacing) {
    for (const UIViewPtr& old : strip.subviews()) {
        old->removeFromSuperview();
    }
    const double width = strip.bounds().width();
    const double height = strip.bounds().height();
    const auto count = static_cast<double>(items.size());
    const double spare = width - kItemWidth * count;
    const bool spread = spacing == Spacing::SpreadWhenFew && spare > 0 && spare < 2 * kItemWidth;
    const double gap = spread ? spare / (count + 1) : 0;
    double x = 0;
    for (const UIViewPtr& item : items) {
        item->setFrame({x + gap, 0, kItemWidth, height});
        strip.addSubview(item);
        x += kItemWidth + gap;
    }
    strip.setContentSize({std::max(x, width + 1), 0});
}

void CLMenuStrip::markChoice(const UIScrollView& strip, const UIView* chosen) {
    for (const UIViewPtr& view : strip.subviews()) {
        if (const auto item = std::dynamic_pointer_cast<CLToolbarMenuItem>(view)) {
            item->setSelected(item.get() == chosen);
        }
    }
}
