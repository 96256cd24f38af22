#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/Value.h"
#include "platform/ui/screens/UIViewController.h"
#include "platform/ui/sharing/SaveAsPanel.h"
#include "platform/ui/sharing/ShareActivities.h"
#include "platform/ui/sharing/UIActivityTypes.h"
#include "platform/ui/view/UIActivityIndicatorView.h"
#include "platform/ui/view/UIButton.h"

// Told once when the sheet closes: the activity's type and whether it completed
// (an empty type when the user cancelled), and why it failed, if it did.
using UIActivityViewControllerCompletionHandler =
    std::function<void(const std::string& activityType, bool completed, const std::string& error)>;

// The share sheet for a picture: one button per activity this machine offers (less
// the excluded types; printing never), and "Cancel". Presented modally it slides up
// from the bottom over a dimmed screen; inside a popover it fills the popover. While an
// activity runs the sheet shows the busy sign; a finished one says how it went for a
// moment ("Copied"), a failed one shows an alert with the reason. The sheet closes
// itself when an activity has run or the user cancels (Escape too); a failed "Save
// As…" keeps its step open with the path typed, and a name already taken asks before
// replacing the file.
class UIActivityViewController : public UIViewController {
public:
    static constexpr double kRowHeight = 52;
    static constexpr double kMargin = 8;
    static constexpr double kWidth = 320;

    // The first picture among the items is shared. Application activities are not
    // supported: the sheet offers only its own.
    UIActivityViewController(ValueArray activityItems, ValueArray applicationActivities = {});
    ~UIActivityViewController() override;

    const ValueArray& activityItems() const { return items_; }
    const std::vector<std::string>& excludedActivityTypes() const { return excluded_; }
    void setExcludedActivityTypes(std::vector<std::string> types);
    void setCompletionHandler(UIActivityViewControllerCompletionHandler handler) {
        completion_ = std::move(handler);
    }

    // The types shown, in order.
    std::vector<std::string> activityTypes() const;
    // The button of an activity, or null when it is not shown.
    UIButtonPtr buttonForActivityType(const std::string& type);
    UIButtonPtr cancelButton();
    // The "Save As…" step while it is shown, else null.
    const std::shared_ptr<SaveAsPanel>& saveAsPanel() const { return saveAs_; }
    // True from a tap on an activity until it has finished.
    bool isPerforming() const { return performing_; }
    const std::shared_ptr<UIActivityIndicatorView>& busySign() const { return busy_; }

    // Escape leaves the "Save As…" step, else cancels.
    bool handleKeyCommand(const UIKeyPress& key) override;

    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewDidDisappear(bool animated) override;

private:
    class SheetView;

    SheetView& sheet();
    void rebuildButtons();
    void activityTapped(const std::string& type);
    void showSaveAs();
    void closeSaveAs();
    void saveAs(const std::string& path);
    void run(const std::string& type, const ShareActivities::FileTarget& target);
    void activityFinished(const std::string& type, const ShareActivities::Outcome& outcome);
    void finish(const std::string& type, bool completed, const std::string& error);
    void close();

    ValueArray items_;
    std::vector<std::string> excluded_;
    UIActivityViewControllerCompletionHandler completion_;
    std::vector<ShareActivities::Activity> shown_;
    std::vector<UIButtonPtr> buttons_;
    std::shared_ptr<SaveAsPanel> saveAs_;
    std::shared_ptr<UIActivityIndicatorView> busy_;
    bool performing_ = false;
    bool finished_ = false;
};

using UIActivityViewControllerPtr = std::shared_ptr<UIActivityViewController>;
