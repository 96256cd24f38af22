#include "tools/geometry/CLResizeTool.h"

#include "core/CLMenuStrip.h"
#include "core/CLToolAnimations.h"
#include "core/UIViewCLImageToolInfo.h"
#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/operations/UIDeviceSystemVersion.h"
#include "imaging/operations/UIImageUtility.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/ui/controls/UIResponder.h"
#include "platform/ui/view/UILabel.h"
#include "tools/geometry/CLMenuContainer.h"

namespace {

constexpr const char* kSizeKey = "size";

bool isNumber(const Value& value) {
    return value.type() == Value::Type::Number || value.type() == Value::Type::Integer;
}

}  // namespace

std::string CLResizeTool::defaultTitle() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLResizeTool_DefaultTitle", "Resize");
}

bool CLResizeTool::isAvailable() {
    return UIDeviceSystemVersion::iosVersion() >= 5.0;
}

ValueArray CLResizeTool::defaultPresetSizes() {
    return {240, 320, 480, 640, 800, 960, 1024, 2048};
}

std::optional<ValueDictionary> CLResizeTool::optionalInfo() {
    return ValueDictionary{
        {"presetSizes", defaultPresetSizes()}, {"limitSize", defaultLimitSize()},
        {"horizontalIconAssetsName", ""},      {"verticalIconAssetsName", ""},
        {"chainOnIconAssetsName", ""},         {"chainOffIconAssetsName", ""},
    };
}

UIImagePtr CLResizeTool::resizedImage(const UIImagePtr& image, CGSize size) {
    if (!(size.width > 0 && size.height > 0)) {
        return nullptr;
    }
    return UIImageUtility::resize(image, size);
}

UIImagePtr CLResizeTool::imageWithString(const std::string& text) {
    const ZOZuzazOzarozTheme& theme = ZOZuzazOzarozTheme::theme();
    const auto label = std::make_shared<UILabel>(CGRect{0, 0, kPresetIconSide, kPresetIconSide});
    label->setText(text);
    label->setTextAlignment(NSTextAlignment::Center);
    label->setFont(UIFont::boldSystemFontOfSize(kPresetFontSize));
    label->setAdjustsFontSizeToFitWidth(true);
    label->setMinimumScaleFactor(0.5);
    label->setBackgroundColor(theme.toolbarTextColor());
    label->setTextColor(theme.toolbarColor());

    UIGraphicsBeginImageContextWithOptions(label->bounds().size, false, 0);
    UIImagePtr image;
    if (const CGContextRef context = UIGraphicsGetCurrentContext()) {
        label->layer().renderInContext(*context);
        image = UIGraphicsGetImageFromCurrentImageContext();
    }
    UIGraphicsEndImageContext();
    return image;
}

void CLResizeTool::setup() {
    const auto editor = this->editor();
    originalImage_ = editor->imageView()->image();
    editor->fixZoomScaleWithAnimated(true);

    const CLMenuContainer menu = CLMenuContainer::make(*editor, kSwitchAreaWidth, kSwitchAreaAlpha);
    menuContainer_ = menu.view;
    menuScroll_ = menu.strip;
    makeSwitchButton(*menu.sideArea);

    const Value limit = option("limitSize");
    const auto limitSize =
        static_cast<float>(isNumber(limit) ? limit.doubleValue() : defaultLimitSize());
    const UIViewPtr viewport = editor->imageView()->superview();
    resizePanel_ = _CLResizePanel::create(
        viewport->frame(), originalImage_ ? originalImage_->size() : CGSize{}, *this);
    resizePanel_->setBackgroundColor(
        ZOZuzazOzarozTheme::theme().toolbarColor().colorWithAlphaComponent(0.4));
    resizePanel_->setLimitSize(limitSize);
    editor->view()->addSubview(resizePanel_);

    setResizeMenu();
    CLToolAnimations::slideInFromBelow(menuContainer_, *editor->view());
}

void CLResizeTool::makeSwitchButton(UIView& area) {
    const std::weak_ptr<CLImageToolBase> weakSelf = shared_from_this();
    switchBtn_ = ZOZuzazOzarozTheme::menuItemWithFrameTargetActionToolInfo(
        {0, 0, kSwitchAreaWidth, area.bounds().height()},
        [weakSelf](UIGestureRecognizer&) {
            if (const auto tool = std::static_pointer_cast<CLResizeTool>(weakSelf.lock())) {
                tool->pushedSwitchBtn();
            }
        },
        nullptr);
    switchBtn_->setTag(kPresetWidth);
    showSwitchIcon();
    area.addSubview(switchBtn_);
}

void CLResizeTool::showSwitchIcon() {
    switchBtn_->setIconImage(
        switchBtn_->tag() == kPresetWidth
            ? imageForKeyDefaultImageName("horizontalIconAssetsName", "btn_width.png")
            : imageForKeyDefaultImageName("verticalIconAssetsName", "btn_height.png"));
}

void CLResizeTool::setResizeMenu() {
    const Value presets = option("presetSizes");
    const ValueArray sizes =
        presets.arrayValue().empty() ? defaultPresetSizes() : presets.arrayValue();
    std::vector<UIViewPtr> items;
    for (const Value& size : sizes) {
        auto item = ZOZuzazOzarozTheme::menuItemWithFrameTargetActionToolInfo(
            {0, 0, CLMenuStrip::kItemWidth, menuScroll_->bounds().height()},
            itemAction(&CLResizeTool::tappedResizePanel), nullptr);
        UIViewCLImageToolInfo::setUserInfo(
            *item, std::make_shared<ValueDictionary>(ValueDictionary{{kSizeKey, size}}));
        item->setIconImage(imageWithString(size.description()));
        items.push_back(item);
    }
    CLMenuStrip::arrange(*menuScroll_, items, CLMenuStrip::Spacing::Packed);
}

void CLResizeTool::pushedSwitchBtn() {
    switchBtn_->setTag(switchBtn_->tag() == kPresetWidth ? kPresetHeight : kPresetWidth);
    showSwitchIcon();
    CLToolAnimations::flash(*switchBtn_);
}

void CLResizeTool::tappedResizePanel(UIView& item) {
    const auto info = UIViewCLImageToolInfo::userInfo(item).as<ValueDictionary>();
    const auto size = info ? info->find(kSizeKey) : ValueDictionary::const_iterator();
    if (info && size != info->end() && isNumber(size->second)) {
        const auto value = static_cast<float>(size->second.doubleValue());
        if (switchBtn_->tag() == kPresetWidth) {
            resizePanel_->setImageWidth(value);
        } else {
            resizePanel_->setImageHeight(value);
        }
    }
    CLToolAnimations::flash(item);
}

void CLResizeTool::executeWithCompletionBlock(CompletionBlock completion) {
    // The fields belong to the main thread: read them now, not in the render.
    const CGSize size = resizePanel_->imageSize();
    if (!(size.width > 0 && size.height > 0)) {
        completion(nullptr, std::nullopt, {});
        return;
    }
    render_.execute(
        *this, [image = originalImage_, size] { return resizedImage(image, size); },
        std::move(completion));
}

void CLResizeTool::cleanup() {
    const auto editor = this->editor();
    editor->resetZoomScaleWithAnimated(true);
    UIResponder::endEditing(*resizePanel_);
    resizePanel_->removeFromSuperview();
    CLToolAnimations::slideOutAndRemove(menuContainer_, *editor->view());
}
