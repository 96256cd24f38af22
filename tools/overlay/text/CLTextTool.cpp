#include "tools/overlay/text/CLTextTool.h"

#include "tools/overlay/box/CLOverlayRender.h"

#include <algorithm>

#include "core/CLMenuStrip.h"
#include "core/CLToolAnimations.h"
#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/operations/UIDeviceSystemVersion.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/ui/view/UIButton.h"

namespace {

// In tag order; the colour item shows a swatch instead of an icon.
constexpr CLMenuStrip::ItemSpec kMenu[] = {
    {"CLTextTool_MenuItemNew", "New", "newTextIconAssetsName", "btn_add.png"},
    {"CLTextTool_MenuItemText", "Text", "editTextIconAssetsName", "icon.png"},
    {"CLTextTool_MenuItemColor", "Color", nullptr, nullptr},
    {"CLTextTool_MenuItemFont", "Font", "fontIconAssetsName", "btn_font.png"},
    {"CLTextTool_MenuItemAlignLeft", " ", "alignLeftIconAssetsName", "btn_align_left.png"},
    {"CLTextTool_MenuItemAlignCenter", " ", "alignCenterIconAssetsName", "btn_align_center.png"},
    {"CLTextTool_MenuItemAlignRight", " ", "alignRightIconAssetsName", "btn_align_right.png"},
};

}  // namespace

std::string CLTextTool::defaultTitle() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLTextTool_DefaultTitle", "Text");
}

bool CLTextTool::isAvailable() {
    return UIDeviceSystemVersion::iosVersion() >= 5.0;
}

std::optional<ValueDictionary> CLTextTool::optionalInfo() {
    return ValueDictionary{
        {"deleteIconAssetsName", ""},      {"closeIconAssetsName", ""},
        {"newTextIconAssetsName", ""},     {"editTextIconAssetsName", ""},
        {"fontIconAssetsName", ""},        {"alignLeftIconAssetsName", ""},
        {"alignCenterIconAssetsName", ""}, {"alignRightIconAssetsName", ""},
    };
}

UIImagePtr CLTextTool::buildImage(const UIImagePtr& picture,
                                  const std::vector<_CLTextView::Snapshot>& boxes,
                                  double workingWidth) {
    return CLOverlayRender::buildImage(picture, workingWidth, [&](CGContext& context) {
        for (const _CLTextView::Snapshot& box : boxes) {
            box.draw(context);
        }
    });
}

CLTextTool::~CLTextTool() {
    NSNotificationCenter::defaultCenter().removeObserver(this);
}

void CLTextTool::setup() {
    const auto editor = this->editor();
    originalImage_ = editor->imageView()->image();
    editor->fixZoomScaleWithAnimated(true);
    observeBoxes();

    menuScroll_ = CLMenuStrip::makeToolStrip(*editor);
    workingView_ = std::make_shared<UIView>(editor->imageView()->superview()->convertRectToView(
        editor->imageView()->frame(), editor->view().get()));
    workingView_->setClipsToBounds(true);
    editor->view()->addSubview(workingView_);
    makeSettingView();

    setMenu();
    setSelectedTextView(nullptr);
    CLToolAnimations::slideInFromBelow(menuScroll_, *editor->view());
}

void CLTextTool::observeBoxes() {
    const std::weak_ptr<CLImageToolBase> weakSelf = shared_from_this();
    const auto forward = [weakSelf](void (CLTextTool::*handler)(const NSNotification&)) {
        return [weakSelf, handler](const NSNotification& notification) {
            if (const auto tool = std::static_pointer_cast<CLTextTool>(weakSelf.lock())) {
                (tool.get()->*handler)(notification);
            }
        };
    };
    NSNotificationCenter& centre = NSNotificationCenter::defaultCenter();
    centre.addObserver(this, CLTextViewActiveViewDidChangeNotificationString, nullptr,
                       forward(&CLTextTool::activeTextViewDidChange));
    centre.addObserver(this, CLTextViewActiveViewDidTapNotificationString, nullptr,
                       forward(&CLTextTool::activeTextViewDidTap));
}

void CLTextTool::makeSettingView() {
    const auto editor = this->editor();
    const double width = editor->view()->bounds().width();
    settingView_ = CLTextSettingView::create({0, 0, width, kPanelHeight});
    settingView_->setCenter(
        {width / 2, editor->menuView()->frame().minY() - settingView_->bounds().height() / 2});
    settingView_->setBackgroundColor(ZOZuzazOzarozTheme::theme().toolbarColor());
    settingView_->setTextColor(ZOZuzazOzarozTheme::theme().toolbarTextColor());
    settingView_->setFontPickerForegroundColor(settingView_->backgroundColor());
    settingView_->setDelegate(std::static_pointer_cast<CLTextTool>(shared_from_this()));
    editor->view()->addSubview(settingView_);

    auto close = std::make_shared<UIButton>(
        CGRect{width - kCloseButtonSide, 0, kCloseButtonSide, kCloseButtonSide});
    close->setImage(imageForKeyDefaultImageName("closeIconAssetsName", "btn_delete.png"),
                    UIControlStateNormal);
    const std::weak_ptr<CLImageToolBase> weakSelf = shared_from_this();
    close->addTarget(
        [weakSelf](UIControl&) {
            if (const auto tool = std::static_pointer_cast<CLTextTool>(weakSelf.lock())) {
                tool->pushedButton();
            }
        },
        UIControlEventTouchUpInside);
    settingView_->addSubview(close);
}

void CLTextTool::setMenu() {
    const auto items = CLMenuStrip::fill(*menuScroll_, CLMenuStrip::entries(*this, kMenu),
                                         itemAction(&CLTextTool::tappedMenuPanel));
    std::copy(items.begin(), items.end(), items_.begin());
    CALayer& swatch = items_[kColor]->iconView()->layer();
    swatch.setBorderWidth(kSwatchMinimumBorder);
    swatch.setBorderColor(UIColor::blackColor());
}

void CLTextTool::tappedMenuPanel(UIView& item) {
    switch (item.tag()) {
        case kNew:
            addNewText();
            break;
        case kText:
        case kColor:
        case kFont:
            showSettingViewWithMenuIndex(item.tag() - kText);
            break;
        case kAlignLeft:
        case kAlignCenter:
        case kAlignRight:
            setTextAlignment(static_cast<NSTextAlignment>(item.tag() - kAlignLeft));
            break;
        default:
            return;
    }
    CLToolAnimations::flash(item);
}

void CLTextTool::pushedButton() {
    if (settingView_->isFirstResponder()) {
        settingView_->resignFirstResponder();
    } else {
        hideSettingView();
    }
}

_CLTextViewPtr CLTextTool::ownBox(const NSNotification& notification) const {
    auto box = notification.object().as<_CLTextView>();
    return box && box->superview() == workingView_ ? box : nullptr;
}

void CLTextTool::activeTextViewDidChange(const NSNotification& notification) {
    // Boxes of another working view, or taken away meanwhile, are none of ours.
    const _CLTextViewPtr box = ownBox(notification);
    if (box || notification.object().isNull()) {
        setSelectedTextView(box);
    }
}

void CLTextTool::activeTextViewDidTap(const NSNotification& notification) {
    if (ownBox(notification)) {
        beginTextEditting();
    }
}

void CLTextTool::addNewText() {
    const _CLTextViewPtr box = _CLTextView::create(*this);
    box->setFillColor(settingView_->selectedFillColor());
    box->setBorderColor(settingView_->selectedBorderColor());
    box->setBorderWidth(settingView_->selectedBorderWidth());
    box->setFont(settingView_->selectedFont());

    const CGSize working = workingView_->bounds().size;
    const CGSize size = box->frame().size;
    box->setScale(std::min(working.width * kMaxWidthShare / size.width,
                           working.height * kLineHeightShare / size.height));
    box->setCenter({working.width / 2, box->frame().height() / 2 + kNewBoxTopMargin});

    workingView_->addSubview(box);
    _CLTextView::setActiveTextView(box);
    beginTextEditting();
}

void CLTextTool::setSelectedTextView(const _CLTextViewPtr& box) {
    selectedTextView_ = box;
    setMenuBtnEnabled(box != nullptr);
    if (!box) {
        hideSettingView();
        items_[kColor]->iconView()->setBackgroundColor(settingView_->selectedFillColor());
        for (const MenuTag tag : {kAlignLeft, kAlignCenter, kAlignRight}) {
            items_[tag]->setSelected(false);
        }
        return;
    }
    showColorsInSwatch(box->fillColor(), box->borderColor(), box->borderWidth());
    settingView_->setSelectedText(box->text());
    settingView_->setSelectedFillColor(box->fillColor());
    settingView_->setSelectedBorderColor(box->borderColor());
    settingView_->setSelectedBorderWidth(box->borderWidth());
    settingView_->setSelectedFont(box->font());
    setTextAlignment(box->textAlignment());
}

void CLTextTool::showColorsInSwatch(const UIColor& fill, const UIColor& outline, double width) {
    const UIViewPtr swatch = items_[kColor]->iconView();
    swatch->setBackgroundColor(fill);
    swatch->layer().setBorderColor(outline);
    swatch->layer().setBorderWidth(std::max(kSwatchBorderPerWidth * width, kSwatchMinimumBorder));
}

void CLTextTool::setMenuBtnEnabled(bool enabled) {
    for (const CLToolbarMenuItemPtr& item : items_) {
        if (item->tag() != kNew) {
            item->setUserInteractionEnabled(enabled);
        }
    }
}

void CLTextTool::hideSettingView() {
    UIResponder::endEditing(*settingView_);
    settingView_->setHidden(true);
}

void CLTextTool::showSettingViewWithMenuIndex(int index) {
    const bool hidden = settingView_->isHidden();
    settingView_->setHidden(false);
    settingView_->showSettingMenuWithIndex(index, !hidden);
}

void CLTextTool::beginTextEditting() {
    showSettingViewWithMenuIndex(CLTextSettingView::kTextPage);
    settingView_->becomeFirstResponder();
}

void CLTextTool::setTextAlignment(NSTextAlignment alignment) {
    if (selectedTextView_) {
        selectedTextView_->setTextAlignment(alignment);
    }
    const int chosen = kAlignLeft + static_cast<int>(alignment);
    for (const MenuTag tag : {kAlignLeft, kAlignCenter, kAlignRight}) {
        items_[tag]->setSelected(tag == chosen);
    }
}

void CLTextTool::refitSelectedTextView() {
    const CGSize working = workingView_->bounds().size;
    selectedTextView_->sizeToFitWithMaxWidthLineHeight(working.width * kMaxWidthShare,
                                                       working.height * kLineHeightShare);
}

void CLTextTool::textSettingViewDidChangeText(CLTextSettingView&, const std::string& text) {
    if (selectedTextView_) {
        selectedTextView_->setText(text);
        refitSelectedTextView();
    }
}

void CLTextTool::textSettingViewDidChangeFillColor(CLTextSettingView&, const UIColor& color) {
    if (selectedTextView_) {
        selectedTextView_->setFillColor(color);
    }
    items_[kColor]->iconView()->setBackgroundColor(color);
}

void CLTextTool::textSettingViewDidChangeBorderColor(CLTextSettingView&, const UIColor& color) {
    if (selectedTextView_) {
        selectedTextView_->setBorderColor(color);
    }
    items_[kColor]->iconView()->layer().setBorderColor(color);
}

void CLTextTool::textSettingViewDidChangeBorderWidth(CLTextSettingView&, double width) {
    if (selectedTextView_) {
        selectedTextView_->setBorderWidth(width);
    }
    items_[kColor]->iconView()->layer().setBorderWidth(
        std::max(kSwatchBorderPerWidth * width, kSwatchMinimumBorder));
}

void CLTextTool::textSettingViewDidChangeFont(CLTextSettingView&, const UIFont& font) {
    if (selectedTextView_) {
        selectedTextView_->setFont(font);
        refitSelectedTextView();
    }
}

std::vector<_CLTextViewPtr> CLTextTool::textViews() const {
    std::vector<_CLTextViewPtr> boxes;
    for (const UIViewPtr& view : workingView_->subviews()) {
        if (auto box = std::dynamic_pointer_cast<_CLTextView>(view)) {
            boxes.push_back(std::move(box));
        }
    }
    return boxes;
}

void CLTextTool::executeWithCompletionBlock(CompletionBlock completion) {
    _CLTextView::setActiveTextView(nullptr);
    std::vector<_CLTextView::Snapshot> boxes;
    for (const _CLTextViewPtr& box : textViews()) {
        boxes.push_back(box->snapshot());
    }
    render_.execute(
        *this,
        [picture = originalImage_, boxes = std::move(boxes),
         width = workingView_->bounds().width()] { return buildImage(picture, boxes, width); },
        std::move(completion));
}

void CLTextTool::cleanup() {
    const auto editor = this->editor();
    editor->resetZoomScaleWithAnimated(true);
    NSNotificationCenter::defaultCenter().removeObserver(this);
    UIResponder::endEditing(*settingView_);
    settingView_->removeFromSuperview();
    workingView_->removeFromSuperview();
    CLToolAnimations::slideOutAndRemove(menuScroll_, *editor->view());
}
