#pragma once

#include <memory>
#include <vector>

#include "core/CLEditHistory.h"
#include "platform/ui/controls/UIBarButtonItem.h"
#include "platform/ui/controls/UINavigationItem.h"

class _ZOZuzazOzarozViewController;

// Undo and redo for an editor that turns them on: the history of its working pictures
// and the two arrow buttons beside "Done" in menu mode, enabled while there is
// something to undo or redo. Main thread only.
class ZOZuzazOzarozUndo {
public:
    // Starts the history at the editor's working picture and adds the buttons to its
    // menu-mode bar items.
    ZOZuzazOzarozUndo(_ZOZuzazOzarozViewController& editor, std::size_t budget);

    // A tool's result became the working picture.
    void stepApplied(const UIImagePtr& picture);
    // Moves the working picture one step back or forward; nothing in tool mode.
    void undo();
    void redo();

    const CLEditHistory& history() const { return history_; }

private:
    void addButtons(const UINavigationItemPtr& item);
    void show(const UIImagePtr& picture);
    void updateButtons();

    _ZOZuzazOzarozViewController& editor_;
    CLEditHistory history_;
    std::vector<UIBarButtonItemPtr> undoButtons_;
    std::vector<UIBarButtonItemPtr> redoButtons_;
};
