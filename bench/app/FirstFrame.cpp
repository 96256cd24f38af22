// Time to the first frame of a photo opened from the command line: from asking the
// begin screen to edit the file to the window's first paint of the editor showing it
// (its animations skipped), for a 12 MP and a 48 MP JPEG, each in a fresh process.
// Run with no arguments; the photos are written first by child processes of their own.

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/shell/AppDelegate.h"
#include "app/shell/BeginViewController.h"
#include "bench/platform/ProcessMemory.h"
#include "core/_ZOZuzazOzarozViewController.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/foundation/NSBundle.h"
#include "platform/runtime/Runtime.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/window/UIWindow.h"

namespace fs = std::filesystem;

namespace {

struct Photo {
    int width;
    int height;
    double aimMilliseconds;
};
constexpr Photo kPhotos[] = {{4032, 3024, 400}, {8064, 6048, 1200}};

bool editorShows(const AppDelegate& app) {
    const auto editor = std::dynamic_pointer_cast<_ZOZuzazOzarozViewController>(
        app.beginViewController()->presentedViewController());
    return editor && editor->imageView() && editor->imageView()->image();
}

int measure(const std::string& photo, int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    Runtime runtime(argc, argv);
    const fs::path resources = fs::path(argv[0]).parent_path() / "../../app/resources";
    NSBundle::setMainBundlePath(fs::absolute(resources).string());
    AnimationClock::shared().setManualStepping(true);
    AppDelegate app;
    app.applicationDidFinishLaunchingWithOptions();
    app.window()->snapshot();

    const auto start = std::chrono::steady_clock::now();
    bool done = false;
    app.beginViewController()->editImageAtPath(photo, [&done](bool) { done = true; });
    while (!done) {
        drainMainQueueAndWaitForPool();
    }
    AnimationClock::shared().runToEnd();
    if (!editorShows(app)) {
        std::fprintf(stderr, "the editor did not open %s\n", photo.c_str());
        return 1;
    }
    app.window()->snapshot();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.1f\n", ms);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "--write") {
        Runtime runtime(argc, argv);
        return writePhotoLikeJpeg(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), 0.9);
    }
    if (argc == 3 && std::string(argv[1]) == "--open") {
        return measure(argv[2], argc, argv);
    }
    const fs::path folder = fs::temp_directory_path() / ("first_frame_" + std::to_string(getpid()));
    fs::create_directories(folder);
    const std::string self = "/proc/" + std::to_string(getpid()) + "/exe";
    int status = 0;
    for (const Photo& photo : kPhotos) {
        const std::string path = (folder / (std::to_string(photo.width) + ".jpg")).string();
        const std::string size = std::to_string(photo.width) + " " + std::to_string(photo.height);
        if (std::system((self + " --write " + path + " " + size).c_str()) != 0) {
            std::fprintf(stderr, "could not write %s\n", path.c_str());
            status = 1;
            continue;
        }
        std::printf("%d x %d: first frame after ", photo.width, photo.height);
        std::fflush(stdout);
        const int code = std::system((self + " --open " + path + " > /tmp/first_frame_ms").c_str());
        std::FILE* result = std::fopen("/tmp/first_frame_ms", "r");
        double ms = 0;
        if (code != 0 || result == nullptr || std::fscanf(result, "%lf", &ms) != 1) {
            std::printf("(failed)\n");
            status = 1;
        } else {
            std::printf("%.0f ms (aim under %.0f ms)\n", ms, photo.aimMilliseconds);
        }
        if (result != nullptr) {
            std::fclose(result);
        }
    }
    fs::remove_all(folder);
    return status;
}
