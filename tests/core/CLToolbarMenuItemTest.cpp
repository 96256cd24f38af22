#include <gtest/gtest.h>

#include "core/CLToolbarMenuItem.h"
#include "core/UIViewCLImageToolInfo.h"
#include "core/ZOZuzazOzarozTheme.h"
#include "tests/core/BundleFixture.h"
#include "tests/platform/ui/gestures/TouchScript.h"

namespace {

CLImageToolInfoPtr toolWithIcon(const std::optional<std::string>& iconPath) {
    auto info = std::make_shared<CLImageToolInfo>();
    info->setToolName("CLDrawTool");
    info->setTitle("Draw");
    info->setIconImagePath(iconPath);
    return info;
}

TEST(CLToolbarMenuItem, LaysOutIconAndTitleForTheWidth) {
    CLToolbarMenuItem item(CGRect{140, 0, 70, 80});
    const auto& icon = *item.iconView();
    EXPECT_EQ(icon.frame(), (CGRect{10, 5, 50, 50}));
    EXPECT_TRUE(icon.clipsToBounds());
    EXPECT_EQ(icon.layer().cornerRadius(), 5);
    EXPECT_EQ(icon.contentMode(), UIViewContentMode::ScaleAspectFill);

    const auto& title = *item.titleLabel();
    EXPECT_EQ(title.frame(), (CGRect{0, 60, 70, 15}));
    EXPECT_EQ(title.textAlignment(), NSTextAlignment::Center);
    EXPECT_EQ(title.textColor(), UIColor::blackColor());
    EXPECT_EQ(title.font().pointSize(), 10);
    EXPECT_EQ(item.subviews().size(), 2u);

    CLToolbarMenuItem wide(CGRect{0, 0, 100, 100});
    EXPECT_EQ(wide.iconView()->frame(), (CGRect{10, 5, 80, 80}));
    EXPECT_EQ(wide.titleLabel()->frame(), (CGRect{0, 90, 100, 15}));
}

using MenuItemToolInfoTest = AppResourcesTest;

TEST_F(MenuItemToolInfoTest, ShowsTheDescriptorsTitleAndIconWithoutStaleOnes) {
    const std::string icon = kResourceBundle + "/CLDrawTool/black/icon.png";
    CLToolbarMenuItem item(CGRect{0, 0, 70, 80});
    const auto withIcon = toolWithIcon(icon);
    item.setToolInfo(withIcon);
    EXPECT_EQ(item.title(), "Draw");
    EXPECT_NE(item.iconImage(), nullptr);
    EXPECT_EQ(item.toolInfo(), withIcon);
    EXPECT_EQ(UIViewCLImageToolInfo::toolInfo(item), withIcon);

    auto withoutIcon = toolWithIcon(std::nullopt);
    withoutIcon->setTitle(std::nullopt);
    item.setToolInfo(withoutIcon);
    EXPECT_EQ(item.title(), "");
    EXPECT_EQ(item.iconImage(), nullptr);

    item.setToolInfo(withIcon);
    item.setToolInfo(toolWithIcon(""));
    EXPECT_EQ(item.iconImage(), nullptr) << "an empty path leaves no icon";
}

TEST(CLToolbarMenuItem, SelectionAndDimming) {
    CLToolbarMenuItem item(CGRect{0, 0, 70, 80});
    const UIColor selectedColor = ZOZuzazOzarozTheme::theme().toolbarSelectedButtonColor();
    EXPECT_FALSE(item.isSelected());
    item.setSelected(true);
    EXPECT_TRUE(item.isSelected());
    EXPECT_EQ(item.backgroundColor(), selectedColor);

    // Setting the current value leaves the background alone.
    item.setBackgroundColor(UIColor::redColor());
    item.setSelected(true);
    EXPECT_EQ(item.backgroundColor(), UIColor::redColor());
    item.setSelected(false);
    EXPECT_EQ(item.backgroundColor(), UIColor::clearColor());
    item.setBackgroundColor(UIColor::redColor());
    item.setSelected(false);
    EXPECT_EQ(item.backgroundColor(), UIColor::redColor());

    item.setUserInteractionEnabled(false);
    EXPECT_FALSE(item.isUserInteractionEnabled());
    EXPECT_DOUBLE_EQ(item.alpha(), 0.3);
    item.setUserInteractionEnabled(true);
    EXPECT_TRUE(item.isUserInteractionEnabled());
    EXPECT_DOUBLE_EQ(item.alpha(), 1.0);
}

TEST(CLToolbarMenuItem, TapSendsTheActionWithTheRecognizer) {
    auto window = std::make_shared<UIWindow>(CGRect{0, 0, 300, 200});
    int taps = 0;
    UIView* tappedView = nullptr;
    const auto info = toolWithIcon(std::nullopt);
    const auto item = ZOZuzazOzarozTheme::menuItemWithFrameTargetActionToolInfo(
        CGRect{70, 0, 70, 80},
        [&](UIGestureRecognizer& recognizer) {
            ++taps;
            tappedView = recognizer.view().get();
        },
        info);
    window->addSubview(item);

    TouchScript touches(window);
    touches.down(1, {100, 40}).up(1, {100, 40});
    EXPECT_EQ(taps, 1);
    EXPECT_EQ(tappedView, item.get());

    touches.wait(1).down(1, {20, 40}).up(1, {20, 40});
    EXPECT_EQ(taps, 1) << "a tap beside the item";
    item->setUserInteractionEnabled(false);
    touches.wait(1).down(1, {100, 40}).up(1, {100, 40});
    EXPECT_EQ(taps, 1) << "a dimmed item takes no taps";
}

}  // namespace
