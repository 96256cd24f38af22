#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/shell/BaseViewController.h"
#include "core/CLImageToolInfo.h"
#include "core/CLToolbarMenuItem.h"
#include "platform/ui/controls/UITableView.h"
#include "platform/ui/view/UIButton.h"

// A dark list of the eight sticker categories, each row an icon and a name, with the
// stickers of the sticker folder read as menu items. The application makes one at
// launch and lets it go; nothing shows it.
class HomeViewController : public BaseViewController,
                           public UITableViewDataSource,
                           public UITableViewDelegate {
public:
    static constexpr int kRowCount = 8;
    static constexpr double kRowHeight = 63;
    static constexpr double kFooterHeight = 0.0001;
    static constexpr double kTitleFontSize = 18;
    static constexpr double kBarHeight = 44;
    static constexpr const char* kCellIdentifier = "CellIdentifier";

    // The list's grey, 17/255 in each channel.
    static UIColor backgroundGrey();
    // The resource bundle's "CLStickerTool/stickers"; empty without a bundle.
    static std::string defaultStickerPath();

    std::shared_ptr<UITableView> mainTableView() const { return mainTableView_.lock(); }
    std::shared_ptr<UIButton> closeButton() const { return closeButton_.lock(); }
    const std::vector<std::string>& icons() const { return icons_; }
    const std::vector<std::string>& titles() const { return titles_; }
    const std::vector<CLToolbarMenuItemPtr>& stickers() const { return stickers_; }
    // Its "stickerPath" names the sticker folder.
    const CLImageToolInfoPtr& toolInfo() const { return toolInfo_; }
    void setToolInfo(CLImageToolInfoPtr info) { toolInfo_ = std::move(info); }

    void loadView() override;
    void viewDidLoad() override;
    void close();

    int tableViewNumberOfRowsInSection(UITableView&, int section) override;
    UITableViewCellPtr tableViewCellForRowAtIndexPath(UITableView& tableView,
                                                      const NSIndexPath& indexPath) override;
    std::optional<double> tableViewHeightForRowAtIndexPath(UITableView&,
                                                           const NSIndexPath&) override;
    std::optional<UIViewPtr> tableViewViewForFooterInSection(UITableView&, int) override;
    std::optional<double> tableViewHeightForFooterInSection(UITableView&, int) override;
    // The sticker item of the row's index flashes; a row without one does nothing.
    void tableViewDidSelectRowAtIndexPath(UITableView&, const NSIndexPath& indexPath) override;

protected:
    void setupUI() override;
    void setupData() override;

private:
    std::string stickerFolder() const;

    std::weak_ptr<UITableView> mainTableView_;
    std::weak_ptr<UIButton> closeButton_;
    std::vector<std::string> icons_;
    std::vector<std::string> titles_;
    std::vector<CLToolbarMenuItemPtr> stickers_;
    CLImageToolInfoPtr toolInfo_;
};
