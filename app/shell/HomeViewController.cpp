#include "app/shell/HomeViewController.h"

#include "core/CLToolAnimations.h"
#include "core/ZOZuzazOzarozTheme.h"
#include "platform/foundation/NSBundle.h"
#include "tools/overlay/stickers/CLStickerFolder.h"
#include "tools/overlay/stickers/CLStickerTool.h"

namespace {

struct Category {
    const char* icon;
    const char* title;
};

constexpr Category kCategories[HomeViewController::kRowCount] = {
    {"ic_1text", "Word Ballon"},
    {"ic_2title", "Title"},
    {"ic_3hat", "Hats & Helmets"},
    {"ic_4hair", "Hairstyles"},
    {"ic_5eyes", "Eyes"},
    {"ic_6mask", "Masks & Glasses"},
    {"ic_7ears", "Ears, Nose & Mouth"},
    {"ic_8beard", "Beards & Moustaches"},
};

}  // namespace

UIColor HomeViewController::backgroundGrey() {
    return UIColor::colorWithRed(17 / 255.0, 17 / 255.0, 17 / 255.0, 1);
}

std::string HomeViewController::defaultStickerPath() {
    return CLStickerTool::defaultStickerPath();
}

void HomeViewController::loadView() {
    UIViewController::loadView();
    const UIViewPtr& root = view();
    root->setBackgroundColor(backgroundGrey());
    const CGRect bounds = root->bounds();

    auto close = std::make_shared<UIButton>(CGRect(8, 0, 90, kBarHeight));
    close->setTitle("Close", UIControlStateNormal);
    close->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
    const std::weak_ptr<HomeViewController> weak =
        std::static_pointer_cast<HomeViewController>(shared_from_this());
    close->addTarget(
        [weak](UIControl&) {
            if (const auto self = weak.lock()) {
                self->close();
            }
        },
        UIControlEventTouchUpInside);
    root->addSubview(close);
    closeButton_ = close;

    auto table = std::make_shared<UITableView>(
        CGRect(0, kBarHeight, bounds.width(), bounds.height() - kBarHeight));
    table->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    table->setDataSource(weak);
    table->setTableDelegate(weak);
    root->addSubview(table);
    mainTableView_ = table;
}

void HomeViewController::viewDidLoad() {
    BaseViewController::viewDidLoad();
    for (const Category& category : kCategories) {
        icons_.emplace_back(category.icon);
        titles_.emplace_back(category.title);
    }
    mainTableView()->reloadData();
}

void HomeViewController::setupUI() {
    mainTableView()->setBackgroundColor(backgroundGrey());
}

std::string HomeViewController::stickerFolder() const {
    const auto& options = toolInfo_ ? toolInfo_->optionalInfo() : std::nullopt;
    const auto found = options ? options->find("stickerPath") : ValueDictionary::const_iterator();
    return options && found != options->end() && found->second.type() == Value::Type::String
               ? found->second.stringValue()
               : defaultStickerPath();
}

void HomeViewController::setupData() {
    for (const CLStickerFolder::Sticker& sticker :
         CLStickerFolder::stickersAtPath(stickerFolder())) {
        // The items are never shown: a tap on one would do nothing.
        auto item = ZOZuzazOzarozTheme::menuItemWithFrameTargetActionToolInfo(
            CGRect{}, [](UIGestureRecognizer&) {}, nullptr);
        item->setIconImage(sticker.thumbnail);
        CLStickerFolder::setFilePath(*item, sticker.filePath);
        stickers_.push_back(std::move(item));
    }
}

int HomeViewController::tableViewNumberOfRowsInSection(UITableView&, int) {
    return static_cast<int>(titles_.size());
}

UITableViewCellPtr HomeViewController::tableViewCellForRowAtIndexPath(
    UITableView& tableView, const NSIndexPath& indexPath) {
    UITableViewCellPtr cell = tableView.dequeueReusableCellWithIdentifier(kCellIdentifier);
    if (!cell) {
        cell = std::make_shared<UITableViewCell>(UITableViewCellStyle::Default, kCellIdentifier);
    }
    const auto row = static_cast<std::size_t>(indexPath.row);
    cell->setBackgroundColor(backgroundGrey());
    cell->textLabel()->setFont(UIFont::boldSystemFontOfSize(kTitleFontSize));
    cell->textLabel()->setTextColor(UIColor::whiteColor());
    cell->textLabel()->setText(titles_.at(row));
    cell->imageView()->setImage(UIImage::imageWithContentsOfFile(
        NSBundle::mainBundle()->bundlePath() + "/" + icons_.at(row) + ".png"));
    cell->setNeedsLayout();
    return cell;
}

std::optional<double> HomeViewController::tableViewHeightForRowAtIndexPath(UITableView&,
                                                                           const NSIndexPath&) {
    return kRowHeight;
}

std::optional<UIViewPtr> HomeViewController::tableViewViewForFooterInSection(UITableView&, int) {
    return UIViewPtr{};
}

std::optional<double> HomeViewController::tableViewHeightForFooterInSection(UITableView&, int) {
    return kFooterHeight;
}

void HomeViewController::tableViewDidSelectRowAtIndexPath(UITableView&,
                                                          const NSIndexPath& indexPath) {
    // The rows are categories and the stickers files: they match only by index, and
    // there may be fewer stickers than rows.
    const auto row = static_cast<std::size_t>(indexPath.row);
    if (indexPath.row < 0 || row >= stickers_.size()) {
        return;
    }
    CLToolAnimations::flash(*stickers_[row]);
}

void HomeViewController::close() {
    dismissViewControllerAnimated(true);
}
