#include "resources/generator/ResourceWriter.h"

#include <filesystem>
#include <fstream>

ResourceWriter::ResourceWriter(std::string root) : root_(std::move(root)) {}

bool ResourceWriter::writePNG(const UIImagePtr& image, const std::string& relativePath,
                              std::string& error) {
    if (!image) {
        error = "no picture for " + relativePath;
        return false;
    }
    const std::vector<std::uint8_t> bytes = UIImagePNGRepresentation(*image);
    const std::filesystem::path path = std::filesystem::path(root_) / relativePath;
    std::error_code madeFolders;
    std::filesystem::create_directories(path.parent_path(), madeFolders);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (bytes.empty() || !file) {
        error = "can't write " + path.string();
        return false;
    }
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) {
        error = "can't write " + path.string();
        return false;
    }
    written_.push_back({relativePath, image});
    return true;
}
