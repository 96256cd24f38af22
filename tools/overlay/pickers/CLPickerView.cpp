#include "tools/overlay/pickers/CLPickerView.h"

#include <algorithm>
#include <cmath>

std::shared_ptr<CLPickerView> CLPickerView::create(const CGRect& frame) {
    return std::make_shared<CLPickerView>(Token{}, frame);
}

CLPickerView::CLPickerView(Token, const CGRect& frame) : UIView(frame) {}

void CLPickerView::setDataSource(std::weak_ptr<CLPickerViewDataSource> dataSource) {
    if (dataSource.lock() != dataSource_.lock()) {
        dataSource_ = std::move(dataSource);
        didLoad_ = false;
    }
}

void CLPickerView::setDelegate(std::weak_ptr<CLPickerViewDelegate> delegate) {
    if (delegate.lock() != delegate_.lock()) {
        delegate_ = std::move(delegate);
        didLoad_ = false;
    }
}

const CLPickerDrumPtr* CLPickerView::drumAt(long component) const {
    if (component < 0 || component >= static_cast<long>(drums_.size())) {
        return nullptr;
    }
    return &drums_[static_cast<std::size_t>(component)];
}

void CLPickerView::reloadComponent(long component) {
    if (!didLoad_) {
        layoutSubviews();
    }
    if (const CLPickerDrumPtr* drum = drumAt(component)) {
        (*drum)->reload();
    }
}

void CLPickerView::selectRowInComponentAnimated(long row, long component, bool animated) {
    if (!didLoad_) {
        layoutSubviews();
    }
    if (const CLPickerDrumPtr* drum = drumAt(component)) {
        (*drum)->selectRowAnimated(row, animated);
    }
}

long CLPickerView::selectedRowInComponent(long component) const {
    const CLPickerDrumPtr* drum = drumAt(component);
    return drum ? (*drum)->selectedRow() : 0;
}

double CLPickerView::widthForComponent(long component) {
    const auto listener = delegate_.lock();
    return listener ? listener->pickerViewWidthForComponent(*this, component).value_or(0) : 0;
}

void CLPickerView::layoutSubviews() {
    const auto source = dataSource_.lock();
    const long components =
        source ? std::max(0L, source->numberOfComponentsInPickerView(*this)) : 0;
    const auto self = std::static_pointer_cast<CLPickerView>(shared_from_this());
    const double height = bounds().height();
    double x = 0;
    for (long component = 0; component < components; ++component) {
        double width = widthForComponent(component);
        if (width == 0) {
            width = bounds().width() / static_cast<double>(components);
        }
        const CGRect frame{x, 0, width, height};
        if (component >= static_cast<long>(drums_.size())) {
            drums_.push_back(CLPickerDrum::create(frame));
            addSubview(drums_.back());
        }
        const CLPickerDrumPtr& drum = drums_[static_cast<std::size_t>(component)];
        drum->setFrame(frame);
        drum->setTag(static_cast<int>(component));
        drum->setBackgroundColor(UIColor::clearColor());
        if (foregroundColor_) {
            drum->setForegroundColor(*foregroundColor_);
        }
        drum->setDataSource(self);
        drum->setDelegate(self);
        drum->reload();
        x += width;
    }
    while (static_cast<long>(drums_.size()) > components) {
        drums_.back()->removeFromSuperview();
        drums_.pop_back();
    }
    didLoad_ = true;
}

long CLPickerView::numberOfRowsInPickerDrum(CLPickerDrum& drum) {
    const auto source = dataSource_.lock();
    return source ? source->pickerViewNumberOfRowsInComponent(*this, drum.tag()) : 0;
}

std::optional<double> CLPickerView::rowHeightInPickerDrum(CLPickerDrum& drum) {
    if (const auto listener = delegate_.lock()) {
        if (const auto height = listener->pickerViewRowHeightForComponent(*this, drum.tag())) {
            return height;
        }
    }
    return std::ceil(bounds().height() / 3);
}

std::optional<UIViewPtr> CLPickerView::pickerDrumViewForRowReusingView(CLPickerDrum& drum, long row,
                                                                       const UIViewPtr& view) {
    const auto listener = delegate_.lock();
    if (!listener) {
        return nullptr;
    }
    return listener->pickerViewViewForRowForComponentReusingView(*this, row, drum.tag(), view)
        .value_or(nullptr);
}

std::optional<std::string> CLPickerView::pickerDrumTitleForRow(CLPickerDrum& drum, long row) {
    if (const auto listener = delegate_.lock()) {
        if (auto title = listener->pickerViewTitleForRowForComponent(*this, row, drum.tag())) {
            return title;
        }
    }
    return std::to_string(drum.tag()) + " - " + std::to_string(row);
}

void CLPickerView::pickerDrumDidSelectRow(CLPickerDrum& drum, long row) {
    if (const auto listener = delegate_.lock()) {
        listener->pickerViewDidSelectRowInComponent(*this, row, drum.tag());
    }
}
