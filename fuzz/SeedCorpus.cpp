// Writes the fuzz targets' seed corpora from the project's own material: the app's
// photos shrunk and encoded as JPEG and PNG (opaque, with alpha, grey), small pictures
// built byte by byte in the other formats, small ones with metadata, the string
// tables, the action sheet's layout formats, and a few engine inputs.
//
//   fuzz_seeds RESOURCES_DIR OUTPUT_DIR

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "imaging/operations/UIImageUtility.h"
#include "platform/graphics/ImageEncoder.h"
#include "platform/runtime/Runtime.h"
#include "tests/platform/graphics/GraphicsTestSupport.h"
#include "tests/platform/graphics/HandMadePictures.h"

namespace fs = std::filesystem;

namespace {

void write(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

void write(const fs::path& file, const std::string& text) {
    write(file, std::vector<std::uint8_t>(text.begin(), text.end()));
}

void writePictureSeeds(const fs::path& resources, const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(resources / "app")) {
        if (entry.path().extension() != ".jpg") {
            continue;
        }
        const UIImagePtr photo = UIImage::imageWithContentsOfFile(entry.path().string());
        if (!photo) {
            continue;
        }
        const std::string name = std::to_string(count++);
        const UIImagePtr small = UIImageUtility::aspectFit(photo, CGSize{40, 30});
        write(folder / (name + ".jpg"), ImageEncoder::encodeJPEG(*small, 0.8));
        write(folder / (name + ".png"), ImageEncoder::encodePNG(*small));
        write(folder / (name + "-grey.jpg"),
              ImageEncoder::encodeJPEG(*UIImageUtility::grayScaleImage(small), 0.8));
    }
    write(folder / "progressive.jpg", handmade::progressiveJpeg(1, true));
    write(folder / "screen.gif", handmade::gifOnScreen(16, 12));
    write(folder / "canvas.webp", handmade::webpOnCanvas(16, 12));
}

// Small pictures carrying metadata and a colour profile, of our own making.
void writeMetadataSeeds(const fs::path& folder) {
    const UIImagePtr picture = UIImage::imageWithCGImage(graphicstest::quadrants(8, 6));
    const std::vector<std::uint8_t> jpeg = ImageEncoder::encodeJPEG(*picture, 0.5);
    write(folder / "orientation.jpg", graphicstest::withExifOrientation(jpeg, 6));
    write(folder / "profile.jpg", jpeg);
    write(folder / "profile.png", ImageEncoder::encodePNG(*picture));
}

void writeStringSeeds(const fs::path& resources, const fs::path& folder) {
    for (const auto& entry : fs::recursive_directory_iterator(resources / "strings")) {
        if (entry.is_regular_file()) {
            fs::create_directories(folder);
            fs::copy_file(entry.path(),
                          folder / (entry.path().parent_path().filename().string() + "-" +
                                    entry.path().filename().string()),
                          fs::copy_options::overwrite_existing);
        }
    }
}

void writeFormatSeeds(const fs::path& folder) {
    int count = 0;
    for (const char* format :
         {"|-0-[bg]-0-|", "V:|-0-[bg]-0-|", "V:[panel]-0-|", "V:|-10-[a(45)]-8-[b]",
          "V:|-12-[title]-0-[subtitle]", "H:|-8-[a(120)]-4-[b]-8-|", "[top]"}) {
        write(folder / std::to_string(count++), std::string(format));
    }
}

void writeEngineSeeds(const fs::path& folder) {
    for (int seed = 0; seed < 8; ++seed) {
        std::vector<std::uint8_t> bytes(512);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<std::uint8_t>((i * 131 + seed * 37) ^ (i >> 3));
        }
        write(folder / std::to_string(seed), bytes);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz_seeds RESOURCES_DIR OUTPUT_DIR\n");
        return 2;
    }
    Runtime runtime(argc, argv);
    const fs::path resources = argv[1];
    const fs::path output = argv[2];
    writePictureSeeds(resources, output / "decoder");
    writeMetadataSeeds(output / "metadata");
    writeStringSeeds(resources, output / "strings");
    writeFormatSeeds(output / "visual_format");
    writeEngineSeeds(output / "engine");
    return 0;
}
