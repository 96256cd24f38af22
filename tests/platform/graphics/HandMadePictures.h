#pragma once

#include <cstdint>
#include <vector>

// Small pictures built byte by byte, in formats and shapes our encoder does not make:
// for the decoder's tests and the fuzzer's seeds.
namespace handmade {

// An 8 × 8 grey progressive JPEG with the given number of DC scans of its one block,
// then, when asked, the scan of all its AC coefficients that completes the picture.
inline std::vector<std::uint8_t> progressiveJpeg(int dcScans, bool acScan = false,
                                                 bool end = true) {
    std::vector<std::uint8_t> jpeg{0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x43, 0x00};
    jpeg.insert(jpeg.end(), 64, 1);  // quantisation table
    // Progressive frame: 8 bits, 8 × 8, one component sampled 1 × 1 with table 0.
    jpeg.insert(jpeg.end(),
                {0xFF, 0xC2, 0x00, 0x0B, 0x08, 0x00, 0x08, 0x00, 0x08, 0x01, 0x01, 0x11, 0x00});
    // DC and AC Huffman tables 0, each with one code, "0": difference category 0, and
    // end of block.
    for (const std::uint8_t tableClass : {0x00, 0x10}) {
        jpeg.insert(jpeg.end(), {0xFF, 0xC4, 0x00, 0x14, tableClass, 0x01});
        jpeg.insert(jpeg.end(), 15, 0);
        jpeg.push_back(0x00);
    }
    for (int i = 0; i < dcScans; ++i) {
        // DC first scan of the component; its one block's difference is 0, padded with ones.
        jpeg.insert(jpeg.end(), {0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x7F});
    }
    if (acScan) {
        // Coefficients 1…63 to full precision: one end of block.
        jpeg.insert(jpeg.end(), {0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x01, 0x3F, 0x00, 0x7F});
    }
    if (end) {
        jpeg.insert(jpeg.end(), {0xFF, 0xD9});
    }
    return jpeg;
}

// A GIF whose logical screen is width × height, holding one black 1 × 1 frame.
inline std::vector<std::uint8_t> gifOnScreen(std::uint16_t width, std::uint16_t height) {
    std::vector<std::uint8_t> gif{'G', 'I', 'F', '8', '9', 'a'};
    for (const std::uint16_t side : {width, height}) {
        gif.insert(gif.end(),
                   {static_cast<std::uint8_t>(side), static_cast<std::uint8_t>(side >> 8)});
    }
    gif.insert(gif.end(), {0x80, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF});  // two colours
    gif.insert(gif.end(), {',', 0, 0, 0, 0, 1, 0, 1, 0, 0});         // the 1 × 1 frame
    gif.insert(gif.end(), {2, 2, 0x44, 0x01, 0, ';'});               // its pixel, the end
    return gif;
}

inline void appendLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

inline void appendRiffChunk(std::vector<std::uint8_t>& out, const char* type,
                            const std::vector<std::uint8_t>& data) {
    out.insert(out.end(), type, type + 4);
    appendLittleEndian(out, static_cast<std::uint32_t>(data.size()), 4);
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2 != 0) {
        out.push_back(0);
    }
}

// An animated WebP whose canvas is width × height, holding one red 1 × 1 frame.
inline std::vector<std::uint8_t> webpOnCanvas(std::uint32_t width, std::uint32_t height) {
    std::vector<std::uint8_t> canvas{0x12, 0, 0, 0};  // animation and alpha
    appendLittleEndian(canvas, width - 1, 3);
    appendLittleEndian(canvas, height - 1, 3);
    std::vector<std::uint8_t> frame(12, 0);     // at 0, 0; 1 × 1
    frame.insert(frame.end(), {100, 0, 0, 0});  // shown 100 ms
    appendRiffChunk(frame, "VP8L",
                    {0x2F, 0, 0, 0, 0, 0x07, 0x10, 0xFD, 0x8F, 0xFE, 0x07, 0x22, 0xA2, 0xFF, 0x01});
    std::vector<std::uint8_t> body{'W', 'E', 'B', 'P'};
    appendRiffChunk(body, "VP8X", canvas);
    appendRiffChunk(body, "ANIM", std::vector<std::uint8_t>(6, 0));
    appendRiffChunk(body, "ANMF", frame);
    std::vector<std::uint8_t> webp{'R', 'I', 'F', 'F'};
    appendLittleEndian(webp, static_cast<std::uint32_t>(body.size()), 4);
    webp.insert(webp.end(), body.begin(), body.end());
    return webp;
}

}  // namespace handmade
