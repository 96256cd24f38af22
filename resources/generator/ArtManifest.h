#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/geometry/CGSize.h"

// One picture to draw from a vector source.
struct ArtEntry {
    std::string source;  // SVG file, relative to the art folder
    std::string output;  // PNG file, relative to the resources folder
    CGSize pointSize;
    double scale = 1;
};

// The list of vector pictures the generator draws, read from a text file:
//
//   [folder]                          following outputs go into this folder
//   output.png  source.svg  W  H  S   W × H points at S pixels per point
//
// Blank lines and lines starting with '#' are ignored.
class ArtManifest {
public:
    // Null, with a message naming the file and line, when the file can't be read or a
    // line is malformed.
    static std::optional<ArtManifest> read(const std::string& path, std::string& error);

    const std::vector<ArtEntry>& entries() const { return entries_; }

private:
    std::vector<ArtEntry> entries_;
};
