#pragma once

#include <memory>
#include <optional>
#include <string>

class CLPickerDrum;
class UIView;

// Where a drum's rows come from. Required.
class CLPickerDrumDataSource {
public:
    virtual ~CLPickerDrumDataSource() = default;
    virtual long numberOfRowsInPickerDrum(CLPickerDrum& drum) = 0;
};

// What a drum asks about its rows and reports. Every operation is optional: those with
// an answer return std::nullopt when the delegate does not implement them; the report
// does nothing by default.
class CLPickerDrumDelegate {
public:
    virtual ~CLPickerDrumDelegate() = default;

    virtual std::optional<double> rowHeightInPickerDrum(CLPickerDrum& /*drum*/) {
        return std::nullopt;
    }
    // The view that shows row, made anew or by refilling view (null when none is
    // offered); null for none, and the drum shows the row's title instead.
    virtual std::optional<std::shared_ptr<UIView>> pickerDrumViewForRowReusingView(
        CLPickerDrum& /*drum*/, long /*row*/, const std::shared_ptr<UIView>& /*view*/) {
        return std::nullopt;
    }
    virtual std::optional<std::string> pickerDrumTitleForRow(CLPickerDrum& /*drum*/, long /*row*/) {
        return std::nullopt;
    }
    // The centre row changed to row.
    virtual void pickerDrumDidSelectRow(CLPickerDrum& /*drum*/, long /*row*/) {}
};
