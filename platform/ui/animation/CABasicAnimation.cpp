#include "platform/ui/animation/CABasicAnimation.h"

CABasicAnimation::CABasicAnimation(std::string keyPath) : keyPath_(std::move(keyPath)) {}

CABasicAnimation CABasicAnimation::animationWithKeyPath(std::string keyPath) {
    return CABasicAnimation(std::move(keyPath));
}
