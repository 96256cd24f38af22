#include "tools/overlay/stickers/CLImageBox.h"

CLImageBox::CLImageBox(const UIImagePtr& image, const UIImagePtr& deleteImage,
                       CLActiveBoxSlot& slot)
    : CLImageBox(std::make_shared<UIImageView>(image), deleteImage, slot) {}

CLImageBox::CLImageBox(UIImageViewPtr imageView, const UIImagePtr& deleteImage,
                       CLActiveBoxSlot& slot)
    : CLOverlayBox(imageView, deleteImage, slot, kMinimumScale), imageView_(std::move(imageView)) {
    imageView_->layer().setCornerRadius(kFrameCornerRadius);
    layoutAroundContent(imageView_->bounds().size);
}

CLImageBox::Snapshot CLImageBox::snapshot() const {
    return {imageView_->image(), placement()};
}

void CLImageBox::Snapshot::draw(CGContext& context) const {
    if (!image) {
        return;
    }
    context.saveGState();
    placement.applyTo(context);
    image->drawInContext(context, {{0, 0}, placement.contentSize});
    context.restoreGState();
}
