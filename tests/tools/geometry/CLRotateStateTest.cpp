#include <gtest/gtest.h>

#include "tools/geometry/CLRotateState.h"

TEST(CLRotateState, CoarseQuarterTurnsStepUpToTheNextQuarterAndWrap) {
    CLRotateState state{.sliderValue = -1};
    std::vector<double> positions;
    for (int press = 0; press < 5; ++press) {
        state.quarterTurn();
        positions.push_back(state.sliderValue);
    }
    EXPECT_EQ(positions, (std::vector<double>{-0.5, 0, 0.5, 1, -0.5}));
    EXPECT_EQ(state.orientation, 1);
}

TEST(CLRotateState, FineQuarterTurnsKeepTheCounterForANegativeOffsetAndWrapFourToOne) {
    CLRotateState state{.fine = true, .sliderValue = -0.3, .orientation = 1};
    state.quarterTurn();
    EXPECT_EQ(state.orientation, 1);
    EXPECT_EQ(state.sliderValue, 0);
    state.sliderValue = 0.3;
    state.quarterTurn();
    EXPECT_EQ(state.orientation, 2);
    state.orientation = 4;
    state.quarterTurn();
    EXPECT_EQ(state.orientation, 1);
}
