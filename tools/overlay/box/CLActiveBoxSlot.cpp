#include "tools/overlay/box/CLActiveBoxSlot.h"

#include "tools/overlay/box/CLOverlayBox.h"

void CLActiveBoxSlot::setActiveBox(const std::shared_ptr<CLOverlayBox>& box) {
    const std::shared_ptr<CLOverlayBox> old = active_.lock();
    if (box == old) {
        return;
    }
    if (old) {
        old->setAvtive(false);
    }
    active_ = box;
    if (box) {
        box->setAvtive(true);
        if (const UIViewPtr parent = box->superview()) {
            parent->bringSubviewToFront(box);
        }
    }
    if (changed_) {
        changed_(box);
    }
}
