#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "platform/graphics/UIImage.h"

// The pictures an edit went through, for undo and redo: the opening picture, then one
// step per applied tool. Steps stay in memory up to a byte budget; beyond it the steps
// farthest from the current one go to a temporary file as raw pixels and are read back
// when undo or redo reaches them. The file is unlinked as soon as it is made, so it goes
// with the history, or with the process should it crash. Main thread only.
class CLEditHistory {
public:
    static constexpr std::size_t kDefaultBudget = std::size_t{512} << 20;

    explicit CLEditHistory(UIImagePtr opening, std::size_t budget = kDefaultBudget);
    ~CLEditHistory();
    CLEditHistory(const CLEditHistory&) = delete;
    CLEditHistory& operator=(const CLEditHistory&) = delete;

    // A step after the current one, which it replaces as current; the redo steps go.
    void add(UIImagePtr picture);
    // The current step's picture.
    const UIImagePtr& current() const { return steps_[current_].picture; }
    bool canUndo() const { return current_ > 0; }
    bool canRedo() const { return current_ + 1 < steps_.size(); }
    // The picture of the step before or after the current one, which becomes current;
    // null when there is none or it can't be read back (nothing moves then).
    UIImagePtr undo();
    UIImagePtr redo();

    std::size_t bytesInMemory() const;
    // Bytes written to the temporary file so far.
    std::size_t bytesSpilled() const { return fileEnd_; }

private:
    struct Step {
        UIImagePtr picture;
        // Where the pixels lie in the file once written there.
        std::optional<std::size_t> fileOffset;
        int width = 0;
        int height = 0;
        CGPixelFormat format = CGPixelFormat::ARGB32Premultiplied;
        double scale = 1;
        UIImageOrientation orientation = UIImageOrientation::Up;
    };

    UIImagePtr moveTo(std::size_t index);
    void keepWithinBudget();
    bool spill(Step& step);
    UIImagePtr readBack(const Step& step);

    std::size_t budget_;
    std::vector<Step> steps_;
    std::size_t current_ = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_{nullptr, &std::fclose};
    std::size_t fileEnd_ = 0;
};
