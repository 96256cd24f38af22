#include <gtest/gtest.h>

#include <memory>

#include "imaging/operations/UIViewFrame.h"

namespace {

TEST(UIViewFrameTest, EdgesReadAndMoveTheFrame) {
    auto view = std::make_shared<UIView>(CGRect{10, 20, 100, 50});
    EXPECT_EQ(UIViewFrame::top(*view), 20);
    EXPECT_EQ(UIViewFrame::bottom(*view), 70);
    EXPECT_EQ(UIViewFrame::left(*view), 10);
    EXPECT_EQ(UIViewFrame::right(*view), 110);

    UIViewFrame::setBottom(*view, 200);
    EXPECT_EQ(view->frame(), (CGRect{10, 150, 100, 50}));
    UIViewFrame::setRight(*view, 300);
    EXPECT_EQ(view->frame(), (CGRect{200, 150, 100, 50}));
    UIViewFrame::setWidth(*view, 40);
    UIViewFrame::setHeight(*view, 30);
    EXPECT_EQ(view->frame(), (CGRect{200, 150, 40, 30}));
    UIViewFrame::setTop(*view, 5);
    UIViewFrame::setLeft(*view, 6);
    EXPECT_EQ(view->frame(), (CGRect{6, 5, 40, 30}));
}

}  // namespace
