#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/geometry/CGRect.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/CGImage.h"

// The eight orientations, numbered as the platform numbers them.
enum class UIImageOrientation {
    Up,
    Down,
    Left,
    Right,
    UpMirrored,
    DownMirrored,
    LeftMirrored,
    RightMirrored
};

// True for the four orientations whose bitmap is stored turned by a quarter.
bool isQuarterTurned(UIImageOrientation orientation);

class UIImage;
using UIImagePtr = std::shared_ptr<UIImage>;
class PictureMetadata;
using PictureMetadataPtr = std::shared_ptr<const PictureMetadata>;

// An immutable picture: a shared bitmap with a scale (pixels per point) and an
// orientation, which says how the stored bitmap must be turned to stand upright.
// Nothing changes a UIImage after it is made; operations make new ones. A decoded
// picture also carries its file's metadata (EXIF, XMP, IPTC), which saving writes back.
class UIImage {
public:
    // Null when there is no bitmap or the scale is not positive.
    static UIImagePtr imageWithCGImage(CGImageRef bitmap, double scale = 1.0,
                                       UIImageOrientation orientation = UIImageOrientation::Up,
                                       PictureMetadataPtr metadata = nullptr);
    // Decoded pictures; null for anything that can't be read (see ImageDecoder).
    static UIImagePtr imageWithContentsOfFile(const std::string& path);
    static UIImagePtr imageWithData(const std::vector<std::uint8_t>& data);

    // Size in points; width and height are exchanged for quarter-turned orientations.
    CGSize size() const;
    double scale() const { return scale_; }
    UIImageOrientation imageOrientation() const { return orientation_; }
    const CGImageRef& CGImage() const { return bitmap_; }
    // Null for none.
    const PictureMetadataPtr& metadata() const { return metadata_; }
    // The same picture carrying other metadata (an edit's result given its source's).
    UIImagePtr imageWithMetadata(PictureMetadataPtr metadata) const;

    // Draw into the current context (UIGraphics), applying the orientation so the
    // picture stands upright in the rectangle of a y-down context; nothing happens
    // without a current context. Mirrored orientations are drawn mirrored.
    void drawInRect(const CGRect& rect) const;
    void drawInRect(const CGRect& rect, CGBlendMode blendMode, double alpha) const;
    // At the picture's size in points.
    void drawAtPoint(CGPoint point) const;
    void drawAtPoint(CGPoint point, CGBlendMode blendMode, double alpha) const;

    // Draws into context as drawInRect draws into the current one.
    void drawInContext(CGContext& context, const CGRect& rect) const;

    // Maps the bitmap's pixel space (x right, y down from its first row) onto rect so
    // that the picture stands upright in a y-down space.
    CGAffineTransform uprightTransform(const CGRect& rect) const;

private:
    UIImage(CGImageRef bitmap, double scale, UIImageOrientation orientation,
            PictureMetadataPtr metadata);

    CGImageRef bitmap_;
    double scale_;
    UIImageOrientation orientation_;
    PictureMetadataPtr metadata_;
};

// Encoded bytes of the picture as the platform makes them, with its metadata; empty on
// failure. The orientation is applied to the pixels, as encoders drop it.
std::vector<std::uint8_t> UIImagePNGRepresentation(const UIImage& image);
std::vector<std::uint8_t> UIImageJPEGRepresentation(const UIImage& image, double quality);
