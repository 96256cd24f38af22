#include "platform/graphics/CGImage.h"

#include <cstring>

namespace {
constexpr std::size_t kRowAlignment = 64;
}

int bytesPerPixel(CGPixelFormat format) {
    return format == CGPixelFormat::Grey8 ? 1 : 4;
}

bool CGImage::isAcceptableSize(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
           width * height <= kMaxPixels;
}

CGImage::CGImage(int width, int height, CGPixelFormat format, std::size_t bytesPerRow,
                 PixelMemory::Pointer data)
    : width_(width),
      height_(height),
      format_(format),
      bytesPerRow_(bytesPerRow),
      data_(std::move(data)) {}

std::shared_ptr<CGImage> CGImage::create(int width, int height, CGPixelFormat format,
                                         Contents contents) {
    if (!isAcceptableSize(width, height)) {
        return nullptr;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(width) * ::bytesPerPixel(format);
    const std::size_t stride = (rowBytes + kRowAlignment - 1) / kRowAlignment * kRowAlignment;
    const std::size_t size = stride * static_cast<std::size_t>(height);
    PixelMemory::Pointer memory = PixelMemory::allocate(size, contents == Contents::Zeroed);
    if (!memory) {
        return nullptr;
    }
    return std::shared_ptr<CGImage>(new CGImage(width, height, format, stride, std::move(memory)));
}

std::shared_ptr<CGImage> CGImage::copy() const {
    auto result = create(width_, height_, format_, Contents::Uninitialized);
    if (result) {
        std::memcpy(result->data_.get(), data_.get(), byteCount());
    }
    return result;
}
