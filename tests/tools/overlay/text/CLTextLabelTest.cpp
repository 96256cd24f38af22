#include <gtest/gtest.h>

#include "platform/graphics/NSStringDrawing.h"
#include "platform/ui/view/UIViewRenderer.h"
#include "tests/tools/overlay/text/TextToolTestSupport.h"
#include "tools/overlay/text/CLTextLabel.h"

namespace {

bool isRed(std::uint32_t pixel) {
    const Channels c = channelsOf(pixel);
    return c.a > 200 && c.r > 200 && c.g < 60 && c.b < 60;
}
bool isBlue(std::uint32_t pixel) {
    const Channels c = channelsOf(pixel);
    return c.a > 200 && c.b > 200 && c.r < 60 && c.g < 60;
}

CLTextLabelPtr label(const std::string& text, double outlineWidth) {
    auto label = std::make_shared<CLTextLabel>();
    label->setNumberOfLines(0);
    label->setAdjustsFontSizeToFitWidth(true);
    label->setMinimumScaleFactor(0.02);
    label->setTextAlignment(NSTextAlignment::Center);
    label->setFont(UIFont::systemFontOfSize(50));
    label->setTextColor(UIColor::colorWithRed(1, 0, 0, 1));
    label->setOutlineColor(UIColor::blueColor());
    label->setOutlineWidth(outlineWidth);
    label->setText(text);
    const CGSize size = label->sizeThatFits({});
    label->setFrame({0, 0, size.width, size.height});
    return label;
}

TEST(CLTextLabel, DrawsTheOutlineUnderTheFillAndWidthZeroDrawsTheFillAlone) {
    const UIImagePtr outlined = UIViewRenderer::renderToImage(*label("HIH", 1), 1);
    const long blue = Ink::of(outlined, isBlue).count;
    const long red = Ink::of(outlined, isRed).count;
    EXPECT_GT(blue, 500);
    // A 15-point line drawn last would cover the 50-point letters' stems whole.
    EXPECT_GT(red, 100) << "the fill is drawn over the outline";

    const UIImagePtr plain = UIViewRenderer::renderToImage(*label("HIH", 0), 1);
    EXPECT_EQ(Ink::of(plain, isBlue).count, 0);
    EXPECT_GT(Ink::of(plain, isRed).count, red);

    // Outline and fill of one colour make bolder letters.
    auto same = label("HIH", 0.5);
    same->setOutlineColor(same->textColor());
    EXPECT_GT(Ink::of(UIViewRenderer::renderToImage(*same, 1), isRed).count,
              Ink::of(plain, isRed).count);
}

TEST(CLTextLabel, ArabicIsShapedAndLaidRightToLeftWithAnEmoji) {
    const std::string arabic = "مرحبا";
    const NSStringAttributes style{UIFont::systemFontOfSize(50)};
    // Zero-width non-joiners between the letters stop them from joining.
    const std::string unjoined = "م\u200Cر\u200Cح\u200Cب\u200Cا";
    EXPECT_NE(NSStringDrawing::sizeWithAttributes(arabic, style).width,
              NSStringDrawing::sizeWithAttributes(unjoined, style).width)
        << "letters take their joined forms";

    // Right to left: the face, typed last, ends the line on its left.
    const auto arabicOnly = label(arabic, 0.3);
    const auto withFace = label(arabic + " 😀", 0.3);
    const UIImagePtr drawn = UIViewRenderer::renderToImage(*withFace, 1);
    const Ink letters = Ink::of(drawn, isRed);
    const Ink face = Ink::of(drawn, isYellowish);
    EXPECT_GT(letters.count, 200);
    EXPECT_GT(face.count, 300) << "the face is drawn in its own colours";
    EXPECT_GT(withFace->bounds().width(), arabicOnly->bounds().width() + 30);
    EXPECT_NEAR(letters.maxX, withFace->bounds().width(), 12) << "the letters start on the right";
    EXPECT_LT(face.maxX, letters.minX) << "and the face ends the line on their left";
    EXPECT_LT(face.minX, 12);
}

}  // namespace
