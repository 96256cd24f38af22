#pragma once

#include <QtGui/QImage>
#include <QtGui/QImageReader>
#include <cstdint>
#include <optional>
#include <span>
#include <variant>

#include "platform/graphics/DecodeRefusal.h"
#include "platform/graphics/ImageDecoder.h"
#include "platform/graphics/JpegStructure.h"

// What a decode will make and what it will cost at its peak, read from the file's
// headers and structure before any pixel memory is taken.
struct DecodePlan {
    QByteArray format;
    // The picture's size as the file declares it.
    QSize frame;
    // The size to decode to: the frame, or less for a JPEG decoded for a thumbnail.
    QSize output;
    // What the codec allocates for each frame: the frame, or the canvas of a GIF or an
    // extended WebP, which the codec composes frames on and hands back whole.
    QSize canvas;
    bool composesOnCanvas = false;
    // The layout the codec decodes to.
    QImage::Format codecFormat = QImage::Format_Invalid;
    JpegStructure::Summary jpeg;

    // Our bitmap, the codec's own image when it can't decode into ours, and the JPEG
    // codec's coefficients when it needs the whole picture's before the first row.
    std::int64_t peakBytes() const;
};

// Why data is refused instead: a format we don't accept, a damaged or truncated
// structure, or a size over CGImage's limits.
std::variant<DecodePlan, DecodeRefusal> planDecode(QImageReader& reader,
                                                   std::span<const std::uint8_t> data,
                                                   ImageDecoder::Request request);
