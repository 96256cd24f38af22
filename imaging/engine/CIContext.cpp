#include "imaging/engine/CIContext.h"

#include <cstring>

#include "imaging/engine/CIFilter.h"
#include "imaging/engine/CIRenderer.h"
#include "imaging/operations/BitmapConversion.h"

namespace {

// The part of pixels (covering extent) inside rect, as a bitmap of rect's size.
std::shared_ptr<CGImage> cut(const CIPixels& pixels, const CGRect& rect) {
    auto result = CGImage::create(static_cast<int>(rect.width()), static_cast<int>(rect.height()),
                                  CGPixelFormat::ARGB32Premultiplied);
    const CGRect common = rect.intersection(pixels.extent);
    if (!result || common.isNull() || common.isEmpty()) {
        return result;
    }
    auto converted = BitmapConversion::toPremultipliedARGB(*pixels.bitmap);
    if (!converted) {
        return nullptr;
    }
    const auto columns = static_cast<std::size_t>(common.width()) * 4;
    const auto fromX = static_cast<std::size_t>(common.minX() - pixels.extent.minX()) * 4;
    const auto toX = static_cast<std::size_t>(common.minX() - rect.minX()) * 4;
    for (int row = 0; row < static_cast<int>(common.height()); ++row) {
        // Rows count down from the top edge (maxY) in both bitmaps.
        const int fromRow = static_cast<int>(pixels.extent.maxY() - common.maxY()) + row;
        const int toRow = static_cast<int>(rect.maxY() - common.maxY()) + row;
        std::memcpy(result->mutableRow(toRow) + toX, converted->row(fromRow) + fromX, columns);
    }
    return result;
}

}  // namespace

CIContextPtr CIContext::contextWithOptions(const ValueDictionary&) {
    return std::make_shared<CIContext>();
}

CGImageRef CIContext::createCGImage(const CIImagePtr& image, const CGRect& fromRect) const {
    const CGRect rect = fromRect.integral();
    if (!image || rect.isNull() || rect.isEmpty() ||
        !CGImage::isAcceptableSize(static_cast<std::int64_t>(rect.width()),
                                   static_cast<std::int64_t>(rect.height()))) {
        return nullptr;
    }
    CIRenderer renderer;
    const CIPixels pixels = renderer.render(*image);
    if (CIRenderLog::isRecording()) {
        CIRenderLog::add({renderer.filtersUsed(), rect});
    }
    if (!pixels.bitmap) {
        return nullptr;
    }
    if (rect == pixels.extent) {
        return pixels.bitmap->format() == CGPixelFormat::ARGB32Premultiplied
                   ? pixels.bitmap
                   : BitmapConversion::toPremultipliedARGB(*pixels.bitmap);
    }
    return cut(pixels, rect);
}

UIImagePtr CIContext::filteredImage(const std::string& filterName, const UIImagePtr& image,
                                    const ValueDictionary& inputs) const {
    return filteredImage(image, {{filterName, inputs}});
}

UIImagePtr CIContext::filteredImage(const UIImagePtr& image, const FilterChain& chain) const {
    CIImagePtr output = image ? CIImage::create(image) : nullptr;
    for (const auto& [name, inputs] : chain) {
        const CIFilterPtr filter = output ? CIFilter::filterWithName(name) : nullptr;
        if (!filter) {
            return nullptr;
        }
        filter->setValueForKey(CIImage::value(output), kCIInputImageKey);
        for (const auto& [key, value] : inputs) {
            filter->setValueForKey(value, key);
        }
        output = filter->outputImage();
    }
    CGImageRef bitmap = output ? createCGImage(output, output->extent()) : nullptr;
    return bitmap ? UIImage::imageWithCGImage(std::move(bitmap)) : nullptr;
}
