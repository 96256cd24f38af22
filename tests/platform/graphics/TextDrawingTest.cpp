#include "platform/graphics/NSStringDrawing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/platform/graphics/GraphicsTestSupport.h"

using namespace graphicstest;

namespace {

struct Ink {
    int count = 0;
    CGRect bounds = CGRect::null();
};

// Where a picture is not transparent.
Ink inkOf(const CGImage& image) {
    Ink ink;
    for (int row = 0; row < image.height(); ++row) {
        for (int x = 0; x < image.width(); ++x) {
            if (alphaOf(pixel(image, x, row)) != 0) {
                ++ink.count;
                ink.bounds = ink.bounds.unionWith(CGRect(x, row, 1, 1));
            }
        }
    }
    return ink;
}

CGImageRef drawText(const std::string& text, const CGRect& rect,
                    const NSStringAttributes& attributes, CGTextDrawingMode mode,
                    double lineWidth = 1) {
    return renderImage({200, 120}, false, 1,
                       [&](CGContext& context) {
                           context.setTextDrawingMode(mode);
                           context.setLineWidth(lineWidth);
                           NSStringDrawing::drawInRect(context, text, rect, attributes);
                       })
        ->CGImage();
}

// Pixels of a hue black text cannot have (premultiplied channels far apart).
int colourfulPixels(const CGImage& image) {
    int count = 0;
    for (int row = 0; row < image.height(); ++row) {
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t p = pixel(image, x, row);
            const int r = redOf(p), g = (p >> 8) & 0xFF, b = p & 0xFF;
            count += std::max({r, g, b}) - std::min({r, g, b}) > 60 ? 1 : 0;
        }
    }
    return count;
}

}  // namespace

TEST(TextDrawingTest, MeasuredSizesFollowFontAndWrapping) {
    NSStringAttributes attributes;
    attributes.font = UIFont::systemFontOfSize(20);
    const CGSize line = NSStringDrawing::sizeWithAttributes("Hello world", attributes);
    EXPECT_GT(line.width, 60);
    EXPECT_NEAR(line.height, attributes.font.lineHeight(), 0.5);
    attributes.font = UIFont::systemFontOfSize(40);
    const CGSize twice = NSStringDrawing::sizeWithAttributes("Hello world", attributes);
    EXPECT_NEAR(twice.width, 2 * line.width, 2);

    attributes.font = UIFont::systemFontOfSize(20);
    const CGSize wrapped =
        NSStringDrawing::boundingSizeWithSize("Hello world", {line.width * 0.7, 0}, attributes);
    EXPECT_LE(wrapped.width, line.width * 0.7);
    EXPECT_NEAR(wrapped.height, 2 * line.height, 0.5);
    const CGSize limited = NSStringDrawing::boundingSizeWithSize(
        "Hello world", {line.width * 0.7, line.height * 1.5}, attributes);
    EXPECT_NEAR(limited.height, line.height, 0.5);
    const CGSize lines = NSStringDrawing::sizeWithAttributes("a\nb\nc", attributes);
    EXPECT_NEAR(lines.height, 3 * line.height, 1);
    EXPECT_EQ(NSStringDrawing::sizeWithAttributes("", attributes).width, 0);
}

TEST(TextDrawingTest, TextInksOnlyInsideItsMeasuredRectangleAndAligns) {
    NSStringAttributes attributes;
    attributes.font = UIFont::systemFontOfSize(24);
    attributes.color = UIColor::redColor();
    const CGSize size = NSStringDrawing::sizeWithAttributes("Text", attributes);
    const CGRect rect(20, 30, 160, size.height);

    const CGImageRef left = drawText("Text", rect, attributes, CGTextDrawingMode::Fill);
    const Ink ink = inkOf(*left);
    EXPECT_GT(ink.count, 50);
    const CGRect measured(rect.origin, size);
    EXPECT_TRUE(measured.insetBy(-1, -1).contains(ink.bounds))
        << ink.bounds.minX() << "," << ink.bounds.minY() << " " << ink.bounds.width() << "×"
        << ink.bounds.height();

    attributes.alignment = NSTextAlignment::Right;
    const Ink right = inkOf(*drawText("Text", rect, attributes, CGTextDrawingMode::Fill));
    EXPECT_NEAR(right.bounds.maxX(), rect.maxX(), 3);
    attributes.alignment = NSTextAlignment::Center;
    const Ink centre = inkOf(*drawText("Text", rect, attributes, CGTextDrawingMode::Fill));
    EXPECT_NEAR(centre.bounds.midX(), rect.midX(), 3);
}

TEST(TextDrawingTest, OutlinesDifferFromFillsAndGrowWithTheLineWidth) {
    NSStringAttributes attributes;
    attributes.font = UIFont::boldSystemFontOfSize(40);
    attributes.color = UIColor::blackColor();
    const CGRect rect(10, 10, 180, 100);
    const Ink filled = inkOf(*drawText("O", rect, attributes, CGTextDrawingMode::Fill));
    const Ink outlined = inkOf(*drawText("O", rect, attributes, CGTextDrawingMode::Stroke, 1));
    const Ink both = inkOf(*drawText("O", rect, attributes, CGTextDrawingMode::FillStroke, 8));
    // A thin outline inks less than the solid letter, a wide fill-and-outline more,
    // reaching past the letter's edges by half the line width.
    EXPECT_LT(outlined.count, filled.count);
    EXPECT_GT(both.count, filled.count);
    EXPECT_NEAR(both.bounds.width(), filled.bounds.width() + 8, 2);
}

TEST(TextDrawingTest, LinesThatDoNotFitTheRectangleAreNotDrawn) {
    NSStringAttributes attributes;
    attributes.font = UIFont::systemFontOfSize(20);
    const double lineHeight = NSStringDrawing::sizeWithAttributes("A", attributes).height;
    const CGRect rect(0, 0, 200, lineHeight * 1.5);
    const Ink ink = inkOf(*drawText("A\nB\nC", rect, attributes, CGTextDrawingMode::Fill));
    EXPECT_LT(ink.bounds.maxY(), lineHeight + 1);
}

TEST(TextDrawingTest, EmojiAreDrawnInColourAtTheTextsSizeWhileTextSymbolsStayText) {
    NSStringAttributes attributes;
    attributes.font = UIFont::systemFontOfSize(40);
    const CGRect rect(0, 0, 200, 120);
    const auto colourful = [&](const std::string& text, CGTextDrawingMode mode) {
        return colourfulPixels(*drawText(text, rect, attributes, mode));
    };
    // A smiley the text's own face also has, a heart asking for emoji, a skin tone, a
    // keycap and a flag; outlined text cannot outline them, so they are still filled.
    for (const std::string emoji : {"😀", "❤️", "👍🏽", "1️⃣", "🇩🇪"}) {
        EXPECT_GT(colourful(emoji, CGTextDrawingMode::Fill), 300) << emoji;
        EXPECT_GT(colourful(emoji, CGTextDrawingMode::Stroke), 300) << emoji;
    }
    EXPECT_EQ(colourful("❤ 1 A", CGTextDrawingMode::Fill), 0) << "no emoji asked for";
    EXPECT_EQ(colourful("❤︎", CGTextDrawingMode::Fill), 0) << "text presentation asked for";

    // The same size whether the text is drawn large or scaled up, as the text tool does.
    const int large = colourful("😀", CGTextDrawingMode::Fill);
    attributes.font = UIFont::systemFontOfSize(20);
    const int scaledUp = colourfulPixels(*renderImage({200, 120}, false, 2, [&](CGContext& c) {
                                              NSStringDrawing::drawInRect(c, "😀", rect, attributes);
                                          })->CGImage());
    EXPECT_NEAR(scaledUp, large, large * 0.1);
    EXPECT_NEAR(NSStringDrawing::sizeWithAttributes("😀", attributes).width * 2,
                NSStringDrawing::sizeWithAttributes("😀", {UIFont::systemFontOfSize(40)}).width, 1);
}
