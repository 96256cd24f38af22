#pragma once

#include <string>

#include "platform/geometry/CGRect.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIFont.h"

// Horizontal alignment of lines of text, numbered as the platform numbers them.
enum class NSTextAlignment { Left = 0, Center = 1, Right = 2 };

// How a string is drawn: font, colour and alignment.
struct NSStringAttributes {
    UIFont font = UIFont::systemFontOfSize(17);
    UIColor color = UIColor::blackColor();
    NSTextAlignment alignment = NSTextAlignment::Left;
};

// Measuring and drawing strings (UTF-8) with the platform's text system. Text is laid
// out downwards from the top-left in user space, as the platform's string drawing does
// in its y-down image contexts. Line breaks in the text start new lines.
//
// Drawing follows the context's text drawing mode: glyphs filled with the attributes'
// colour, outlined with it at the context's line width and line join, or both (fill
// first). Glyphs that have no outline (colour emoji) are always filled.
class NSStringDrawing {
public:
    // The size of the text on unbounded lines.
    static CGSize sizeWithAttributes(const std::string& text, const NSStringAttributes& attributes);
    // The size of the text wrapped at word boundaries to size.width (a word longer than
    // the width is broken); at most size.height tall unless the height is 0 (unbounded).
    static CGSize boundingSizeWithSize(const std::string& text, CGSize size,
                                       const NSStringAttributes& attributes);

    // Unbounded lines with their top-left at point.
    static void drawAtPoint(CGContext& context, const std::string& text, CGPoint point,
                            const NSStringAttributes& attributes);
    // Wrapped to rect's width, aligned within it, from its top; lines that do not fit
    // in rect's height are not drawn.
    static void drawInRect(CGContext& context, const std::string& text, const CGRect& rect,
                           const NSStringAttributes& attributes);
};
