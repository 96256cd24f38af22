#pragma once

#include <memory>
#include <optional>
#include <string>

// An aspect ratio of the crop strip: two sides, which way round they stand, and how
// it titles itself. The sides are kept as long and short side whatever order and signs
// they were given in; the orientation is the holder's to set.
class CLRatio {
public:
    CLRatio(double value1, double value2);

    double longSide() const { return longSide_; }
    double shortSide() const { return shortSide_; }
    // True: the long side is horizontal.
    bool isLandscape() const { return isLandscape_; }
    void setIsLandscape(bool landscape) { isLandscape_ = landscape; }
    // A format for the two sides (horizontal first); "%g : %g" while unset.
    const std::optional<std::string>& titleFormat() const { return titleFormat_; }
    void setTitleFormat(std::optional<std::string> format) { titleFormat_ = std::move(format); }

    // The title: the format filled with the horizontal and the vertical side. Only
    // floating-point conversions take a side; anything else is shown as written.
    std::string description() const;
    // Height over width of the rectangle asked for; 0 (a free rectangle) when a side
    // is 0.
    double ratio() const;

private:
    double longSide_;
    double shortSide_;
    bool isLandscape_ = false;
    std::optional<std::string> titleFormat_;
};

using CLRatioPtr = std::shared_ptr<CLRatio>;
