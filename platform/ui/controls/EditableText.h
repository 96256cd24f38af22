#pragma once

#include <optional>
#include <string>

#include "platform/ui/controls/NSRange.h"
#include "platform/ui/window/UIKeyPress.h"

// The text of an editor with its selection (a caret when empty), and the edits and
// caret moves that keys make. Positions count Unicode code points. A value.
class EditableText {
public:
    const std::string& text() const { return text_; }
    // Puts the caret at the end.
    void setText(const std::string& text);
    std::size_t length() const { return length_; }

    NSRange selectedRange() const { return selection_; }
    // Kept within the text.
    void setSelectedRange(NSRange range);

    // What backspace and forward delete remove: the selection, else the character
    // before (after) the caret; none at the start (end).
    std::optional<NSRange> rangeForDeleteBackward() const;
    std::optional<NSRange> rangeForDeleteForward() const;
    // Replaces the characters of range with replacement; the caret goes after it.
    void replace(NSRange range, const std::string& replacement);

    // Moves the caret for left, right, home and end (and up and down, as home and end,
    // on one line); answers whether the key was one of those.
    bool moveCaretForKey(UIKeyPress::Key key);

private:
    std::string text_;
    std::size_t length_ = 0;
    NSRange selection_;
};
