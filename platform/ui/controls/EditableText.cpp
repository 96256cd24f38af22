#include "platform/ui/controls/EditableText.h"

#include <algorithm>

#include "platform/ui/controls/TextCaretLayout.h"

void EditableText::setText(const std::string& text) {
    text_ = text;
    length_ = utf8::length(text_);
    selection_ = {length_, 0};
}

void EditableText::setSelectedRange(NSRange range) {
    range.location = std::min(range.location, length_);
    range.length = std::min(range.length, length_ - range.location);
    selection_ = range;
}

std::optional<NSRange> EditableText::rangeForDeleteBackward() const {
    if (selection_.length > 0) {
        return selection_;
    }
    if (selection_.location == 0) {
        return std::nullopt;
    }
    return NSRange{selection_.location - 1, 1};
}

std::optional<NSRange> EditableText::rangeForDeleteForward() const {
    if (selection_.length > 0) {
        return selection_;
    }
    if (selection_.location >= length_) {
        return std::nullopt;
    }
    return NSRange{selection_.location, 1};
}

void EditableText::replace(NSRange range, const std::string& replacement) {
    range.location = std::min(range.location, length_);
    range.length = std::min(range.length, length_ - range.location);
    const std::size_t from = utf8::byteOffset(text_, range.location);
    const std::size_t to = utf8::byteOffset(text_, range.end());
    text_.replace(from, to - from, replacement);
    length_ = utf8::length(text_);
    selection_ = {range.location + utf8::length(replacement), 0};
}

bool EditableText::moveCaretForKey(UIKeyPress::Key key) {
    const NSRange s = selection_;
    switch (key) {
        case UIKeyPress::Key::LeftArrow:
            selection_ = {s.length > 0 ? s.location : (s.location > 0 ? s.location - 1 : 0), 0};
            return true;
        case UIKeyPress::Key::RightArrow:
            selection_ = {s.length > 0 ? s.end() : std::min(s.location + 1, length_), 0};
            return true;
        case UIKeyPress::Key::Home:
        case UIKeyPress::Key::UpArrow:
            selection_ = {0, 0};
            return true;
        case UIKeyPress::Key::End:
        case UIKeyPress::Key::DownArrow:
            selection_ = {length_, 0};
            return true;
        default:
            return false;
    }
}
