#pragma once

#include "platform/ui/view/UIView.h"

// Reading and writing the edges of a view's frame, in its superview's coordinates.
// Setting the bottom or right edge moves the view; setting the width or height keeps
// its origin.
class UIViewFrame {
public:
    static double top(const UIView& view);
    static double bottom(const UIView& view);
    static double left(const UIView& view);
    static double right(const UIView& view);
    static double width(const UIView& view);
    static double height(const UIView& view);

    static void setTop(UIView& view, double top);
    static void setBottom(UIView& view, double bottom);
    static void setLeft(UIView& view, double left);
    static void setRight(UIView& view, double right);
    static void setWidth(UIView& view, double width);
    static void setHeight(UIView& view, double height);
};
