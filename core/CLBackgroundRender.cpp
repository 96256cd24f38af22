#include "core/CLBackgroundRender.h"

#include "core/CLBusySign.h"
#include "core/CLEditorServices.h"
#include "platform/dispatch/DispatchQueue.h"

CLBackgroundRender CLBackgroundRender::everyRequest() {
    return CLBackgroundRender(nullptr, false);
}

CLBackgroundRender CLBackgroundRender::dropWhileBusy(std::atomic<bool>& busy) {
    return CLBackgroundRender(&busy, false);
}

CLBackgroundRender CLBackgroundRender::latestWins() {
    return CLBackgroundRender(nullptr, true);
}

CLBackgroundRender::CLBackgroundRender(std::atomic<bool>* busy, bool latestWins)
    : busy_(busy),
      latest_(latestWins ? std::make_shared<std::atomic<std::uint64_t>>(0) : nullptr) {}

bool CLBackgroundRender::run(CLImageToolBase& tool, Wait wait, bool alwaysDeliver, Work work) {
    std::atomic<bool>* busy = alwaysDeliver ? nullptr : busy_;
    if (busy && busy->exchange(true)) {
        return false;
    }
    const auto latest = alwaysDeliver ? nullptr : latest_;
    const std::uint64_t ticket = latest ? ++*latest : 0;
    const auto superseded = [latest, ticket] { return latest && latest->load() != ticket; };
    const auto editor = tool.editor();
    std::shared_ptr<CLBusySign> sign =
        wait == Wait::UserWaits && editor ? editor->showBusySign(busySignHost_.lock()) : nullptr;
    DispatchQueue::global().async([self = tool.shared_from_this(), work = std::move(work),
                                   sign = std::move(sign), busy, superseded,
                                   alwaysDeliver]() mutable {
        Delivery delivery = superseded() ? Delivery() : work();
        // What the tool captured may hold views: it is released on the main thread, as
        // is the sign.
        DispatchQueue::main().async([self, work = std::move(work), delivery = std::move(delivery),
                                     sign = std::move(sign), busy, superseded,
                                     alwaysDeliver]() mutable {
            sign.reset();
            if (busy) {
                *busy = false;
            }
            const auto owner = self->editor();
            const bool current = owner && owner->isCurrentTool(*self);
            if (delivery && !superseded() && (alwaysDeliver || current)) {
                delivery();
            }
        });
    });
    return true;
}
