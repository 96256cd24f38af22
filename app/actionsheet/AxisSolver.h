#pragma once

#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "app/actionsheet/LayoutConstraint.h"

// Solves the constraints of one axis: where each view starts and how long it is.
//
// Every rule is an equation between edges with unit coefficients, so the solver only
// propagates what it knows from rule to rule, holding a position as an offset plus a
// multiple of the container's length. A container that is sized by its content gets
// its length from the first rule that links its two edges. What the rules leave open
// is settled in this order: a view's own length (sizeThatFits), then, for a content-
// sized container whose edges no chain links, the smallest length that keeps every
// view kUnpinnedEdgeMargin inside its edges. Rules that contradict ones already
// applied are ignored. Views that no rule places are not reported.
class AxisSolver {
public:
    static constexpr double kUnpinnedEdgeMargin = 10;

    struct Span {
        double start;
        double length;
    };
    using IntrinsicLength = std::function<double(UIView& view)>;

    // containerLength: nullopt for a container sized by its content.
    AxisSolver(std::vector<const LayoutConstraint*> constraints,
               std::optional<double> containerLength, IntrinsicLength intrinsicLength);

    void solve();
    double containerLength() const { return containerLength_.value_or(0); }
    const std::map<UIView*, Span>& spans() const { return spans_; }

private:
    // offset + containerLengths × the container's length.
    struct Position {
        double offset;
        double containerLengths;
        Position operator+(const Position& other) const;
        Position operator-(const Position& other) const;
    };
    struct Item {
        std::optional<Position> start;
        std::optional<Position> length;
    };

    Position number(double value) const { return {value, 0}; }
    Position containerEnd() const;
    Item& item(const UIViewPtr& view);
    bool apply(const LayoutConstraint& constraint);
    bool applyTrailingPin(Item& item, double inset);
    bool applySpacing(Item& previous, Item& next, double gap);
    // Sets a length found between two edges, unless it depends on the container's.
    bool deriveLength(Item& target, const Position& length);
    // Two positions of the same edge; may fix the container's length.
    bool settle(const Position& a, const Position& b);
    void fixContainerLength(double length);
    bool fillIntrinsicLength();
    double smallestContainerLength() const;
    void collectSpans();

    std::vector<const LayoutConstraint*> constraints_;
    std::optional<double> containerLength_;
    IntrinsicLength intrinsicLength_;
    // In the order the rules name them.
    std::vector<UIView*> order_;
    std::map<UIView*, Item> items_;
    std::map<UIView*, Span> spans_;
};
