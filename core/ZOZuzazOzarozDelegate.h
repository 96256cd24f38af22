#pragma once

#include "platform/graphics/UIImage.h"

class ZOZuzazOzaroz;

// What the host hears from the editor. Both operations are optional: the defaults
// answer false ("not handled"), and the editor then dismisses itself.
class ZOZuzazOzarozDelegate {
public:
    virtual ~ZOZuzazOzarozDelegate() = default;

    // The user finished with image, the working picture. Answer true to take charge of
    // dismissing the editor.
    virtual bool imageEditorDidFinishEdittingWithImage(ZOZuzazOzaroz& /*editor*/,
                                                       const UIImagePtr& /*image*/) {
        return false;
    }
    // The user cancelled the edit. Answer true to take charge of dismissing the editor.
    virtual bool imageEditorDidCancel(ZOZuzazOzaroz& /*editor*/) { return false; }
};
