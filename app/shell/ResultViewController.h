#pragma once

#include <memory>

#include "app/shell/BaseViewController.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/view/UIButton.h"
#include "platform/ui/view/UIImageView.h"

// The edited picture, whole, on a dark screen with "Back" (to the begin screen) and
// "Share" (the share sheet).
class ResultViewController : public BaseViewController {
public:
    const UIImagePtr& image() const { return image_; }
    void setImage(UIImagePtr image) { image_ = std::move(image); }
    std::shared_ptr<UIImageView> imageDisplayView() const { return imageDisplayView_.lock(); }
    std::shared_ptr<UIButton> backButton() const { return backButton_.lock(); }
    std::shared_ptr<UIButton> shareButton() const { return shareButton_.lock(); }

    void loadView() override;

    void back();
    void saveAndShare();

protected:
    void setupData() override;

private:
    std::shared_ptr<UIButton> makeBarButton(const CGRect& frame, const std::string& title,
                                            void (ResultViewController::*action)());

    UIImagePtr image_;
    std::weak_ptr<UIImageView> imageDisplayView_;
    std::weak_ptr<UIButton> backButton_;
    std::weak_ptr<UIButton> shareButton_;
};
