// Peak memory of loading a 48 MP JPEG, in a fresh process: prints the growth of the
// high-water mark of resident memory (VmHWM) across one imageWithContentsOfFile.
// Run with no arguments; it writes the test picture first in a child process of its
// own, so making the picture does not count.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/platform/ProcessMemory.h"
#include "platform/runtime/Runtime.h"

namespace {

constexpr int kWidth = 8064;
constexpr int kHeight = 6048;

}  // namespace

int main(int argc, char** argv) {
    Runtime runtime(argc, argv);
    if (argc == 3 && std::string(argv[1]) == "--write") {
        return writePhotoLikeJpeg(argv[2], kWidth, kHeight, 1.0);
    }
    const std::string path = "/tmp/load_peak_memory_" + std::to_string(getpid()) + ".jpg";
    const std::string command = "/proc/" + std::to_string(getpid()) + "/exe --write " + path;
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "could not write the test picture\n");
        return 1;
    }
    const long before = kilobytesOf("VmHWM:");
    const UIImagePtr image = UIImage::imageWithContentsOfFile(path);
    const long after = kilobytesOf("VmHWM:");
    std::remove(path.c_str());
    if (!image) {
        std::fprintf(stderr, "the picture did not load\n");
        return 1;
    }
    const double bitmapMB = static_cast<double>(image->CGImage()->byteCount()) / (1024 * 1024);
    std::printf("loaded %d x %d: bitmap %.1f MiB, VmHWM grew %.1f MiB (%.2f x the bitmap)\n",
                image->CGImage()->width(), image->CGImage()->height(), bitmapMB,
                (after - before) / 1024.0, (after - before) / 1024.0 / bitmapMB);
    return 0;
}
