#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "tools/overlay/pickers/CLPickerDrum.h"
#include "tools/overlay/pickers/CLPickerViewDelegate.h"

// A picker of several columns (components) side by side, one endless drum each. Each
// column is as wide as the delegate says, or, when it says 0, the picker's width
// shared evenly. The picker answers its drums' questions by asking its own data
// source and delegate about the drum's column (the drum's tag).
class CLPickerView : public UIView, public CLPickerDrumDataSource, public CLPickerDrumDelegate {
public:
    static std::shared_ptr<CLPickerView> create(const CGRect& frame);

    std::shared_ptr<CLPickerViewDataSource> dataSource() const { return dataSource_.lock(); }
    void setDataSource(std::weak_ptr<CLPickerViewDataSource> dataSource);
    std::shared_ptr<CLPickerViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<CLPickerViewDelegate> delegate);
    // The drums' veil colour, handed to them at layout; unset, they keep their own.
    const std::optional<UIColor>& foregroundColor() const { return foregroundColor_; }
    void setForegroundColor(const UIColor& color) { foregroundColor_ = color; }

    // Component numbers out of range are ignored (selectedRowInComponent answers 0).
    void reloadComponent(long component);
    void selectRowInComponentAnimated(long row, long component, bool animated);
    long selectedRowInComponent(long component) const;
    double widthForComponent(long component);
    const std::vector<CLPickerDrumPtr>& drums() const { return drums_; }

    void layoutSubviews() override;

    long numberOfRowsInPickerDrum(CLPickerDrum& drum) override;
    std::optional<double> rowHeightInPickerDrum(CLPickerDrum& drum) override;
    std::optional<UIViewPtr> pickerDrumViewForRowReusingView(CLPickerDrum& drum, long row,
                                                             const UIViewPtr& view) override;
    std::optional<std::string> pickerDrumTitleForRow(CLPickerDrum& drum, long row) override;
    void pickerDrumDidSelectRow(CLPickerDrum& drum, long row) override;

    struct Token {};
    CLPickerView(Token, const CGRect& frame);

private:
    const CLPickerDrumPtr* drumAt(long component) const;

    std::vector<CLPickerDrumPtr> drums_;
    bool didLoad_ = false;
    std::weak_ptr<CLPickerViewDataSource> dataSource_;
    std::weak_ptr<CLPickerViewDelegate> delegate_;
    std::optional<UIColor> foregroundColor_;
};

using CLPickerViewPtr = std::shared_ptr<CLPickerView>;
