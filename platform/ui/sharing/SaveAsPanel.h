#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/ui/controls/UITextField.h"
#include "platform/ui/view/UIButton.h"
#include "platform/ui/view/UILabel.h"

// The share sheet's "Save As…" step: a title, a text field holding the path to write
// (the user edits it; the extension chooses JPEG or PNG), and "Cancel" and "Save";
// Return in the field saves too.
class SaveAsPanel : public UIView {
public:
    static constexpr double kRowHeight = 44;
    static constexpr double kMargin = 12;
    // Title, field and buttons stacked.
    static constexpr double kHeight = 2 * kMargin + 3 * kRowHeight;

    explicit SaveAsPanel(const std::string& path);

    void setSaveHandler(std::function<void(const std::string& path)> handler) {
        handlers_->save = std::move(handler);
    }
    void setCancelHandler(std::function<void()> handler) { handlers_->cancel = std::move(handler); }

    const std::shared_ptr<UITextField>& pathField() const { return field_; }
    const UIButtonPtr& saveButton() const { return save_; }
    const UIButtonPtr& cancelButton() const { return cancel_; }

    void layoutSubviews() override;
    CGSize sizeThatFits(CGSize size) const override { return CGSize{size.width, kHeight}; }

private:
    // Shared with the buttons' actions, which may outlive the panel.
    struct Handlers {
        std::function<void(const std::string&)> save;
        std::function<void()> cancel;
    };

    std::shared_ptr<Handlers> handlers_ = std::make_shared<Handlers>();
    UILabelPtr title_;
    std::shared_ptr<UITextField> field_;
    UIButtonPtr cancel_;
    UIButtonPtr save_;
};
