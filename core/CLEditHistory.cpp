#include "core/CLEditHistory.h"

#include <sys/types.h>

#include "platform/graphics/CGImage.h"

namespace {

std::size_t rowBytes(const CGImage& bitmap) {
    return static_cast<std::size_t>(bitmap.width()) *
           static_cast<std::size_t>(bytesPerPixel(bitmap.format()));
}

std::size_t distance(std::size_t a, std::size_t b) {
    return a > b ? a - b : b - a;
}

}  // namespace

CLEditHistory::CLEditHistory(UIImagePtr opening, std::size_t budget) : budget_(budget) {
    add(std::move(opening));
}

CLEditHistory::~CLEditHistory() = default;

void CLEditHistory::add(UIImagePtr picture) {
    if (!picture) {
        return;
    }
    if (!steps_.empty()) {
        steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(current_) + 1, steps_.end());
    }
    const CGImage& bitmap = *picture->CGImage();
    steps_.push_back({picture, std::nullopt, bitmap.width(), bitmap.height(), bitmap.format(),
                      picture->scale(), picture->imageOrientation()});
    current_ = steps_.size() - 1;
    keepWithinBudget();
}

UIImagePtr CLEditHistory::undo() {
    return canUndo() ? moveTo(current_ - 1) : nullptr;
}

UIImagePtr CLEditHistory::redo() {
    return canRedo() ? moveTo(current_ + 1) : nullptr;
}

UIImagePtr CLEditHistory::moveTo(std::size_t index) {
    Step& step = steps_[index];
    if (!step.picture) {
        step.picture = readBack(step);
        if (!step.picture) {
            return nullptr;
        }
    }
    current_ = index;
    keepWithinBudget();
    return step.picture;
}

std::size_t CLEditHistory::bytesInMemory() const {
    std::size_t total = 0;
    for (const Step& step : steps_) {
        total += step.picture ? step.picture->CGImage()->byteCount() : 0;
    }
    return total;
}

void CLEditHistory::keepWithinBudget() {
    while (bytesInMemory() > budget_) {
        // The step farthest from the current one is the least likely to be wanted soon.
        Step* farthest = nullptr;
        std::size_t farthestDistance = 0;
        for (std::size_t i = 0; i < steps_.size(); ++i) {
            if (i != current_ && steps_[i].picture && distance(i, current_) > farthestDistance) {
                farthest = &steps_[i];
                farthestDistance = distance(i, current_);
            }
        }
        if (!farthest || !spill(*farthest)) {
            return;
        }
        farthest->picture.reset();
    }
}

bool CLEditHistory::spill(Step& step) {
    if (step.fileOffset) {
        return true;
    }
    if (!file_) {
        file_.reset(std::tmpfile());
        if (!file_) {
            return false;
        }
    }
    const CGImage& bitmap = *step.picture->CGImage();
    if (fseeko(file_.get(), static_cast<off_t>(fileEnd_), SEEK_SET) != 0) {
        return false;
    }
    for (int y = 0; y < bitmap.height(); ++y) {
        if (std::fwrite(bitmap.row(y), 1, rowBytes(bitmap), file_.get()) != rowBytes(bitmap)) {
            return false;
        }
    }
    if (std::fflush(file_.get()) != 0) {
        return false;
    }
    step.fileOffset = fileEnd_;
    fileEnd_ += rowBytes(bitmap) * static_cast<std::size_t>(bitmap.height());
    return true;
}

UIImagePtr CLEditHistory::readBack(const Step& step) {
    auto bitmap =
        CGImage::create(step.width, step.height, step.format, CGImage::Contents::Uninitialized);
    if (!bitmap || !file_ || !step.fileOffset ||
        fseeko(file_.get(), static_cast<off_t>(*step.fileOffset), SEEK_SET) != 0) {
        return nullptr;
    }
    for (int y = 0; y < step.height; ++y) {
        if (std::fread(bitmap->mutableRow(y), 1, rowBytes(*bitmap), file_.get()) !=
            rowBytes(*bitmap)) {
            return nullptr;
        }
    }
    return UIImage::imageWithCGImage(std::move(bitmap), step.scale, step.orientation);
}
