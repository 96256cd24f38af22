#pragma once

#include <memory>

#include "platform/ui/controls/UIScrollView.h"
#include "platform/ui/view/UIImageView.h"
#include "tools/overlay/pickers/CLPickerDrumDelegate.h"

// One column of a picker: an endless wheel of rows. A few row views (enough to cover
// the drum, plus one beyond each edge) sit in a scroll view whose strip is thousands
// of rows long; as the wheel turns, the view that leaves at one edge is refilled with
// the next row and moved to the other edge. Row numbers wrap around, so after the
// last row comes the first. A veil covers everything but the middle row, which is the
// selected one; when the finger lifts, the wheel snaps to whole rows. Selection
// changes are reported as they happen, each time the wheel passes half a row.
class CLPickerDrum : public UIView, public UIScrollViewDelegate {
public:
    // Rows of the scroll view's strip; a rebuild starts in its middle.
    static constexpr long kStripRows = 10000;
    static constexpr double kSnapDuration = 0.25;

    // Adds its scroll view with itself as the delegate, so it is made through create.
    static std::shared_ptr<CLPickerDrum> create(const CGRect& frame);

    std::shared_ptr<CLPickerDrumDataSource> dataSource() const { return dataSource_.lock(); }
    void setDataSource(std::weak_ptr<CLPickerDrumDataSource> dataSource);
    std::shared_ptr<CLPickerDrumDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<CLPickerDrumDelegate> delegate);
    // The veil's colour, used at the next layout; white at alpha 0.5 by default.
    const UIColor& foregroundColor() const { return foregroundColor_; }
    void setForegroundColor(const UIColor& color) { foregroundColor_ = color; }

    // Asks the data source again and rebuilds everything.
    void reload();
    // Rebuilds the rows around row (wrapped into range); a drum that is already built
    // keeps its row count and row height. There is no animation.
    void selectRowAnimated(long row, bool animated);
    long selectedRow() const { return centerContentIndex_; }
    // The delegate's, else a third of the drum's height, rounded up.
    double rowHeight();
    // Always within 0 … rows − 1 (0 without rows). Stores index wrapped into range and
    // reports it to the delegate when it differs from the current one.
    long centerContentIndex() const { return centerContentIndex_; }
    void setCenterContentIndex(long index);

    const UIScrollViewPtr& scrollView() const { return scrollView_; }
    const UIImageViewPtr& foregroundView() const { return imageView_; }

    void layoutSubviews() override;
    void scrollViewDidScroll(UIScrollView& scrollView) override;
    void scrollViewDidEndDraggingWillDecelerate(UIScrollView& scrollView, bool decelerate) override;
    void scrollViewDidEndDecelerating(UIScrollView& scrollView) override;

    struct Token {};
    CLPickerDrum(Token, const CGRect& frame);

private:
    void customInit();
    // The row shown at a position of the endless wheel.
    long rowNumberFromIndex(long index) const;
    long calcViewIndex(long viewIndex, long step) const;
    UIViewPtr viewForIndex(long index, const UIViewPtr& reusing);
    std::string titleForIndex(long index);
    UIImagePtr foregroundImage() const;
    void refreshViews();
    // Moves the wheel one row: the view leaving one edge comes back at the other.
    void scrollWithDirection(bool up);
    void adjustContentOffset();

    double viewWidth_ = 0;
    double viewHeight_ = 0;
    long viewNum_ = 0;
    long rowNum_ = 0;
    long topContentIndex_ = 0;
    long topViewIndex_ = 0;
    long bottomViewIndex_ = 0;
    UIImageViewPtr imageView_;
    UIScrollViewPtr scrollView_;
    bool didLoad_ = false;
    std::weak_ptr<CLPickerDrumDataSource> dataSource_;
    std::weak_ptr<CLPickerDrumDelegate> delegate_;
    UIColor foregroundColor_;
    long centerContentIndex_ = 0;
};

using CLPickerDrumPtr = std::shared_ptr<CLPickerDrum>;
