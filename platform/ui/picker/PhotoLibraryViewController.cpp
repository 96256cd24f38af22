#include "platform/ui/picker/PhotoLibraryViewController.h"

#include <algorithm>
#include <cmath>

#include "platform/dispatch/DispatchQueue.h"
#include "platform/graphics/ImageDecoder.h"
#include "platform/graphics/UIScreen.h"
#include "platform/ui/controls/UIBarButtonItem.h"
#include "platform/ui/gestures/UITapGestureRecognizer.h"
#include "platform/ui/picker/PhotoLibrary.h"
#include "platform/ui/screens/UIAlertView.h"
#include "platform/ui/screens/UINavigationController.h"

PhotoLibraryViewController::PhotoLibraryViewController() {
    setTitle("Photos");
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
    const int perRow = columns();
    const double width = grid_->bounds().width();
    const double side = (width - kSpacing * (perRow - 1)) / perRow;
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        const int row = static_cast<int>(i) / perRow;
        const int column = static_cast<int>(i) % perRow;
        cells_[i].view->setFrame(
            CGRect{column * (side + kSpacing), row * (side + kSpacing), side, side});
    }
    const std::size_t rows = (cells_.size() + perRow - 1) / perRow;
    grid_->setContentSize(CGSize{width, rows * (side + kSpacing)});
}

void PhotoLibraryViewController::loadThumbnails() {
    const int perRow = columns();
    const double side = (grid_->bounds().width() - kSpacing * (perRow - 1)) / perRow;
    const double scale = UIScreen::scale();
    const std::weak_ptr<UIViewController> weakSelf = weak_from_this();
    for (const std::string& path : PhotoLibrary::picturePaths()) {
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
    layoutGrid();
}

void PhotoLibraryViewController::thumbnailArrived(const std::string& path,
                                                  const UIImagePtr& thumbnail) {
    const auto cell = std::find_if(cells_.begin(), cells_.end(),
                                   [&](const Cell& each) { return each.path == path; });
    if (cell == cells_.end()) {
        return;
    }
    if (!thumbnail) {
        cell->view->removeFromSuperview();
        cells_.erase(cell);
        layoutGrid();
        return;
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
        UIImagePtr picture = ImageDecoder::decodeFile(path);
        DispatchQueue::main().async([picture = std::move(picture), weakSelf] {
            if (const auto self =
                    std::static_pointer_cast<PhotoLibraryViewController>(weakSelf.lock())) {
                self->pickDecoded(picture);
            }
        });
    });
}

void PhotoLibraryViewController::pickDecoded(const UIImagePtr& picture) {
    picking_ = false;
    if (!picture) {
        // The file changed or went away since its thumbnail was made.
        std::make_shared<UIAlertView>("Error", "This picture can't be opened.",
                                      std::weak_ptr<UIAlertViewDelegate>{}, "OK")
            ->show();
        return;
    }
    if (pickHandler_) {
        pickHandler_(picture);
    }
}
