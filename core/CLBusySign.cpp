#include "core/CLBusySign.h"

#include "core/ZOZuzazOzarozTheme.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/view/UIActivityIndicatorView.h"

std::shared_ptr<CLBusySign> CLBusySign::start(const UIViewPtr& host) {
    std::shared_ptr<CLBusySign> sign(new CLBusySign(host));
    AnimationClock& clock = AnimationClock::shared();
    const double due = clock.now() + kDelay;
    clock.addFrameCallback([weak = std::weak_ptr<CLBusySign>(sign), due](double now) {
        const auto waiting = weak.lock();
        if (waiting && now >= due) {
            waiting->show();
        }
        return waiting && now < due;
    });
    return sign;
}

CLBusySign::CLBusySign(const UIViewPtr& host) : host_(host) {}

CLBusySign::~CLBusySign() {
    if (indicator_) {
        indicator_->removeFromSuperview();
    }
}

void CLBusySign::show() {
    const auto host = host_.lock();
    if (!host) {
        return;
    }
    indicator_ = ZOZuzazOzarozTheme::indicatorView();
    indicator_->setCenter({host->bounds().midX(), host->bounds().midY()});
    host->addSubview(indicator_);
    if (const auto spinner = std::dynamic_pointer_cast<UIActivityIndicatorView>(indicator_)) {
        spinner->startAnimating();
    }
}
