#include "tools/geometry/CLClippingTool.h"

#include <algorithm>

#include "core/CLMenuStrip.h"
#include "core/CLToolAnimations.h"
#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/operations/UIImageUtility.h"
#include "platform/graphics/UIScreen.h"
#include "tools/geometry/CLMenuContainer.h"

std::string CLClippingTool::defaultTitle() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLClippingTool_DefaultTitle", "Crop");
}

ValueArray CLClippingTool::defaultPresetRatios() {
    const std::string custom =
        ZOZuzazOzarozTheme::localizedStringWithDefault("CLClippingTool_ItemMenuCustom", "Custom");
    const auto entry = [](double value1, double value2, const std::string& format) -> Value {
        return ValueDictionary{{"value1", value1}, {"value2", value2}, {"titleFormat", format}};
    };
    return {entry(0, 0, custom), entry(1, 1, "%g : %g"), entry(4, 3, "%g : %g"),
            entry(3, 2, "%g : %g"), entry(16, 9, "%g : %g")};
}

std::optional<ValueDictionary> CLClippingTool::optionalInfo() {
    return ValueDictionary{
        {"ratios", defaultPresetRatios()},
        {"swapButtonHidden", defaultSwapButtonHidden()},
        {"rotateIconAssetsName", ""},
    };
}

UIImagePtr CLClippingTool::thumbnailImage(const UIImagePtr& picture) {
    if (!picture) {
        return nullptr;
    }
    const CGSize size = picture->size();
    const double scale = UIScreen::scale();
    const double k = kThumbnailSide * scale / std::min(size.width, size.height);
    const UIImagePtr pixels = UIImageUtility::resize(picture, {size.width * k, size.height * k});
    return pixels ? UIImage::imageWithCGImage(pixels->CGImage(), scale) : nullptr;
}

UIImagePtr CLClippingTool::croppedImage(const UIImagePtr& image, const CGRect& clippingRect,
                                        double viewWidth) {
    if (!image || viewWidth <= 0) {
        return nullptr;
    }
    const double k = viewWidth / image->size().width;
    return UIImageUtility::crop(image, {clippingRect.minX() / k, clippingRect.minY() / k,
                                        clippingRect.width() / k, clippingRect.height() / k});
}

void CLClippingTool::setup() {
    const auto editor = this->editor();
    editor->fixZoomScaleWithAnimated(true);
    if (const auto info = toolInfo(); info && !info->optionalInfo()) {
        info->setOptionalInfo(optionalInfo());
    }
    const bool swapHidden = option("swapButtonHidden").boolValue();

    const CLMenuContainer menu =
        CLMenuContainer::make(*editor, swapHidden ? 0 : kSwapAreaWidth, kSwapAreaAlpha);
    menuContainer_ = menu.view;
    menuScroll_ = menu.strip;
    if (menu.sideArea) {
        makeSwapButton(*menu.sideArea);
    }

    const UIImageViewPtr& imageView = editor->imageView();
    gridView_ = CLClippingPanel::create(imageView->superview(), imageView->frame());
    gridView_->setBackgroundColor(UIColor::clearColor());
    gridView_->setBgColor(editor->view()->backgroundColor().colorWithAlphaComponent(0.8));
    gridView_->setGridColor(UIColor::darkGrayColor().colorWithAlphaComponent(0.8));
    gridView_->setClipsToBounds(false);

    setCropMenu();
    CLToolAnimations::slideInFromBelow(menuContainer_, *editor->view());
}

void CLClippingTool::makeSwapButton(UIView& area) {
    const double height = area.bounds().height();
    swapButton_ = UIButton::buttonWithType(UIButtonType::Custom);
    swapButton_->setFrame({0, 0, kSwapButtonSide, kSwapButtonSide});
    swapButton_->setCenter({kSwapAreaWidth / 2, height / 2 - kSwapButtonLift});
    swapButton_->setImage(imageForKeyDefaultImageName("rotateIconAssetsName", "btn_rotate.png"),
                          UIControlStateNormal);
    swapButton_->setAdjustsImageWhenHighlighted(true);
    const std::weak_ptr<CLImageToolBase> weakSelf = shared_from_this();
    swapButton_->addTarget(
        [weakSelf](UIControl&) {
            if (const auto tool = std::static_pointer_cast<CLClippingTool>(weakSelf.lock())) {
                tool->pushedRotateBtn();
            }
        },
        UIControlEventTouchUpInside);
    area.addSubview(swapButton_);
}

void CLClippingTool::setCropMenu() {
    const UIImagePtr picture = editor()->imageView()->image();
    const bool landscapePicture = picture && picture->size().width > picture->size().height;
    const bool swapHidden = !swapButton_;
    const Value ratios = option("ratios");
    const ValueArray& entries = ratios.arrayValue();

    std::vector<UIViewPtr> shown;
    for (const Value& entry : entries) {
        CLRatioMenuItemPtr item = makeRatioItem(entry, swapHidden, landscapePicture);
        ratioItems_.push_back(item);
        // A single ratio that can't be turned is no choice: the strip stays empty.
        if (entries.size() > 1 || !swapHidden) {
            shown.push_back(item);
        }
        if (!selectedMenu_) {
            setSelectedMenu(item);
        }
    }
    CLMenuStrip::arrange(*menuScroll_, shown, CLMenuStrip::Spacing::Packed);
    showThumbnail(picture);
}

CLRatioMenuItemPtr CLClippingTool::makeRatioItem(const Value& entry, bool swapHidden,
                                                 bool landscapePicture) {
    const auto value1 = static_cast<float>(entry["value1"].doubleValue());
    const auto value2 = static_cast<float>(entry["value2"].doubleValue());
    auto ratio = std::make_shared<CLRatio>(value1, value2);
    if (entry["titleFormat"].type() == Value::Type::String) {
        ratio->setTitleFormat(entry["titleFormat"].stringValue());
    }
    ratio->setIsLandscape(swapHidden ? value1 > value2 : landscapePicture);

    const std::weak_ptr<CLImageToolBase> weakSelf = shared_from_this();
    auto item = std::make_shared<CLRatioMenuItem>(
        CGRect{0, 0, CLMenuStrip::kItemWidth, menuScroll_->bounds().height()},
        [weakSelf](UIGestureRecognizer& sender) {
            const auto tool = std::static_pointer_cast<CLClippingTool>(weakSelf.lock());
            const auto tapped = std::dynamic_pointer_cast<CLRatioMenuItem>(sender.view());
            if (tool && tapped) {
                tool->tappedMenu(tapped);
            }
        },
        nullptr);
    item->setRatio(std::move(ratio));
    return item;
}

void CLClippingTool::showThumbnail(const UIImagePtr& picture) {
    render_.start(
        *this, CLBackgroundRender::Wait::Preview, [picture] { return thumbnailImage(picture); },
        [this](const UIImagePtr& thumbnail) {
            for (const CLRatioMenuItemPtr& item : ratioItems_) {
                item->setIconImage(thumbnail);
                // The free ratio takes the thumbnail's proportions.
                item->refreshViews();
            }
        });
}

void CLClippingTool::tappedMenu(const CLRatioMenuItemPtr& item) {
    CLToolAnimations::flash(*item);
    setSelectedMenu(item);
}

void CLClippingTool::setSelectedMenu(const CLRatioMenuItemPtr& item) {
    if (item == selectedMenu_) {
        return;
    }
    if (selectedMenu_) {
        selectedMenu_->setSelected(false);
    }
    selectedMenu_ = item;
    item->setSelected(true);
    const CLRatioPtr& ratio = item->ratio();
    // The panel and the item share the ratio, so turning the item turns the panel's.
    gridView_->setClippingRatio(ratio && ratio->ratio() != 0 ? ratio : nullptr);
}

void CLClippingTool::pushedRotateBtn() {
    for (const UIViewPtr& view : menuScroll_->subviews()) {
        if (const auto item = std::dynamic_pointer_cast<CLRatioMenuItem>(view)) {
            item->changeOrientation();
        }
    }
    const CLRatioPtr& ratio = gridView_->clippingRatio();
    if (ratio && ratio->ratio() != 0 && ratio->ratio() != 1) {
        gridView_->clippingRatioDidChange();
    }
}

void CLClippingTool::executeWithCompletionBlock(CompletionBlock completion) {
    const auto editor = this->editor();
    render_.execute(
        *this,
        [image = editor->imageView()->image(), rect = gridView_->clippingRect(),
         viewWidth = editor->imageView()->frame().width()] {
            return croppedImage(image, rect, viewWidth);
        },
        std::move(completion));
}

void CLClippingTool::cleanup() {
    const auto editor = this->editor();
    editor->resetZoomScaleWithAnimated(true);
    gridView_->removeFromSuperview();
    CLToolAnimations::slideOutAndRemove(menuContainer_, *editor->view());
}
