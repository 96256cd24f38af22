#include "platform/graphics/UIScreen.h"

#include <atomic>

namespace {
std::atomic<double> screenScale{1.0};
}

double UIScreen::scale() {
    return screenScale.load(std::memory_order_relaxed);
}

void UIScreen::setScale(double scale) {
    if (scale > 0) {
        screenScale.store(scale, std::memory_order_relaxed);
    }
}
