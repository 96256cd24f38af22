#pragma once

#include <cstddef>

#include "core/CLEditHistory.h"

// What an editor does beyond its own behaviour, when a host turns it on before the
// screen loads. All off by default: the editor then behaves exactly as on its own.
struct ZOZuzazOzarozOptions {
    // Undo and redo of applied tools, with buttons beside "Done".
    bool history = false;
    std::size_t historyBudget = CLEditHistory::kDefaultBudget;
    // Holding the picture (or the space bar) shows it as it was before the edit.
    bool holdToCompare = false;
    // Escape, Return, Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y.
    bool keyCommands = false;
    // A double tap toggles between the fitted picture and its largest zoom; the plain
    // wheel zooms the fitted picture.
    bool doubleTapZoom = false;
    // Cancelling, or going back from, an edit with applied tools asks first.
    bool askBeforeDiscarding = false;
    // When the window changes size, the strip spreads again and the picture refits.
    bool followsWindowSize = false;
    // Transparent areas of the picture show a checkerboard instead of the background.
    bool checkerboardBehindPicture = false;

    static ZOZuzazOzarozOptions all() {
        ZOZuzazOzarozOptions options;
        options.history = true;
        options.holdToCompare = true;
        options.keyCommands = true;
        options.doubleTapZoom = true;
        options.askBeforeDiscarding = true;
        options.followsWindowSize = true;
        options.checkerboardBehindPicture = true;
        return options;
    }
};
