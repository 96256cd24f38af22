#include "imaging/operations/UIViewFrame.h"

namespace {

template <typename Edit>
void editFrame(UIView& view, Edit edit) {
    CGRect frame = view.frame();
    edit(frame);
    view.setFrame(frame);
}

}  // namespace

double UIViewFrame::top(const UIView& view) {
    return view.frame().origin.y;
}

double UIViewFrame::bottom(const UIView& view) {
    const CGRect frame = view.frame();
    return frame.origin.y + frame.size.height;
}

double UIViewFrame::left(const UIView& view) {
    return view.frame().origin.x;
}

double UIViewFrame::right(const UIView& view) {
    const CGRect frame = view.frame();
    return frame.origin.x + frame.size.width;
}

double UIViewFrame::width(const UIView& view) {
    return view.frame().size.width;
}

double UIViewFrame::height(const UIView& view) {
    return view.frame().size.height;
}

void UIViewFrame::setTop(UIView& view, double top) {
    editFrame(view, [&](CGRect& frame) { frame.origin.y = top; });
}

void UIViewFrame::setBottom(UIView& view, double bottom) {
    editFrame(view, [&](CGRect& frame) { frame.origin.y = bottom - frame.size.height; });
}

void UIViewFrame::setLeft(UIView& view, double left) {
    editFrame(view, [&](CGRect& frame) { frame.origin.x = left; });
}

void UIViewFrame::setRight(UIView& view, double right) {
    editFrame(view, [&](CGRect& frame) { frame.origin.x = right - frame.size.width; });
}

void UIViewFrame::setWidth(UIView& view, double width) {
    editFrame(view, [&](CGRect& frame) { frame.size.width = width; });
}

void UIViewFrame::setHeight(UIView& view, double height) {
    editFrame(view, [&](CGRect& frame) { frame.size.height = height; });
}
