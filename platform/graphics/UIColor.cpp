#include "platform/graphics/UIColor.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"

namespace {
double clampUnit(double value) {
    return std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0);
}
}  // namespace

UIColor::UIColor() : UIColor(Kind::Grey, 0, 0, 0, 1) {}

UIColor::UIColor(Kind kind, double red, double green, double blue, double alpha,
                 std::shared_ptr<const UIImage> pattern)
    : kind_(kind),
      red_(clampUnit(red)),
      green_(clampUnit(green)),
      blue_(clampUnit(blue)),
      alpha_(clampUnit(alpha)),
      pattern_(std::move(pattern)) {}

UIColor UIColor::colorWithRed(double red, double green, double blue, double alpha) {
    return UIColor(Kind::RGB, red, green, blue, alpha);
}

UIColor UIColor::colorWithWhite(double white, double alpha) {
    return UIColor(Kind::Grey, white, white, white, alpha);
}

UIColor UIColor::colorWithHue(double hue, double saturation, double brightness, double alpha) {
    const double h = clampUnit(hue) * 6.0;
    const double s = clampUnit(saturation);
    const double v = clampUnit(brightness);
    const int sector = static_cast<int>(std::floor(h)) % 6;
    const double fraction = h - std::floor(h);
    const double p = v * (1 - s);
    const double q = v * (1 - s * fraction);
    const double t = v * (1 - s * (1 - fraction));
    switch (sector) {
        case 0:
            return colorWithRed(v, t, p, alpha);
        case 1:
            return colorWithRed(q, v, p, alpha);
        case 2:
            return colorWithRed(p, v, t, alpha);
        case 3:
            return colorWithRed(p, q, v, alpha);
        case 4:
            return colorWithRed(t, p, v, alpha);
        default:
            return colorWithRed(v, p, q, alpha);
    }
}

UIColor UIColor::colorWithPatternImage(std::shared_ptr<const UIImage> image) {
    if (!image) {
        return clearColor();
    }
    return UIColor(Kind::Pattern, 0, 0, 0, 1, std::move(image));
}

UIColor UIColor::blackColor() {
    return colorWithWhite(0);
}
UIColor UIColor::darkGrayColor() {
    return colorWithWhite(1.0 / 3.0);
}
UIColor UIColor::lightGrayColor() {
    return colorWithWhite(2.0 / 3.0);
}
UIColor UIColor::whiteColor() {
    return colorWithWhite(1);
}
UIColor UIColor::grayColor() {
    return colorWithWhite(0.5);
}
UIColor UIColor::clearColor() {
    return colorWithWhite(0, 0);
}
UIColor UIColor::redColor() {
    return colorWithRed(1, 0, 0);
}
UIColor UIColor::greenColor() {
    return colorWithRed(0, 1, 0);
}
UIColor UIColor::blueColor() {
    return colorWithRed(0, 0, 1);
}
UIColor UIColor::cyanColor() {
    return colorWithRed(0, 1, 1);
}
UIColor UIColor::yellowColor() {
    return colorWithRed(1, 1, 0);
}
UIColor UIColor::magentaColor() {
    return colorWithRed(1, 0, 1);
}
UIColor UIColor::orangeColor() {
    return colorWithRed(1, 0.5, 0);
}
UIColor UIColor::purpleColor() {
    return colorWithRed(0.5, 0, 0.5);
}
UIColor UIColor::brownColor() {
    return colorWithRed(0.6, 0.4, 0.2);
}

UIColor UIColor::colorWithAlphaComponent(double alpha) const {
    return UIColor(kind_, red_, green_, blue_, alpha, pattern_);
}

bool UIColor::getRed(double* red, double* green, double* blue, double* alpha) const {
    if (kind_ == Kind::Pattern) {
        return false;
    }
    *red = red_;
    *green = green_;
    *blue = blue_;
    *alpha = alpha_;
    return true;
}

bool UIColor::getWhite(double* white, double* alpha) const {
    const bool grey =
        kind_ == Kind::Grey || (kind_ == Kind::RGB && red_ == green_ && green_ == blue_);
    if (!grey) {
        return false;
    }
    *white = red_;
    *alpha = alpha_;
    return true;
}

bool UIColor::getHue(double* hue, double* saturation, double* brightness, double* alpha) const {
    if (kind_ != Kind::RGB) {
        return false;
    }
    const double maximum = std::max({red_, green_, blue_});
    const double minimum = std::min({red_, green_, blue_});
    const double chroma = maximum - minimum;
    double h = 0;
    if (chroma > 0) {
        if (maximum == red_) {
            h = (green_ - blue_) / chroma;
        } else if (maximum == green_) {
            h = (blue_ - red_) / chroma + 2;
        } else {
            h = (red_ - green_) / chroma + 4;
        }
        h /= 6;
        if (h < 0) {
            h += 1;
        }
    }
    *hue = h;
    *saturation = maximum > 0 ? chroma / maximum : 0;
    *brightness = maximum;
    *alpha = alpha_;
    return true;
}

void UIColor::set() const {
    if (CGContextRef context = UIGraphicsGetCurrentContext()) {
        context->setFillColor(*this);
        context->setStrokeColor(*this);
    }
}

void UIColor::setFill() const {
    if (CGContextRef context = UIGraphicsGetCurrentContext()) {
        context->setFillColor(*this);
    }
}

void UIColor::setStroke() const {
    if (CGContextRef context = UIGraphicsGetCurrentContext()) {
        context->setStrokeColor(*this);
    }
}
