#pragma once

#include <optional>
#include <string>

#include "tools/overlay/stickers/CLFolderImageTool.h"
#include "tools/overlay/stickers/_CLStickerView.h"

// Stickers from the folder under the option "stickerPath", by default the bundle's
// "CLStickerTool/stickers".
class CLStickerTool : public CLFolderImageTool {
public:
    static constexpr const char* kClassName = "CLStickerTool";

    static std::string defaultTitle();
    static double defaultDockedNumber(const RuntimeClass&) { return 7; }
    static std::optional<ValueDictionary> optionalInfo();
    // Empty without a resource bundle.
    static std::string defaultStickerPath();

    using CLFolderImageTool::CLFolderImageTool;

    void setStickerMenu() { setMenu(); }
    void tappedStickerPanel(UIView& item) { tappedPanel(item); }

protected:
    std::string folder() const override;
    CLImageBoxPtr makeBox(const UIImagePtr& image) const override;
    void clearActiveBox() const override { _CLStickerView::setActiveStickerView(nullptr); }
};
