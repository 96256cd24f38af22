#include "platform/ui/picker/UIImagePickerController.h"

#include <atomic>

namespace {

std::atomic<bool> libraryAvailable{true};
std::atomic<bool> cameraAvailable{false};

}  // namespace

UIImagePickerController::UIImagePickerController()
    : UINavigationController(std::make_shared<PhotoLibraryViewController>()) {
    library_ = std::static_pointer_cast<PhotoLibraryViewController>(viewControllers().front());
    // The picker owns the screen; the destructor takes the handlers back in case
    // someone else keeps the screen alive.
    library_->setPickHandler([this](const UIImagePtr& picture) { didPick(picture); });
    library_->setCancelHandler([this] { didCancel(); });
}

UIImagePickerController::~UIImagePickerController() {
    library_->setPickHandler({});
    library_->setCancelHandler({});
}

bool UIImagePickerController::isSourceTypeAvailable(UIImagePickerControllerSourceType sourceType) {
    return sourceType == UIImagePickerControllerSourceType::Camera ? cameraAvailable.load()
                                                                   : libraryAvailable.load();
}

void UIImagePickerController::setSourceTypeAvailable(UIImagePickerControllerSourceType sourceType,
                                                     bool available) {
    (sourceType == UIImagePickerControllerSourceType::Camera ? cameraAvailable : libraryAvailable)
        .store(available);
}

bool UIImagePickerController::handleKeyCommand(const UIKeyPress& key) {
    if (key.key != UIKeyPress::Key::Escape || topViewController() != library_) {
        return false;
    }
    didCancel();
    return true;
}

void UIImagePickerController::didPick(const UIImagePtr& picture) {
    const ValueDictionary info{{UIImagePickerControllerOriginalImage, Value(picture)}};
    const auto keepAlive = shared_from_this();
    const auto delegate = delegate_.lock();
    if (!delegate || !delegate->imagePickerControllerDidFinishPickingMediaWithInfo(*this, info)) {
        dismissViewControllerAnimated(true);
    }
}

void UIImagePickerController::didCancel() {
    const auto keepAlive = shared_from_this();
    const auto delegate = delegate_.lock();
    if (!delegate || !delegate->imagePickerControllerDidCancel(*this)) {
        dismissViewControllerAnimated(true);
    }
}
