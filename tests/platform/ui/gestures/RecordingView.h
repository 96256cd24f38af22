#pragma once

#include <string>
#include <vector>

#include "platform/ui/view/UIView.h"

// A view that writes down the touch calls it receives, as "began", "moved", "ended"
// and "cancelled".
class RecordingView : public UIView {
public:
    using UIView::UIView;

    std::vector<std::string> log;

    void touchesBegan(const UITouchSet&, const UIEvent&) override { log.push_back("began"); }
    void touchesMoved(const UITouchSet&, const UIEvent&) override { log.push_back("moved"); }
    void touchesEnded(const UITouchSet&, const UIEvent&) override { log.push_back("ended"); }
    void touchesCancelled(const UITouchSet&, const UIEvent&) override {
        log.push_back("cancelled");
    }
};
