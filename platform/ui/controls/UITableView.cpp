#include "platform/ui/controls/UITableView.h"

#include <algorithm>

#include "platform/ui/gestures/UITapGestureRecognizer.h"

UITableView::UITableView(const CGRect& frame) : UIScrollView(frame) {
    setAlwaysBounceVertical(true);
    auto tap = std::make_shared<UITapGestureRecognizer>();
    tap->addTarget([this](UIGestureRecognizer& sender) { rowTapped(sender); });
    addGestureRecognizer(tap);
}

void UITableView::layoutSubviews() {
    UIScrollView::layoutSubviews();
    if (!loaded_) {
        reloadData();
    }
}

void UITableView::reloadData() {
    loaded_ = true;
    for (const UITableViewCellPtr& cell : cells_) {
        cell->removeFromSuperview();
    }
    reusable_ = std::move(cells_);
    cells_.clear();
    if (footer_) {
        footer_->removeFromSuperview();
        footer_ = nullptr;
    }
    const auto source = dataSource();
    const auto delegate = tableDelegate();
    const double width = bounds().width();
    double y = 0;
    const int rows = source ? std::max(source->tableViewNumberOfRowsInSection(*this, 0), 0) : 0;
    for (int row = 0; row < rows; ++row) {
        const NSIndexPath path{0, row};
        UITableViewCellPtr cell = source->tableViewCellForRowAtIndexPath(*this, path);
        const double height =
            (delegate ? delegate->tableViewHeightForRowAtIndexPath(*this, path) : std::nullopt)
                .value_or(kDefaultRowHeight);
        if (cell) {
            cell->setFrame({0, y, width, height});
            addSubview(cell);
        }
        cells_.push_back(std::move(cell));
        y += height;
    }
    if (delegate) {
        footer_ = delegate->tableViewViewForFooterInSection(*this, 0).value_or(nullptr);
        const double height = delegate->tableViewHeightForFooterInSection(*this, 0).value_or(0);
        if (footer_) {
            footer_->setFrame({0, y, width, height});
            addSubview(footer_);
        }
        y += height;
    }
    reusable_.clear();
    setContentSize({width, y});
}

UITableViewCellPtr UITableView::dequeueReusableCellWithIdentifier(const std::string& identifier) {
    const auto found =
        std::find_if(reusable_.begin(), reusable_.end(), [&](const UITableViewCellPtr& cell) {
            return cell && cell->reuseIdentifier() == identifier;
        });
    if (found == reusable_.end()) {
        return nullptr;
    }
    UITableViewCellPtr cell = std::move(*found);
    reusable_.erase(found);
    return cell;
}

UITableViewCellPtr UITableView::cellForRowAtIndexPath(const NSIndexPath& indexPath) const {
    const auto row = static_cast<std::size_t>(indexPath.row);
    return indexPath.section == 0 && indexPath.row >= 0 && row < cells_.size() ? cells_[row]
                                                                               : nullptr;
}

std::optional<NSIndexPath> UITableView::indexPathForRowAtPoint(CGPoint point) const {
    for (std::size_t row = 0; row < cells_.size(); ++row) {
        if (cells_[row] && cells_[row]->frame().contains(point)) {
            return NSIndexPath{0, static_cast<int>(row)};
        }
    }
    return std::nullopt;
}

void UITableView::rowTapped(UIGestureRecognizer& sender) {
    const auto path = indexPathForRowAtPoint(sender.locationInView(this));
    const auto delegate = tableDelegate();
    if (path && delegate) {
        delegate->tableViewDidSelectRowAtIndexPath(*this, *path);
    }
}
