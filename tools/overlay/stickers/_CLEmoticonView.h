#pragma once

#include <memory>

#include "tools/overlay/stickers/CLImageBox.h"

// An emoticon over the picture. The emoticon boxes share one active box, apart from
// the stickers'.
class _CLEmoticonView : public CLImageBoxOf<_CLEmoticonView> {
public:
    using CLImageBoxOf::CLImageBoxOf;

    static std::shared_ptr<_CLEmoticonView> activeEmoticonView() { return activeBox(); }
    static void setActiveEmoticonView(const std::shared_ptr<_CLEmoticonView>& box) {
        setActiveBox(box);
    }
};

using _CLEmoticonViewPtr = std::shared_ptr<_CLEmoticonView>;
