#include "core/CLMenuStrip.h"

#include <algorithm>
#include <iterator>

#include "core/CLEditorServices.h"
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
    for (const UIViewPtr& item : strip.subviews()) {
        item->removeFromSuperview();
    }
    std::vector<CLImageToolInfoPtr> shown;
    std::copy_if(infos.begin(), infos.end(), std::back_inserter(shown),
                 [](const CLImageToolInfoPtr& info) { return info->available(); });
    const double width = strip.bounds().width();
    const double height = strip.bounds().height();
    const auto count = static_cast<double>(shown.size());
    const double spare = width - kItemWidth * count;
    const bool spread = spacing == Spacing::SpreadWhenFew && spare > 0 && spare < 2 * kItemWidth;
    const double gap = spread ? spare / (count + 1) : 0;
    std::vector<CLToolbarMenuItemPtr> items;
    double x = 0;
    for (const CLImageToolInfoPtr& info : shown) {
        auto item = ZOZuzazOzarozTheme::menuItemWithFrameTargetActionToolInfo(
            CGRect{x + gap, 0, kItemWidth, height}, action, info);
        strip.addSubview(item);
        items.push_back(std::move(item));
        x += kItemWidth + gap;
    }
    strip.setContentSize({std::max(x, width + 1), 0});
    return items;
}

void CLMenuStrip::markChoice(const UIScrollView& strip, const UIView* chosen) {
    for (const UIViewPtr& view : strip.subviews()) {
        if (const auto item = std::dynamic_pointer_cast<CLToolbarMenuItem>(view)) {
            item->setSelected(item.get() == chosen);
        }
    }
}
