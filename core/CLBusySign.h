#pragma once

#include <memory>

#include "platform/ui/view/UIView.h"

// The activity indicator of work the user waits for. Work that ends within kDelay
// shows nothing, so quick renders never flicker; longer work shows the theme's
// indicator centred on the host view until the sign is released. Made and released on
// the main thread; the delay runs on the animation clock.
class CLBusySign {
public:
    static constexpr double kDelay = 0.15;

    static std::shared_ptr<CLBusySign> start(const UIViewPtr& host);
    ~CLBusySign();
    CLBusySign(const CLBusySign&) = delete;
    CLBusySign& operator=(const CLBusySign&) = delete;

    // The indicator once shown, else null.
    const UIViewPtr& indicator() const { return indicator_; }

private:
    explicit CLBusySign(const UIViewPtr& host);
    void show();

    std::weak_ptr<UIView> host_;
    UIViewPtr indicator_;
};
