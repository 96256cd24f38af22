// Draws the resource bundle's pictures and the application's generated resources:
//
//   bundle_generator --art DIR --photo FILE --resources DIR [--contact-sheet FILE]
//
// --art is the folder of vector sources (with manifest.txt and emoticons/), --photo
// the sample photo the effect thumbnails show, --resources the application's resources
// folder, which receives ZOZuzazOzaroz.bundle. Exits non-zero with a message when any
// picture can't be made, so a broken source fails the build instead of shipping a gap.

#include <iostream>
#include <map>
#include <string>

#include "platform/graphics/SVGImage.h"
#include "platform/runtime/Runtime.h"
#include "resources/generator/ArtManifest.h"
#include "resources/generator/ContactSheet.h"
#include "resources/generator/EffectThumbnails.h"
#include "resources/generator/EmoticonRenderer.h"
#include "resources/generator/ResourceWriter.h"

namespace {

const std::string kBundle = "ZOZuzazOzaroz.bundle";
// The ladybird, in the sample photo's points.
const CGRect kThumbnailCrop(1365, 395, 760, 760);
constexpr int kThumbnailSide = 150;
constexpr int kEmoticonSide = 160;

bool drawVectorArt(const std::string& artFolder, ResourceWriter& writer, std::string& error) {
    const auto manifest = ArtManifest::read(artFolder + "/manifest.txt", error);
    if (!manifest) {
        return false;
    }
    for (const ArtEntry& entry : manifest->entries()) {
        const UIImagePtr picture =
            SVGImage::renderFile(artFolder + "/" + entry.source, entry.pointSize, entry.scale);
        if (!picture) {
            error = "can't draw " + entry.source;
            return false;
        }
        if (!writer.writePNG(picture, entry.output, error)) {
            return false;
        }
    }
    return true;
}

bool drawEffectThumbnails(const std::string& photoPath, ResourceWriter& writer,
                          std::string& error) {
    const UIImagePtr photo = UIImage::imageWithContentsOfFile(photoPath);
    if (!photo) {
        error = "can't read " + photoPath;
        return false;
    }
    for (const auto& thumbnail : EffectThumbnails::render(photo, kThumbnailCrop, kThumbnailSide)) {
        const std::string path = kBundle + "/CLEffectTool/" + thumbnail.effectClass + ".png";
        if (!thumbnail.image) {
            error = "the filter engine failed on " + path;
            return false;
        }
        if (!writer.writePNG(thumbnail.image, path, error)) {
            return false;
        }
    }
    return true;
}

bool drawEmoticons(const std::string& artFolder, ResourceWriter& writer, std::string& error) {
    const auto list = EmoticonRenderer::readList(artFolder + "/emoticons/emoticons.txt", error);
    if (!list) {
        return false;
    }
    for (const auto& emoticon : *list) {
        const UIImagePtr picture = EmoticonRenderer::render(emoticon, kEmoticonSide);
        if (!picture) {
            error =
                "no colour glyph for " + emoticon.name + ": is fonts-noto-color-emoji installed?";
            return false;
        }
        if (!writer.writePNG(
                picture, kBundle + "/CLEmoticonTool/Emoticons/" + emoticon.name + ".png", error)) {
            return false;
        }
    }
    return true;
}

std::map<std::string, std::string> optionsOf(int argc, char** argv) {
    std::map<std::string, std::string> options;
    for (int i = 1; i + 1 < argc; i += 2) {
        options[argv[i]] = argv[i + 1];
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    Runtime runtime(argc, argv);
    auto options = optionsOf(argc, argv);
    if (options["--art"].empty() || options["--photo"].empty() || options["--resources"].empty()) {
        std::cerr << "usage: bundle_generator --art DIR --photo FILE --resources DIR "
                     "[--contact-sheet FILE]\n";
        return 2;
    }
    ResourceWriter writer(options["--resources"]);
    std::string error;
    const bool drawn = drawVectorArt(options["--art"], writer, error) &&
                       drawEffectThumbnails(options["--photo"], writer, error) &&
                       drawEmoticons(options["--art"], writer, error);
    if (drawn && !options["--contact-sheet"].empty()) {
        ResourceWriter sheetWriter(".");
        sheetWriter.writePNG(ContactSheet::render(writer.written()), options["--contact-sheet"],
                             error);
    }
    if (!error.empty()) {
        std::cerr << "bundle_generator: " << error << "\n";
        return 1;
    }
    return 0;
}
