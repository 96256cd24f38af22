#pragma once

#include <functional>

// The completion of an animation block (or of one explicit animation): waits for
// every animation it started to end and then runs once on the main queue, with
// finished = false when any of them was removed before its end.
class AnimationCompletion {
public:
    explicit AnimationCompletion(std::function<void(bool finished)> completion);

    void animationStarted() { ++pending_; }
    void animationEnded(bool finished);
    // For a block that started no animation: completes (finished) on the next turn.
    void completeWithoutAnimations();

private:
    void complete();

    std::function<void(bool)> completion_;
    int pending_ = 0;
    bool interrupted_ = false;
    bool completed_ = false;
};
