#include "platform/ui/sharing/SaveAsPanel.h"

#include "platform/ui/screens/UILocalizedString.h"

namespace {

UIButtonPtr makeButton(const std::string& title) {
    const UIButtonPtr button = UIButton::buttonWithType(UIButtonType::System);
    button->setTitle(title, UIControlStateNormal);
    return button;
}

}  // namespace

SaveAsPanel::SaveAsPanel(const std::string& path)
    : title_(std::make_shared<UILabel>()),
      field_(std::make_shared<UITextField>()),
      cancel_(makeButton(UILocalizedString::text("Share_Cancel", "Cancel"))),
      save_(makeButton(UILocalizedString::text("Share_Save", "Save"))) {
    setBackgroundColor(UIColor::whiteColor());
    title_->setText(UILocalizedString::text("Share_SaveAs", "Save As\u2026"));
    title_->setFont(UIFont::boldSystemFontOfSize(17));
    title_->setTextAlignment(NSTextAlignment::Center);
    field_->setText(path);
    field_->setBorderStyle(UITextBorderStyle::RoundedRect);
    field_->setFont(UIFont::systemFontOfSize(15));
    save_->titleLabel()->setFont(UIFont::boldSystemFontOfSize(17));
    cancel_->addTarget(
        [handlers = handlers_](UIControl&) {
            if (handlers->cancel) {
                handlers->cancel();
            }
        },
        UIControlEventTouchUpInside);
    const auto save = [handlers = handlers_,
                       field = std::weak_ptr<UITextField>(field_)](UIControl&) {
        const auto shown = field.lock();
        if (handlers->save && shown) {
            handlers->save(shown->text());
        }
    };
    save_->addTarget(save, UIControlEventTouchUpInside);
    field_->addTarget(save, UIControlEventEditingDidEndOnExit);
    for (const UIViewPtr& view : std::initializer_list<UIViewPtr>{title_, field_, cancel_, save_}) {
        addSubview(view);
    }
}

void SaveAsPanel::layoutSubviews() {
    const double width = bounds().width() - 2 * kMargin;
    title_->setFrame(CGRect{kMargin, kMargin, width, kRowHeight});
    field_->setFrame(CGRect{kMargin, kMargin + kRowHeight, width, kRowHeight - 8});
    const double buttonsTop = kMargin + 2 * kRowHeight;
    cancel_->setFrame(CGRect{kMargin, buttonsTop, width / 2, kRowHeight});
    save_->setFrame(CGRect{kMargin + width / 2, buttonsTop, width / 2, kRowHeight});
}
