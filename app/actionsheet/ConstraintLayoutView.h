#pragma once

#include <memory>

#include "app/actionsheet/ConstraintLayout.h"
#include "platform/ui/view/UIView.h"

// A view whose subviews are placed by constraints, whenever it lays out. Its fitting
// size is as wide as asked and as high as its content needs, so a container can let
// it size itself.
class ConstraintLayoutView : public UIView {
public:
    explicit ConstraintLayoutView(const CGRect& frame = CGRect{});

    ConstraintLayout& constraintLayout() { return layout_; }
    // Adds the format's constraints and lays out again; false when it can't be read.
    bool addConstraintsWithVisualFormat(const std::string& format,
                                        const VisualFormat::Views& views);

    void layoutSubviews() override;
    CGSize sizeThatFits(CGSize size) const override;

private:
    ConstraintLayout layout_;
};

using ConstraintLayoutViewPtr = std::shared_ptr<ConstraintLayoutView>;
