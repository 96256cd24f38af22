#include <gtest/gtest.h>

#include "app/actionsheet/UICustomActionSheet.h"
#include "app/translucent/KRTranslucentView.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/view/UIViewRenderer.h"
#include "tests/platform/ui/gestures/TouchScript.h"
#include "tests/platform/ui/view/ViewTestSupport.h"

namespace {

class RecordingDelegate : public UICustomActionSheetDelegate {
public:
    void customActionSheetClickedButtonAtIndex(UICustomActionSheet&, std::size_t index) override {
        indices.push_back(index);
    }
    std::vector<std::size_t> indices;
};

const std::vector<std::string> kBeginTitles{"Cancel", "Photo Library", "Camera"};

CGPoint middleOf(const CGRect& rect) {
    return {rect.midX(), rect.midY()};
}

class UICustomActionSheetTest : public testing::Test {
protected:
    void SetUp() override {
        AnimationClock::shared().runToEnd();
        window->makeKeyWindow();
        window->addSubview(screen);
    }
    void TearDown() override { AnimationClock::shared().runToEnd(); }

    UICustomActionSheetPtr showSheet(const std::string& title, std::vector<std::string> titles,
                                     std::vector<UIColor> colors = {},
                                     const std::string& subtitle = {}) {
        auto sheet = UICustomActionSheet::create(title, delegate, std::move(titles));
        sheet->setButtonColors(std::move(colors));
        sheet->setSubtitle(subtitle);
        sheet->showInView(screen);
        AnimationClock::shared().runToEnd();
        return sheet;
    }

    // A frame in the window's coordinates.
    CGRect onScreen(const UIViewPtr& view) const {
        return view->convertRectToView(view->bounds(), window.get());
    }

    void tap(CGPoint point) {
        TouchScript(window).down(1, point).up(1, point);
        AnimationClock::shared().runToEnd();
        drainMainQueue();
    }

    static std::vector<UILabelPtr> labelsOf(const UICustomActionSheet& sheet) {
        std::vector<UILabelPtr> labels;
        for (const UIViewPtr& view : sheet.panel()->subviews()) {
            if (auto label = std::dynamic_pointer_cast<UILabel>(view)) {
                labels.push_back(label);
            }
        }
        return labels;
    }

    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>();
    UIViewPtr screen = std::make_shared<UIView>(CGRect{{0, 0}, UIWindow::kPhoneSize});
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
};

TEST_F(UICustomActionSheetTest, BeginScreenSheetStacksButtonsUpFromTheBottom) {
    const auto sheet = showSheet("Pick a picture", kBeginTitles, {UIColor::redColor()});
    EXPECT_EQ(sheet->frame(), window->frame());
    ASSERT_EQ(sheet->buttons().size(), 3u);

    const CGRect cancel = onScreen(sheet->buttons()[0]);
    const CGRect library = onScreen(sheet->buttons()[1]);
    const CGRect camera = onScreen(sheet->buttons()[2]);
    EXPECT_EQ(cancel, (CGRect{10, 844 - 10 - 45, 370, 45}));
    EXPECT_EQ(library, (CGRect{10, cancel.minY() - 8 - 45, 370, 45}));
    EXPECT_EQ(camera, (CGRect{10, library.minY() - 8 - 45, 370, 45}));
    EXPECT_EQ(sheet->buttons()[0]->currentTitle(), "Cancel");
    EXPECT_EQ(sheet->buttons()[2]->currentTitle(), "Camera");
    EXPECT_EQ(sheet->buttons()[0]->layer().cornerRadius(), 3);
    EXPECT_EQ(sheet->buttons()[1]->titleColorForState(UIControlStateNormal), UIColor::whiteColor());

    const std::vector<UILabelPtr> labels = labelsOf(*sheet);
    ASSERT_EQ(labels.size(), 1u);
    const UILabelPtr& title = labels[0];
    EXPECT_EQ(title->text(), "Pick a picture");
    EXPECT_EQ(title->font().pointSize(), 22);
    EXPECT_EQ(title->textColor(), UIColor::whiteColor());
    EXPECT_EQ(title->numberOfLines(), 4);
    EXPECT_GT(title->bounds().height(), 20);

    const CGRect panel = onScreen(sheet->panel());
    EXPECT_EQ(panel.maxY(), 844);
    EXPECT_EQ(panel.width(), 390);
    EXPECT_EQ(onScreen(title).minY(), panel.minY() + 12);
    EXPECT_EQ(onScreen(title).maxY() + 12, camera.minY());
    EXPECT_EQ(onScreen(title).width(), 370);
    EXPECT_EQ(sheet->panelCenter(), sheet->panel()->center());
    EXPECT_EQ(sheet->panelHeight(), panel.height() / 2);

    // The backdrop fills the sheet behind everything.
    const auto backdrop = std::dynamic_pointer_cast<KRTranslucentView>(sheet->backgroundImage());
    ASSERT_TRUE(backdrop);
    EXPECT_EQ(sheet->allSubviews().front(), backdrop);
    EXPECT_EQ(backdrop->frame(), sheet->bounds());
    EXPECT_EQ(backdrop->translucentAlpha(), 0.9);
    EXPECT_EQ(backdrop->translucentStyle(), UIBarStyle::Black);
    EXPECT_EQ(backdrop->alpha(), 1);
}

TEST_F(UICustomActionSheetTest, ShortColourListColoursOnlyTheFirstButtons) {
    auto sheet = UICustomActionSheet::create("", delegate, {"a", "b", "c"});
    sheet->setTintColor(UIColor::orangeColor());
    sheet->setButtonColors({UIColor::redColor(), UIColor::greenColor()});
    sheet->showInView(screen);
    ASSERT_EQ(sheet->buttons().size(), 3u);
    EXPECT_EQ(sheet->buttons()[0]->backgroundColor(), UIColor::redColor());
    EXPECT_EQ(sheet->buttons()[1]->backgroundColor(), UIColor::greenColor());
    EXPECT_EQ(sheet->buttons()[2]->backgroundColor(), UIColor::orangeColor());

    auto plain = UICustomActionSheet::create("", delegate, {"a", "b"});
    plain->showInView(screen);
    EXPECT_EQ(plain->buttons()[1]->backgroundColor(), UIColor::grayColor());
}

TEST_F(UICustomActionSheetTest, PanelTopFollowsTitleSubtitleOrTopButton) {
    const auto subtitled = showSheet("", {"a", "b"}, {}, "Where from?");
    const std::vector<UILabelPtr> labels = labelsOf(*subtitled);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0]->font().pointSize(), 14);
    EXPECT_EQ(labels[0]->textColor(), UIColor::lightGrayColor());
    const CGRect panel = onScreen(subtitled->panel());
    EXPECT_EQ(onScreen(labels[0]).minY(), panel.minY() + 12);
    EXPECT_EQ(onScreen(labels[0]).maxY() + 12, onScreen(subtitled->buttons()[1]).minY());

    const auto both = showSheet("Title", {"a"}, {}, "Sub");
    const std::vector<UILabelPtr> pair = labelsOf(*both);
    ASSERT_EQ(pair.size(), 2u);
    const UILabelPtr& subtitle = pair[0]->text() == "Sub" ? pair[0] : pair[1];
    const UILabelPtr& title = pair[0]->text() == "Sub" ? pair[1] : pair[0];
    EXPECT_EQ(onScreen(title).minY(), onScreen(both->panel()).minY() + 12);
    EXPECT_EQ(onScreen(title).maxY(), onScreen(subtitle).minY());
    EXPECT_EQ(onScreen(subtitle).maxY() + 12, onScreen(both->buttons()[0]).minY());

    const auto bare = showSheet("", {"a", "b"});
    EXPECT_EQ(onScreen(bare->buttons()[1]).minY(), onScreen(bare->panel()).minY() + 10);
    EXPECT_EQ(onScreen(bare->panel()).height(), 10 + 45 + 8 + 45 + 10);

    // One button and no text: the panel keeps the same margin above it.
    const auto single = showSheet("", {"only"});
    EXPECT_EQ(onScreen(single->panel()).height(), 10 + 45 + 10);
    // No buttons: no text is shown and the panel has no height.
    const auto empty = showSheet("Title", {}, {}, "Sub");
    EXPECT_TRUE(labelsOf(*empty).empty());
    EXPECT_EQ(empty->panel()->bounds().height(), 0);
}

TEST_F(UICustomActionSheetTest, EntranceAndExitSlideThePanelAndFadeTheBackdrop) {
    auto sheet = UICustomActionSheet::create("Pick a picture", delegate, kBeginTitles);
    sheet->showInView(screen);
    const UIViewPtr backdrop = sheet->backgroundImage();
    const double height = 2 * sheet->panelHeight();
    EXPECT_EQ(sheet->panel()->presentationCenter().y, sheet->panelCenter().y + height);
    EXPECT_EQ(backdrop->presentationAlpha(), 0);
    AnimationClock::shared().advance(UICustomActionSheet::kAnimationDuration / 2);
    EXPECT_GT(backdrop->presentationAlpha(), 0);
    EXPECT_LT(backdrop->presentationAlpha(), 1);
    AnimationClock::shared().runToEnd();
    EXPECT_EQ(sheet->panel()->presentationCenter(), sheet->panelCenter());
    EXPECT_EQ(backdrop->presentationAlpha(), 1);

    const CGRect resting = sheet->panel()->frame();
    sheet->hideAlert();
    EXPECT_EQ(sheet->panel()->frame(), resting.offsetBy(0, resting.height()));
    EXPECT_EQ(backdrop->alpha(), 0);
    EXPECT_TRUE(sheet->superview());
    AnimationClock::shared().runToEnd();
    drainMainQueue();
    EXPECT_FALSE(sheet->superview());
    EXPECT_TRUE(delegate->indices.empty());
}

TEST_F(UICustomActionSheetTest, ButtonTapReportsTheFirstEqualTitleOnce) {
    const auto sheet = showSheet("", {"Same", "Other", "Same"});
    // Every button has a place of its own, equal titles too.
    EXPECT_LT(onScreen(sheet->buttons()[2]).maxY(), onScreen(sheet->buttons()[1]).minY());

    const CGPoint top = middleOf(onScreen(sheet->buttons()[2]));
    tap(top);
    EXPECT_EQ(delegate->indices, std::vector<std::size_t>{0});
    EXPECT_FALSE(sheet->superview());
    tap(top);
    EXPECT_EQ(delegate->indices, std::vector<std::size_t>{0});

    const auto other = showSheet("", {"Same", "Other", "Same"});
    tap(middleOf(onScreen(other->buttons()[1])));
    EXPECT_EQ(delegate->indices, (std::vector<std::size_t>{0, 1}));
}

TEST_F(UICustomActionSheetTest, TapOutsideTheButtonsClosesWithoutReport) {
    const auto sheet = showSheet("Pick a picture", kBeginTitles);
    tap({195, 100});
    EXPECT_TRUE(delegate->indices.empty());
    EXPECT_FALSE(sheet->superview());

    // The panel around the buttons is outside them too.
    const auto again = showSheet("Pick a picture", kBeginTitles);
    tap({3, onScreen(again->buttons()[0]).midY()});
    EXPECT_TRUE(delegate->indices.empty());
    EXPECT_FALSE(again->superview());
}

TEST_F(UICustomActionSheetTest, RendersOverAPhoto) {
    const UIImagePtr photo =
        UIImage::imageWithContentsOfFile(PHOTOEDITOR_SOURCE_RESOURCES "/img_lumet.jpg");
    ASSERT_TRUE(photo);
    auto imageView = std::make_shared<UIImageView>(screen->bounds());
    imageView->setImage(photo);
    imageView->setContentMode(UIViewContentMode::ScaleAspectFill);
    imageView->setClipsToBounds(true);
    screen->addSubview(imageView);
    const UIImagePtr before = UIViewRenderer::renderToImage(*window, 1);

    auto sheet = UICustomActionSheet::create("Pick a picture", delegate, kBeginTitles);
    sheet->setButtonColors({UIColor::redColor()});
    sheet->setBackgroundColor(UIColor::clearColor());
    sheet->showInView(screen);
    AnimationClock::shared().runToEnd();
    const UIImagePtr shown = UIViewRenderer::renderToImage(*window, 2);
    ASSERT_TRUE(before && shown);
    // The photo is darkened behind the sheet; "Cancel" is red.
    const auto brightness = [](const viewtest::Rgba& p) { return p.red + p.green + p.blue; };
    EXPECT_LT(brightness(viewtest::pixelAt(*shown, 2 * 195, 2 * 300)),
              brightness(viewtest::pixelAt(*before, 195, 300)) / 2 + 60);
    const viewtest::Rgba cancel = viewtest::pixelAt(*shown, 2 * 30, 2 * (844 - 20));
    EXPECT_GT(cancel.red, 200);
    EXPECT_LT(cancel.green, 60);
}

}  // namespace
