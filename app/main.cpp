// Until the editor's screens exist, the program shows that the picture pipeline
// works end to end: it loads a photo, draws a caption over it and saves the result.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/foundation/NSBundle.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/NSStringDrawing.h"
#include "platform/graphics/UIBezierPath.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/graphics/UIImage.h"
#include "platform/runtime/Runtime.h"

namespace {

std::string samplePicturePath() {
    return NSBundle::mainBundle()->bundlePath() + "/library/ladybird.jpg";
}

// The picture with a rounded white frame and an outlined caption along its bottom.
UIImagePtr framedWithCaption(const UIImage& picture, const std::string& caption) {
    const CGSize size = picture.size();
    UIGraphicsBeginImageContextWithOptions(size, true, picture.scale());
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (!context) {
        UIGraphicsEndImageContext();
        return nullptr;
    }
    picture.drawInRect(CGRect{CGPoint{}, size});

    const double margin = std::min(size.width, size.height) * 0.04;
    context->setStrokeColor(UIColor::whiteColor().colorWithAlphaComponent(0.9));
    UIBezierPath frame = UIBezierPath::bezierPathWithRoundedRect(
        CGRect{CGPoint{}, size}.insetBy(margin, margin), margin);
    frame.setLineWidth(margin / 4);
    frame.stroke();

    NSStringAttributes attributes;
    attributes.font = UIFont::boldSystemFontOfSize(margin * 1.5);
    attributes.color = UIColor::whiteColor();
    attributes.alignment = NSTextAlignment::Center;
    const double textHeight = NSStringDrawing::sizeWithAttributes(caption, attributes).height;
    context->setStrokeColor(UIColor::blackColor());
    context->setLineWidth(margin / 8);
    context->setTextDrawingMode(CGTextDrawingMode::FillStroke);
    NSStringDrawing::drawInRect(
        *context, caption,
        CGRect{margin, size.height - 2 * margin - textHeight, size.width - 2 * margin, textHeight},
        attributes);

    UIImagePtr result = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return result;
}

bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return !bytes.empty() && out.good();
}

}  // namespace

int main(int argc, char** argv) {
    Runtime runtime(argc, argv);
    const std::string input = argc > 1 ? argv[1] : samplePicturePath();

    UIImagePtr picture = UIImage::imageWithContentsOfFile(input);
    if (!picture) {
        std::fprintf(stderr, "photoeditor: can't read a picture from %s\n", input.c_str());
        return 1;
    }
    std::printf("Loaded %s: %.0f × %.0f points at scale %.0f\n", input.c_str(),
                picture->size().width, picture->size().height, picture->scale());

    UIImagePtr framed = framedWithCaption(*picture, "Photo editor");
    if (!framed) {
        std::fprintf(stderr, "photoeditor: can't draw into a picture of that size\n");
        return 1;
    }
    std::printf("Drew a rounded frame and an outlined caption over it\n");

    const std::filesystem::path outputFolder =
        std::filesystem::absolute(std::filesystem::path(argv[0]).parent_path() / "output");
    std::filesystem::create_directories(outputFolder);
    const std::filesystem::path output = outputFolder / "framed.jpg";
    if (!writeFile(output, UIImageJPEGRepresentation(*framed, 0.9))) {
        std::fprintf(stderr, "photoeditor: can't write %s\n", output.c_str());
        return 1;
    }
    std::printf("Wrote %s\n", output.c_str());
    return 0;
}
