#pragma once

#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <filesystem>
#include <string>

#include "app/shell/AppDelegate.h"
#include "app/shell/BeginViewController.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/foundation/NSBundle.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/picker/PhotoLibrary.h"
#include "platform/ui/picker/UIImagePickerController.h"
#include "platform/ui/screens/UIAlertView.h"
#include "platform/ui/screens/UIDevice.h"
#include "platform/ui/screens/UINavigationController.h"
#include "platform/ui/window/NativeWindow.h"

// The application launched on its window, with the repository's resources as its own
// and an empty photo library of its own (so the bundled samples show).
class AppFixture : public ::testing::Test {
protected:
    void SetUp() override {
        NSBundle::setMainBundlePath(resources_);
        library_ = std::filesystem::temp_directory_path() /
                   ("photoeditor-library-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(library_);
        PhotoLibrary::setLibraryPath(library_.string());
        PhotoLibrary::setFallbackPath(std::string(PHOTOEDITOR_SOURCE_RESOURCES) + "/library");
        AnimationClock::shared().setManualStepping(true);
        app_.applicationDidFinishLaunchingWithOptions();
        settle();
    }

    void TearDown() override {
        settle();
        for (const auto& alert : UIAlertView::visibleAlerts()) {
            alert->dismissWithClickedButtonIndex(0, false);
        }
        AnimationClock::shared().setManualStepping(false);
        UIDevice::currentDevice().setUserInterfaceIdiom(UIUserInterfaceIdiom::Phone);
        UIImagePickerController::setSourceTypeAvailable(
            UIImagePickerControllerSourceType::PhotoLibrary, true);
        UIImagePickerController::setSourceTypeAvailable(UIImagePickerControllerSourceType::Camera,
                                                        false);
        std::filesystem::remove_all(library_);
    }

    static void settle() {
        for (int round = 0; round < 4; ++round) {
            drainMainQueueAndWaitForPool();
            AnimationClock::shared().runToEnd();
        }
        drainMainQueueAndWaitForPool();
    }

    // A key typed on the application's desktop window, and its effects settled.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(app_.window()->nativeWindow(), key, modifiers);
        settle();
    }
    static std::string alertTitle() {
        const auto alert = UIAlertView::visibleAlert();
        return alert ? alert->title() : std::string();
    }

    std::shared_ptr<BeginViewController> begin() const { return app_.beginViewController(); }
    std::shared_ptr<UINavigationController> stack() const {
        return std::dynamic_pointer_cast<UINavigationController>(
            app_.window()->rootViewController());
    }

    AppDelegate app_;
    std::filesystem::path library_;
    // The application's resources: the repository's, or the built ones, which hold the
    // resource bundle with its string tables as well.
    std::string resources_ = PHOTOEDITOR_SOURCE_RESOURCES;
};
