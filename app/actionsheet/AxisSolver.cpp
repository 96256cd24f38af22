#include "app/actionsheet/AxisSolver.h"

#include <algorithm>
#include <cmath>

AxisSolver::Position AxisSolver::Position::operator+(const Position& other) const {
    return {offset + other.offset, containerLengths + other.containerLengths};
}

AxisSolver::Position AxisSolver::Position::operator-(const Position& other) const {
    return {offset - other.offset, containerLengths - other.containerLengths};
}

AxisSolver::AxisSolver(std::vector<const LayoutConstraint*> constraints,
                       std::optional<double> containerLength, IntrinsicLength intrinsicLength)
    : constraints_(std::move(constraints)),
      containerLength_(containerLength),
      intrinsicLength_(std::move(intrinsicLength)) {
    for (const LayoutConstraint* constraint : constraints_) {
        if (constraint->previous) {
            item(constraint->previous);
        }
        item(constraint->view);
    }
}

AxisSolver::Item& AxisSolver::item(const UIViewPtr& view) {
    const auto [found, added] = items_.try_emplace(view.get());
    if (added) {
        order_.push_back(view.get());
    }
    return found->second;
}

AxisSolver::Position AxisSolver::containerEnd() const {
    return containerLength_ ? number(*containerLength_) : Position{0, 1};
}

void AxisSolver::solve() {
    for (;;) {
        bool learned = false;
        for (const LayoutConstraint* constraint : constraints_) {
            learned = apply(*constraint) || learned;
        }
        if (!learned && !fillIntrinsicLength()) {
            break;
        }
    }
    if (!containerLength_) {
        fixContainerLength(smallestContainerLength());
    }
    collectSpans();
}

bool AxisSolver::apply(const LayoutConstraint& constraint) {
    Item& target = item(constraint.view);
    switch (constraint.kind) {
        case LayoutConstraint::Kind::LeadingPin:
            if (target.start) {
                return settle(*target.start, number(constraint.constant));
            }
            target.start = number(constraint.constant);
            return true;
        case LayoutConstraint::Kind::Length:
            if (target.length) {
                return false;
            }
            target.length = number(constraint.constant);
            return true;
        case LayoutConstraint::Kind::TrailingPin:
            return applyTrailingPin(target, constraint.constant);
        case LayoutConstraint::Kind::Spacing:
            return applySpacing(item(constraint.previous), target, constraint.constant);
    }
    return false;
}

bool AxisSolver::applyTrailingPin(Item& target, double inset) {
    const Position end = containerEnd() - number(inset);
    if (target.start && target.length) {
        return settle(*target.start + *target.length, end);
    }
    if (target.start) {
        return deriveLength(target, end - *target.start);
    }
    if (target.length) {
        target.start = end - *target.length;
        return true;
    }
    return false;
}

bool AxisSolver::applySpacing(Item& previous, Item& next, double gap) {
    if (previous.start && previous.length) {
        const Position start = *previous.start + *previous.length + number(gap);
        if (next.start) {
            return settle(*next.start, start);
        }
        next.start = start;
        return true;
    }
    if (!next.start) {
        return false;
    }
    if (previous.length) {
        previous.start = *next.start - number(gap) - *previous.length;
        return true;
    }
    if (previous.start) {
        return deriveLength(previous, *next.start - number(gap) - *previous.start);
    }
    return false;
}

bool AxisSolver::deriveLength(Item& target, const Position& length) {
    // In a container sized by its content a length that grows with the container is
    // no answer: the view's own length decides, and with it the container's.
    if (length.containerLengths != 0) {
        return false;
    }
    target.length = length;
    return true;
}

bool AxisSolver::settle(const Position& a, const Position& b) {
    if (containerLength_ || a.containerLengths == b.containerLengths) {
        return false;
    }
    fixContainerLength((b.offset - a.offset) / (a.containerLengths - b.containerLengths));
    return true;
}

void AxisSolver::fixContainerLength(double length) {
    containerLength_ = length;
    const auto resolve = [length](std::optional<Position>& position) {
        if (position) {
            position = Position{position->offset + position->containerLengths * length, 0};
        }
    };
    for (auto& [view, item] : items_) {
        resolve(item.start);
        resolve(item.length);
    }
}

bool AxisSolver::fillIntrinsicLength() {
    for (UIView* view : order_) {
        Item& open = items_.at(view);
        if (!open.length) {
            open.length = number(intrinsicLength_ ? intrinsicLength_(*view) : 0);
            return true;
        }
    }
    return false;
}

double AxisSolver::smallestContainerLength() const {
    double length = 0;
    for (const auto& [view, item] : items_) {
        if (!item.start || !item.length) {
            continue;
        }
        const Position start = *item.start;
        const Position end = start + *item.length;
        // start >= margin, end <= length - margin.
        if (start.containerLengths > 0) {
            length =
                std::max(length, (kUnpinnedEdgeMargin - start.offset) / start.containerLengths);
        }
        if (end.containerLengths < 1) {
            length =
                std::max(length, (end.offset + kUnpinnedEdgeMargin) / (1 - end.containerLengths));
        }
    }
    return length;
}

void AxisSolver::collectSpans() {
    for (UIView* view : order_) {
        const Item& placed = items_.at(view);
        if (placed.start && placed.length) {
            spans_[view] = {placed.start->offset, std::max(placed.length->offset, 0.0)};
        }
    }
}
