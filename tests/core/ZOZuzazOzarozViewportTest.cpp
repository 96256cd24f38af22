#include <gtest/gtest.h>

#include "core/ZOZuzazOzarozViewport.h"
#include "tests/core/EditorFixture.h"

namespace {

using testtools::solidPicture;

void expectFrameNear(const CGRect& actual, const CGRect& expected) {
    EXPECT_NEAR(actual.minX(), expected.minX(), 1e-9);
    EXPECT_NEAR(actual.minY(), expected.minY(), 1e-9);
    EXPECT_NEAR(actual.width(), expected.width(), 1e-9);
    EXPECT_NEAR(actual.height(), expected.height(), 1e-9);
}

class TransitionRecorder : public ZOZuzazOzarozTransitionDelegate {
public:
    std::vector<std::string> heard;
    UIImagePtr hostPictureWhenWill;
    void imageEditorWillDismissWithImageViewCanceled(ZOZuzazOzaroz&, const UIImageViewPtr& view,
                                                     bool canceled) override {
        heard.push_back(canceled ? "will canceled" : "will");
        hostPictureWhenWill = view->image();
    }
    void imageEditorDidDismissWithImageViewCanceled(ZOZuzazOzaroz&, const UIImageViewPtr&,
                                                    bool canceled) override {
        heard.push_back(canceled ? "did canceled" : "did");
    }
};

TEST_F(EditorTest, PicturesFitTheViewportAndZoomUntilTheyCoverIt) {
    struct Case {
        CGSize picture;
        double maximumZoom;
    };
    for (const Case& expected : {Case{{2000, 1000}, 6.25}, Case{{100, 50}, 2.5}}) {
        const auto editor = presentEditor(solidPicture(expected.picture, UIColor::greenColor()));
        const auto viewport = editor->scrollView();
        EXPECT_EQ(viewport->frame().size, (CGSize{320, 400}));
        expectFrameNear(editor->imageView()->frame(), {0, 120, 320, 160});
        EXPECT_EQ(viewport->minimumZoomScale(), 1);
        EXPECT_DOUBLE_EQ(viewport->maximumZoomScale(), expected.maximumZoom);
        EXPECT_EQ(viewport->zoomScale(), 1);
        EXPECT_NEAR(viewport->contentSize().height, 160, 1e-9);
        host->dismissViewControllerAnimated(false);
        settle();
    }
}

TEST_F(EditorTest, ZoomingKeepsASmallPictureCentredAndToolsLockTheZoom) {
    const auto editor = presentEditor(solidPicture({2000, 1000}, UIColor::greenColor()));
    const auto viewport = editor->scrollView();
    viewport->setZoomScale(2);
    expectFrameNear(editor->imageView()->frame(), {0, 40, 640, 320});
    viewport->setContentInset({0, 0, 100, 0});
    viewport->setZoomScale(1.5);
    expectFrameNear(editor->imageView()->frame(), {0, 30, 480, 240});

    viewport->setContentInset({});
    viewport->setZoomScale(3);
    editor->resetZoomScaleWithAnimated(false);
    editor->fixZoomScaleWithAnimated(false);
    EXPECT_DOUBLE_EQ(viewport->minimumZoomScale(), 0.95);
    EXPECT_DOUBLE_EQ(viewport->maximumZoomScale(), 0.95);
    EXPECT_DOUBLE_EQ(viewport->zoomScale(), 0.95);
    expectFrameNear(editor->imageView()->frame(), {8, 124, 304, 152});

    // Fitting while locked keeps the locked size, and releasing restores the fit.
    editor->resetImageViewFrame();
    expectFrameNear(editor->imageView()->frame(), {8, 124, 304, 152});
    editor->resetZoomScaleWithAnimated(true);
    settle();
    EXPECT_EQ(viewport->minimumZoomScale(), 1);
    EXPECT_EQ(viewport->zoomScale(), 1);
    expectFrameNear(editor->imageView()->frame(), {0, 120, 320, 160});
}

TEST_F(EditorTest, AnEmptyImageViewLeavesTheFitAlone) {
    const auto editor = presentEditor(nullptr);
    const auto& imageView = editor->imageView();
    EXPECT_EQ(imageView->image(), nullptr);
    EXPECT_EQ(imageView->frame(), CGRect{});
    editor->resetImageViewFrame();
    EXPECT_EQ(imageView->frame(), CGRect{});
    editor->resetZoomScaleWithAnimated(false);
    EXPECT_EQ(editor->scrollView()->maximumZoomScale(), 1) << "no infinite zoom";

    EXPECT_EQ(ZOZuzazOzarozViewport::fittedFrame({0, 10}, {320, 400}, 1), std::nullopt);
    EXPECT_EQ(ZOZuzazOzarozViewport::maximumZoomScale({320, 400}, {}, {100, 50}), 1);
}

TEST_F(EditorTest, CopyingAnImageViewsLookConvertsItsPlace) {
    auto left = std::make_shared<UIView>(CGRect{10, 20, 200, 200});
    auto right = std::make_shared<UIView>(CGRect{100, 50, 200, 200});
    window->addSubview(left);
    window->addSubview(right);
    auto source = std::make_shared<UIImageView>(CGRect{5, 5, 40, 20});
    source->setImage(solidPicture({4, 2}, UIColor::redColor()));
    source->setContentMode(UIViewContentMode::ScaleAspectFit);
    source->setClipsToBounds(true);
    const auto turned = CGAffineTransform::makeRotation(0.5);
    source->setTransform(turned);
    left->addSubview(source);
    auto destination = std::make_shared<UIImageView>();
    right->addSubview(destination);

    _ZOZuzazOzarozViewController::copyImageViewInfoToView(source, destination);
    EXPECT_EQ(destination->bounds().size, (CGSize{40, 20}));
    EXPECT_NEAR(destination->center().x, 10 + 25 - 100, 1e-9);
    EXPECT_NEAR(destination->center().y, 20 + 15 - 50, 1e-9);
    EXPECT_EQ(destination->transform(), turned);
    EXPECT_EQ(source->transform(), turned) << "the source keeps its transform";
    EXPECT_EQ(destination->image(), source->image());
    EXPECT_EQ(destination->contentMode(), UIViewContentMode::ScaleAspectFit);
    EXPECT_TRUE(destination->clipsToBounds());

    _ZOZuzazOzarozViewController::copyImageViewInfoToView(nullptr, destination);
    EXPECT_EQ(destination->image(), nullptr);
    EXPECT_TRUE(destination->transform().isIdentity());
}

class HostedEditorTest : public EditorTest {
protected:
    // The host's screen with a picture in an image view, and an editor shown over it.
    EditorPtr showOverHost() {
        window->setRootViewController(host);
        hostView->setImage(hostPicture);
        host->view()->addSubview(hostView);
        auto editor =
            controllerOf(ZOZuzazOzaroz::createWithDelegate(recorder, testtools::editorRegistry()));
        editor->showInViewControllerWithImageView(host, hostView);
        return editor;
    }
    std::size_t floatingViews() const { return window->subviews().size() - 1; }

    std::shared_ptr<UIImageView> hostView = std::make_shared<UIImageView>(CGRect{20, 300, 100, 50});
    UIImagePtr hostPicture = solidPicture({200, 100}, UIColor::blueColor());
    std::shared_ptr<TransitionRecorder> recorder = std::make_shared<TransitionRecorder>();
};

TEST_F(HostedEditorTest, ThePictureFliesInFromTheHostsImageView) {
    const auto editor = showOverHost();
    EXPECT_EQ(editor->originalImage(), hostPicture) << "no copy";
    EXPECT_EQ(editor->parentViewController(), host);
    EXPECT_EQ(editor->view()->superview(), host->view());

    EXPECT_TRUE(hostView->isHidden());
    EXPECT_TRUE(editor->imageView()->isHidden());
    EXPECT_EQ(floatingViews(), 1u);
    ASSERT_NE(editor->bgView(), nullptr);
    EXPECT_EQ(editor->view()->subviews().front(), editor->bgView());
    EXPECT_EQ(editor->bgView()->backgroundColor(), UIColor::whiteColor());
    EXPECT_EQ(editor->view()->backgroundColor(), UIColor::clearColor());
    const auto floating = std::dynamic_pointer_cast<UIImageView>(window->subviews().back());
    ASSERT_NE(floating, nullptr);
    EXPECT_EQ(floating->image(), hostPicture);
    AnimationClock::shared().advance(0.15);
    EXPECT_GT(editor->bgView()->presentationAlpha(), 0);
    EXPECT_LT(editor->bgView()->presentationAlpha(), 1);

    settle();
    EXPECT_FALSE(hostView->isHidden());
    EXPECT_FALSE(editor->imageView()->isHidden());
    EXPECT_EQ(floatingViews(), 0u);
    expectFrameNear(floating->frame(), {0, 164, 320, 160});
}

TEST_F(HostedEditorTest, FinishingFliesTheResultBackAndCancellingKeepsTheHostsPicture) {
    for (const bool cancel : {false, true}) {
        recorder->heard.clear();
        const auto editor = showOverHost();
        settle();
        startTool(editor, "PictureTool");
        editor->pushedDoneBtn();
        settle();
        ASSERT_EQ(editor->originalImage(), testtools::toolResult());

        if (cancel) {
            editor->pushedCloseBtn();
        } else {
            editor->pushedFinishBtn();
        }
        EXPECT_EQ(recorder->heard, (std::vector<std::string>{cancel ? "will canceled" : "will"}));
        EXPECT_EQ(recorder->hostPictureWhenWill, cancel ? hostPicture : testtools::toolResult());
        EXPECT_FALSE(editor->view()->isUserInteractionEnabled());
        EXPECT_EQ(editor->menuView()->superview(), window) << "the strip fades on the window";
        EXPECT_EQ(editor->menuView()->presentationCenter(), (CGPoint{160, 484}))
            << "where it was on screen";
        settle();
        EXPECT_EQ(recorder->heard.back(), cancel ? "did canceled" : "did");
        EXPECT_EQ(hostView->image(), cancel ? hostPicture : testtools::toolResult());
        EXPECT_FALSE(hostView->isHidden());
        EXPECT_EQ(editor->parentViewController(), nullptr);
        EXPECT_EQ(editor->view()->superview(), nullptr);
        EXPECT_EQ(floatingViews(), 0u) << "floating picture, strip and bar are gone";
        hostView->setImage(hostPicture);
    }
}

}  // namespace
