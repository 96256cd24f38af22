#pragma once

// The desktop window behind a UIWindow, for platform sources and end-to-end tests.

#include <QtCore/QTimer>
#include <QtGui/QBackingStore>
#include <QtGui/QImage>
#include <QtGui/QWindow>
#include <memory>

#include "platform/geometry/CGSize.h"
#include "platform/ui/window/SyntheticTwoFingers.h"
#include "platform/ui/window/TouchTracker.h"

class UIWindow;

// A raster QWindow that shows a UIWindow's tree, one point to one logical pixel, and
// turns the desktop's input into touches, two-finger gestures and key presses (see
// UIWindow). Repaints are coalesced: any number of changes between two turns of the
// event loop give one paint.
class NativeWindow : public QWindow {
public:
    explicit NativeWindow(UIWindow& window);
    ~NativeWindow() override;

    // A window shape scaled down, if need be, to fit the primary screen's free area
    // with room for the window's frame; as it is without a real screen (offscreen).
    static CGSize fittedToScreen(CGSize size);

    void scheduleRepaint();
    // Paints now if a repaint is pending and the window is on screen.
    void paintIfNeeded();
    // What the window shows, at its device pixel ratio.
    QImage grabContents();

protected:
    bool event(QEvent* event) override;
    void exposeEvent(QExposeEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void touchEvent(QTouchEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void paint();
    void handleNativeGesture(class QNativeGestureEvent* event);
    void handleInputMethod(class QInputMethodEvent* event);
    void acceptDrag(class QDropEvent* event);
    void handleDrop(class QDropEvent* event);
    void restartGestureEndTimer();

    UIWindow& window_;
    QBackingStore backingStore_;
    TouchTracker touches_;
    SyntheticTwoFingers twoFingers_;
    // Lifts the synthetic fingers once the wheel has been still for a moment.
    QTimer gestureEndTimer_;
    bool repaintPending_ = true;
    // The plain wheel's current roll zooms rather than scrolls.
    bool wheelPinches_ = false;
    double lastInputTime_ = 0;
};
