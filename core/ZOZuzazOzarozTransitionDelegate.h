#pragma once

#include "core/ZOZuzazOzarozDelegate.h"
#include "platform/ui/view/UIImageView.h"

// A delegate that also hears the closing transition of an editor shown over one of
// the host's image views. Both reports are optional (empty defaults).
class ZOZuzazOzarozTransitionDelegate : public ZOZuzazOzarozDelegate {
public:
    // Before the picture flies back; imageView already shows the result unless
    // canceled.
    virtual void imageEditorWillDismissWithImageViewCanceled(ZOZuzazOzaroz& /*editor*/,
                                                             const UIImageViewPtr& /*imageView*/,
                                                             bool /*canceled*/) {}
    // After the editor has left the host's screen.
    virtual void imageEditorDidDismissWithImageViewCanceled(ZOZuzazOzaroz& /*editor*/,
                                                            const UIImageViewPtr& /*imageView*/,
                                                            bool /*canceled*/) {}
};
