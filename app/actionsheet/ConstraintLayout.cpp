#include "app/actionsheet/ConstraintLayout.h"

#include <map>
#include <optional>

#include "app/actionsheet/AxisSolver.h"

namespace {

struct Solution {
    std::map<UIView*, AxisSolver::Span> horizontal;
    std::map<UIView*, AxisSolver::Span> vertical;
    double height;
};

double widthOf(const AxisSolver& horizontal, UIView& view) {
    const auto found = horizontal.spans().find(&view);
    return found != horizontal.spans().end() ? found->second.length : view.bounds().width();
}

}  // namespace

bool ConstraintLayout::addConstraintsWithVisualFormat(const std::string& format,
                                                      const VisualFormat::Views& views) {
    std::optional<std::vector<LayoutConstraint>> parsed = VisualFormat::parse(format, views);
    if (!parsed) {
        return false;
    }
    constraints_.insert(constraints_.end(), parsed->begin(), parsed->end());
    return true;
}

std::vector<const LayoutConstraint*> ConstraintLayout::constraintsOf(
    LayoutConstraint::Axis axis) const {
    std::vector<const LayoutConstraint*> ofAxis;
    for (const LayoutConstraint& constraint : constraints_) {
        if (constraint.axis == axis) {
            ofAxis.push_back(&constraint);
        }
    }
    return ofAxis;
}

namespace {

Solution solve(std::vector<const LayoutConstraint*> horizontalRules,
               std::vector<const LayoutConstraint*> verticalRules, double width,
               std::optional<double> height) {
    AxisSolver horizontal(std::move(horizontalRules), width, [](UIView& view) {
        return view.sizeThatFits({0, 0}).width;
    });
    horizontal.solve();
    AxisSolver vertical(std::move(verticalRules), height, [&horizontal](UIView& view) {
        return view.sizeThatFits({widthOf(horizontal, view), 0}).height;
    });
    vertical.solve();
    return {horizontal.spans(), vertical.spans(), vertical.containerLength()};
}

}  // namespace

void ConstraintLayout::apply(CGSize size) const {
    const Solution solution =
        solve(constraintsOf(LayoutConstraint::Axis::Horizontal),
              constraintsOf(LayoutConstraint::Axis::Vertical), size.width, size.height);
    std::map<UIView*, CGRect> frames;
    for (const auto& [view, span] : solution.horizontal) {
        CGRect frame = view->frame();
        frames[view] = {span.start, frame.minY(), span.length, frame.height()};
    }
    for (const auto& [view, span] : solution.vertical) {
        const auto placed = frames.find(view);
        const CGRect frame = placed != frames.end() ? placed->second : view->frame();
        frames[view] = {frame.minX(), span.start, frame.width(), span.length};
    }
    for (const auto& [view, frame] : frames) {
        view->setFrame(frame);
    }
}

double ConstraintLayout::fittingHeight(double width) const {
    return solve(constraintsOf(LayoutConstraint::Axis::Horizontal),
                 constraintsOf(LayoutConstraint::Axis::Vertical), width, std::nullopt)
        .height;
}
