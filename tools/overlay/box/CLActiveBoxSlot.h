#pragma once

#include <functional>
#include <memory>

class CLOverlayBox;

// Which box of one kind is active: text boxes, stickers and emoticons each keep a slot
// of their own, so activating a box of one kind leaves the others' alone. The active
// box shows its decorations and comes to the front of its parent. The slot does not
// keep a box alive: a box that is gone is simply no longer active.
class CLActiveBoxSlot {
public:
    // Hears every change of the active box (null: none), after it took effect.
    using Changed = std::function<void(const std::shared_ptr<CLOverlayBox>& box)>;

    explicit CLActiveBoxSlot(Changed changed = nullptr) : changed_(std::move(changed)) {}

    std::shared_ptr<CLOverlayBox> activeBox() const { return active_.lock(); }
    // Nothing happens when box is already the active one.
    void setActiveBox(const std::shared_ptr<CLOverlayBox>& box);

private:
    std::weak_ptr<CLOverlayBox> active_;
    Changed changed_;
};
