#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/controls/UIScrollView.h"
#include "platform/ui/picker/PictureFile.h"
#include "platform/ui/screens/UIViewController.h"
#include "platform/ui/view/UIImageView.h"
#include "platform/ui/view/UILabel.h"

// The photo library's screen: "Photos" with "Cancel" in the bar, and a grid of square
// thumbnails of the library's pictures, newest first. Thumbnails are made on the
// global queue and put in place on the main thread, so a folder of big photos never
// holds up the screen; files that turn out not to be pictures drop out of the grid.
// A tap on a thumbnail decodes the full picture, again off the main thread, and hands
// it to the pick handler. The screen says when the library folder is empty and the
// samples are shown instead, how many files it skipped (under the grid), and when
// there is no picture at all.
class PhotoLibraryViewController : public UIViewController {
public:
    using PickHandler = std::function<void(const UIImagePtr& picture)>;

    static constexpr double kSpacing = 2;
    // Thumbnails are about this wide, and at least four share a row.
    static constexpr double kPreferredSide = 100;
    static constexpr int kMinimumColumns = 4;

    PhotoLibraryViewController();
    ~PhotoLibraryViewController() override;

    void setPickHandler(PickHandler handler) { pickHandler_ = std::move(handler); }
    void setCancelHandler(std::function<void()> handler) { cancelHandler_ = std::move(handler); }

    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    // The thumbnails in the grid, in order, and the pictures they show.
    std::vector<UIImageViewPtr> thumbnailViews() const;
    std::vector<std::string> thumbnailPaths() const;
    const std::shared_ptr<UIScrollView>& gridView() const { return grid_; }
    // The line above the grid naming the empty library folder, the line under it
    // counting the files that couldn't be opened, and the text of an empty grid; each
    // hidden when it has nothing to say.
    const UILabelPtr& headerLabel() const { return header_; }
    const UILabelPtr& footerLabel() const { return footer_; }
    const UILabelPtr& emptyLabel() const { return empty_; }
    // True while a tapped picture is being decoded; taps meanwhile are ignored.
    bool isPicking() const { return picking_; }

private:
    struct Cell {
        std::string path;
        UIImageViewPtr view;
        bool loaded = false;
    };

    int columns() const;
    void layoutGrid();
    void updateNotes();
    void placeCellsAndNotes();
    void loadThumbnails();
    void thumbnailArrived(const std::string& path, const UIImagePtr& thumbnail);
    void gridTapped(CGPoint location);
    void pick(const std::string& path);
    void pickDecoded(const PictureFile::Opened& opened);

    std::shared_ptr<UIScrollView> grid_;
    std::vector<Cell> cells_;
    UILabelPtr header_;
    UILabelPtr footer_;
    UILabelPtr empty_;
    int skipped_ = 0;
    int pending_ = 0;
    std::string emptyFolder_;
    PickHandler pickHandler_;
    std::function<void()> cancelHandler_;
    bool picking_ = false;
    double topInset_ = 0;
    // Tells queued thumbnail jobs that nobody wants their result any more.
    std::shared_ptr<std::atomic<bool>> abandoned_ = std::make_shared<std::atomic<bool>>(false);
};
