#include "imaging/operations/UIImageUtility.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "imaging/operations/BitmapConversion.h"
#include "imaging/operations/BitmapDrawing.h"
#include "imaging/operations/GaussianKernel.h"

namespace {

// Pixel sizes come from point sizes by dropping the fraction; anything that does not
// fit a bitmap gives no picture.
int truncated(double value) {
    if (!(value > 0) || value >= CGImage::kMaxSide + 1.0) {
        return 0;
    }
    return static_cast<int>(value);
}

// The part of an upright target (tw × th user units) that a bitmap stretched to
// dw × dh and laid at (-dx, -dy) covers, with the y axis of the context pointing up.
BitmapPlacement placeInContext(int tw, int th, int dw, int dh, int dx, int dy) {
    return {dw, dh, dx, dh - dy - th, tw, th};
}

UIImagePtr pictureOf(std::shared_ptr<CGImage> bitmap, double scale = 1.0) {
    return bitmap ? UIImage::imageWithCGImage(std::move(bitmap), scale) : nullptr;
}

// Where the draw of the context would land, computed on the pixels directly.
UIImagePtr drawOriented(const UIImage& image, const BitmapPlacement& placement) {
    return pictureOf(BitmapDrawing::draw(*image.CGImage(), placement, image.imageOrientation()));
}

// Nearest-pixel grey level of the mask at a position of a w × h picture.
class MaskSampler {
public:
    MaskSampler(const CGImage& mask, int width, int height) : mask_(mask) {
        for (int x = 0; x < width; ++x) {
            columns_.push_back(
                static_cast<int>(static_cast<std::int64_t>(x) * mask.width() / width));
        }
        for (int y = 0; y < height; ++y) {
            rows_.push_back(
                static_cast<int>(static_cast<std::int64_t>(y) * mask.height() / height));
        }
    }

    std::uint8_t level(int x, int y) const {
        const std::uint8_t* row = mask_.row(rows_[y]);
        if (mask_.format() == CGPixelFormat::Grey8) {
            return row[columns_[x]];
        }
        const auto* pixels = reinterpret_cast<const std::uint32_t*>(row);
        return BitmapConversion::luma(pixels[columns_[x]]);
    }

private:
    const CGImage& mask_;
    std::vector<int> columns_;
    std::vector<int> rows_;
};

std::uint32_t scaled(std::uint32_t pixel, std::uint32_t keep) {
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t channel = (pixel >> shift) & 0xFF;
        result |= ((channel * keep + 127) / 255) << shift;
    }
    return result;
}

// The pixels after the JPEG round trip the blur starts from; the decoded picture itself
// when encoding fails, so the blur still happens.
UIImagePtr jpegRoundTrip(UIImagePtr decoded) {
    const std::vector<std::uint8_t> jpeg = UIImageJPEGRepresentation(*decoded, 1.0);
    if (jpeg.empty()) {
        return decoded;
    }
    UIImagePtr reread = UIImage::imageWithData(jpeg);
    return reread ? reread : decoded;
}

}  // namespace

UIImagePtr UIImageUtility::decode(const UIImagePtr& image) {
    if (!image) {
        return nullptr;
    }
    CGImageRef upright = BitmapDrawing::upright(image->CGImage(), image->imageOrientation());
    return upright ? UIImage::imageWithCGImage(std::move(upright), image->scale()) : nullptr;
}

UIImagePtr UIImageUtility::fastImageWithData(const std::vector<std::uint8_t>& data) {
    return decode(UIImage::imageWithData(data));
}

UIImagePtr UIImageUtility::fastImageWithContentsOfFile(const std::string& path) {
    return decode(UIImage::imageWithContentsOfFile(path));
}

UIImagePtr UIImageUtility::deepCopy(const UIImagePtr& image) {
    return decode(image);
}

UIImagePtr UIImageUtility::grayScaleImage(const UIImagePtr& image) {
    if (!image) {
        return nullptr;
    }
    UIImagePtr upright = resize(image, image->size());
    auto grey = upright ? BitmapConversion::toGrey(*upright->CGImage()) : nullptr;
    return pictureOf(std::move(grey));
}

UIImagePtr UIImageUtility::resize(const UIImagePtr& image, CGSize size) {
    const int w = truncated(size.width);
    const int h = truncated(size.height);
    if (!image || w == 0 || h == 0) {
        return nullptr;
    }
    const bool turned = isQuarterTurned(image->imageOrientation());
    const int dw = turned ? h : w;
    const int dh = turned ? w : h;
    return drawOriented(*image, placeInContext(dw, dh, dw, dh, 0, 0));
}

UIImagePtr UIImageUtility::aspectFit(const UIImagePtr& image, CGSize size) {
    if (!image) {
        return nullptr;
    }
    const CGSize own = image->size();
    const double ratio = std::min(size.width / own.width, size.height / own.height);
    return resize(image, {own.width * ratio, own.height * ratio});
}

UIImagePtr UIImageUtility::aspectFill(const UIImagePtr& image, CGSize size) {
    return aspectFillOffset(image, size, 0);
}

UIImagePtr UIImageUtility::aspectFillOffset(const UIImagePtr& image, CGSize size, double offset) {
    const int w = truncated(size.width);
    const int h = truncated(size.height);
    if (!image || w == 0 || h == 0) {
        return nullptr;
    }
    const bool turned = isQuarterTurned(image->imageOrientation());
    const CGSize own = image->size();
    const int iw = truncated(turned ? own.height : own.width);
    const int ih = truncated(turned ? own.width : own.height);
    if (iw == 0 || ih == 0) {
        return nullptr;
    }
    const int tw = turned ? h : w;
    const int th = turned ? w : h;
    const double ratio = std::max(static_cast<double>(tw) / iw, static_cast<double>(th) / ih);
    const int dw = static_cast<int>(iw * ratio);
    const int dh = static_cast<int>(ih * ratio);
    int dx = std::abs((dw - tw) / 2);
    int dy = std::abs((dh - th) / 2);
    if (dx == 0) {
        dy += static_cast<int>(offset);
    }
    if (dy == 0) {
        dx += static_cast<int>(offset);
    }
    return drawOriented(*image, placeInContext(tw, th, dw, dh, dx, dy));
}

UIImagePtr UIImageUtility::crop(const UIImagePtr& image, const CGRect& rect) {
    if (!image) {
        return nullptr;
    }
    const double scale = image->scale();
    const CGRect r = rect.standardized();
    // Whole pixels: the rectangle's edges are rounded to the nearest pixel, so a crop is
    // a sharp copy and never a resampled one.
    const auto left = static_cast<int>(std::lround(r.minX() * scale));
    const auto top = static_cast<int>(std::lround(r.minY() * scale));
    const auto right = static_cast<int>(std::lround(r.maxX() * scale));
    const auto bottom = static_cast<int>(std::lround(r.maxY() * scale));
    auto bitmap = BitmapDrawing::cropUpright(*image->CGImage(), image->imageOrientation(), left,
                                             top, right - left, bottom - top);
    return pictureOf(std::move(bitmap), scale);
}

UIImagePtr UIImageUtility::maskedImage(const UIImagePtr& image, const UIImagePtr& mask) {
    if (!image || !mask) {
        return nullptr;
    }
    CGImageRef upright = BitmapDrawing::upright(image->CGImage(), image->imageOrientation());
    if (!upright) {
        return nullptr;
    }
    const MaskSampler sampler(*mask->CGImage(), upright->width(), upright->height());
    auto result = BitmapConversion::mapRows(
        *upright, CGPixelFormat::ARGB32Premultiplied, [&](int y, std::uint8_t* row) {
            const auto* in = reinterpret_cast<const std::uint32_t*>(upright->row(y));
            auto* out = reinterpret_cast<std::uint32_t*>(row);
            for (int x = 0; x < upright->width(); ++x) {
                out[x] = scaled(in[x], 255u - sampler.level(x, y));
            }
        });
    if (!result) {
        return nullptr;
    }
    return pictureOf(std::move(result));
}

UIImagePtr UIImageUtility::gaussBlur(const UIImagePtr& image, double level) {
    UIImagePtr decoded = decode(image);
    if (!decoded) {
        return nullptr;
    }
    const CGSize size = image->size();
    const GaussianKernel kernel =
        GaussianKernel::forLevel(level, std::min(size.width, size.height));
    auto pixels = BitmapConversion::toOpaqueRGB(*jpegRoundTrip(std::move(decoded))->CGImage());
    if (!pixels) {
        return nullptr;
    }
    auto scratch = CGImage::create(pixels->width(), pixels->height(), CGPixelFormat::RGB32,
                                   CGImage::Contents::Uninitialized);
    const vImage_Error error =
        scratch ? kernel.blur(*pixels, *scratch) : vImage_Error{kvImageMemoryAllocationError};
    if (error != kvImageNoError) {
        std::fprintf(stderr, "error from convolution %ld\n", error);
    }
    return pictureOf(std::move(pixels));
}
