#include <gtest/gtest.h>

#include <numbers>

#include "platform/graphics/UIGraphics.h"
#include "platform/ui/view/UIImageView.h"
#include "platform/ui/view/UILabel.h"
#include "platform/ui/view/UIViewRenderer.h"
#include "tests/platform/ui/view/ViewTestSupport.h"

using namespace viewtest;

namespace {

UIViewPtr coloredView(const CGRect& frame, const UIColor& color) {
    auto view = std::make_shared<UIView>(frame);
    view->setBackgroundColor(color);
    return view;
}

UIViewPtr whiteRoot(double size = 100) {
    return coloredView({0, 0, size, size}, UIColor::whiteColor());
}

// Counts how often its own drawing runs; fills its bounds green.
class CountingView : public UIView {
public:
    using UIView::UIView;
    int draws = 0;
    void drawRect(CGContext& context, const CGRect& rect) override {
        ++draws;
        context.setFillColor(UIColor::greenColor());
        context.fillRect(rect);
    }
};

// Dark pixels (any channel under 128, opaque) in columns [from, to) of a picture.
int darkPixels(const UIImage& image, int from, int to) {
    int count = 0;
    for (int y = 0; y < image.CGImage()->height(); ++y) {
        for (int x = from; x < to; ++x) {
            const Rgba p = pixelAt(image, x, y);
            count += (p.red < 128 && p.alpha > 200) ? 1 : 0;
        }
    }
    return count;
}

}  // namespace

TEST(ViewRenderingTest, BackgroundsClippingCornersAndBorders) {
    const auto root = whiteRoot();
    const auto clipper = coloredView({10, 10, 40, 40}, UIColor::redColor());
    clipper->setClipsToBounds(true);
    clipper->addSubview(coloredView({30, 30, 40, 40}, UIColor::blueColor()));
    root->addSubview(clipper);
    // Without clipping the overhang shows.
    const auto open = coloredView({60, 10, 20, 20}, UIColor::redColor());
    open->addSubview(coloredView({10, 10, 20, 20}, UIColor::blueColor()));
    root->addSubview(open);
    const auto rounded = coloredView({10, 60, 30, 30}, UIColor::greenColor());
    rounded->layer().setCornerRadius(10);
    root->addSubview(rounded);
    const auto framed = coloredView({60, 60, 30, 30}, UIColor::clearColor());
    framed->layer().setBorderWidth(4);
    framed->layer().setBorderColor(UIColor::blackColor());
    root->addSubview(framed);

    const UIImagePtr image = UIViewRenderer::renderToImage(*root, 1);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->CGImage()->width(), 100);
    const PixelCheck checks[] = {{20, 20, kRed},   {45, 45, kBlue},  {55, 55, kWhite},
                                 {85, 25, kBlue},  {25, 75, kGreen}, {10, 60, kWhite},
                                 {61, 75, kBlack}, {75, 61, kBlack}, {75, 75, kWhite}};
    expectPixels(*image, checks);
}

TEST(ViewRenderingTest, AlphaFadesAViewAndItsSubviewsAsOneLayer) {
    const auto root = whiteRoot();
    const auto faded = coloredView({0, 0, 50, 50}, UIColor::redColor());
    faded->addSubview(coloredView({0, 0, 50, 50}, UIColor::blueColor()));
    faded->setAlpha(0.5);
    root->addSubview(faded);
    const auto hidden = coloredView({50, 50, 50, 50}, UIColor::redColor());
    hidden->setHidden(true);
    root->addSubview(hidden);

    const UIImagePtr image = UIViewRenderer::renderToImage(*root, 1);
    // Half blue over white: the red underneath never shows through.
    EXPECT_TRUE(near(pixelAt(*image, 25, 25), {127, 127, 255, 255}, 3));
    EXPECT_TRUE(near(pixelAt(*image, 75, 75), kWhite));
}

TEST(ViewRenderingTest, TransformsTwoAndThreeDimensional) {
    const auto root = whiteRoot();
    const auto grown = coloredView({10, 10, 20, 20}, UIColor::redColor());
    grown->setTransform(CGAffineTransform::makeScale(2, 2));
    root->addSubview(grown);
    // Turned half-way about its vertical axis, the card shows its right half on the left.
    const auto card = coloredView({50, 50, 40, 40}, UIColor::redColor());
    card->addSubview(coloredView({20, 0, 20, 40}, UIColor::blueColor()));
    card->setLayerTransform(CATransform3D::makeRotation(std::numbers::pi, 0, 1, 0));
    root->addSubview(card);

    // A bordered view seen in perspective keeps its inside.
    const auto tilted = coloredView({10, 60, 30, 30}, UIColor::greenColor());
    tilted->layer().setBorderWidth(3);
    tilted->layer().setCornerRadius(5);
    CATransform3D perspective;
    perspective.m34 = -1.0 / 200;
    tilted->setLayerTransform(CATransform3D::makeRotation(0.5, 0, 1, 0).concatenating(perspective));
    root->addSubview(tilted);

    const UIImagePtr image = UIViewRenderer::renderToImage(*root, 1);
    const PixelCheck checks[] = {{25, 75, kGreen}, {2, 2, kRed},    {38, 38, kRed},
                                 {41, 41, kWhite}, {55, 70, kBlue}, {85, 70, kRed}};
    expectPixels(*image, checks);
}

TEST(ViewRenderingTest, ImageViewContentModesPlaceThePicture) {
    // A 20 × 10 picture in a 40 × 40 view on light grey.
    const auto render = [](UIViewContentMode mode) {
        const auto root = coloredView({0, 0, 40, 40}, UIColor::colorWithWhite(240.0 / 255));
        const auto imageView = std::make_shared<UIImageView>(CGRect{0, 0, 40, 40});
        imageView->setImage(quadrantPicture(20, 10));
        imageView->setContentMode(mode);
        root->addSubview(imageView);
        return UIViewRenderer::renderToImage(*root, 1);
    };
    const Rgba grey{240, 240, 240, 255};
    expectPixels(*render(UIViewContentMode::ScaleToFill),
                 {{5, 5, kRed}, {35, 35, kWhite}, {35, 5, kGreen}}, 4);
    // Fit: 40 × 20 from y 10. Fill: 80 × 40 from x -20, the view shows the middle.
    expectPixels(*render(UIViewContentMode::ScaleAspectFit),
                 {{20, 5, grey}, {5, 12, kRed}, {5, 28, kBlue}}, 4);
    expectPixels(*render(UIViewContentMode::ScaleAspectFill), {{5, 5, kRed}, {35, 35, kWhite}}, 4);
    // Centre: 20 × 10 at (10, 15).
    expectPixels(*render(UIViewContentMode::Center), {{12, 17, kRed}, {5, 5, grey}}, 4);
    expectPixels(*render(UIViewContentMode::TopLeft), {{2, 2, kRed}}, 4);
    expectPixels(*render(UIViewContentMode::BottomRight), {{38, 38, kWhite}, {22, 32, kRed}}, 4);
    EXPECT_EQ(std::make_shared<UIImageView>(quadrantPicture(20, 10))->frame(),
              (CGRect{0, 0, 20, 10}));
}

TEST(ViewRenderingTest, LabelAlignmentDrawsInTheExpectedPart) {
    const NSTextAlignment alignments[] = {NSTextAlignment::Left, NSTextAlignment::Center,
                                          NSTextAlignment::Right};
    for (const NSTextAlignment alignment : alignments) {
        SCOPED_TRACE(static_cast<int>(alignment));
        const auto root = whiteRoot(300);
        const auto label = std::make_shared<UILabel>(CGRect{0, 0, 300, 40});
        label->setText("Hello");
        label->setFont(UIFont::systemFontOfSize(20));
        label->setTextAlignment(alignment);
        root->addSubview(label);
        const UIImagePtr image = UIViewRenderer::renderToImage(*label, 1);
        // The text lies wholly in the third of the width its alignment names.
        const int thirds[] = {darkPixels(*image, 0, 100), darkPixels(*image, 100, 200),
                              darkPixels(*image, 200, 300)};
        const int inside = static_cast<int>(alignment);
        EXPECT_GT(thirds[inside], 20);
        EXPECT_EQ(thirds[0] + thirds[1] + thirds[2], thirds[inside]);
    }
}

TEST(ViewRenderingTest, OwnDrawingIsCachedUntilSetNeedsDisplayAndScales) {
    const auto root = whiteRoot(20);
    const auto drawn = std::make_shared<CountingView>(CGRect{0, 0, 10, 10});
    root->addSubview(drawn);
    UIViewRenderer::renderToImage(*root, 2);
    const UIImagePtr image = UIViewRenderer::renderToImage(*root, 2);
    EXPECT_EQ(drawn->draws, 1);
    EXPECT_EQ(image->CGImage()->width(), 40);
    EXPECT_DOUBLE_EQ(image->scale(), 2);
    EXPECT_TRUE(near(pixelAt(*image, 19, 19), kGreen));
    EXPECT_TRUE(near(pixelAt(*image, 21, 21), kWhite));
    drawn->setNeedsDisplay();
    UIViewRenderer::renderToImage(*root, 2);
    EXPECT_EQ(drawn->draws, 2);
    // A view without drawing of its own covers nothing.
    root->addSubview(std::make_shared<UIView>(CGRect{0, 0, 20, 20}));
    EXPECT_TRUE(near(pixelAt(*UIViewRenderer::renderToImage(*root, 1), 15, 15), kWhite));
}

TEST(ViewRenderingTest, PatternBackgroundsTileFromTheViewsCorner) {
    const auto root = whiteRoot(40);
    const auto patterned = std::make_shared<UIView>(CGRect{5, 5, 30, 30});
    patterned->setBackgroundColor(UIColor::colorWithPatternImage(quadrantPicture(10, 10)));
    root->addSubview(patterned);
    const UIImagePtr image = UIViewRenderer::renderToImage(*root, 1);
    expectPixels(*image,
                 {{6, 6, kRed}, {16, 6, kRed}, {12, 6, kGreen}, {14, 14, kWhite}, {2, 2, kWhite}});
}

TEST(ViewRenderingTest, LayerRendersIntoAnyContextUnderItsTransform) {
    const auto box = std::make_shared<UIView>(CGRect{0, 0, 10, 10});
    box->setBackgroundColor(UIColor::blueColor());
    UIGraphicsBeginImageContextWithOptions({40, 40}, false, 1);
    const CGContextRef context = UIGraphicsGetCurrentContext();
    context->translateCTM(20, 20);
    context->scaleCTM(2, 2);
    box->layer().renderInContext(*context);
    const UIImagePtr image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    expectPixels(*image, {{21, 21, kBlue}, {39, 39, kBlue}, {19, 19, kClear}});
}

TEST(ViewRenderingTest, RoundedClippingCutsPicturesAndSubviewsAlike) {
    const auto root = whiteRoot(100);
    // A picture alone in a rounded, clipping image view.
    const auto icon = std::make_shared<UIImageView>(CGRect{0, 0, 40, 40});
    icon->setImage(quadrantPicture(8, 8));
    icon->setContentMode(UIViewContentMode::ScaleAspectFill);
    icon->setClipsToBounds(true);
    icon->layer().setCornerRadius(12);
    root->addSubview(icon);
    // A rounded, clipping view holding a subview.
    const auto holder = coloredView({50, 0, 40, 40}, UIColor::clearColor());
    holder->addSubview(coloredView({0, 0, 40, 40}, UIColor::blueColor()));
    holder->setClipsToBounds(true);
    holder->layer().setCornerRadius(12);
    root->addSubview(holder);

    const UIImagePtr image = UIViewRenderer::renderToImage(*root, 2);
    // The rounded corners of both show the white behind them.
    const PixelCheck checks[] = {{1, 1, kWhite},    {78, 78, kWhite}, {101, 1, kWhite},
                                 {178, 78, kWhite}, {20, 20, kRed},   {120, 40, kBlue}};
    expectPixels(*image, checks);
    expectPixels(*image, {{60, 60, kWhite}}, 4);
}

TEST(ViewRenderingTest, ViewsKeptOutOfTheSubviewListAreStillDrawn) {
    // Keeps its backdrop, the first real subview, out of the list it answers.
    struct Backdropped : UIView {
        explicit Backdropped(const CGRect& frame) : UIView(frame) {
            auto backdrop = std::make_shared<UIView>(bounds());
            backdrop->setBackgroundColor(UIColor::greenColor());
            UIView::insertSubviewAtIndex(backdrop, 0);
        }
        std::vector<UIViewPtr> subviews() const override {
            const auto& all = allSubviews();
            return {all.begin() + 1, all.end()};
        }
    };
    const auto view = std::make_shared<Backdropped>(CGRect{0, 0, 10, 10});
    EXPECT_TRUE(view->subviews().empty());
    EXPECT_TRUE(near(pixelAt(*UIViewRenderer::renderToImage(*view, 1), 5, 5), kGreen));
}
