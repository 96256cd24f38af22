#pragma once

#include <memory>

#include "core/CLImageToolBase.h"
#include "platform/ui/view/UIImageView.h"
#include "tools/overlay/box/CLOverlayBox.h"

// A box (CLOverlayBox) showing a picture at its own size, scaled with the handle down
// to kMinimumScale: a sticker or an emoticon. Each kind keeps its own active box.
class CLImageBox : public CLOverlayBox {
public:
    static constexpr double kMinimumScale = 0.2;

    const UIImageViewPtr& imageView() const { return imageView_; }

    // Everything a render needs to draw the box as shown, taken on the main thread.
    struct Snapshot {
        UIImagePtr image;
        Placement placement;
        // Into context in the box's parent's coordinates. Any thread.
        void draw(CGContext& context) const;
    };
    Snapshot snapshot() const;

protected:
    CLImageBox(const UIImagePtr& image, const UIImagePtr& deleteImage, CLActiveBoxSlot& slot);

private:
    CLImageBox(UIImageViewPtr imageView, const UIImagePtr& deleteImage, CLActiveBoxSlot& slot);

    UIImageViewPtr imageView_;
};

using CLImageBoxPtr = std::shared_ptr<CLImageBox>;

// The image boxes of one kind (Kind derives from CLImageBoxOf<Kind>), with the active
// box they share.
template <typename Kind>
class CLImageBoxOf : public CLImageBox {
public:
    // A box showing image, with the tool's delete button image.
    static std::shared_ptr<Kind> create(const UIImagePtr& image, const CLImageToolBase& tool) {
        auto box = std::make_shared<Kind>(
            Token{}, image,
            tool.imageForKeyDefaultImageName("deleteIconAssetsName", "btn_delete.png"));
        box->initGestures();
        return box;
    }

    static std::shared_ptr<Kind> activeBox() {
        return std::static_pointer_cast<Kind>(activeSlot().activeBox());
    }
    static void setActiveBox(const std::shared_ptr<Kind>& box) { activeSlot().setActiveBox(box); }

    struct Token {};
    CLImageBoxOf(Token, const UIImagePtr& image, const UIImagePtr& deleteImage)
        : CLImageBox(image, deleteImage, activeSlot()) {}

private:
    static CLActiveBoxSlot& activeSlot() {
        static CLActiveBoxSlot slot;
        return slot;
    }
};
