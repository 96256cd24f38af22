#pragma once

#include <memory>
#include <optional>
#include <string>

class CLPickerView;
class UIView;

// Where a picker's columns and rows come from. Required.
class CLPickerViewDataSource {
public:
    virtual ~CLPickerViewDataSource() = default;
    virtual long numberOfComponentsInPickerView(CLPickerView& picker) = 0;
    virtual long pickerViewNumberOfRowsInComponent(CLPickerView& picker, long component) = 0;
};

// What a picker asks about its columns and rows and reports. Every operation is
// optional: those with an answer return std::nullopt when the delegate does not
// implement them; the report does nothing by default.
class CLPickerViewDelegate {
public:
    virtual ~CLPickerViewDelegate() = default;

    // 0 (or no answer) shares the picker's width evenly.
    virtual std::optional<double> pickerViewWidthForComponent(CLPickerView& /*picker*/,
                                                              long /*component*/) {
        return std::nullopt;
    }
    virtual std::optional<std::string> pickerViewTitleForRowForComponent(CLPickerView& /*picker*/,
                                                                         long /*row*/,
                                                                         long /*component*/) {
        return std::nullopt;
    }
    // As CLPickerDrumDelegate::pickerDrumViewForRowReusingView, for one column.
    virtual std::optional<std::shared_ptr<UIView>> pickerViewViewForRowForComponentReusingView(
        CLPickerView& /*picker*/, long /*row*/, long /*component*/,
        const std::shared_ptr<UIView>& /*view*/) {
        return std::nullopt;
    }
    virtual std::optional<double> pickerViewRowHeightForComponent(CLPickerView& /*picker*/,
                                                                  long /*component*/) {
        return std::nullopt;
    }
    virtual void pickerViewDidSelectRowInComponent(CLPickerView& /*picker*/, long /*row*/,
                                                   long /*component*/) {}
};
