#pragma once

#include <memory>
#include <string>

#include "platform/ui/view/UIImageView.h"
#include "platform/ui/view/UILabel.h"
#include "platform/ui/view/UIView.h"

enum class UITableViewCellStyle { Default };

// One row of a table view. The default style shows an image at its own size at the
// left, vertically centred, and a one-line text after it.
class UITableViewCell : public UIView {
public:
    static constexpr double kInset = 15;

    UITableViewCell(UITableViewCellStyle style, std::string reuseIdentifier);

    const std::string& reuseIdentifier() const { return reuseIdentifier_; }
    const std::shared_ptr<UILabel>& textLabel() const { return textLabel_; }
    const UIImageViewPtr& imageView() const { return imageView_; }

    void layoutSubviews() override;

private:
    std::string reuseIdentifier_;
    UIImageViewPtr imageView_;
    std::shared_ptr<UILabel> textLabel_;
};

using UITableViewCellPtr = std::shared_ptr<UITableViewCell>;
