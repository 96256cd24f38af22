#include "core/ZOZuzazOzarozUndo.h"

#include "core/ZOZuzazOzarozTheme.h"
#include "core/_ZOZuzazOzarozViewController.h"

ZOZuzazOzarozUndo::ZOZuzazOzarozUndo(_ZOZuzazOzarozViewController& editor, std::size_t budget)
    : editor_(editor), history_(editor.originalImage(), budget) {
    addButtons(editor.navigationItem());
    if (const auto bar = editor.navigationBar(); bar && !bar->items().empty()) {
        addButtons(bar->items().front());
    }
    updateButtons();
}

void ZOZuzazOzarozUndo::addButtons(const UINavigationItemPtr& item) {
    const auto button = [this](const char* name, void (ZOZuzazOzarozUndo::*action)()) {
        return std::make_shared<UIBarButtonItem>(
            ZOZuzazOzarozTheme::imageNamedImage("_ZOZuzazOzarozViewController", name),
            UIBarButtonItemStyle::Plain, [this, action](UIBarButtonItem&) { (this->*action)(); });
    };
    undoButtons_.push_back(button("undo.png", &ZOZuzazOzarozUndo::undo));
    redoButtons_.push_back(button("redo.png", &ZOZuzazOzarozUndo::redo));
    item->setRightBarButtonItems(
        {item->rightBarButtonItem(), redoButtons_.back(), undoButtons_.back()});
}

void ZOZuzazOzarozUndo::stepApplied(const UIImagePtr& picture) {
    // A tool that handed back the very picture it started from changed nothing.
    if (picture == history_.current()) {
        return;
    }
    history_.add(picture);
    updateButtons();
}

void ZOZuzazOzarozUndo::undo() {
    if (!editor_.currentTool()) {
        show(history_.undo());
    }
}

void ZOZuzazOzarozUndo::redo() {
    if (!editor_.currentTool()) {
        show(history_.redo());
    }
}

void ZOZuzazOzarozUndo::show(const UIImagePtr& picture) {
    if (picture) {
        editor_.setOriginalImage(picture);
        editor_.imageView()->setImage(picture);
        editor_.resetImageViewFrame();
    }
    updateButtons();
}

void ZOZuzazOzarozUndo::updateButtons() {
    for (const UIBarButtonItemPtr& button : undoButtons_) {
        button->setEnabled(history_.canUndo());
    }
    for (const UIBarButtonItemPtr& button : redoButtons_) {
        button->setEnabled(history_.canRedo());
    }
}
