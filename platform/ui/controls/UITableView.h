#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/controls/UIScrollView.h"
#include "platform/ui/controls/UITableViewCell.h"

class UITableView;

struct NSIndexPath {
    int section = 0;
    int row = 0;
    friend bool operator==(const NSIndexPath&, const NSIndexPath&) = default;
};

// Where a table view's rows come from. Both operations are required.
class UITableViewDataSource {
public:
    virtual ~UITableViewDataSource() = default;
    virtual int tableViewNumberOfRowsInSection(UITableView& tableView, int section) = 0;
    virtual UITableViewCellPtr tableViewCellForRowAtIndexPath(UITableView& tableView,
                                                              const NSIndexPath& indexPath) = 0;
};

// What a table view asks and tells its delegate. Every operation is optional:
// answers are std::nullopt when the delegate does not implement them.
class UITableViewDelegate {
public:
    virtual ~UITableViewDelegate() = default;
    virtual std::optional<double> tableViewHeightForRowAtIndexPath(UITableView&,
                                                                   const NSIndexPath&) {
        return std::nullopt;
    }
    virtual std::optional<UIViewPtr> tableViewViewForFooterInSection(UITableView&, int) {
        return std::nullopt;
    }
    virtual std::optional<double> tableViewHeightForFooterInSection(UITableView&, int) {
        return std::nullopt;
    }
    virtual void tableViewDidSelectRowAtIndexPath(UITableView&, const NSIndexPath&) {}
};

// A vertical list of rows in one section, each a cell of its data source, with an
// optional footer. It suits short lists: every row's cell exists while the table
// shows. The rows load on the first layout and on reloadData; a tap on a row is
// reported to the delegate. Rows are not highlighted when tapped.
class UITableView : public UIScrollView {
public:
    static constexpr double kDefaultRowHeight = 44;

    explicit UITableView(const CGRect& frame = CGRect{});

    std::shared_ptr<UITableViewDataSource> dataSource() const { return dataSource_.lock(); }
    void setDataSource(std::weak_ptr<UITableViewDataSource> dataSource) {
        dataSource_ = std::move(dataSource);
    }
    std::shared_ptr<UITableViewDelegate> tableDelegate() const { return delegate_.lock(); }
    void setTableDelegate(std::weak_ptr<UITableViewDelegate> delegate) {
        delegate_ = std::move(delegate);
    }

    // Rebuilds every row from the data source; the cells it had can be dequeued.
    void reloadData();
    // A cell of the last load with this identifier, not in use again yet; else null.
    UITableViewCellPtr dequeueReusableCellWithIdentifier(const std::string& identifier);
    // The row's cell, or null.
    UITableViewCellPtr cellForRowAtIndexPath(const NSIndexPath& indexPath) const;
    std::optional<NSIndexPath> indexPathForRowAtPoint(CGPoint point) const;

    void layoutSubviews() override;

private:
    void rowTapped(UIGestureRecognizer& sender);

    std::weak_ptr<UITableViewDataSource> dataSource_;
    std::weak_ptr<UITableViewDelegate> delegate_;
    bool loaded_ = false;
    std::vector<UITableViewCellPtr> cells_;
    std::vector<UITableViewCellPtr> reusable_;
    UIViewPtr footer_;
};

using UITableViewPtr = std::shared_ptr<UITableView>;
