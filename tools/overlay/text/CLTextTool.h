#pragma once

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "core/CLBackgroundRender.h"
#include "core/CLImageToolBase.h"
#include "core/CLToolbarMenuItem.h"
#include "platform/foundation/NSNotification.h"
#include "platform/ui/controls/UIScrollView.h"
#include "tools/overlay/text/CLTextSettingView.h"
#include "tools/overlay/text/_CLTextView.h"

// Puts any number of text boxes on the picture. "New" adds a box at the top middle
// and opens the keyboard; the panel edits the active box's text, colours, outline and
// font, the strip its alignment. The boxes lie on a working view exactly over the
// picture, which clips them; "OK" draws them into the full-size picture, each as it
// shows on screen, in stacking order.
class CLTextTool : public CLImageToolBase, public CLTextSettingViewDelegate {
public:
    static constexpr const char* kClassName = "CLTextTool";
    static constexpr double kPanelHeight = 180;
    static constexpr double kCloseButtonSide = 32;
    // A box is at most this share of the working view wide, one line of it this share
    // high; a new one sits this far below the top.
    static constexpr double kMaxWidthShare = 0.8;
    static constexpr double kLineHeightShare = 0.2;
    static constexpr double kNewBoxTopMargin = 10;
    // The colour item's swatch border: 10 × the outline width, at least 2.
    static constexpr double kSwatchBorderPerWidth = 10;
    static constexpr double kSwatchMinimumBorder = 2;

    enum MenuTag {
        kNew = 0,
        kText = 1,
        kColor = 2,
        kFont = 3,
        kAlignLeft = 4,
        kAlignCenter = 5,
        kAlignRight = 6,
    };

    static std::string defaultTitle();
    static bool isAvailable();
    static double defaultDockedNumber(const RuntimeClass&) { return 8; }
    static std::optional<ValueDictionary> optionalInfo();

    // picture with the boxes drawn over it, the working view's points scaled by
    // picture width / workingWidth; the picture's size and scale. Any thread.
    static UIImagePtr buildImage(const UIImagePtr& picture,
                                 const std::vector<_CLTextView::Snapshot>& boxes,
                                 double workingWidth);

    using CLImageToolBase::CLImageToolBase;
    ~CLTextTool() override;

    void setup() override;
    void cleanup() override;
    void executeWithCompletionBlock(CompletionBlock completion) override;

    void tappedMenuPanel(UIView& item);
    void pushedButton();
    void activeTextViewDidChange(const NSNotification& notification);
    void activeTextViewDidTap(const NSNotification& notification);
    void addNewText();
    void setSelectedTextView(const _CLTextViewPtr& box);
    void setMenuBtnEnabled(bool enabled);
    void hideSettingView();
    void showSettingViewWithMenuIndex(int index);
    void beginTextEditting();
    void setTextAlignment(NSTextAlignment alignment);

    void textSettingViewDidChangeText(CLTextSettingView&, const std::string& text) override;
    void textSettingViewDidChangeFillColor(CLTextSettingView&, const UIColor& color) override;
    void textSettingViewDidChangeBorderColor(CLTextSettingView&, const UIColor& color) override;
    void textSettingViewDidChangeBorderWidth(CLTextSettingView&, double width) override;
    void textSettingViewDidChangeFont(CLTextSettingView&, const UIFont& font) override;

    const UIViewPtr& workingView() const { return workingView_; }
    const CLTextSettingViewPtr& settingView() const { return settingView_; }
    const UIScrollViewPtr& menuScroll() const { return menuScroll_; }
    const _CLTextViewPtr& selectedTextView() const { return selectedTextView_; }
    // By tag.
    const CLToolbarMenuItemPtr& menuItem(MenuTag tag) const { return items_[tag]; }

private:
    void setMenu();
    void makeSettingView();
    void observeBoxes();
    // The text boxes of the working view, back to front.
    std::vector<_CLTextViewPtr> textViews() const;
    _CLTextViewPtr ownBox(const NSNotification& notification) const;
    void refitSelectedTextView();
    void showColorsInSwatch(const UIColor& fill, const UIColor& outline, double width);

    UIImagePtr originalImage_;
    UIViewPtr workingView_;
    CLTextSettingViewPtr settingView_;
    UIScrollViewPtr menuScroll_;
    std::array<CLToolbarMenuItemPtr, 7> items_;
    _CLTextViewPtr selectedTextView_;
    CLBackgroundRender render_ = CLBackgroundRender::everyRequest();
};
