#pragma once

#include "platform/ui/screens/UIViewController.h"

// The application's screens: each builds its views in loadView, then setupUI adjusts
// them and setupData fills them, once, when the view has loaded.
class BaseViewController : public UIViewController {
public:
    void viewDidLoad() override;

protected:
    virtual void setupUI() {}
    virtual void setupData() {}
};
