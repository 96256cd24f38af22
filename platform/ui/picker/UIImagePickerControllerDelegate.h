#pragma once

#include "platform/foundation/Value.h"

class UIImagePickerController;

// The key of the picked picture in the info dictionary.
inline constexpr const char* UIImagePickerControllerOriginalImage =
    "UIImagePickerControllerOriginalImage";

// What a picture picker tells its delegate. Both operations are optional: the
// defaults answer false ("not handled"), and the picker then dismisses itself.
class UIImagePickerControllerDelegate {
public:
    virtual ~UIImagePickerControllerDelegate() = default;

    // A picture was picked: info holds it under UIImagePickerControllerOriginalImage.
    // Answer true to take charge of the picker (dismiss it, or push a screen onto it).
    virtual bool imagePickerControllerDidFinishPickingMediaWithInfo(
        UIImagePickerController& /*picker*/, const ValueDictionary& /*info*/) {
        return false;
    }
    // The user cancelled. Answer true to take charge of dismissing the picker.
    virtual bool imagePickerControllerDidCancel(UIImagePickerController& /*picker*/) {
        return false;
    }
};
