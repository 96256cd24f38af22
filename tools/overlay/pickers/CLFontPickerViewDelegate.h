#pragma once

#include "platform/graphics/UIFont.h"

class CLFontPickerView;

// Hears each font the user turns to. Optional: the default does nothing.
class CLFontPickerViewDelegate {
public:
    virtual ~CLFontPickerViewDelegate() = default;
    virtual void fontPickerViewDidSelectFont(CLFontPickerView& /*picker*/, const UIFont& /*font*/) {
    }
};
