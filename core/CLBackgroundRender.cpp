#include "core/CLBackgroundRender.h"

#include "core/CLBusySign.h"
#include "core/CLEditorServices.h"
#include "platform/dispatch/DispatchQueue.h"

CLBackgroundRender CLBackgroundRender::everyRequest() {
    return CLBackgroundRender(std::make_shared<State>());
}

CLBackgroundRender CLBackgroundRender::dropWhileBusy(std::atomic<bool>& busy, Refused refused) {
    auto state = std::make_shared<State>();
    state->busy = &busy;
    state->catchUp = refused == Refused::CaughtUp;
    return CLBackgroundRender(std::move(state));
}

CLBackgroundRender CLBackgroundRender::latestWins() {
    auto state = std::make_shared<State>();
    state->latest = std::make_unique<std::atomic<std::uint64_t>>(0);
    return CLBackgroundRender(std::move(state));
}

bool CLBackgroundRender::run(const std::shared_ptr<State>& state, CLImageToolBase& tool, Wait wait,
                             bool alwaysDeliver, Work work) {
    std::atomic<bool>* busy = alwaysDeliver ? nullptr : state->busy;
    if (busy && busy->exchange(true)) {
        if (state->catchUp) {
            state->refused = Request{tool.weak_from_this(), wait, std::move(work)};
        }
        return false;
    }
    std::atomic<std::uint64_t>* latest = alwaysDeliver ? nullptr : state->latest.get();
    const std::uint64_t ticket = latest ? ++*latest : 0;
    const auto superseded = [state, latest, ticket] { return latest && latest->load() != ticket; };
    const auto editor = tool.editor();
    std::shared_ptr<CLBusySign> sign = wait == Wait::UserWaits && editor
                                           ? editor->showBusySign(state->busySignHost.lock())
                                           : nullptr;
    DispatchQueue::global().async([self = tool.shared_from_this(), work = std::move(work),
                                   sign = std::move(sign), state, busy, superseded,
                                   alwaysDeliver]() mutable {
        Delivery delivery = superseded() ? Delivery() : work();
        // What the tool captured may hold views: it is released on the main thread, as
        // is the sign.
        DispatchQueue::main().async([self, work = std::move(work), delivery = std::move(delivery),
                                     sign = std::move(sign), state, busy, superseded,
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
            runRefused(state);
        });
    });
    return true;
}

void CLBackgroundRender::runRefused(const std::shared_ptr<State>& state) {
    if (!state->refused) {
        return;
    }
    Request request = std::move(*state->refused);
    state->refused.reset();
    const auto tool = request.tool.lock();
    const auto owner = tool ? tool->editor() : nullptr;
    if (owner && owner->isCurrentTool(*tool)) {
        run(state, *tool, request.wait, false, std::move(request.work));
    }
}
