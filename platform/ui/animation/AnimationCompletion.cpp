#include "platform/ui/animation/AnimationCompletion.h"

#include "platform/dispatch/DispatchQueue.h"

AnimationCompletion::AnimationCompletion(std::function<void(bool)> completion)
    : completion_(std::move(completion)) {}

void AnimationCompletion::animationEnded(bool finished) {
    interrupted_ = interrupted_ || !finished;
    if (--pending_ == 0) {
        complete();
    }
}

void AnimationCompletion::completeWithoutAnimations() {
    if (pending_ == 0) {
        complete();
    }
}

void AnimationCompletion::complete() {
    if (completed_) {
        return;
    }
    completed_ = true;
    if (completion_) {
        DispatchQueue::main().async([completion = std::move(completion_),
                                     finished = !interrupted_] { completion(finished); });
    }
}
