#include "tools/overlay/pickers/CLPickerDrum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ui/view/UILabel.h"
#include "tests/tools/overlay/pickers/PickerScene.h"
#include "tools/overlay/pickers/CLPickerView.h"

namespace {

// Rows titled "r0", "r1", …; records the selections it hears.
struct Rows : CLPickerDrumDataSource, CLPickerDrumDelegate {
    long count = 5;
    std::optional<double> height;
    std::vector<long> selected;

    long numberOfRowsInPickerDrum(CLPickerDrum&) override { return count; }
    std::optional<double> rowHeightInPickerDrum(CLPickerDrum&) override { return height; }
    std::optional<std::string> pickerDrumTitleForRow(CLPickerDrum&, long row) override {
        return "r" + std::to_string(row);
    }
    void pickerDrumDidSelectRow(CLPickerDrum&, long row) override { selected.push_back(row); }
};

// The row texts from top to bottom.
std::vector<std::string> shownTitles(const CLPickerDrum& drum) {
    auto views = drum.scrollView()->subviews();
    std::sort(views.begin(), views.end(), [](const UIViewPtr& a, const UIViewPtr& b) {
        return a->frame().minY() < b->frame().minY();
    });
    std::vector<std::string> titles;
    for (const UIViewPtr& view : views) {
        const auto label = std::dynamic_pointer_cast<UILabel>(view);
        titles.push_back(label ? label->text() : "?");
    }
    return titles;
}

// The text of the row in the veil's clear band.
std::string middleTitle(const CLPickerDrum& drum) {
    const CGPoint middle = drum.convertPointToView({drum.bounds().midX(), drum.bounds().midY()},
                                                   drum.scrollView().get());
    for (const UIViewPtr& view : drum.scrollView()->subviews()) {
        if (view->frame().contains(middle)) {
            return std::dynamic_pointer_cast<UILabel>(view)->text();
        }
    }
    return "";
}

struct DrumTest : testing::Test {
    CLPickerDrumPtr makeDrum(double height, long rows, std::optional<double> rowHeight = {}) {
        source->count = rows;
        source->height = rowHeight;
        auto drum = CLPickerDrum::create({0, 0, 100, height});
        drum->setDataSource(source);
        drum->setDelegate(source);
        drum->reload();
        return drum;
    }
    // Turns the wheel by a number of rows, as a drag would.
    static void turn(CLPickerDrum& drum, double rows) {
        const auto& scroll = drum.scrollView();
        const double rowHeight = scroll->contentSize().height / CLPickerDrum::kStripRows;
        scroll->setContentOffset({0, scroll->contentOffset().y + rows * rowHeight});
    }

    std::shared_ptr<Rows> source = std::make_shared<Rows>();
};

TEST_F(DrumTest, KeepsEnoughRowViewsAndWrapsRowsEndlessly) {
    const auto drum = makeDrum(120, 5);
    EXPECT_DOUBLE_EQ(drum->rowHeight(), 40) << "a third of the height, by default";
    source->height = 30;
    drum->reload();
    EXPECT_EQ(shownTitles(*drum),
              (std::vector<std::string>{"r2", "r3", "r4", "r0", "r1", "r2", "r3"}));
    EXPECT_EQ(middleTitle(*drum), "r0");
    const UIImagePtr veil = drum->foregroundView()->image();
    ASSERT_TRUE(veil);
    EXPECT_EQ(veil->size(), (CGSize{100, 120}));

    // Twelve rows down and thirty up: each passed row is one selection, in order.
    turn(*drum, 12);
    EXPECT_EQ(drum->selectedRow(), 2);
    EXPECT_EQ(middleTitle(*drum), "r2");
    EXPECT_EQ(source->selected.size(), 12u);
    turn(*drum, -30);
    EXPECT_EQ(drum->selectedRow(), 2);
    EXPECT_EQ(source->selected.size(), 42u);
    EXPECT_EQ(shownTitles(*drum),
              (std::vector<std::string>{"r4", "r0", "r1", "r2", "r3", "r4", "r0"}));
    for (long row : source->selected) {
        EXPECT_TRUE(row >= 0 && row < 5) << row;
    }
    // Half a row turns the wheel; less does not.
    turn(*drum, 0.4);
    EXPECT_EQ(drum->selectedRow(), 2);
    turn(*drum, 0.2);
    EXPECT_EQ(drum->selectedRow(), 3);

    // With fewer rows than views the numbering still runs on without a gap.
    const auto pair = makeDrum(120, 2, 30);
    EXPECT_EQ(shownTitles(*pair),
              (std::vector<std::string>{"r1", "r0", "r1", "r0", "r1", "r0", "r1"}));
}

TEST_F(DrumTest, SelectingWrapsTheRowIntoRangeAndReportsItOnce) {
    const auto drum = makeDrum(120, 5, 30);
    source->selected.clear();
    drum->selectRowAnimated(7, false);
    EXPECT_EQ(drum->selectedRow(), 2);
    EXPECT_EQ(source->selected, std::vector<long>{2});
    EXPECT_EQ(middleTitle(*drum), "r2");
    drum->selectRowAnimated(2, false);
    EXPECT_EQ(source->selected.size(), 1u) << "an unchanged selection is not reported";
    drum->selectRowAnimated(-1, false);
    EXPECT_EQ(drum->selectedRow(), 4);
    drum->selectRowAnimated(-13, false);
    EXPECT_EQ(drum->selectedRow(), 2);
    EXPECT_EQ(middleTitle(*drum), "r2");

    // Without rows, the views are empty labels and the selection stays 0.
    const auto empty = makeDrum(120, 0, 30);
    empty->selectRowAnimated(3, false);
    EXPECT_EQ(empty->selectedRow(), 0);
    EXPECT_EQ(shownTitles(*empty), std::vector<std::string>(7, ""));
    turn(*empty, 4);
    EXPECT_EQ(empty->selectedRow(), 0);
}

TEST_F(DrumTest, SnapsToTheNearestRowWhenTheFingerLifts) {
    PickerScene scene;
    const auto drum = makeDrum(180, 5, 60);
    drum->setFrame({50, 200, 100, 180});
    scene.window->addSubview(drum);
    scene.window->layoutIfNeeded();
    const double start = drum->scrollView()->contentOffset().y;
    const CGPoint finger = scene.inWindow(*drum, {50, 90});

    // A quarter row up and back to where it was.
    scene.slowDrag(finger, {finger.x, finger.y - 15});
    EXPECT_DOUBLE_EQ(drum->scrollView()->contentOffset().y, start);
    AnimationClock::shared().runToEnd();
    EXPECT_DOUBLE_EQ(drum->scrollView()->presentationBounds().origin.y, start);
    EXPECT_EQ(drum->selectedRow(), 0);

    // Three quarters: already the next row, settled on it.
    scene.slowDrag(finger, {finger.x, finger.y - 45});
    EXPECT_EQ(drum->selectedRow(), 1);
    AnimationClock::shared().runToEnd();
    EXPECT_DOUBLE_EQ(drum->scrollView()->contentOffset().y, start + 60);
    EXPECT_EQ(middleTitle(*drum), "r1");
}

// A data source alone: even widths and "component - row" titles.
struct Columns : CLPickerViewDataSource, CLPickerViewDelegate {
    long components = 2;
    std::vector<double> widths;
    long numberOfComponentsInPickerView(CLPickerView&) override { return components; }
    long pickerViewNumberOfRowsInComponent(CLPickerView&, long) override { return 5; }
    std::optional<double> pickerViewWidthForComponent(CLPickerView&, long c) override {
        return c < static_cast<long>(widths.size()) ? widths[c] : 0.0;
    }
};

TEST(PickerView, LaysOutOneDrumPerComponent) {
    const auto columns = std::make_shared<Columns>();
    const auto picker = CLPickerView::create({0, 0, 300, 90});
    picker->setDataSource(columns);
    picker->selectRowInComponentAnimated(3, 1, false);
    ASSERT_EQ(picker->drums().size(), 2u);
    EXPECT_EQ(picker->drums()[1]->frame(), (CGRect{150, 0, 150, 90}));
    EXPECT_EQ(middleTitle(*picker->drums()[1]), "1 - 3");
    EXPECT_EQ(picker->selectedRowInComponent(1), 3);
    EXPECT_EQ(picker->selectedRowInComponent(5), 0);

    // A width of 0 shares the picker's width; surplus drums go.
    picker->setDelegate(columns);
    columns->widths = {100, 0, 50};
    columns->components = 3;
    picker->reloadComponent(0);
    EXPECT_EQ(picker->drums()[1]->frame(), (CGRect{100, 0, 100, 90}));
    EXPECT_EQ(picker->drums()[2]->frame(), (CGRect{200, 0, 50, 90}));
    columns->components = 1;
    picker->layoutSubviews();
    EXPECT_EQ(picker->drums().size(), 1u);
    EXPECT_EQ(picker->subviews().size(), 1u);
}

}  // namespace
