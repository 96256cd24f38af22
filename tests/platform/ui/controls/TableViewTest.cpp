#include <gtest/gtest.h>

#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/controls/UITableView.h"
#include "tests/platform/ui/gestures/TouchScript.h"
#include "tests/platform/ui/view/ViewTestSupport.h"

namespace {

// Three rows 30, 40 and 50 high (row 1 answers no height: the default), a footer.
struct Rows : UITableViewDataSource, UITableViewDelegate {
    int count = 3;
    int made = 0;
    std::vector<int> selected;

    int tableViewNumberOfRowsInSection(UITableView&, int) override { return count; }
    UITableViewCellPtr tableViewCellForRowAtIndexPath(UITableView& table,
                                                      const NSIndexPath& path) override {
        auto cell = table.dequeueReusableCellWithIdentifier("row");
        if (!cell) {
            ++made;
            cell = std::make_shared<UITableViewCell>(UITableViewCellStyle::Default, "row");
        }
        cell->textLabel()->setText("row " + std::to_string(path.row));
        return cell;
    }
    std::optional<double> tableViewHeightForRowAtIndexPath(UITableView&,
                                                           const NSIndexPath& path) override {
        if (path.row == 1) {
            return std::nullopt;
        }
        return 30.0 + 10 * path.row;
    }
    std::optional<UIViewPtr> tableViewViewForFooterInSection(UITableView&, int) override {
        return std::make_shared<UIView>();
    }
    std::optional<double> tableViewHeightForFooterInSection(UITableView&, int) override {
        return 7.0;
    }
    void tableViewDidSelectRowAtIndexPath(UITableView&, const NSIndexPath& path) override {
        selected.push_back(path.row);
    }
};

TEST(TableView, StacksItsRowsAndFooterReusesCellsAndReportsTappedRows) {
    AnimationClock::shared().setManualStepping(true);
    auto window = std::make_shared<UIWindow>(CGRect{0, 0, 200, 400});
    auto table = std::make_shared<UITableView>(CGRect{0, 0, 200, 400});
    auto rows = std::make_shared<Rows>();
    table->setDataSource(rows);
    table->setTableDelegate(rows);
    window->addSubview(table);
    table->layoutIfNeeded();

    ASSERT_NE(table->cellForRowAtIndexPath({0, 2}), nullptr);
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 0})->frame(), (CGRect{0, 0, 200, 30}));
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 1})->frame(),
              (CGRect{0, 30, 200, UITableView::kDefaultRowHeight}));
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 2})->frame().minY(), 74);
    EXPECT_EQ(table->contentSize().height, 74 + 50 + 7);
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 3}), nullptr);

    TouchScript touches{window};
    touches.tap(*table->cellForRowAtIndexPath({0, 1}));
    touches.wait(1).down(1, {100, 300}).up(1, {100, 300});
    EXPECT_EQ(rows->selected, std::vector<int>{1}) << "below the rows nothing is selected";

    rows->count = 4;
    table->reloadData();
    EXPECT_EQ(rows->made, 4) << "three cells come back for reuse";
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 3})->textLabel()->text(), "row 3");
    AnimationClock::shared().setManualStepping(false);
}

TEST(TableView, ADefaultCellPutsItsImageLeftAndItsTextAfterIt) {
    UITableViewCell cell(UITableViewCellStyle::Default, "");
    cell.setFrame({0, 0, 300, 60});
    auto bitmap = CGImage::create(40, 20, CGPixelFormat::RGB32);
    cell.imageView()->setImage(UIImage::imageWithCGImage(bitmap));
    cell.layoutIfNeeded();
    EXPECT_EQ(cell.imageView()->frame(), (CGRect{15, 20, 40, 20}));
    EXPECT_EQ(cell.textLabel()->frame(), (CGRect{70, 0, 215, 60}));
}

}  // namespace
