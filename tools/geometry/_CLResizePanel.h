#pragma once

#include <memory>

#include "core/CLImageToolBase.h"
#include "platform/foundation/NSNotification.h"
#include "platform/ui/controls/UITextField.h"
#include "platform/ui/view/UIButton.h"
#include "platform/ui/view/UILabel.h"
#include "platform/ui/view/UIView.h"

// The resize tool's panel: a dimmed cover of the picture with a box that shows the
// picture's size and two fields for the new width and height, joined by a chain
// button. While chained, a new width brings the height of the same proportions and
// the other way round. No side exceeds the size limit, a chained side never drops
// below 1, and the fields take at most four digits without a leading zero. The box
// moves out of the keyboard's way.
class _CLResizePanel : public UIView, public UITextFieldDelegate {
public:
    static constexpr double kInfoPanelShare = 0.85;
    static constexpr double kInfoPanelHeight = 180;
    static constexpr std::size_t kMaxDigits = 4;

    // A panel of frame for a picture of originalSize; tool supplies the chain images.
    static std::shared_ptr<_CLResizePanel> create(const CGRect& frame, CGSize originalSize,
                                                  const CLImageToolBase& tool);
    _CLResizePanel(const CGRect& frame, CGSize originalSize);
    ~_CLResizePanel() override;

    double limitSize() const { return limitSize_; }
    // A limit below 1 counts as 1 (a chained side is never below 1, so it could not be
    // kept under a smaller limit). Re-applies the width.
    void setLimitSize(double limit);
    // The side, limited, into its field; chained, the other side follows (or, when it
    // would exceed the limit, takes the limit and this side follows). A side of 0 or
    // less changes nothing, or while chained empties the other field.
    void setImageWidth(double width);
    void setImageHeight(double height);
    // The fields' values (0 for an empty field).
    CGSize imageSize() const;

    bool isChained() const { return chainBtn_->isSelected(); }
    // Toggles the chain, then re-applies the larger side.
    void chainBtnDidPush();
    void textFieldDidChanged(UITextField& field);
    // Ends editing.
    void viewDidTap();
    // Centres the box in the part of the panel the keyboard leaves free.
    void keyBoardWillChange(const NSNotification& notification);

    std::optional<bool> textFieldShouldChangeCharactersInRangeReplacementString(
        UITextField& field, NSRange range, const std::string& string) override;

    const UIViewPtr& infoPanel() const { return infoPanel_; }
    const UITextFieldPtr& fieldW() const { return fieldW_; }
    const UITextFieldPtr& fieldH() const { return fieldH_; }
    const UIButtonPtr& chainBtn() const { return chainBtn_; }
    const UILabelPtr& originalSizeLabel() const { return originalSizeLabel_; }

private:
    enum class Side { Width, Height };

    void initInfoPanelWithTool(const CLImageToolBase& tool);
    UILabelPtr addLabel(const CGRect& frame, const std::string& text, double fontSize);
    UITextFieldPtr addField(const CGRect& frame, double value);
    void observeKeyboard();
    void setImageSide(Side side, double value);
    // Digits only, and no 0 first in an empty field.
    static bool isNumber(const UITextField& field, const std::string& string);

    CGSize originalSize_;
    double limitSize_ = 1;
    UIViewPtr infoPanel_;
    UILabelPtr originalSizeLabel_;
    UITextFieldPtr fieldW_;
    UITextFieldPtr fieldH_;
    UIButtonPtr chainBtn_;
};

using _CLResizePanelPtr = std::shared_ptr<_CLResizePanel>;
