#pragma once

#include "platform/ui/view/UIImageView.h"

class _ZOZuzazOzarozViewController;

// The flights of an editor shown over a host's image view: the picture flies from
// the host's view into the viewport while the editor's bars and backdrop come in
// (opening), and back while they fade away (closing). The flying picture is a
// floating image view on the window, above everything.
class ZOZuzazOzarozTransitions {
public:
    static constexpr double kDuration = 0.3;

    static void expropriateImageView(_ZOZuzazOzarozViewController& editor);
    // Ends with the editor detached from the host; the transition delegate hears of it
    // before and after.
    static void restoreImageView(_ZOZuzazOzarozViewController& editor, bool canceled);

    // Gives destination the picture, content mode, clipping, transform and on-screen
    // place of source, in destination's superview's coordinates. Without a source the
    // destination loses its picture and transform.
    static void copyImageViewInfoToView(const UIImageViewPtr& source,
                                        const UIImageViewPtr& destination);
};
