#include "platform/ui/window/UIWindow.h"

#include <algorithm>
#include <cstring>

#include "platform/graphics/CGImage.h"
#include "platform/graphics/UIScreen.h"
#include "platform/ui/controls/UIScrollView.h"
#include "platform/ui/view/UIViewRenderer.h"
#include "platform/ui/window/NativeWindow.h"
#include "platform/ui/window/RealTimeClockDriver.h"

namespace {

std::weak_ptr<UIWindow>& keyWindowSlot() {
    static std::weak_ptr<UIWindow> window;
    return window;
}

UIWindow::TouchDispatcher& touchDispatcher() {
    static UIWindow::TouchDispatcher dispatcher;
    return dispatcher;
}

UIWindow::KeyHandler& keyHandler() {
    static UIWindow::KeyHandler handler;
    return handler;
}

// A copy of a Qt picture as one of ours (32-bit premultiplied), at scale.
UIImagePtr imageFromQt(const QImage& picture, double scale) {
    const QImage converted = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    auto bitmap =
        CGImage::create(converted.width(), converted.height(), CGPixelFormat::ARGB32Premultiplied,
                        CGImage::Contents::Uninitialized);
    if (!bitmap) {
        return nullptr;
    }
    const auto rowBytes = static_cast<std::size_t>(converted.width()) * 4;
    for (int y = 0; y < converted.height(); ++y) {
        std::memcpy(bitmap->mutableRow(y), converted.constScanLine(y), rowBytes);
    }
    return UIImage::imageWithCGImage(std::move(bitmap), scale);
}

}  // namespace

UIWindow::UIWindow(const CGRect& frame) : UIView(frame) {}

// The screens go first: tearing them down changes the tree, which asks the desktop
// window for a repaint, so it must still be there.
UIWindow::~UIWindow() {
    rootController_.reset();
    rootView_.reset();
}

std::shared_ptr<UIWindow> UIWindow::keyWindow() {
    return keyWindowSlot().lock();
}

void UIWindow::makeKeyWindow() {
    keyWindowSlot() = std::static_pointer_cast<UIWindow>(shared_from_this());
}

bool UIWindow::isKeyWindow() const {
    return keyWindowSlot().lock().get() == this;
}

void UIWindow::makeKeyAndVisible() {
    makeKeyWindow();
    if (!native_) {
        setFrame({frame().origin, NativeWindow::fittedToScreen(bounds().size)});
        native_ = std::make_unique<NativeWindow>(*this);
        if (!title_.empty()) {
            native_->setTitle(QString::fromStdString(title_));
        }
        native_->create();
        UIScreen::setScale(native_->devicePixelRatio());
    }
    RealTimeClockDriver::start();
    native_->show();
    native_->requestActivate();
}

bool UIWindow::isVisible() const {
    return native_ && native_->isVisible();
}

void UIWindow::setTitle(const std::string& title) {
    title_ = title;
    if (native_) {
        native_->setTitle(QString::fromStdString(title));
    }
}

void UIWindow::installRootViewController(std::shared_ptr<UIViewController> controller,
                                         UIViewPtr view) {
    if (rootView_ && rootView_ != view) {
        rootView_->removeFromSuperview();
    }
    rootController_ = std::move(controller);
    rootView_ = std::move(view);
    if (rootView_) {
        rootView_->setFrame(bounds());
        rootView_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                       UIViewAutoresizingFlexibleHeight);
        insertSubviewAtIndex(rootView_, 0);
    }
}

void UIWindow::sendEvent(const UITouchSet& changed, const UIEvent& event) {
    if (const TouchDispatcher& dispatcher = touchDispatcher()) {
        dispatcher(*this, changed, event);
    } else {
        deliverTouchesToViews(changed, event);
    }
}

bool UIWindow::sendKey(const UIKeyPress& key) {
    const KeyHandler& handler = keyHandler();
    return handler && handler(*this, key);
}

bool UIWindow::sendText(const std::string& text) {
    if (text.empty()) {
        return false;
    }
    return sendKey({UIKeyPress::Key::Text, text, UIKeyPress::None});
}

bool UIWindow::wheelZoomsAt(CGPoint point) {
    for (UIViewPtr view = hitTest(point, nullptr); view; view = view->superview()) {
        if (const auto* scroller = dynamic_cast<const UIScrollView*>(view.get())) {
            return scroller->wheelZooms();
        }
    }
    return false;
}

bool UIWindow::dropFiles(const std::vector<std::string>& paths) {
    return fileDropHandler_ && !paths.empty() && fileDropHandler_(paths);
}

void UIWindow::setTouchDispatcher(TouchDispatcher dispatcher) {
    touchDispatcher() = std::move(dispatcher);
}

void UIWindow::setKeyHandler(KeyHandler handler) {
    keyHandler() = std::move(handler);
}

void UIWindow::deliverTouchesToViews(const UITouchSet& changed, const UIEvent& event) {
    const UITouchPhase phases[] = {UITouchPhase::Began, UITouchPhase::Moved, UITouchPhase::Ended,
                                   UITouchPhase::Cancelled};
    for (const UITouchPhase phase : phases) {
        // Per view, in the order the views first appear among the touches.
        std::vector<std::pair<UIViewPtr, UITouchSet>> groups;
        for (const UITouchPtr& touch : changed) {
            const UIViewPtr view = touch->view();
            if (touch->phase() != phase || !view) {
                continue;
            }
            auto group = std::find_if(groups.begin(), groups.end(),
                                      [&](const auto& entry) { return entry.first == view; });
            if (group == groups.end()) {
                groups.push_back({view, {}});
                group = std::prev(groups.end());
            }
            group->second.push_back(touch);
        }
        for (const auto& [view, touches] : groups) {
            switch (phase) {
                case UITouchPhase::Began:
                    view->touchesBegan(touches, event);
                    break;
                case UITouchPhase::Moved:
                    view->touchesMoved(touches, event);
                    break;
                case UITouchPhase::Ended:
                    view->touchesEnded(touches, event);
                    break;
                default:
                    view->touchesCancelled(touches, event);
                    break;
            }
        }
    }
}

UIImagePtr UIWindow::snapshot() {
    if (native_ && native_->isExposed()) {
        const QImage shown = native_->grabContents();
        if (!shown.isNull()) {
            return imageFromQt(shown, native_->devicePixelRatio());
        }
    }
    return UIViewRenderer::renderToImage(*this, UIScreen::scale());
}

void UIWindow::displayIfNeeded() {
    if (native_) {
        native_->paintIfNeeded();
    }
}

void UIWindow::treeNeedsRedraw() {
    if (native_) {
        native_->scheduleRepaint();
    }
}
