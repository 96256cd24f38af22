#include "platform/ui/controls/UITableViewCell.h"

UITableViewCell::UITableViewCell(UITableViewCellStyle, std::string reuseIdentifier)
    : reuseIdentifier_(std::move(reuseIdentifier)),
      imageView_(std::make_shared<UIImageView>()),
      textLabel_(std::make_shared<UILabel>()) {
    addSubview(imageView_);
    addSubview(textLabel_);
}

void UITableViewCell::layoutSubviews() {
    const CGSize size = bounds().size;
    const CGSize image = imageView_->image() ? imageView_->image()->size() : CGSize{};
    imageView_->setFrame({kInset, (size.height - image.height) / 2, image.width, image.height});
    const double textX = image.width > 0 ? imageView_->frame().maxX() + kInset : kInset;
    textLabel_->setFrame({textX, 0, std::max(size.width - textX - kInset, 0.0), size.height});
}
