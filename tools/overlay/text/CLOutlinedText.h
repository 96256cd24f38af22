#pragma once

#include <string>

#include "platform/geometry/CGRect.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/NSStringDrawing.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIFont.h"

// Text drawn with an outline under its fill: everything one text box's letters need,
// as a value, so the same drawing serves the screen and a render on a worker thread.
// The text is wrapped to the rectangle's width, aligned in it and centred vertically.
struct CLOutlinedText {
    std::string text;
    UIFont font = UIFont::systemFontOfSize(17);
    UIColor fillColor = UIColor::blackColor();
    UIColor outlineColor = UIColor::clearColor();
    // Points; 0 draws the fill alone.
    double strokeWidth = 0;
    NSTextAlignment alignment = NSTextAlignment::Left;
    CGRect rect;

    // The outline first (half of it outside the glyphs, rounded at the corners), then
    // the fill over it. Safe on any thread, one context per thread.
    void draw(CGContext& context) const;
};
