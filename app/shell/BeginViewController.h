#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/actionsheet/UICustomActionSheet.h"
#include "app/actionsheet/UICustomActionSheetDelegate.h"
#include "app/shell/BaseViewController.h"
#include "core/ZOZuzazOzarozTransitionDelegate.h"
#include "platform/ui/picker/UIImagePickerController.h"
#include "platform/ui/picker/UIImagePickerControllerDelegate.h"
#include "platform/ui/view/UIActivityIndicatorView.h"
#include "platform/ui/view/UIButton.h"
#include "platform/ui/view/UIImageView.h"

// The first screen: a photo behind a translucent panel with the "New" button. "New"
// asks where the picture comes from (photo library or camera); the picked picture
// opens in the editor on the picker's own stack, and a finished edit goes to the
// result screen, pushed on top of this one. A picture file (from the command line, or
// dropped on the window) opens in the editor directly; one that can't be opened is
// explained in an alert over this screen.
class BeginViewController : public BaseViewController,
                            public UICustomActionSheetDelegate,
                            public UIImagePickerControllerDelegate,
                            public ZOZuzazOzarozTransitionDelegate {
public:
    static constexpr const char* kPlaceholderName = "img_lumet.jpg";

    // Equal when both encode to the same PNG bytes; false when either is missing.
    static bool firstimageIsEqualTo(const UIImagePtr& first, const UIImagePtr& second);

    std::shared_ptr<UIImageView> imageView() const { return imageView_.lock(); }
    std::shared_ptr<UIButton> chooseImageButton() const { return chooseImageButton_.lock(); }
    std::shared_ptr<UIView> saveAndShare() const { return saveAndShare_.lock(); }
    std::shared_ptr<UIView> blurView() const { return blurView_.lock(); }

    void loadView() override;

    void chooseImage();
    // Opens picture in the editor; this screen keeps its own picture, so "New" still
    // asks for a source afterwards.
    void editImage(const UIImagePtr& picture);
    // Shows the busy sign, reads the picture file off the main thread, then opens it as
    // editImage does, or shows why it can't; done(false) in that case.
    void editImageAtPath(const std::string& path, std::function<void(bool opened)> done);
    // A file dropped on the window opens as editImageAtPath does while this screen is
    // the one shown and idle; answers whether it was taken.
    bool openDroppedFile(const std::string& path);
    // The picture-source sheet while it is shown.
    std::shared_ptr<UICustomActionSheet> actionSheet() const;
    // Escape closes the picture-source sheet.
    bool handleKeyCommand(const UIKeyPress& key) override;
    std::shared_ptr<UIActivityIndicatorView> busySign() const { return busySign_.lock(); }
    void presentUICustomActionSheet();

    void customActionSheetClickedButtonAtIndex(UICustomActionSheet& sheet,
                                               std::size_t index) override;
    bool imagePickerControllerDidFinishPickingMediaWithInfo(UIImagePickerController& picker,
                                                            const ValueDictionary& info) override;
    bool imageEditorDidFinishEdittingWithImage(ZOZuzazOzaroz& editor,
                                               const UIImagePtr& image) override;
    void imageEditorWillDismissWithImageViewCanceled(ZOZuzazOzaroz& editor,
                                                     const UIImageViewPtr& imageView,
                                                     bool canceled) override;

protected:
    void setupUI() override;

private:
    std::weak_ptr<BeginViewController> weakSelf();
    // Read from the bundle once and kept: every "New" compares the shown picture with it.
    UIImagePtr placeholderImage();

    std::weak_ptr<UIImageView> imageView_;
    std::weak_ptr<UIButton> chooseImageButton_;
    std::weak_ptr<UIView> saveAndShare_;
    std::weak_ptr<UIView> blurView_;
    std::weak_ptr<UIActivityIndicatorView> busySign_;
    std::weak_ptr<UICustomActionSheet> sheet_;
    UIImagePtr placeholder_;
    // The metadata of the photo in the editor.
    PictureMetadataPtr sourceMetadata_;
};
