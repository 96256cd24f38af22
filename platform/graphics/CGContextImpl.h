#pragma once

// The inside of a CGContext, for platform sources only: the bitmap, the Qt painter that
// draws into it, and the graphics state.

#include <QtGui/QBrush>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/graphics/CGContext.h"

struct GraphicsState {
    // User space to the platform's device space (pixels, y up).
    CGAffineTransform ctm;
    // In Qt's device space (pixels, y down); none means unclipped.
    std::optional<QPainterPath> clipPath;
    // Coverage in Qt's device space, 255 where drawing shows; shared between saved states.
    std::shared_ptr<const QImage> clipMask;
    // Where clipMask lets anything through.
    QRect clipMaskBounds;
    UIColor fillColor = UIColor::blackColor();
    UIColor strokeColor = UIColor::blackColor();
    double lineWidth = 1.0;
    CGLineCap lineCap = CGLineCap::Butt;
    CGLineJoin lineJoin = CGLineJoin::Miter;
    CGBlendMode blendMode = CGBlendMode::Normal;
    double alpha = 1.0;
    CGInterpolationQuality interpolation = CGInterpolationQuality::Default;
    CGTextDrawingMode textDrawingMode = CGTextDrawingMode::Fill;
};

struct CGContext::Impl {
    // Draws into bitmap, whose user space starts as baseCTM maps it.
    Impl(std::shared_ptr<CGImage> bitmap, const CGAffineTransform& baseCTM);
    ~Impl();

    // Runs operation with a painter set up for the current state: world transform from
    // user space, clip, blend mode, alpha and quality. Its second argument maps Qt's
    // device space to the painter's (a shift while painting a masked region). Applies the mask
    // clip, copies a bitmap shared by makeImage first, and draws nothing when alpha is 0.
    void paint(const std::function<void(QPainter&, const QTransform&)>& operation);
    // The colour's brush for a painter whose world transform is worldTransform: plain,
    // black where the Clear blend mode paints an opaque bitmap, or a pattern whose
    // tiles stay put in the context's base space whatever the CTM.
    QBrush brush(const UIColor& color, const QTransform& worldTransform) const;
    // A pen of the current line style in the colour.
    QPen pen(const UIColor& color, const QTransform& worldTransform) const;

    // User space to Qt's device space.
    QTransform userToDevice() const;
    // The platform's device space (y up) to Qt's (y down).
    QTransform flip() const;
    CGImageRef makeImage();
    // Narrows the clip to a path in Qt's device space.
    void intersectClip(const QPainterPath& devicePath);

    std::shared_ptr<CGImage> bitmap;
    CGAffineTransform baseCTM;
    GraphicsState state;
    std::vector<GraphicsState> savedStates;
    // The path under construction, in the platform's device space.
    CGPath path;

    // A bitmap for a new context: zeroed, or opaque black for the opaque formats.
    static std::shared_ptr<CGImage> newBitmap(int width, int height, CGPixelFormat format);

private:
    // False when the copy could not be made; nothing may then be drawn.
    bool detachSharedBitmap();
    QPainter& activePainter();
    void configure(QPainter& painter, QPoint origin);
    void paintThroughMask(const std::function<void(QPainter&, const QTransform&)>& operation);
    bool paintsOpaqueBitmap() const;

    QImage target_;
    std::unique_ptr<QPainter> painter_;
    // Qt's device space to the device of the painter in use (a shift for a masked region).
    QTransform deviceToPainter_;
    bool bitmapShared_ = false;
};
