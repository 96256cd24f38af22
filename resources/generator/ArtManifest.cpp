#include "resources/generator/ArtManifest.h"

#include <fstream>
#include <sstream>

namespace {

bool isSkipped(const std::string& line) {
    const auto first = line.find_first_not_of(" \t\r");
    return first == std::string::npos || line[first] == '#';
}

std::optional<std::string> folderOf(const std::string& line) {
    const auto open = line.find('[');
    const auto close = line.rfind(']');
    if (open != 0 || close == std::string::npos || close <= open + 1) {
        return std::nullopt;
    }
    return line.substr(open + 1, close - open - 1);
}

std::optional<ArtEntry> entryOf(const std::string& line, const std::string& folder) {
    std::istringstream fields(line);
    ArtEntry entry;
    std::string output;
    std::string rest;
    if (!(fields >> output >> entry.source >> entry.pointSize.width >> entry.pointSize.height >>
          entry.scale) ||
        (fields >> rest) || !(entry.pointSize.width > 0) || !(entry.pointSize.height > 0) ||
        !(entry.scale > 0)) {
        return std::nullopt;
    }
    entry.output = folder.empty() ? output : folder + "/" + output;
    return entry;
}

}  // namespace

std::optional<ArtManifest> ArtManifest::read(const std::string& path, std::string& error) {
    std::ifstream file(path);
    if (!file) {
        error = "can't read " + path;
        return std::nullopt;
    }
    ArtManifest manifest;
    std::string folder;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (isSkipped(line)) {
            continue;
        }
        if (const auto newFolder = folderOf(line)) {
            folder = *newFolder;
        } else if (const auto entry = entryOf(line, folder)) {
            manifest.entries_.push_back(*entry);
        } else {
            error = path + ":" + std::to_string(number) + ": expected \"output source W H S\"";
            return std::nullopt;
        }
    }
    return manifest;
}
