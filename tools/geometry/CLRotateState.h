#pragma once

#include "platform/geometry/CATransform3D.h"
#include "platform/geometry/CGSize.h"

// What the rotate tool's controls have set: the slider, the quarter-turn counter and
// the two mirrors, and the geometry that follows. A plain value, so the tool hands a
// copy to its render.
struct CLRotateState {
    // Fine rotation: a narrow slider (±0.5, a quarter of π each way) around quarter
    // turns; otherwise the slider (±1) turns by up to half a turn either way.
    bool fine = false;
    double sliderValue = 0;
    double orientation = 0;
    int flipHorizontal = 0;
    int flipVertical = 0;

    double sliderLimit() const { return fine ? 0.5 : 1.0; }
    // Radians; positive turns clockwise on screen.
    double angle() const;
    // base with the vertical mirror, then the horizontal one, then the turn (by the
    // angle, or its negative for the filter's y-up space) applied before it.
    CATransform3D transform(const CATransform3D& base, bool clockwise) const;
    // Moves to the next quarter-turn position above the current angle.
    void quarterTurn();

    // The bounding box of a size turned by angle.
    static CGSize turnedSize(CGSize size, double angle);
    // How much of the turned size a starting frame of size covers: the scale at which the
    // largest upright rectangle of that aspect fits inside the turned picture.
    static double coveredFraction(CGSize size, double angle);
};
