#pragma once

#include <functional>

#include "platform/ui/screens/UIAlertView.h"

// The question before leaving work behind: "Discard your changes?" with "Keep editing"
// (the cancel answer, also Escape) and "Discard". Main thread only.
class ZOZuzazOzarozDiscardQuestion {
public:
    // Shows the alert; discard runs after "Discard" and never otherwise.
    static UIAlertViewPtr ask(std::function<void()> discard);
};
