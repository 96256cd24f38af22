#pragma once

#include <string>

#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIFont.h"

class CLTextSettingView;

// Hears every change the user makes in the text settings panel. Optional: the
// defaults do nothing.
class CLTextSettingViewDelegate {
public:
    virtual ~CLTextSettingViewDelegate() = default;
    virtual void textSettingViewDidChangeText(CLTextSettingView&, const std::string& /*text*/) {}
    virtual void textSettingViewDidChangeFillColor(CLTextSettingView&, const UIColor& /*color*/) {}
    virtual void textSettingViewDidChangeBorderColor(CLTextSettingView&, const UIColor& /*color*/) {
    }
    // 0 to 1.
    virtual void textSettingViewDidChangeBorderWidth(CLTextSettingView&, double /*width*/) {}
    virtual void textSettingViewDidChangeFont(CLTextSettingView&, const UIFont& /*font*/) {}
};
