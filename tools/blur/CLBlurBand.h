#pragma once

#include "core/CLFadingIndicator.h"

// The band mode's indicator: two long lines around the middle 40 % of its height, the
// sharp strip. It turns by rotation, is stretched across the band by scale and moves
// along its normal by offset, all through its transform.
class CLBlurBand : public CLFadingIndicator {
public:
    explicit CLBlurBand(const CGRect& frame = CGRect{});

    double rotation() const { return rotation_; }
    void setRotation(double rotation);
    double scale() const { return scale_; }
    void setScale(double scale);
    double offset() const { return offset_; }
    void setOffset(double offset);

    void drawRect(CGContext& context, const CGRect& rect) override;

private:
    void calcTransform();

    double rotation_ = 0;
    double scale_ = 1;
    double offset_ = 0;
};
