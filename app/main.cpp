// The photo editor. With a display it opens a phone-shaped window on the begin screen;
// without one it plays a person's first edit on the same screens, offscreen, and says
// where it put the screenshots and the saved picture.
//
//   photoeditor [--tablet] [--library DIR] [PICTURE]

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

#include "app/shell/AppDelegate.h"
#include "app/shell/AppTour.h"
#include "app/shell/BeginViewController.h"
#include "app/shell/WindowTaps.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/foundation/NSBundle.h"
#include "platform/runtime/Runtime.h"
#include "platform/ui/picker/PhotoLibrary.h"
#include "platform/ui/screens/UIDevice.h"

namespace {

struct Options {
    bool tablet = false;
    std::string library;
    std::string picture;
    std::string error;
};

Options parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--tablet") {
            options.tablet = true;
        } else if (argument == "--library" && i + 1 < argc) {
            options.library = argv[++i];
        } else if (argument.starts_with("-") || !options.picture.empty()) {
            options.error = "unexpected argument " + argument;
        } else {
            options.picture = argument;
        }
    }
    return options;
}

int runTour(AppDelegate& app, const std::string& outputFolder) {
    std::cout << "No display: playing a first edit on the app's screens, offscreen.\n"
              << "Photo library: " << PhotoLibrary::libraryPath() << std::endl;
    auto taps = std::make_shared<WindowTaps>(*app.window());
    AppTour tour(
        app, [taps](CGPoint point) { (*taps)(point); }, outputFolder, std::cout);
    const AppTour::Result result = tour.run();
    if (!result.failure.empty()) {
        std::cerr << "photoeditor: the tour stopped: " << result.failure << std::endl;
        return 1;
    }
    std::cout << "Saved the edited picture to " << result.savedPath << std::endl;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Runtime runtime(argc, argv);
    const Options options = parse(argc, argv);
    if (!options.error.empty()) {
        std::cerr << "photoeditor: " << options.error
                  << "\nusage: photoeditor [--tablet] [--library DIR] [PICTURE]" << std::endl;
        return 2;
    }
    UIDevice::currentDevice().setUserInterfaceIdiom(options.tablet ? UIUserInterfaceIdiom::Pad
                                                                   : UIUserInterfaceIdiom::Phone);
    PhotoLibrary::setLibraryPath(options.library.empty() ? PhotoLibrary::defaultLibraryPath()
                                                         : options.library);
    PhotoLibrary::setFallbackPath(NSBundle::mainBundle()->bundlePath() + "/library");

    AppDelegate app;
    app.applicationDidFinishLaunchingWithOptions();
    if (!options.picture.empty()) {
        // The window shows at once, with the busy sign while the picture is read.
        app.beginViewController()->editImageAtPath(
            options.picture, [path = options.picture](bool opened) {
                if (!opened) {
                    std::cerr << "photoeditor: can't read a picture from " << path << std::endl;
                }
            });
    }
    if (!Runtime::isOffscreen()) {
        return runtime.exec();
    }
    drainMainQueueAndWaitForPool();
    const std::filesystem::path output =
        std::filesystem::absolute(std::filesystem::path(argv[0]).parent_path() / "output");
    return runTour(app, output.string());
}
