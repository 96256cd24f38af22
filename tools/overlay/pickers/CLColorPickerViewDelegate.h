#pragma once

#include "platform/graphics/UIColor.h"

class CLColorPickerView;

// Hears every colour the picker takes, from the user or set in code. Optional: the
// default does nothing.
class CLColorPickerViewDelegate {
public:
    virtual ~CLColorPickerViewDelegate() = default;
    virtual void colorPickerViewColorDidChange(CLColorPickerView& /*picker*/,
                                               const UIColor& /*color*/) {}
};
