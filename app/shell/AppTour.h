#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "platform/geometry/CGPoint.h"
#include "platform/ui/view/UIView.h"

class AppDelegate;

// A person's first edit, played on the running application by taps on its window:
// "New", "Photo Library", the first picture, "Filter", "Sepia", "OK", "Done", "Share",
// "Save to Photos", each found by its text in the user's language. It says what it
// does, step by step, and keeps a screenshot of each screen. The taps go through
// whatever input path tap is given: the window's own touch handling when the program
// runs without a display, the desktop's input events in the end-to-end test.
class AppTour {
public:
    using Tap = std::function<void(CGPoint windowPoint)>;
    // Told, with the step's description, each time the screen has settled: on the
    // begin screen and after every step.
    using ScreenWatch = std::function<void(const std::string& step)>;

    struct Result {
        // The picture "Save to Photos" wrote; empty when the tour stopped early.
        std::string savedPath;
        // What stopped it; empty when it went through.
        std::string failure;
    };

    AppTour(AppDelegate& app, Tap tap, std::string screenshotFolder, std::ostream& log);

    Result run();
    void setScreenWatch(ScreenWatch watch) { watch_ = std::move(watch); }

private:
    // Runs queued work, background jobs and animations until the screen is still.
    void settle();
    // Taps the visible view showing text (a button's title, a strip item's title);
    // scrolls it into view first. False when no such view is on screen.
    bool tapText(const std::string& text);
    bool tapView(const UIView& view);
    void screenshot(const std::string& name);
    bool step(const std::string& what, const std::function<bool()>& action);
    bool pickFirstPicture();

    AppDelegate& app_;
    Tap tap_;
    std::string screenshotFolder_;
    std::ostream& log_;
    std::string failure_;
    ScreenWatch watch_;
};
