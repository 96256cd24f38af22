#include "platform/ui/window/NativeWindow.h"

#include <QtCore/QMimeData>
#include <QtCore/QUrl>
#include <QtGui/QDropEvent>
#include <QtGui/QGuiApplication>
#include <QtGui/QInputMethodEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QNativeGestureEvent>
#include <QtGui/QPainter>
#include <QtGui/QScreen>
#include <QtGui/QTouchEvent>
#include <QtGui/QWheelEvent>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "platform/ui/view/ViewTreePainter.h"
#include "platform/ui/window/UIWindow.h"

namespace {

constexpr long kMouseFinger = -1;
constexpr int kGestureEndDelayMilliseconds = 250;
// One wheel notch: 10 % of zoom, 5 degrees of turn, 40 points of scroll.
constexpr double kPinchPerNotch = 1.1;
constexpr double kTurnPerNotch = 5 * std::numbers::pi / 180;
constexpr double kScrollPerNotch = 40;
constexpr double kAngleUnitsPerNotch = 120;
// Room left on the screen for the title bar and borders the window manager adds.
constexpr double kFrameAllowance = 48;

CGPoint pointOf(const QPointF& position) {
    return {position.x(), position.y()};
}

double secondsOf(const QInputEvent* event) {
    return static_cast<double>(event->timestamp()) / 1000;
}

std::optional<UIKeyPress::Key> editingKey(int key) {
    switch (key) {
        case Qt::Key_Backspace:
            return UIKeyPress::Key::Backspace;
        case Qt::Key_Delete:
            return UIKeyPress::Key::Delete;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return UIKeyPress::Key::Return;
        case Qt::Key_Tab:
            return UIKeyPress::Key::Tab;
        case Qt::Key_Escape:
            return UIKeyPress::Key::Escape;
        case Qt::Key_Left:
            return UIKeyPress::Key::LeftArrow;
        case Qt::Key_Right:
            return UIKeyPress::Key::RightArrow;
        case Qt::Key_Up:
            return UIKeyPress::Key::UpArrow;
        case Qt::Key_Down:
            return UIKeyPress::Key::DownArrow;
        case Qt::Key_Home:
            return UIKeyPress::Key::Home;
        case Qt::Key_End:
            return UIKeyPress::Key::End;
        default:
            return std::nullopt;
    }
}

unsigned modifiersOf(Qt::KeyboardModifiers modifiers) {
    unsigned result = UIKeyPress::None;
    if (modifiers & Qt::ShiftModifier) {
        result |= UIKeyPress::Shift;
    }
    if (modifiers & Qt::ControlModifier) {
        result |= UIKeyPress::Control;
    }
    if (modifiers & Qt::AltModifier) {
        result |= UIKeyPress::Alt;
    }
    return result;
}

std::vector<std::string> localFiles(const QDropEvent& event) {
    std::vector<std::string> paths;
    const QMimeData* data = event.mimeData();
    for (const QUrl& url : data ? data->urls() : QList<QUrl>{}) {
        if (url.isLocalFile()) {
            paths.push_back(url.toLocalFile().toStdString());
        }
    }
    return paths;
}

// The key or text the event is for us, if any.
std::optional<UIKeyPress> keyPressOf(const QKeyEvent& event) {
    const unsigned modifiers = modifiersOf(event.modifiers());
    if (const auto key = editingKey(event.key())) {
        return UIKeyPress{*key, {}, modifiers};
    }
    if ((modifiers & UIKeyPress::Control) && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) {
        // Control turns letters into control characters; commands want the letter.
        const char letter = static_cast<char>('a' + (event.key() - Qt::Key_A));
        return UIKeyPress{UIKeyPress::Key::Text, std::string(1, letter), modifiers};
    }
    if (!event.text().isEmpty() && event.text().at(0).isPrint()) {
        return UIKeyPress{UIKeyPress::Key::Text, event.text().toStdString(), modifiers};
    }
    return std::nullopt;
}

}  // namespace

NativeWindow::NativeWindow(UIWindow& window)
    : window_(window), backingStore_(this), touches_(window), twoFingers_(touches_) {
    setSurfaceType(QSurface::RasterSurface);
    const CGRect bounds = window.bounds();
    resize(static_cast<int>(std::lround(bounds.width())),
           static_cast<int>(std::lround(bounds.height())));
    gestureEndTimer_.setSingleShot(true);
    gestureEndTimer_.setInterval(kGestureEndDelayMilliseconds);
    QObject::connect(&gestureEndTimer_, &QTimer::timeout,
                     [this] { twoFingers_.end(lastInputTime_); });
}

NativeWindow::~NativeWindow() = default;

CGSize NativeWindow::fittedToScreen(CGSize size) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || QGuiApplication::platformName() == QLatin1String("offscreen") ||
        size.width <= 0 || size.height <= 0) {
        return size;
    }
    const QRect free = screen->availableGeometry();
    const double shrink = std::min({1.0, (free.width() - kFrameAllowance) / size.width,
                                    (free.height() - kFrameAllowance) / size.height});
    if (!(shrink > 0)) {
        return size;
    }
    return {std::floor(size.width * shrink), std::floor(size.height * shrink)};
}

void NativeWindow::scheduleRepaint() {
    if (!repaintPending_) {
        repaintPending_ = true;
        requestUpdate();
    }
}

void NativeWindow::paintIfNeeded() {
    if (repaintPending_) {
        paint();
    }
}

void NativeWindow::paint() {
    if (!isExposed()) {
        return;
    }
    repaintPending_ = false;
    window_.layoutIfNeeded();
    const QRect area(QPoint(0, 0), size());
    backingStore_.beginPaint(area);
    {
        QPainter painter(backingStore_.paintDevice());
        painter.fillRect(area, Qt::black);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        ViewTreePainter(painter, devicePixelRatio()).paintRoot(window_, QTransform());
    }
    backingStore_.endPaint();
    backingStore_.flush(area);
}

QImage NativeWindow::grabContents() {
    paintIfNeeded();
    if (QScreen* shown = screen(); shown != nullptr && isExposed()) {
        const QImage grabbed = shown->grabWindow(winId()).toImage();
        if (!grabbed.isNull()) {
            return grabbed;
        }
    }
    return {};
}

bool NativeWindow::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::UpdateRequest:
            paint();
            return true;
        case QEvent::NativeGesture:
            handleNativeGesture(static_cast<QNativeGestureEvent*>(event));
            return true;
        case QEvent::DragEnter:
        case QEvent::DragMove:
            acceptDrag(static_cast<QDropEvent*>(event));
            return true;
        case QEvent::Drop:
            handleDrop(static_cast<QDropEvent*>(event));
            return true;
        case QEvent::InputMethod:
            handleInputMethod(static_cast<QInputMethodEvent*>(event));
            return true;
        case QEvent::Close:
            if (!window_.shouldClose()) {
                event->ignore();
                return true;
            }
            return QWindow::event(event);
        case QEvent::InputMethodQuery: {
            // The window takes typed text for whichever view is the first responder.
            auto* query = static_cast<QInputMethodQueryEvent*>(event);
            query->setValue(Qt::ImEnabled, true);
            query->accept();
            return true;
        }
        default:
            return QWindow::event(event);
    }
}

void NativeWindow::exposeEvent(QExposeEvent*) {
    if (isExposed()) {
        repaintPending_ = true;
        paint();
    }
}

void NativeWindow::resizeEvent(QResizeEvent*) {
    backingStore_.resize(size());
    window_.setFrame({0, 0, static_cast<double>(width()), static_cast<double>(height())});
    scheduleRepaint();
}

void NativeWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || event->source() != Qt::MouseEventNotSynthesized) {
        return;
    }
    lastInputTime_ = secondsOf(event);
    touches_.send({{kMouseFinger, UITouchPhase::Began, pointOf(event->position()), {}}},
                  lastInputTime_);
}

void NativeWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!touches_.isDown(kMouseFinger) || event->source() != Qt::MouseEventNotSynthesized) {
        return;
    }
    lastInputTime_ = secondsOf(event);
    touches_.send({{kMouseFinger, UITouchPhase::Moved, pointOf(event->position()), {}}},
                  lastInputTime_);
}

void NativeWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || event->source() != Qt::MouseEventNotSynthesized) {
        return;
    }
    lastInputTime_ = secondsOf(event);
    touches_.send({{kMouseFinger, UITouchPhase::Ended, pointOf(event->position()), {}}},
                  lastInputTime_);
}

void NativeWindow::touchEvent(QTouchEvent* event) {
    lastInputTime_ = secondsOf(event);
    event->accept();
    if (event->type() == QEvent::TouchCancel) {
        touches_.cancelAll(lastInputTime_);
        return;
    }
    std::vector<TouchTracker::Change> changes;
    for (const QEventPoint& point : event->points()) {
        UITouchPhase phase;
        switch (point.state()) {
            case QEventPoint::Pressed:
                phase = UITouchPhase::Began;
                break;
            case QEventPoint::Updated:
                phase = UITouchPhase::Moved;
                break;
            case QEventPoint::Released:
                phase = UITouchPhase::Ended;
                break;
            default:
                continue;
        }
        changes.push_back({point.id(), phase, pointOf(point.position()), {}});
    }
    touches_.send(changes, lastInputTime_);
}

void NativeWindow::wheelEvent(QWheelEvent* event) {
    lastInputTime_ = secondsOf(event);
    const CGPoint cursor = pointOf(event->position());
    const QPoint angle = event->angleDelta();
    // Some systems turn Shift+wheel into a sideways wheel.
    const double notches = (angle.y() != 0 ? angle.y() : angle.x()) / kAngleUnitsPerNotch;
    if (!twoFingers_.isActive()) {
        // Decided as a roll starts: a picture zoomed in by it then keeps zooming.
        wheelPinches_ = event->modifiers() == Qt::NoModifier && window_.wheelZoomsAt(cursor);
    }
    if ((event->modifiers() & Qt::ControlModifier) || wheelPinches_) {
        twoFingers_.pinch(cursor, std::pow(kPinchPerNotch, notches), lastInputTime_);
    } else if (event->modifiers() & Qt::ShiftModifier) {
        twoFingers_.rotate(cursor, notches * kTurnPerNotch, lastInputTime_);
    } else {
        const QPoint pixels = event->pixelDelta();
        const CGPoint delta =
            pixels.isNull()
                ? CGPoint{angle.x() / kAngleUnitsPerNotch * kScrollPerNotch,
                          angle.y() / kAngleUnitsPerNotch * kScrollPerNotch}
                : CGPoint{static_cast<double>(pixels.x()), static_cast<double>(pixels.y())};
        twoFingers_.pan(cursor, delta, lastInputTime_);
    }
    restartGestureEndTimer();
    event->accept();
}

void NativeWindow::handleNativeGesture(QNativeGestureEvent* event) {
    lastInputTime_ = secondsOf(event);
    const CGPoint cursor = pointOf(event->position());
    switch (event->gestureType()) {
        case Qt::ZoomNativeGesture:
            twoFingers_.pinch(cursor, 1 + event->value(), lastInputTime_);
            break;
        case Qt::RotateNativeGesture:
            twoFingers_.rotate(cursor, event->value() * std::numbers::pi / 180, lastInputTime_);
            break;
        case Qt::EndNativeGesture:
            twoFingers_.end(lastInputTime_);
            break;
        default:
            break;
    }
}

void NativeWindow::restartGestureEndTimer() {
    gestureEndTimer_.start();
}

void NativeWindow::keyPressEvent(QKeyEvent* event) {
    const std::optional<UIKeyPress> key = keyPressOf(*event);
    event->setAccepted(key && window_.sendKey(*key));
}

void NativeWindow::keyReleaseEvent(QKeyEvent* event) {
    // A held key repeats as releases and presses; only the last release counts.
    std::optional<UIKeyPress> key = event->isAutoRepeat() ? std::nullopt : keyPressOf(*event);
    if (key) {
        key->released = true;
    }
    event->setAccepted(key && window_.sendKey(*key));
}

void NativeWindow::acceptDrag(QDropEvent* event) {
    if (!localFiles(*event).empty()) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void NativeWindow::handleDrop(QDropEvent* event) {
    if (window_.dropFiles(localFiles(*event))) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void NativeWindow::handleInputMethod(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty()) {
        window_.sendText(event->commitString().toStdString());
    }
    event->accept();
}
