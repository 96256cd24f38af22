#pragma once

#include <gtest/gtest.h>

#include <QtGui/QGuiApplication>
#include <QtGui/QNativeGestureEvent>
#include <QtGui/QPointingDevice>
#include <QtGui/QWheelEvent>
#include <QtTest/QTest>
#include <cmath>
#include <memory>
#include <string>

#include "core/UIViewCLImageToolInfo.h"
#include "core/_ZOZuzazOzarozViewController.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/window/NativeWindow.h"
#include "platform/ui/window/UIWindow.h"
#include "tests/core/BundleFixture.h"
#include "tools/ToolCatalogue.h"

// The editor with the whole tool catalogue on a real desktop window (offscreen in
// tests), driven by the mouse through Qt's own input path: clicks, drags, and the
// window's wheel gestures (Ctrl+wheel pinches, Shift+wheel turns).
class ToolWindowTest : public AppResourcesTest {
protected:
    void SetUp() override {
        AppResourcesTest::SetUp();
        ToolCatalogue::registerSharedClasses();
        AnimationClock::shared().setManualStepping(true);
    }
    void TearDown() override {
        DispatchQueue::global().release();
        settle();
        window.reset();
        AnimationClock::shared().setManualStepping(false);
        AppResourcesTest::TearDown();
    }

    // One of the repository's sample photos (1024 pixels on the long side).
    static UIImagePtr samplePhoto() {
        return UIImage::imageWithContentsOfFile(std::string(PHOTOEDITOR_SOURCE_RESOURCES) +
                                                "/library/garden.jpg");
    }

    // Opens the editor on picture in a window of that size and waits until it shows.
    void openEditor(const UIImagePtr& picture, CGSize windowSize = UIWindow::kPhoneSize,
                    const ZOZuzazOzarozOptions& options = {}) {
        editor = std::dynamic_pointer_cast<_ZOZuzazOzarozViewController>(
            ZOZuzazOzaroz::createWithImage(picture));
        editor->setOptions(options);
        window = std::make_shared<UIWindow>(CGRect{{0, 0}, windowSize});
        // Key first, so the editor's screen is laid out for this window from the start.
        window->makeKeyWindow();
        window->setRootViewController(editor);
        window->makeKeyAndVisible();
        for (int turn = 0; turn < 100 && !native()->isExposed(); ++turn) {
            runEventLoopOnce();
        }
        settle();
    }

    // Scrolls the editor's strip to the tool's item and clicks it.
    void startTool(const std::string& toolName) { clickStripItem(*editor->menuView(), toolName); }
    // Scrolls a strip to the item of the descriptor named toolName and clicks it.
    void clickStripItem(UIScrollView& strip, const std::string& toolName) {
        for (const UIViewPtr& item : strip.subviews()) {
            const auto info = UIViewCLImageToolInfo::toolInfo(*item);
            if (info && info->toolName() == toolName) {
                strip.scrollRectToVisible(item->frame(), false);
                click(centreOf(*item));
                settle();
                return;
            }
        }
        ADD_FAILURE() << "no strip item for " << toolName;
    }
    void clickOk() { clickBarButton(true); }
    void clickBack() { clickBarButton(false); }

    // Points are the window's.
    void click(CGPoint at) { QTest::mouseClick(native(), Qt::LeftButton, {}, qt(at)); }
    void drag(CGPoint from, CGPoint to, int steps = 8) {
        QTest::mousePress(native(), Qt::LeftButton, {}, qt(from));
        for (int step = 1; step <= steps; ++step) {
            const double t = static_cast<double>(step) / steps;
            QTest::mouseMove(native(),
                             qt({from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t}));
        }
        QTest::mouseRelease(native(), Qt::LeftButton, {}, qt(to));
    }
    // Each notch spreads (positive) or closes (negative) two fingers around at; the
    // fingers lift after the last notch.
    void pinch(CGPoint at, int notches) { wheel(at, notches, Qt::ControlModifier); }
    // Each notch turns two fingers around at.
    void turn(CGPoint at, int notches) { wheel(at, notches, Qt::ShiftModifier); }

    // Drags a box's handle to where it is after turning by angle and scaling by factor
    // about the box's centre.
    void dragHandle(const UIView& box, const UIView& handle, double angle, double factor) {
        const CGPoint from = centreOf(handle);
        const CGPoint c = centreOf(box);
        const double dx = (from.x - c.x) * factor;
        const double dy = (from.y - c.y) * factor;
        drag(from,
             {c.x + dx * std::cos(angle) - dy * std::sin(angle),
              c.y + dx * std::sin(angle) + dy * std::cos(angle)},
             24);
        settle();
    }

    CGPoint centreOf(const UIView& view) const {
        const CGRect inWindow = view.convertRectToView(view.bounds(), window.get());
        return {inWindow.midX(), inWindow.midY()};
    }

    // Lets renders, their deliveries and every animation finish.
    static void settle() {
        for (int round = 0; round < 3; ++round) {
            drainMainQueueAndWaitForPool();
            AnimationClock::shared().runToEnd();
        }
    }

    std::shared_ptr<UIWindow> window;
    std::shared_ptr<_ZOZuzazOzarozViewController> editor;

    NativeWindow* native() const { return window->nativeWindow(); }
    static QPoint qt(CGPoint at) {
        return {static_cast<int>(std::lround(at.x)), static_cast<int>(std::lround(at.y))};
    }
    void wheel(CGPoint at, int notches, Qt::KeyboardModifier modifier) {
        const QPointF cursor(at.x, at.y);
        for (int notch = 0; notch < std::abs(notches); ++notch) {
            QWheelEvent event(cursor, native()->mapToGlobal(cursor), QPoint(),
                              QPoint(0, notches > 0 ? 120 : -120), Qt::NoButton, modifier,
                              Qt::NoScrollPhase, false);
            QGuiApplication::sendEvent(native(), &event);
        }
        // Lifts the two wheel fingers now rather than when the window's timer says so.
        QNativeGestureEvent end(Qt::EndNativeGesture, QPointingDevice::primaryPointingDevice(), 2,
                                cursor, cursor, native()->mapToGlobal(cursor), 0, QPointF(), 0);
        QGuiApplication::sendEvent(native(), &end);
        settle();
    }

private:
    void clickBarButton(bool right) {
        const auto bar = editor->navigationBar();
        const auto item = bar->topItem();
        const auto button =
            bar->buttonForItem(right ? *item->rightBarButtonItem() : *item->leftBarButtonItem());
        click(centreOf(*button));
        settle();
    }
};
