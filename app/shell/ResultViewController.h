#pragma once

#include <memory>

#include "app/shell/BaseViewController.h"
#include "core/ZOZuzazOzarozDelegate.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/view/UIActivityIndicatorView.h"
#include "platform/ui/view/UIButton.h"
#include "platform/ui/view/UIImageView.h"

// The edited picture, whole, on a dark screen with "Back" (to the begin screen),
// "Share" (the share sheet) and "Edit" (the editor again, on this picture). Until the
// picture has been saved or shared, "Back" asks before leaving it; Ctrl+S saves it to
// the photo library. Transparent areas show the checkerboard, under the picture only.
class ResultViewController : public BaseViewController, public ZOZuzazOzarozDelegate {
public:
    const UIImagePtr& image() const { return image_; }
    void setImage(UIImagePtr image) { image_ = std::move(image); }
    std::shared_ptr<UIImageView> imageDisplayView() const { return imageDisplayView_.lock(); }
    std::shared_ptr<UIButton> backButton() const { return backButton_.lock(); }
    std::shared_ptr<UIButton> shareButton() const { return shareButton_.lock(); }
    std::shared_ptr<UIButton> editButton() const { return editButton_.lock(); }
    std::shared_ptr<UIActivityIndicatorView> busySign() const { return busySign_.lock(); }
    // Behind the fitted picture; shown once the picture is found to have transparent
    // pixels.
    std::shared_ptr<UIView> checkerboardView() const { return checkerboard_.lock(); }
    // The picture has not been saved or shared since it came from the editor.
    bool hasUnsavedWork() const { return image_ && !kept_; }

    void loadView() override;

    void back();
    void saveAndShare();
    void edit();
    // Saves the picture to the photo library, off the main thread with the busy sign,
    // and says where it went.
    void saveToPhotos();

    bool handleKeyCommand(const UIKeyPress& key) override;
    bool imageEditorDidFinishEdittingWithImage(ZOZuzazOzaroz& editor,
                                               const UIImagePtr& image) override;

protected:
    void setupData() override;
    void viewDidLayoutSubviews() override;

private:
    std::weak_ptr<ResultViewController> weakSelf();
    std::shared_ptr<UIButton> makeButton(const CGRect& frame, const std::string& title,
                                         void (ResultViewController::*action)());
    void popToBegin();
    // Shows the picture, and looks for transparent pixels off the main thread.
    void showImage();
    void placeCheckerboard();

    UIImagePtr image_;
    bool kept_ = false;
    std::weak_ptr<UIImageView> imageDisplayView_;
    std::weak_ptr<UIView> checkerboard_;
    std::weak_ptr<UIButton> backButton_;
    std::weak_ptr<UIButton> shareButton_;
    std::weak_ptr<UIButton> editButton_;
    std::weak_ptr<UIActivityIndicatorView> busySign_;
};
