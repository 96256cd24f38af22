#pragma once

#include "platform/ui/screens/UINavigationController.h"

// The application's root stack: its screens draw their own bars, so the stack's bar
// is hidden (and translucent should a screen show it). Ctrl+Q quits from any screen,
// and closing the window closes it, asking first when an edit or an unsaved result
// would be lost.
class BaseNavigationController : public UINavigationController {
public:
    explicit BaseNavigationController(std::shared_ptr<UIViewController> root);

    bool handleKeyCommand(const UIKeyPress& key) override;
    // True when quitting loses nothing; else asks whether to discard the work, quits
    // on "Discard", and answers false.
    bool mayQuitOrAsk();
    // Whether screen, or a screen it holds or presents, has work that quitting loses.
    static bool holdsUnsavedWork(UIViewController& screen);
};
