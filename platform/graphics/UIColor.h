#pragma once

#include <memory>

class UIImage;

// A colour of the drawing system: red, green, blue and alpha from 0 to 1, in one of
// three kinds, as the platform keeps them:
//  - a grey colour (white level and alpha): whiteness, black, gray, clear and the
//    other named greys;
//  - an RGB colour (device RGB);
//  - a pattern colour, which fills by tiling a picture.
// Components are clamped to 0…1 when the colour is made. A value type; copies share
// the pattern picture, which never changes.
class UIColor {
public:
    enum class Kind { Grey, RGB, Pattern };

    // Opaque black, as a default-constructed colour.
    UIColor();

    static UIColor colorWithRed(double red, double green, double blue, double alpha = 1.0);
    static UIColor colorWithWhite(double white, double alpha = 1.0);
    // Hue, saturation and brightness of the HSB (= HSV) model, each 0…1; hue 1 is hue 0.
    static UIColor colorWithHue(double hue, double saturation, double brightness,
                                double alpha = 1.0);
    // Fills tile the picture from the context's origin, one tile per picture size in
    // points. A null picture gives clear.
    static UIColor colorWithPatternImage(std::shared_ptr<const UIImage> image);

    static UIColor blackColor();      // grey 0
    static UIColor darkGrayColor();   // grey 1/3
    static UIColor lightGrayColor();  // grey 2/3
    static UIColor whiteColor();      // grey 1
    static UIColor grayColor();       // grey 0.5
    static UIColor clearColor();      // grey 0, alpha 0
    static UIColor redColor();
    static UIColor greenColor();
    static UIColor blueColor();
    static UIColor cyanColor();
    static UIColor yellowColor();
    static UIColor magentaColor();
    static UIColor orangeColor();  // 1, 0.5, 0
    static UIColor purpleColor();  // 0.5, 0, 0.5
    static UIColor brownColor();   // 0.6, 0.4, 0.2

    // The same colour (same kind) with another alpha.
    UIColor colorWithAlphaComponent(double alpha) const;

    Kind kind() const { return kind_; }

    // Read-back in the platform's way: each answers false and leaves its arguments
    // unchanged when the colour cannot be expressed that way.
    //  getRed: grey and RGB colours (a grey w reads as w, w, w); not patterns.
    //  getWhite: grey colours; RGB colours only when red, green and blue are equal,
    //    since any other conversion to grey would lose the colour.
    //  getHue: RGB colours only; a grey colour yields only a grey level.
    bool getRed(double* red, double* green, double* blue, double* alpha) const;
    bool getWhite(double* white, double* alpha) const;
    bool getHue(double* hue, double* saturation, double* brightness, double* alpha) const;

    // Components as they are drawn (a grey w is w, w, w). Patterns report clear.
    double red() const { return red_; }
    double green() const { return green_; }
    double blue() const { return blue_; }
    double alpha() const { return alpha_; }
    const std::shared_ptr<const UIImage>& patternImage() const { return pattern_; }

    // Sets this colour as the fill and stroke, the fill, or the stroke colour of the
    // current context (UIGraphicsGetCurrentContext); does nothing without one.
    void set() const;
    void setFill() const;
    void setStroke() const;

    // Same kind, same components; patterns are equal when they tile the same picture.
    friend bool operator==(const UIColor&, const UIColor&) = default;

private:
    UIColor(Kind kind, double red, double green, double blue, double alpha,
            std::shared_ptr<const UIImage> pattern = nullptr);

    Kind kind_;
    double red_;
    double green_;
    double blue_;
    double alpha_;
    std::shared_ptr<const UIImage> pattern_;
};
