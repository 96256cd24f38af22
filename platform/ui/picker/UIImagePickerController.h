#pragma once

#include <memory>

#include "platform/ui/picker/PhotoLibraryViewController.h"
#include "platform/ui/picker/UIImagePickerControllerDelegate.h"
#include "platform/ui/screens/UINavigationController.h"

enum class UIImagePickerControllerSourceType { PhotoLibrary, Camera, SavedPhotosAlbum };

// The picture picker: a navigation stack whose root is the photo library screen, so a
// host can push its next screen onto the picker's own stack. It tells its weak
// delegate of a pick or a cancel, and dismisses itself when the delegate does not
// handle one.
//
// Which sources exist is a setting. This machine has no camera support (the program
// is built without Qt Multimedia), so the camera is unavailable by default, and a
// picker asked for the camera anyway shows the photo library.
class UIImagePickerController : public UINavigationController {
public:
    UIImagePickerController();
    ~UIImagePickerController() override;

    static bool isSourceTypeAvailable(UIImagePickerControllerSourceType sourceType);
    static void setSourceTypeAvailable(UIImagePickerControllerSourceType sourceType,
                                       bool available);

    UIImagePickerControllerSourceType sourceType() const { return sourceType_; }
    void setSourceType(UIImagePickerControllerSourceType sourceType) { sourceType_ = sourceType; }
    // Kept for the host; the picker offers no cropping step, so it changes nothing.
    bool allowsEditing() const { return allowsEditing_; }
    void setAllowsEditing(bool allowsEditing) { allowsEditing_ = allowsEditing; }
    std::shared_ptr<UIImagePickerControllerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<UIImagePickerControllerDelegate> delegate) {
        delegate_ = std::move(delegate);
    }

    const std::shared_ptr<PhotoLibraryViewController>& libraryViewController() const {
        return library_;
    }
    // Escape on the library's screen cancels, as its "Cancel" does.
    bool handleKeyCommand(const UIKeyPress& key) override;

private:
    void didPick(const UIImagePtr& picture);
    void didCancel();

    std::shared_ptr<PhotoLibraryViewController> library_;
    UIImagePickerControllerSourceType sourceType_ = UIImagePickerControllerSourceType::PhotoLibrary;
    bool allowsEditing_ = false;
    std::weak_ptr<UIImagePickerControllerDelegate> delegate_;
};

using UIImagePickerControllerPtr = std::shared_ptr<UIImagePickerController>;
