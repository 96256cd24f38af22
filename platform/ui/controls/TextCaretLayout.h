#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "platform/geometry/CGRect.h"
#include "platform/graphics/NSStringDrawing.h"

// Where the characters of a text sit when it is drawn with NSStringDrawing in a box
// (wrapped to the box's width, or on unbounded lines), so an editor can put its caret
// between them and find the character under a tap. Characters are Unicode code
// points; positions are in the box's coordinates, from its top-left.
class TextCaretLayout {
public:
    // boxWidth: the width lines are aligned in; wrapWidth: where they wrap, if they do.
    TextCaretLayout(const std::string& text, const NSStringAttributes& attributes, double boxWidth,
                    std::optional<double> wrapWidth);
    ~TextCaretLayout();
    TextCaretLayout(const TextCaretLayout&) = delete;
    TextCaretLayout& operator=(const TextCaretLayout&) = delete;

    // A zero-width rectangle, one line high, before the character at index (after
    // the last one for the text's length).
    CGRect caretRect(std::size_t index) const;
    // The caret position nearest to point; below the last line, the end of the text.
    std::size_t indexAtPoint(CGPoint point) const;
    // The caret position on the line above (-1) or below (+1) nearest to the same x;
    // the start or the end of the text past the first or last line.
    std::size_t indexOnAdjacentLine(std::size_t index, int direction) const;
    // Height of all the lines (one line for an empty text).
    double height() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Counting Unicode code points of UTF-8 text.
namespace utf8 {
std::size_t length(const std::string& text);
// The byte offset of the code point at index (the size for the length or beyond).
std::size_t byteOffset(const std::string& text, std::size_t index);
}  // namespace utf8
