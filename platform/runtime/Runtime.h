#pragma once

#include <memory>

class QGuiApplication;

// The platform layer's start-up: the GUI application object that windows, fonts and
// the clipboard need. main makes exactly one and keeps it until it returns.
class Runtime {
public:
    // argc and argv must outlive the runtime, as main's do. Without a display (no
    // DISPLAY or WAYLAND_DISPLAY, and no platform chosen) it runs offscreen.
    Runtime(int& argc, char** argv);
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    // True when the platform draws nowhere a person can see.
    static bool isOffscreen();
    // Runs the event loop until the last window closes; the program's exit status.
    int exec();

private:
    std::unique_ptr<QGuiApplication> application_;
};
