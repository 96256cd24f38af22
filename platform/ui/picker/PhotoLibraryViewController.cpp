#include "platform/ui/picker/PhotoLibraryViewController.h"

#include <algorithm>
#include <cmath>

#include "platform/dispatch/DispatchQueue.h"
#include "platform/graphics/UIScreen.h"
#include "platform/ui/controls/UIBarButtonItem.h"
#include "platform/ui/gestures/UITapGestureRecognizer.h"
#include "platform/ui/picker/PhotoLibrary.h"
#include "platform/ui/screens/UIAlertView.h"
#include "platform/ui/screens/UILocalizedString.h"
#include "platform/ui/screens/UINavigationController.h"

namespace {

constexpr double kNoteHeight = 44;
constexpr double kNoteMargin = 12;

}  // namespace

PhotoLibraryViewController::PhotoLibraryViewController() {
    setTitle(UILocalizedString::text("Picker_Title", "Photos"));
}

PhotoLibraryViewController::~PhotoLibraryViewController() {
    abandoned_->store(true);
}

void PhotoLibraryViewController::loadView() {
    UIViewController::loadView();
    view()->setBackgroundColor(UIColor::whiteColor());
    grid_ = std::make_shared<UIScrollView>(view()->bounds());
    grid_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    grid_->setAlwaysBounceVertical(true);
    view()->addSubview(grid_);
    auto tap = std::make_shared<UITapGestureRecognizer>();
    const std::weak_ptr<UIViewController> weakSelf = weak_from_this();
    tap->addTarget([weakSelf](UIGestureRecognizer& recognizer) {
        const auto self = std::static_pointer_cast<PhotoLibraryViewController>(weakSelf.lock());
        if (self && recognizer.state() == UIGestureRecognizerState::Recognized) {
            self->gridTapped(recognizer.locationInView(self->grid_.get()));
        }
    });
    grid_->addGestureRecognizer(tap);
    const auto note = [](double size) {
        auto label = std::make_shared<UILabel>();
        label->setFont(UIFont::systemFontOfSize(size));
        label->setTextColor(UIColor::colorWithWhite(0.4));
        label->setTextAlignment(NSTextAlignment::Center);
        label->setNumberOfLines(0);
        label->setHidden(true);
        return label;
    };
    header_ = note(13);
    footer_ = note(13);
    empty_ = note(17);
    grid_->addSubview(header_);
    grid_->addSubview(footer_);
    grid_->addSubview(empty_);
}

void PhotoLibraryViewController::viewDidLoad() {
    const std::weak_ptr<UIViewController> weakSelf = weak_from_this();
    navigationItem()->setRightBarButtonItem(std::make_shared<UIBarButtonItem>(
        UIBarButtonSystemItem::Cancel, [weakSelf](UIBarButtonItem&) {
            const auto self = std::static_pointer_cast<PhotoLibraryViewController>(weakSelf.lock());
            if (self && self->cancelHandler_) {
                self->cancelHandler_();
            }
        }));
    DispatchQueue::global().async([] { PhotoLibrary::removeAbandonedSaves(); });
    loadThumbnails();
}

void PhotoLibraryViewController::viewWillAppear(bool) {
    layoutGrid();
}

int PhotoLibraryViewController::columns() const {
    const double width = grid_ ? grid_->bounds().width() : 0;
    const int fitting = static_cast<int>(std::floor((width + kSpacing) / kPreferredSide));
    return std::max(kMinimumColumns, fitting);
}

void PhotoLibraryViewController::layoutGrid() {
    if (!grid_) {
        return;
    }
    // The bar floats over the top of the screen: the first row starts below it.
    double top = 0;
    if (const auto navigation = navigationController();
        navigation && !navigation->isNavigationBarHidden()) {
        top = navigation->navigationBar()->frame().maxY();
    }
    if (top != topInset_) {
        // Keeps the rows where they were relative to the bar.
        grid_->setContentInset(UIEdgeInsets{top, 0, 0, 0});
        grid_->setContentOffset(CGPoint{0, grid_->contentOffset().y - (top - topInset_)});
        topInset_ = top;
    }
    placeCellsAndNotes();
}

void PhotoLibraryViewController::placeCellsAndNotes() {
    const int perRow = columns();
    const double width = grid_->bounds().width();
    const double side = (width - kSpacing * (perRow - 1)) / perRow;
    const double top = header_->isHidden() ? 0 : kNoteHeight;
    header_->setFrame(CGRect{kNoteMargin, 0, width - 2 * kNoteMargin, top});
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        const int row = static_cast<int>(i) / perRow;
        const int column = static_cast<int>(i) % perRow;
        cells_[i].view->setFrame(
            CGRect{column * (side + kSpacing), top + row * (side + kSpacing), side, side});
    }
    const std::size_t rows = (cells_.size() + perRow - 1) / perRow;
    double bottom = top + rows * (side + kSpacing);
    if (!footer_->isHidden()) {
        footer_->setFrame(CGRect{kNoteMargin, bottom, width - 2 * kNoteMargin, kNoteHeight});
        bottom += kNoteHeight;
    }
    const double visible = grid_->bounds().height() - topInset_;
    empty_->setFrame(
        CGRect{kNoteMargin, top, width - 2 * kNoteMargin, std::max(visible - top, 0.0) / 2});
    grid_->setContentSize(CGSize{width, bottom});
}

void PhotoLibraryViewController::updateNotes() {
    footer_->setHidden(skipped_ == 0);
    footer_->setText(
        skipped_ == 1
            ? UILocalizedString::text("Picker_OneFileSkipped", "1 file couldn't be opened")
            : UILocalizedString::format("Picker_FilesSkipped", "%@ files couldn't be opened",
                                        {std::to_string(skipped_)}));
    // An empty grid says so once every file has had its try.
    empty_->setHidden(!cells_.empty() || pending_ > 0);
    empty_->setText(
        UILocalizedString::format("Picker_NoPictures", "No pictures in %@", {emptyFolder_}));
    layoutGrid();
}

void PhotoLibraryViewController::loadThumbnails() {
    const int perRow = columns();
    const double side = (grid_->bounds().width() - kSpacing * (perRow - 1)) / perRow;
    const double scale = UIScreen::scale();
    const std::weak_ptr<UIViewController> weakSelf = weak_from_this();
    const PhotoLibrary::Listing listing = PhotoLibrary::listing();
    const std::string library = PhotoLibrary::libraryPath();
    emptyFolder_ =
        listing.fromFallback && !listing.paths.empty() ? PhotoLibrary::fallbackPath() : library;
    header_->setHidden(!listing.fromFallback || listing.paths.empty());
    header_->setText(UILocalizedString::format(
        "Picker_LibraryEmpty", "No pictures in %@. Here are the sample pictures.", {library}));
    pending_ = static_cast<int>(listing.paths.size());
    for (const std::string& path : listing.paths) {
        auto cell = std::make_shared<UIImageView>();
        cell->setBackgroundColor(UIColor::colorWithWhite(0.9));
        cell->setClipsToBounds(true);
        grid_->addSubview(cell);
        cells_.push_back({path, cell, false});
        DispatchQueue::global().async([path, side, scale, weakSelf, abandoned = abandoned_] {
            if (abandoned->load()) {
                return;
            }
            UIImagePtr thumbnail = PhotoLibrary::thumbnailForPicture(path, side, scale);
            DispatchQueue::main().async([path, thumbnail = std::move(thumbnail), weakSelf] {
                if (const auto self =
                        std::static_pointer_cast<PhotoLibraryViewController>(weakSelf.lock())) {
                    self->thumbnailArrived(path, thumbnail);
                }
            });
        });
    }
    updateNotes();
}

void PhotoLibraryViewController::thumbnailArrived(const std::string& path,
                                                  const UIImagePtr& thumbnail) {
    const auto cell = std::find_if(cells_.begin(), cells_.end(),
                                   [&](const Cell& each) { return each.path == path; });
    if (cell == cells_.end()) {
        return;
    }
    --pending_;
    if (!thumbnail) {
        cell->view->removeFromSuperview();
        cells_.erase(cell);
        ++skipped_;
        updateNotes();
        return;
    }
    if (pending_ == 0) {
        updateNotes();
    }
    cell->view->setImage(thumbnail);
    cell->loaded = true;
}

std::vector<UIImageViewPtr> PhotoLibraryViewController::thumbnailViews() const {
    std::vector<UIImageViewPtr> views;
    for (const Cell& cell : cells_) {
        views.push_back(cell.view);
    }
    return views;
}

std::vector<std::string> PhotoLibraryViewController::thumbnailPaths() const {
    std::vector<std::string> paths;
    for (const Cell& cell : cells_) {
        paths.push_back(cell.path);
    }
    return paths;
}

void PhotoLibraryViewController::gridTapped(CGPoint location) {
    if (picking_) {
        return;
    }
    for (const Cell& cell : cells_) {
        if (cell.loaded && cell.view->frame().contains(location)) {
            pick(cell.path);
            return;
        }
    }
}

void PhotoLibraryViewController::pick(const std::string& path) {
    picking_ = true;
    const std::weak_ptr<UIViewController> weakSelf = weak_from_this();
    DispatchQueue::global().async([path, weakSelf] {
        PictureFile::Opened opened = PictureFile::open(path);
        DispatchQueue::main().async([opened = std::move(opened), weakSelf] {
            if (const auto self =
                    std::static_pointer_cast<PhotoLibraryViewController>(weakSelf.lock())) {
                self->pickDecoded(opened);
            }
        });
    });
}

void PhotoLibraryViewController::pickDecoded(const PictureFile::Opened& opened) {
    picking_ = false;
    if (!opened.picture) {
        // The file changed or went away since its thumbnail was made.
        std::make_shared<UIAlertView>(UILocalizedString::text("Alert_Error", "Error"),
                                      opened.failure, std::weak_ptr<UIAlertViewDelegate>{},
                                      UILocalizedString::text("Alert_OK", "OK"))
            ->show();
        return;
    }
    if (pickHandler_) {
        pickHandler_(opened.picture);
    }
}
