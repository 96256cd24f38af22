#include "tools/overlay/pickers/CLColorPickerView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/ui/view/UIViewRenderer.h"
#include "tests/platform/ui/view/ViewTestSupport.h"
#include "tests/tools/overlay/pickers/PickerScene.h"

using namespace viewtest;

namespace {

struct ColorLog : CLColorPickerViewDelegate {
    std::vector<UIColor> colors;
    void colorPickerViewColorDidChange(CLColorPickerView&, const UIColor& color) override {
        colors.push_back(color);
    }
};

void expectHsb(const UIColor& color, double hue, double saturation, double brightness,
               double alpha) {
    double h = -1, s = -1, b = -1, a = -1;
    ASSERT_TRUE(color.getHue(&h, &s, &b, &a));
    EXPECT_NEAR(h, hue, 1e-3);
    EXPECT_NEAR(s, saturation, 1e-3);
    EXPECT_NEAR(b, brightness, 1e-3);
    EXPECT_NEAR(a, alpha, 1e-3);
}

class ColorPickerTest : public testing::Test {
protected:
    void SetUp() override {
        picker->setFrame({{20, 100}, picker->frame().size});
        scene.window->addSubview(picker);
        picker->setDelegate(log);
    }

    PickerScene scene;
    CLColorPickerViewPtr picker = CLColorPickerView::create();
    std::shared_ptr<ColorLog> log = std::make_shared<ColorLog>();
};

TEST(ColorPicker, LaysOutTheRingAndUprightSlidersForItsHeight) {
    const auto picker = CLColorPickerView::create();
    EXPECT_EQ(picker->frame(), (CGRect{0, 0, 270, 180}));
    const auto& ring = picker->hueCircle();
    EXPECT_EQ(ring->frame(), (CGRect{0, 0, 180, 180}));
    EXPECT_DOUBLE_EQ(ring->circleRadius(), 72);
    EXPECT_EQ(ring->circleView()->center(), (CGPoint{90, 90}));
    EXPECT_EQ(picker->saturationSlider()->frame(), (CGRect{183, 9, 34, 162}));
    EXPECT_EQ(picker->alphaSlider()->frame(), (CGRect{223, 9, 34, 162}));
    EXPECT_DOUBLE_EQ(picker->saturationComponent(), 1);
    EXPECT_DOUBLE_EQ(picker->alphaComponent(), 1);

    // The ring is a band 7.2 wide about radius 72 (red at angle 0), clear inside.
    ring->circleView()->setHidden(true);
    const auto image = UIViewRenderer::renderToImage(*ring, 1);
    expectPixels(*image,
                 {{90 + 72, 90, kRed},
                  {90 + 70, 91, kRed},
                  {90 + 74, 91, kRed},
                  {90 + 78, 90, kClear},
                  {90 + 66, 90, kClear},
                  {90, 90 - 72, {127, 0, 255, 255}}},
                 8);
    // The ring follows the saturation however it is set.
    picker->setColorWithHueSaturationBrightnessAlpha(0.5, 0.5, 1, 1);
    expectPixels(*UIViewRenderer::renderToImage(*ring, 1), {{90 + 72, 90, {255, 128, 128, 255}}},
                 8);
    EXPECT_EQ(CLColorPickerView::create({0, 0, 0, 100})->frame().size, (CGSize{190, 100}));
}

TEST_F(ColorPickerTest, TouchesPlaceTheMarkerWithinTheRing) {
    const auto& ring = picker->hueCircle();
    // A tap at the centre is black.
    scene.touches.tap(*ring);
    EXPECT_DOUBLE_EQ(picker->brightnessComponent(), 0);
    expectHsb(picker->color(), 0, 0, 0, 1);

    // Beyond the ring, the marker stays on it at the touch's angle (45° below +x).
    const CGPoint outside = scene.inWindow(*ring, {90 + 80, 90 + 80});
    scene.touches.wait(1).down(1, outside).up(1, outside);
    EXPECT_DOUBLE_EQ(picker->brightnessComponent(), 1);
    EXPECT_NEAR(picker->hueComponent(), 0.125, 1e-6);
    EXPECT_NEAR(ring->circleView()->center().x, 90 + 72 / std::sqrt(2.0), 1e-4);
    expectHsb(log->colors.back(), 0.125, 1, 1, 1);

    // Dragging the marker follows the finger on every move.
    const std::size_t before = log->colors.size();
    const CGPoint marker = scene.inWindow(*ring, ring->circleView()->center());
    scene.slowDrag(marker, scene.inWindow(*ring, {90 + 36, 90}));
    EXPECT_GT(log->colors.size(), before + 2);
    EXPECT_NEAR(picker->brightnessComponent(), 0.5, 1e-6);
    EXPECT_DOUBLE_EQ(picker->hueComponent(), 1.0) << "the +x axis reads 1, not 0";
    ring->setCircleViewToPoint({90 + 36, 91});
    EXPECT_GT(picker->hueComponent(), 0);
    EXPECT_LT(picker->hueComponent(), 0.01);
}

TEST_F(ColorPickerTest, SettingColoursMovesMarkerAndSlidersAndReportsTheColour) {
    picker->setColorWithHueSaturationBrightnessAlpha(0.3, 0.4, 0.0, 0.7);
    EXPECT_DOUBLE_EQ(picker->saturationComponent(), 1) << "black keeps a full saturation";
    EXPECT_DOUBLE_EQ(picker->hueCircle()->saturation(), 1);
    EXPECT_DOUBLE_EQ(picker->alphaComponent(), 0.7);
    picker->hueCircle()->setCircleViewToPoint({90, 90 - 72});
    expectHsb(picker->color(), 0.75, 1, 1, 0.7);

    picker->setColor(UIColor::whiteColor());
    EXPECT_EQ(picker->hueCircle()->circleView()->center(), (CGPoint{90 + 72, 90}));
    EXPECT_DOUBLE_EQ(picker->hueComponent(), 1.0);
    EXPECT_DOUBLE_EQ(picker->brightnessComponent(), 1);
    EXPECT_DOUBLE_EQ(picker->saturationComponent(), 0);
    ASSERT_FALSE(log->colors.empty());
    EXPECT_TRUE(log->colors.back() == UIColor::colorWithRed(1, 1, 1, 1));

    picker->setColor(UIColor::colorWithRed(0, 0, 1, 0.5));
    expectHsb(picker->color(), 2.0 / 3, 1, 1, 0.5);
    EXPECT_DOUBLE_EQ(picker->alphaComponent(), 0.5);

    // A pattern has no components: nothing moves.
    const UIColor before = picker->color();
    picker->setColor(UIColor::colorWithPatternImage(quadrantPicture(2, 2)));
    EXPECT_TRUE(picker->color() == before);
}

TEST_F(ColorPickerTest, SliderMovesKeepHueAndBrightness) {
    picker->setColorWithHueSaturationBrightnessAlpha(0.6, 1, 0.8, 1);
    log->colors.clear();
    for (const auto& slider : {picker->saturationSlider(), picker->alphaSlider()}) {
        const CGRect thumb = slider->thumbRectForValue(slider->value());
        const CGPoint grab = scene.inWindow(*slider, {thumb.midX(), thumb.midY()});
        scene.slowDrag(grab, {grab.x, grab.y + 60});
    }
    ASSERT_FALSE(log->colors.empty());
    for (const UIColor& color : log->colors) {
        double h, s, b, a;
        ASSERT_TRUE(color.getHue(&h, &s, &b, &a));
        EXPECT_NEAR(h, 0.6, 1e-3);
        EXPECT_NEAR(b, 0.8, 1e-3);
    }
    // Dragged down, towards 0: both values fell, and the colour shows them.
    EXPECT_LT(picker->saturationComponent(), 0.8);
    EXPECT_LT(picker->alphaComponent(), 0.8);
    expectHsb(picker->color(), 0.6, picker->saturationComponent(), 0.8, picker->alphaComponent());
}

TEST_F(ColorPickerTest, TrackPicturesShowWhereTheSlidersLead) {
    picker->setColorWithHueSaturationBrightnessAlpha(0, 0.5, 1, 1);
    const auto saturationTrack = picker->saturationSlider()->backgroundColor().patternImage();
    const auto alphaTrack = picker->alphaSlider()->backgroundColor().patternImage();
    ASSERT_TRUE(saturationTrack && alphaTrack);
    EXPECT_EQ(saturationTrack->size(), (CGSize{162, 34}));
    // White to the fully saturated hue, inside the rounded band only.
    expectPixels(*saturationTrack,
                 {{7, 17, {255, 250, 250, 255}}, {155, 17, kRed}, {80, 5, kClear}}, 6);
    // Clear to the chosen colour (red at half saturation) over grey squares that
    // alternate between the band's halves.
    expectPixels(*alphaTrack,
                 {{7, 14, {230, 230, 230, 255}},
                  {7, 19, {0, 0, 0, 0}},
                  {12, 19, {230, 230, 230, 255}},
                  {155, 17, {255, 128, 128, 255}},
                  {80, 30, kClear}},
                 6);
}

}  // namespace
