#pragma once

#include <optional>
#include <string>

#include "tools/overlay/stickers/CLFolderImageTool.h"
#include "tools/overlay/stickers/_CLEmoticonView.h"

// Emoticons from the folder under the option "EmoticonPath" (a capital E), by default
// the bundle's "CLEmoticonTool/Emoticons". Their boxes keep an active box of their own.
class CLEmoticonTool : public CLFolderImageTool {
public:
    static constexpr const char* kClassName = "CLEmoticonTool";

    static std::string defaultTitle();
    static double defaultDockedNumber(const RuntimeClass&) { return 7; }
    static std::optional<ValueDictionary> optionalInfo();
    // Empty without a resource bundle.
    static std::string defaultEmoticonPath();

    using CLFolderImageTool::CLFolderImageTool;

    void setEmoticonMenu() { setMenu(); }
    void tappedEmoticonPanel(UIView& item) { tappedPanel(item); }

protected:
    std::string folder() const override;
    CLImageBoxPtr makeBox(const UIImagePtr& image) const override;
    void clearActiveBox() const override { _CLEmoticonView::setActiveEmoticonView(nullptr); }
};
