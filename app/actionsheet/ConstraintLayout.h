#pragma once

#include <string>
#include <vector>

#include "app/actionsheet/LayoutConstraint.h"
#include "app/actionsheet/VisualFormat.h"
#include "platform/geometry/CGSize.h"

// The constraints that place the subviews of one container, and their solution: the
// horizontal axis first, so that views of free height (labels that wrap) know their
// width when asked for their height. A view that no rule places on an axis keeps its
// frame's values on that axis.
class ConstraintLayout {
public:
    // False, adding nothing, when the format can't be read.
    bool addConstraintsWithVisualFormat(const std::string& format,
                                        const VisualFormat::Views& views);
    const std::vector<LayoutConstraint>& constraints() const { return constraints_; }

    // Sets the frames of the views for a container of size.
    void apply(CGSize size) const;
    // The height the content needs in a container of width whose height follows it.
    double fittingHeight(double width) const;

private:
    std::vector<const LayoutConstraint*> constraintsOf(LayoutConstraint::Axis axis) const;

    std::vector<LayoutConstraint> constraints_;
};
