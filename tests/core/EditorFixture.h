#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "core/UIViewCLImageToolInfo.h"
#include "core/ZOZuzazOzaroz.h"
#include "core/_ZOZuzazOzarozViewController.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/screens/UIAlertView.h"
#include "platform/ui/window/UIWindow.h"
#include "tests/core/BundleFixture.h"
#include "tests/core/TestToolClasses.h"
#include "tests/platform/ui/gestures/TouchScript.h"

using EditorPtr = std::shared_ptr<_ZOZuzazOzarozViewController>;

// Lets pending work finish first (a tool's completion may start the editor's
// animations), then every animation and its completion.
inline void settle() {
    drainMainQueueAndWaitForPool();
    AnimationClock::shared().runToEnd();
    drainMainQueueAndWaitForPool();
}

// A key window of 320 x 524 points: the editor's viewport is 320 x 400 between its
// 44-point bar and its 80-point strip. The editors use the tests' editor registry.
class EditorTest : public AppResourcesTest {
protected:
    explicit EditorTest(const CGRect& windowFrame = CGRect{0, 0, 320, 524})
        : window(std::make_shared<UIWindow>(windowFrame)) {}

    void SetUp() override {
        AppResourcesTest::SetUp();
        AnimationClock::shared().setManualStepping(true);
        testtools::toolLog().clear();
        window->makeKeyWindow();
    }
    void TearDown() override {
        for (const auto& alert : UIAlertView::visibleAlerts()) {
            alert->dismissWithClickedButtonIndex(0, false);
        }
        settle();
        AppResourcesTest::TearDown();
    }

    static EditorPtr controllerOf(const ZOZuzazOzarozPtr& editor) {
        return std::dynamic_pointer_cast<_ZOZuzazOzarozViewController>(editor);
    }
    static EditorPtr makeEditor(const UIImagePtr& image,
                                std::weak_ptr<ZOZuzazOzarozDelegate> delegate = {}) {
        return controllerOf(ZOZuzazOzaroz::createWithImageDelegate(image, std::move(delegate),
                                                                   testtools::editorRegistry()));
    }
    // Presented modally over a host screen, as the application shows it.
    EditorPtr presentEditor(const UIImagePtr& image,
                            std::weak_ptr<ZOZuzazOzarozDelegate> delegate = {}) {
        window->setRootViewController(host);
        auto editor = makeEditor(image, std::move(delegate));
        host->presentViewController(editor, false);
        settle();
        return editor;
    }

    // The strip item that starts the tool of that class.
    static UIViewPtr itemFor(const EditorPtr& editor, const std::string& toolName);
    void tap(const UIViewPtr& view) {
        const CGRect inWindow = view->convertRectToView(view->bounds(), window.get());
        const CGPoint at{inWindow.midX(), inWindow.midY()};
        touches.wait(1).down(1, at).up(1, at);
    }
    // Scrolls the strip to the tool's item, as a user would, and taps it.
    void startTool(const EditorPtr& editor, const std::string& toolName) {
        const auto item = itemFor(editor, toolName);
        editor->menuView()->scrollRectToVisible(item->frame(), false);
        tap(item);
        settle();
    }
    // The button that shows a bar button item of the editor's own bar.
    static std::shared_ptr<UIButton> barButton(const EditorPtr& editor, bool right) {
        const auto item = editor->navigationBar()->topItem();
        return editor->navigationBar()->buttonForItem(right ? *item->rightBarButtonItem()
                                                            : *item->leftBarButtonItem());
    }

    std::shared_ptr<UIWindow> window;
    std::shared_ptr<UIViewController> host = std::make_shared<UIViewController>();
    TouchScript touches{window};
};

inline UIViewPtr EditorTest::itemFor(const EditorPtr& editor, const std::string& toolName) {
    for (const UIViewPtr& item : editor->menuView()->subviews()) {
        const auto info = UIViewCLImageToolInfo::toolInfo(*item);
        if (info && info->toolName() == toolName) {
            return item;
        }
    }
    ADD_FAILURE() << "no item for " << toolName;
    return nullptr;
}
