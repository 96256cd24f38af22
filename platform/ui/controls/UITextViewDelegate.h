#pragma once

#include <optional>
#include <string>

#include "platform/ui/controls/NSRange.h"
#include "platform/ui/controls/UIScrollViewDelegate.h"

class UITextView;

// What a text view asks and tells its delegate, besides the scroll view's reports.
// Every operation is optional: reports have empty defaults; questions return
// std::nullopt when the delegate does not implement them (the answer is then yes).
class UITextViewDelegate : public UIScrollViewDelegate {
public:
    virtual std::optional<bool> textViewShouldBeginEditing(UITextView&) { return std::nullopt; }
    virtual void textViewDidBeginEditing(UITextView&) {}
    virtual std::optional<bool> textViewShouldEndEditing(UITextView&) { return std::nullopt; }
    virtual void textViewDidEndEditing(UITextView&) {}
    // Asked before the user's typing or deleting replaces range with text; false
    // keeps the text as it is.
    virtual std::optional<bool> textViewShouldChangeTextInRangeReplacementText(
        UITextView&, NSRange /*range*/, const std::string& /*text*/) {
        return std::nullopt;
    }
    // After the user changed the text (not after setText).
    virtual void textViewDidChange(UITextView&) {}
    virtual void textViewDidChangeSelection(UITextView&) {}
};
