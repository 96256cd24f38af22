#include "tools/geometry/CLRotateState.h"

#include <algorithm>
#include <cmath>
#include <numbers>

double CLRotateState::angle() const {
    using std::numbers::pi;
    return fine ? orientation * pi / 2 + sliderValue * pi / 4 : sliderValue * pi;
}

CATransform3D CLRotateState::transform(const CATransform3D& base, bool clockwise) const {
    using std::numbers::pi;
    const double theta = clockwise ? angle() : -angle();
    return base.rotatedBy(theta, 0, 0, 1)
        .rotatedBy(pi * flipHorizontal, 0, 1, 0)
        .rotatedBy(pi * flipVertical, 1, 0, 0);
}

void CLRotateState::quarterTurn() {
    if (fine) {
        if (sliderValue >= 0) {
            orientation += 1;
        }
        if (orientation > 4) {
            orientation -= 4;
        }
        sliderValue = 0;
        return;
    }
    int next = static_cast<int>(std::floor(2 * (sliderValue + 1))) + 1;
    if (next > 4) {
        next -= 4;
    }
    orientation = next;
    sliderValue = next / 2.0 - 1;
}

CGSize CLRotateState::turnedSize(CGSize size, double angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return {std::abs(size.width * c) + std::abs(size.height * s),
            std::abs(size.width * s) + std::abs(size.height * c)};
}

double CLRotateState::coveredFraction(CGSize size, double angle) {
    const CGSize turned = turnedSize(size, angle);
    return std::min(size.width / turned.width, size.height / turned.height);
}
