#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "core/CLImageToolBase.h"
#include "platform/ui/view/UIView.h"

// How a tool renders in the background. The tool takes a snapshot of what the render
// needs on the main thread (control values, geometry, text, colours, the pictures) and
// captures it in the render function, which runs on the global queue and must touch
// nothing else: views and controls belong to the main thread. The result reaches the
// deliver function on the main thread, and only while the tool is still its editor's
// current tool: a tool the user has left must not write into the editor any more.
//
// Policies for requests that come while a render runs:
// - every request: each renders and delivers (thumbnails, one per strip item);
// - drop while busy: the request is refused; one flag, shared by every tool of a kind
//   (a process-wide atomic), says whether a render of that kind runs. A preview that
//   follows controls asks to catch up: the newest refused request then renders once the
//   running one ends, so the preview never stays behind the controls;
// - latest wins: every request renders, but a request superseded by a newer one is
//   skipped if it has not started yet, and its result is never shown.
class CLBackgroundRender {
public:
    // Whether the user sits waiting for the result (a tap's full-size render, "OK"):
    // then the busy sign shows once the render has run a moment.
    enum class Wait { Preview, UserWaits };

    enum class Refused { Forgotten, CaughtUp };

    static CLBackgroundRender everyRequest();
    static CLBackgroundRender dropWhileBusy(std::atomic<bool>& busy,
                                            Refused refused = Refused::Forgotten);
    static CLBackgroundRender latestWins();

    // The busy sign's view; the picture's area unless set.
    void setBusySignHost(const UIViewPtr& host) { state_->busySignHost = host; }

    // Main thread. Runs render() on the global queue and deliver(result) on the main
    // queue as described above. The tool lives at least until then, so deliver may use
    // it. False when the request was refused because a render of the kind runs (and,
    // catching up, kept to render after it).
    template <typename Render, typename Deliver>
    bool start(CLImageToolBase& tool, Wait wait, Render render, Deliver deliver) {
        return run(state_, tool, wait, false,
                   [render = std::move(render), deliver = std::move(deliver)]() -> Delivery {
                       return [deliver, result = render()] { deliver(result); };
                   });
    }

    // "OK": renders the full-size picture on the global queue under the busy sign and
    // hands it to completion on the main thread (the editor decides whether it still
    // wants it). Neither policy applies: the user's "OK" is never dropped.
    template <typename Render>
    void execute(CLImageToolBase& tool, Render render,
                 CLImageToolBase::CompletionBlock completion) {
        run(state_, tool, Wait::UserWaits, true,
            [render = std::move(render), completion = std::move(completion)]() -> Delivery {
                return [completion, image = render()] { completion(image, std::nullopt, {}); };
            });
    }

private:
    using Delivery = std::function<void()>;
    using Work = std::function<Delivery()>;
    struct Request {
        std::weak_ptr<CLImageToolBase> tool;
        Wait wait;
        Work work;
    };
    // Shared with the renders in flight, which may outlive a moved-from helper.
    struct State {
        std::atomic<bool>* busy = nullptr;
        bool catchUp = false;
        // The ticket of the newest request, for latest wins.
        std::unique_ptr<std::atomic<std::uint64_t>> latest;
        std::weak_ptr<UIView> busySignHost;
        // The newest refused request, when catching up. Main thread only.
        std::optional<Request> refused;
    };

    explicit CLBackgroundRender(std::shared_ptr<State> state) : state_(std::move(state)) {}
    static bool run(const std::shared_ptr<State>& state, CLImageToolBase& tool, Wait wait,
                    bool alwaysDeliver, Work work);
    static void runRefused(const std::shared_ptr<State>& state);

    std::shared_ptr<State> state_;
};
