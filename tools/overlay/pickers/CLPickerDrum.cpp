#include "tools/overlay/pickers/CLPickerDrum.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/UIGraphics.h"
#include "platform/ui/view/UILabel.h"

namespace {

const UIColor kDefaultForegroundColor = UIColor::colorWithWhite(1, 0.5);

// The remainder that takes the divisor's sign, so the wheel runs on past its start in
// both directions.
long flooredModulo(long dividend, long divisor) {
    const long remainder = dividend % divisor;
    return remainder < 0 ? remainder + divisor : remainder;
}

}  // namespace

std::shared_ptr<CLPickerDrum> CLPickerDrum::create(const CGRect& frame) {
    auto drum = std::make_shared<CLPickerDrum>(Token{}, frame);
    drum->customInit();
    return drum;
}

CLPickerDrum::CLPickerDrum(Token, const CGRect& frame) : UIView(frame) {}

void CLPickerDrum::customInit() {
    didLoad_ = false;
    centerContentIndex_ = 0;
    foregroundColor_ = kDefaultForegroundColor;
    const unsigned flexibleSize =
        UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight;

    imageView_ = std::make_shared<UIImageView>(bounds());
    imageView_->setAutoresizingMask(flexibleSize);
    addSubview(imageView_);

    scrollView_ = std::make_shared<UIScrollView>(bounds());
    scrollView_->setAutoresizingMask(flexibleSize);
    scrollView_->setShowsHorizontalScrollIndicator(false);
    scrollView_->setShowsVerticalScrollIndicator(false);
    scrollView_->setPagingEnabled(false);
    scrollView_->setDelegate(std::static_pointer_cast<CLPickerDrum>(shared_from_this()));
    insertSubviewAtIndex(scrollView_, 0);
}

void CLPickerDrum::setDataSource(std::weak_ptr<CLPickerDrumDataSource> dataSource) {
    if (dataSource.lock() != dataSource_.lock()) {
        dataSource_ = std::move(dataSource);
        didLoad_ = false;
    }
}

void CLPickerDrum::setDelegate(std::weak_ptr<CLPickerDrumDelegate> delegate) {
    if (delegate.lock() != delegate_.lock()) {
        delegate_ = std::move(delegate);
        didLoad_ = false;
    }
}

void CLPickerDrum::reload() {
    didLoad_ = false;
    layoutSubviews();
}

void CLPickerDrum::selectRowAnimated(long row, bool) {
    centerContentIndex_ = row;
    if (didLoad_) {
        didLoad_ = false;
        refreshViews();
    } else {
        layoutSubviews();
    }
}

double CLPickerDrum::rowHeight() {
    if (const auto listener = delegate_.lock()) {
        if (const auto height = listener->rowHeightInPickerDrum(*this)) {
            return *height;
        }
    }
    return std::ceil(bounds().height() / 3);
}

void CLPickerDrum::setCenterContentIndex(long index) {
    const long row = rowNum_ >= 1 ? flooredModulo(index, rowNum_) : 0;
    if (row == centerContentIndex_) {
        return;
    }
    centerContentIndex_ = row;
    if (const auto listener = delegate_.lock()) {
        listener->pickerDrumDidSelectRow(*this, row);
    }
}

long CLPickerDrum::rowNumberFromIndex(long index) const {
    return rowNum_ == 0 ? index : flooredModulo(index, rowNum_);
}

long CLPickerDrum::calcViewIndex(long viewIndex, long step) const {
    return viewNum_ == 0 ? viewIndex + step : flooredModulo(viewIndex + step, viewNum_);
}

UIViewPtr CLPickerDrum::viewForIndex(long index, const UIViewPtr& reusing) {
    const long row = rowNumberFromIndex(index);
    const auto listener = delegate_.lock();
    if (row < 0 || row >= rowNum_ || !listener) {
        return nullptr;
    }
    return listener->pickerDrumViewForRowReusingView(*this, row, reusing).value_or(nullptr);
}

std::string CLPickerDrum::titleForIndex(long index) {
    const long row = rowNumberFromIndex(index);
    const auto listener = delegate_.lock();
    if (row < 0 || row >= rowNum_ || !listener) {
        return {};
    }
    return listener->pickerDrumTitleForRow(*this, row).value_or(std::string());
}

void CLPickerDrum::layoutSubviews() {
    scrollView_->setFrame(bounds());
    imageView_->setFrame(bounds());
    viewNum_ = 0;
    viewWidth_ = bounds().width();
    viewHeight_ = rowHeight();
    const auto source = dataSource_.lock();
    rowNum_ = source ? std::max(0L, source->numberOfRowsInPickerDrum(*this)) : 0;
    imageView_->setImage(foregroundImage());
    refreshViews();
}

// The veil: the foreground colour everywhere but the band of the middle row.
UIImagePtr CLPickerDrum::foregroundImage() const {
    const CGSize size = bounds().size;
    UIGraphicsBeginImageContextWithOptions(size, false, 0);
    UIImagePtr image;
    if (const CGContextRef context = UIGraphicsGetCurrentContext()) {
        context->setFillColor(foregroundColor_);
        context->fillRect({{0, 0}, size});
        context->clearRect({0, (size.height - viewHeight_) / 2, size.width, viewHeight_});
        image = UIGraphicsGetImageFromCurrentImageContext();
    }
    UIGraphicsEndImageContext();
    return image;
}

void CLPickerDrum::refreshViews() {
    for (const UIViewPtr& view : scrollView_->subviews()) {
        view->removeFromSuperview();
    }
    setCenterContentIndex(centerContentIndex_);

    // Enough views to cover the drum, plus one beyond each edge.
    if (viewHeight_ > 0) {
        const auto beyondMiddle =
            static_cast<long>(std::ceil((bounds().height() - viewHeight_) / (2 * viewHeight_)));
        viewNum_ = 2 * beyondMiddle + 3;
    }
    const long half = viewNum_ / 2;

    // Set before the offset moves, so that the move turns nothing.
    topContentIndex_ = kStripRows / 2;
    scrollView_->setContentSize({0, viewHeight_ * kStripRows});
    scrollView_->setContentOffset({0, viewHeight_ * topContentIndex_});

    double y = scrollView_->contentOffset().y + (scrollView_->bounds().height() - viewHeight_) / 2 -
               half * viewHeight_;
    for (long k = 0; k < viewNum_; ++k) {
        const long index = centerContentIndex_ - half + k;
        UIViewPtr view = viewForIndex(index, nullptr);
        if (!view) {
            auto label = std::make_shared<UILabel>();
            label->setTextAlignment(NSTextAlignment::Center);
            label->setText(titleForIndex(index));
            view = label;
        }
        view->setFrame({0, y, viewWidth_, viewHeight_});
        scrollView_->addSubview(view);
        y += viewHeight_;
    }
    topViewIndex_ = 0;
    bottomViewIndex_ = viewNum_ - 1;
    didLoad_ = true;
}

void CLPickerDrum::scrollViewDidScroll(UIScrollView& scrollView) {
    if (viewHeight_ <= 0) {
        return;
    }
    const double rows = scrollView.contentOffset().y / viewHeight_ - topContentIndex_;
    // Whole rows passed, halves rounded up.
    const auto count = static_cast<long>(std::max(std::abs(rows - 0.5), std::abs(rows + 0.5)));
    for (long i = 0; i < count; ++i) {
        scrollWithDirection(rows < 0);
    }
}

void CLPickerDrum::scrollWithDirection(bool up) {
    const long position = up ? bottomViewIndex_ : topViewIndex_;
    const long step = up ? -1 : 1;
    const std::vector<UIViewPtr> rows = scrollView_->subviews();
    if (position < 0 || position >= static_cast<long>(rows.size())) {
        return;
    }
    topContentIndex_ += step;
    setCenterContentIndex(centerContentIndex_ + step);
    const long index = centerContentIndex_ - viewNum_ / 2 + (up ? 0 : viewNum_ - 1);

    UIViewPtr view = rows[static_cast<std::size_t>(position)];
    const UIViewPtr answer = viewForIndex(index, view);
    if (!answer) {
        if (const auto label = std::dynamic_pointer_cast<UILabel>(view)) {
            label->setText(titleForIndex(index));
        }
    } else if (answer != view) {
        // Takes the recycled view's place, so the other views keep their positions.
        answer->setFrame(view->frame());
        view->removeFromSuperview();
        scrollView_->insertSubviewAtIndex(answer, static_cast<std::size_t>(position));
        view = answer;
    }
    const CGPoint center = view->center();
    view->setCenter({center.x, center.y + step * viewNum_ * viewHeight_});
    topViewIndex_ = calcViewIndex(topViewIndex_, step);
    bottomViewIndex_ = calcViewIndex(bottomViewIndex_, step);
}

void CLPickerDrum::scrollViewDidEndDraggingWillDecelerate(UIScrollView&, bool) {
    adjustContentOffset();
}

void CLPickerDrum::scrollViewDidEndDecelerating(UIScrollView&) {
    adjustContentOffset();
}

// Puts the middle row exactly in the veil's clear band.
void CLPickerDrum::adjustContentOffset() {
    const CGPoint resting{0, viewHeight_ * topContentIndex_};
    UIView::animate(kSnapDuration, 0, UIViewAnimationOptionBeginFromCurrentState,
                    [&] { scrollView_->setContentOffset(resting); });
}
