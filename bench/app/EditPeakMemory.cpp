// Peak memory of a whole edit of a 48 MP photo, in a fresh process: the app's own
// screens play "New", "Photo Library", the photo, "Filter", "Sepia", "OK", "Done",
// "Share", "Save to Photos" through the window's touch handling, and it prints the
// growth of the high-water mark of resident memory (VmHWM) across the edit beside the
// photo's bitmap. Run with no arguments; the photo is written first by a child process
// of its own, so making it does not count.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "app/shell/AppDelegate.h"
#include "app/shell/AppTour.h"
#include "app/shell/WindowTaps.h"
#include "bench/platform/ProcessMemory.h"
#include "platform/foundation/NSBundle.h"
#include "platform/runtime/Runtime.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/picker/PhotoLibrary.h"

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 8064;
constexpr int kHeight = 6048;
// The edit may hold the photo, the edited photo and one more bitmap at once.
constexpr double kAllowedBitmaps = 3.0;

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--write") {
        Runtime runtime(argc, argv);
        return writePhotoLikeJpeg(argv[2], kWidth, kHeight, 0.9);
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    Runtime runtime(argc, argv);
    const fs::path folder =
        fs::temp_directory_path() / ("edit_peak_memory_" + std::to_string(getpid()));
    fs::create_directories(folder / "library");
    const std::string photo = (folder / "library" / "photo.jpg").string();
    const std::string command = "/proc/" + std::to_string(getpid()) + "/exe --write " + photo;
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "could not write the test photo\n");
        return 1;
    }
    const fs::path resources = fs::path(argv[0]).parent_path() / "../../app/resources";
    NSBundle::setMainBundlePath(fs::absolute(resources).string());
    PhotoLibrary::setLibraryPath((folder / "library").string());
    AnimationClock::shared().setManualStepping(true);

    AppDelegate app;
    app.applicationDidFinishLaunchingWithOptions();
    const long before = kilobytesOf("VmHWM:");
    WindowTaps taps(*app.window());
    std::ostringstream log;
    AppTour tour(
        app, [&taps](CGPoint point) { taps(point); }, (folder / "screens").string(), log);
    const AppTour::Result result = tour.run();
    const long after = kilobytesOf("VmHWM:");
    const UIImagePtr saved = UIImage::imageWithContentsOfFile(result.savedPath);
    fs::remove_all(folder);
    if (!result.failure.empty()) {
        std::fprintf(stderr, "the edit stopped: %s\n%s", result.failure.c_str(), log.str().c_str());
        return 1;
    }
    if (!saved || saved->CGImage()->width() != kWidth || saved->CGImage()->height() != kHeight) {
        std::fprintf(stderr, "the saved picture is not the full-size photo\n%s", log.str().c_str());
        return 1;
    }
    const double bitmapMB = kWidth * static_cast<double>(kHeight) * 4 / (1024 * 1024);
    const double grewMB = (after - before) / 1024.0;
    std::printf(
        "edited %d x %d: bitmap %.1f MiB, VmHWM grew %.1f MiB (%.2f x the bitmap; "
        "allowed %.1f x)\n",
        kWidth, kHeight, bitmapMB, grewMB, grewMB / bitmapMB, kAllowedBitmaps);
    return grewMB <= kAllowedBitmaps * bitmapMB ? 0 : 3;
}
