#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/CLBackgroundRender.h"
#include "core/CLImageToolBase.h"
#include "platform/ui/controls/UIScrollView.h"
#include "tools/overlay/stickers/CLImageBox.h"

// Puts the pictures of a folder on the photo: the strip shows each as a thumbnail, and
// a tap places that picture as a box in the middle, fitted into half the picture's
// width and height, where the user moves, turns, scales and deletes it. The boxes lie
// on a working view exactly over the picture, which clips them; "OK" draws them into
// the full-size picture, each as it shows on screen, in stacking order. The sticker
// and emoticon tools are this tool on their own folders with their own kinds of box.
class CLFolderImageTool : public CLImageToolBase {
public:
    // A new box fits into this share of the working view's width and height.
    static constexpr double kPlacementShare = 0.5;

    // On systems from 5.0.
    static bool isAvailable();
    // The resource bundle's folder at relativePath; empty without a bundle.
    static std::string bundleFolder(const std::string& relativePath);

    // picture with the boxes drawn over it, the working view's points scaled by
    // picture width / workingWidth; the picture's size and scale. Any thread.
    static UIImagePtr buildImage(const UIImagePtr& picture,
                                 const std::vector<CLImageBox::Snapshot>& boxes,
                                 double workingWidth);

    using CLImageToolBase::CLImageToolBase;

    void setup() override;
    void cleanup() override;
    void executeWithCompletionBlock(CompletionBlock completion) override;

    const UIViewPtr& workingView() const { return workingView_; }
    const UIScrollViewPtr& menuScroll() const { return menuScroll_; }
    // The boxes of the working view, back to front.
    std::vector<CLImageBoxPtr> boxes() const;

protected:
    // The folder's pictures, read in the background, become the strip's items.
    void setMenu();
    // Places the picture of the item's file, when it has one; the item flashes.
    void tappedPanel(UIView& item);

    virtual std::string folder() const = 0;
    virtual CLImageBoxPtr makeBox(const UIImagePtr& image) const = 0;
    virtual void clearActiveBox() const = 0;
    // The folder named by the option under key, else otherwise.
    std::string folderOption(const std::string& key, const std::string& otherwise) const;

private:
    UIImagePtr originalImage_;
    UIViewPtr workingView_;
    UIScrollViewPtr menuScroll_;
    CLBackgroundRender thumbnails_ = CLBackgroundRender::everyRequest();
    CLBackgroundRender render_ = CLBackgroundRender::everyRequest();
};
