#pragma once

#include <sys/stat.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/graphics/UIImage.h"
#include "tests/platform/ui/view/ViewTestSupport.h"

// A fresh temporary folder for one test, removed with everything in it afterwards,
// with helpers to fill it with pictures and with files that only look like pictures.
class PictureFolder {
public:
    PictureFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "picker-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~PictureFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    PictureFolder(const PictureFolder&) = delete;
    PictureFolder& operator=(const PictureFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

    // A JPEG of width × height pixels (the four-quadrant picture), modified secondsAgo
    // seconds before now.
    std::string addPicture(const std::string& name, int width, int height, int secondsAgo) {
        const UIImagePtr picture = viewtest::quadrantPicture(width, height);
        return addBytes(name, UIImageJPEGRepresentation(*picture, 0.9), secondsAgo);
    }
    std::string addBytes(const std::string& name, const std::vector<std::uint8_t>& bytes,
                         int secondsAgo) {
        const std::string target = file(name);
        std::ofstream(target, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        std::filesystem::last_write_time(target, std::filesystem::file_time_type::clock::now() -
                                                     std::chrono::seconds(secondsAgo));
        return target;
    }
    std::string addText(const std::string& name, int secondsAgo) {
        const std::string text = "not a picture at all\n";
        return addBytes(name, std::vector<std::uint8_t>(text.begin(), text.end()), secondsAgo);
    }
    // The first half of a real JPEG.
    std::string addTruncatedJpeg(const std::string& name, int secondsAgo) {
        std::vector<std::uint8_t> bytes =
            UIImageJPEGRepresentation(*viewtest::quadrantPicture(64, 64), 0.9);
        bytes.resize(bytes.size() / 2);
        return addBytes(name, bytes, secondsAgo);
    }

    // Every entry's name, hidden ones included.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

private:
    std::filesystem::path path_;
};
