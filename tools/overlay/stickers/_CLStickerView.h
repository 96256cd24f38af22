#pragma once

#include <memory>

#include "tools/overlay/stickers/CLImageBox.h"

// A sticker over the picture. The sticker boxes share one active box, apart from the
// emoticons'.
class _CLStickerView : public CLImageBoxOf<_CLStickerView> {
public:
    using CLImageBoxOf::CLImageBoxOf;

    static std::shared_ptr<_CLStickerView> activeStickerView() { return activeBox(); }
    static void setActiveStickerView(const std::shared_ptr<_CLStickerView>& box) {
        setActiveBox(box);
    }
};

using _CLStickerViewPtr = std::shared_ptr<_CLStickerView>;
