#pragma once

#include <memory>

#include "platform/graphics/UIImage.h"
#include "platform/ui/controls/UIScrollView.h"
#include "platform/ui/view/UIImageView.h"
#include "platform/ui/view/UIView.h"

class CLBusySign;
class CLImageToolBase;

// What a tool may use of the editor it runs in. Main thread only.
class CLEditorServices {
public:
    virtual ~CLEditorServices() = default;

    // The editor's root view: tools add their strips and panels to it.
    virtual const UIViewPtr& view() = 0;
    // Shows the working picture or a tool's preview of it.
    virtual const UIImageViewPtr& imageView() const = 0;
    // The working picture: the picture after the last applied tool.
    virtual const UIImagePtr& originalImage() const = 0;
    // The zoomable viewport around imageView.
    virtual UIScrollViewPtr scrollView() const = 0;
    // The editor's tool strip; a tool's own strip takes its frame and colour.
    virtual UIScrollViewPtr menuView() const = 0;

    // Fits imageView to the viewport at the current zoom scale, centred.
    virtual void resetImageViewFrame() = 0;
    // Locks the zoom at 95 % of the minimum scale (tools that draw over the picture).
    virtual void fixZoomScaleWithAnimated(bool animated) = 0;
    // Allows zooming again and returns to scale 1.
    virtual void resetZoomScaleWithAnimated(bool animated) = 0;

    // The busy sign over host (the picture's area when null), shown from when the work
    // has run a moment until the returned sign is released.
    virtual std::shared_ptr<CLBusySign> showBusySign(const UIViewPtr& host) = 0;
    // False once the tool was applied, left or replaced.
    virtual bool isCurrentTool(const CLImageToolBase& tool) const = 0;
};
