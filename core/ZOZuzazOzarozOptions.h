#pragma once

#include <cstddef>

#include "core/CLEditHistory.h"

// What an editor does beyond its own behaviour, when a host turns it on before the
// screen loads. All off by default: the editor then behaves exactly as on its own.
struct ZOZuzazOzarozOptions {
    // Undo and redo of applied tools, with buttons beside "Done".
    bool history = false;
    std::size_t historyBudget = CLEditHistory::kDefaultBudget;
    // Holding the picture shows it as it was before the edit.
    bool holdToCompare = false;
    // Escape, Return, Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y.
    bool keyCommands = false;
    // A double tap toggles between the fitted picture and its largest zoom.
    bool doubleTapZoom = false;
    // When the window changes size, the strip spreads again and the picture refits.
    bool followsWindowSize = false;
    // Transparent areas of the picture show a checkerboard instead of the background.
    bool checkerboardBehindPicture = false;

    static ZOZuzazOzarozOptions all() {
        return {true, CLEditHistory::kDefaultBudget, true, true, true, true, true};
    }
};
