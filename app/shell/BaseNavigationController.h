#pragma once

#include "platform/ui/screens/UINavigationController.h"

// The application's root stack: its screens draw their own bars, so the stack's bar
// is hidden (and translucent should a screen show it).
class BaseNavigationController : public UINavigationController {
public:
    explicit BaseNavigationController(std::shared_ptr<UIViewController> root);
};
