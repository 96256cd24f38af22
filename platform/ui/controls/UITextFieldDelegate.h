#pragma once

#include <optional>
#include <string>

#include "platform/ui/controls/NSRange.h"

class UITextField;

// What a text field asks and tells its delegate. Every operation is optional: reports
// have empty defaults; questions return std::nullopt when the delegate does not
// implement them (the answer is then yes).
class UITextFieldDelegate {
public:
    virtual ~UITextFieldDelegate() = default;

    virtual std::optional<bool> textFieldShouldBeginEditing(UITextField&) { return std::nullopt; }
    virtual void textFieldDidBeginEditing(UITextField&) {}
    virtual std::optional<bool> textFieldShouldEndEditing(UITextField&) { return std::nullopt; }
    virtual void textFieldDidEndEditing(UITextField&) {}
    // Asked before the user's typing or deleting replaces range with string; false
    // keeps the text as it is.
    virtual std::optional<bool> textFieldShouldChangeCharactersInRangeReplacementString(
        UITextField&, NSRange /*range*/, const std::string& /*string*/) {
        return std::nullopt;
    }
    // The return key; the field then sends UIControlEventEditingDidEndOnExit.
    virtual std::optional<bool> textFieldShouldReturn(UITextField&) { return std::nullopt; }
};
