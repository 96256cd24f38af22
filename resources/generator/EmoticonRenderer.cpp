#include "resources/generator/EmoticonRenderer.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/graphics/NSStringDrawing.h"
#include "platform/graphics/UIGraphics.h"

namespace {

const char* const kEmojiFontName = "Noto Color Emoji";
// The emoji's em square as a share of the picture; emoji glyphs fill about their em.
constexpr double kGlyphShare = 0.8;

// True when some opaque pixel is lighter than the black the text is drawn in: a colour
// glyph was drawn, not a black outline or box from a substitute font.
bool hasColourGlyphPixels(const CGImage& bitmap) {
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            std::uint32_t p;
            std::memcpy(&p, bitmap.row(y) + 4 * x, 4);
            const int a = int(p >> 24), r = int((p >> 16) & 0xFF), g = int((p >> 8) & 0xFF),
                      b = int(p & 0xFF);
            if (a > 200 && std::max({r, g, b}) > 100) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

std::optional<std::vector<EmoticonRenderer::Emoticon>> EmoticonRenderer::readList(
    const std::string& path, std::string& error) {
    std::ifstream file(path);
    if (!file) {
        error = "can't read " + path;
        return std::nullopt;
    }
    std::vector<Emoticon> list;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        std::istringstream fields(line);
        Emoticon emoticon;
        if (!(fields >> emoticon.name) || emoticon.name[0] == '#') {
            continue;
        }
        std::string rest;
        if (!(fields >> emoticon.text) || (fields >> rest)) {
            error = path + ":" + std::to_string(number) + ": expected \"name emoji\"";
            return std::nullopt;
        }
        list.push_back(emoticon);
    }
    return list;
}

UIImagePtr EmoticonRenderer::render(const Emoticon& emoticon, int pixelSide) {
    const CGSize size{double(pixelSide), double(pixelSide)};
    NSStringAttributes attributes;
    attributes.font = UIFont::fontWithName(kEmojiFontName, pixelSide * kGlyphShare);
    attributes.color = UIColor::blackColor();
    attributes.alignment = NSTextAlignment::Center;
    const CGSize textSize = NSStringDrawing::sizeWithAttributes(emoticon.text, attributes);

    UIGraphicsBeginImageContextWithOptions(size, false, 1);
    UIImagePtr picture;
    if (const CGContextRef context = UIGraphicsGetCurrentContext()) {
        const CGRect line(0, (size.height - textSize.height) / 2, size.width, textSize.height);
        NSStringDrawing::drawInRect(*context, emoticon.text, line, attributes);
        picture = UIGraphicsGetImageFromCurrentImageContext();
    }
    UIGraphicsEndImageContext();
    return picture && hasColourGlyphPixels(*picture->CGImage()) ? picture : nullptr;
}
