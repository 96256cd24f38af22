#include "imaging/UIViewFrame.h"

double UIViewFrame::top(const UIView& view) { return view.frame().origin.y; }

double UIViewFrame::bottom(const UIView& view) {
    const CGRect frame = view.frame();
    return frame.origin.y + frame.size.height;
}

double UIViewFrame::left(const UIView& view) { return view.frame().origin.x; }

double UIViewFrame::right(const UIView& view) {
    const CGRect frame = view.frame();
    return frame.origin.x + frame.size.width;
}

double UIViewFrame::width(const UIView& view) { return view.frame().size.width; }

double UIViewFrame::height(const UIView& view) { return view.frame().size.height; }

void UIViewFrame::setTop(UIView& view, double top) {
    CGRect frame = view.frame();
    frame.origin.y = top;
    view.setFrame(frame);
}

void UIViewFrame::setBottom(UIView& view, double bottom) {
    CGRect frame = view.frame();
    frame.origin.y = bottom - frame.size.height;
    view.setFrame(frame);
}

void UIViewFrame::setLeft(UIView& view, double left) {
    CGRect frame = view.frame();
    frame.origin.x = left;
    view.setFrame(frame);
}

void UIViewFrame::setRight(UIView& view, double right) {
    CGRect frame = view.frame();
    frame.origin.x = right - frame.size.width;
    view.setFrame(frame);
}

void UIViewFrame::setWidth(UIView& view, double width) {
    CGRect frame = view.frame();
    frame.size.width = width;
    view.setFrame(frame);
}

void UIViewFrame::setHeight(UIView& view, double height) {
    CGRect frame = view.frame();
    frame.size.height = height;
    view.setFrame(frame);
}
