#pragma once

#include "platform/geometry/CGSize.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIImage.h"

// Image contexts and the current context, as the platform's UIGraphics functions.
// Each thread has its own stack of current contexts, so worker threads can render
// pictures at the same time as the main thread.

// Pushes a new image context of size points at scale pixels per point (0: the
// screen's scale, UIScreen). Its user space is y-down points; it starts transparent,
// or black when opaque. The bitmap has size × scale pixels, rounded up. For an empty
// or oversized size the pushed entry has no context: GetCurrentContext and
// GetImageFromCurrentImageContext then give null, EndImageContext pops it.
void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, double scale);
// Not opaque, scale 1.
void UIGraphicsBeginImageContext(CGSize size);
// The context on top of this thread's stack, or null.
CGContextRef UIGraphicsGetCurrentContext();
// The image context's picture so far, at its scale, orientation up; null when the top
// of the stack is not an image context.
UIImagePtr UIGraphicsGetImageFromCurrentImageContext();
// Pops the top image context; does nothing when the top is not one.
void UIGraphicsEndImageContext();

// Makes any context current on this thread (a view's drawing, for one), until popped.
void UIGraphicsPushContext(CGContextRef context);
// Pops a context pushed by UIGraphicsPushContext; does nothing for an image context.
void UIGraphicsPopContext();
