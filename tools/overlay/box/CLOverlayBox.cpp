#include "tools/overlay/box/CLOverlayBox.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/gestures/UITapGestureRecognizer.h"

void CLOverlayBox::Placement::applyTo(CGContext& context) const {
    context.translateCTM(center.x, center.y);
    context.rotateCTM(rotation);
    context.scaleCTM(scale, scale);
    context.translateCTM(-contentSize.width / 2, -contentSize.height / 2);
}

CLOverlayBox::CLOverlayBox(UIViewPtr content, const UIImagePtr& deleteImage, CLActiveBoxSlot& slot,
                           double minimumScale)
    : UIView(CGRect{0, 0, kStartSide, kStartSide}),
      content_(std::move(content)),
      deleteButton_(std::make_shared<UIButton>(CGRect{0, 0, kButtonSide, kButtonSide})),
      circleView_(std::make_shared<CLCircleView>(CGRect{0, 0, kButtonSide, kButtonSide})),
      slot_(&slot),
      minimumScale_(minimumScale) {
    content_->setUserInteractionEnabled(true);
    content_->layer().setBorderColor(UIColor::blackColor());
    addSubview(content_);

    deleteButton_->setImage(deleteImage, UIControlStateNormal);
    addSubview(deleteButton_);

    circleView_->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin |
                                     UIViewAutoresizingFlexibleTopMargin);
    circleView_->setRadius(kHandleRadius);
    circleView_->setColor(UIColor::whiteColor());
    circleView_->setBorderColor(UIColor::blackColor());
    circleView_->setBorderWidth(kHandleBorderWidth);
    addSubview(circleView_);
}

std::shared_ptr<CLOverlayBox> CLOverlayBox::self() {
    return std::static_pointer_cast<CLOverlayBox>(shared_from_this());
}

void CLOverlayBox::initGestures() {
    const std::weak_ptr<CLOverlayBox> weak = self();
    auto tap = std::make_shared<UITapGestureRecognizer>();
    tap->addTarget([weak](UIGestureRecognizer&) {
        if (const auto box = weak.lock()) {
            box->viewDidTap();
        }
    });
    auto pan = std::make_shared<UIPanGestureRecognizer>();
    pan->addTarget([weak](UIGestureRecognizer& sender) {
        if (const auto box = weak.lock()) {
            box->viewDidPan(static_cast<UIPanGestureRecognizer&>(sender));
        }
    });
    content_->addGestureRecognizer(tap);
    content_->addGestureRecognizer(pan);

    auto handlePan = std::make_shared<UIPanGestureRecognizer>();
    handlePan->addTarget([weak](UIGestureRecognizer& sender) {
        if (const auto box = weak.lock()) {
            box->circleViewDidPan(static_cast<UIPanGestureRecognizer&>(sender));
        }
    });
    circleView_->addGestureRecognizer(handlePan);

    deleteButton_->addTarget(
        [weak](UIControl&) {
            if (const auto box = weak.lock()) {
                box->pushedDeleteBtn();
            }
        },
        UIControlEventTouchUpInside);
}

void CLOverlayBox::layoutAroundContent(CGSize size) {
    content_->setFrame({kMargin, kMargin, size.width, size.height});
    setFrame({0, 0, size.width + 2 * kMargin, size.height + 2 * kMargin});
    deleteButton_->setCenter({kMargin, kMargin});
    circleView_->setCenter({kMargin + size.width, kMargin + size.height});
    setScale(1);
}

void CLOverlayBox::layoutContent(CGSize size, double scale) {
    setTransform(CGAffineTransform::identity());
    content_->setTransform(CGAffineTransform::identity());
    content_->setFrame({kMargin, kMargin, size.width, size.height});
    setScale(scale);
}

void CLOverlayBox::setScale(double scale) {
    scale_ = scale;
    setTransform(CGAffineTransform::identity());
    content_->setTransform(CGAffineTransform::makeScale(scale, scale));
    const CGRect box = frame();
    const CGSize scaled = content_->frame().size;
    const double width = scaled.width + 2 * kMargin;
    const double height = scaled.height + 2 * kMargin;
    setFrame({box.minX() + (box.width() - width) / 2, box.minY() + (box.height() - height) / 2,
              width, height});
    content_->setCenter({width / 2, height / 2});
    setTransform(CGAffineTransform::makeRotation(arg_));
    // Only the active box shows its frame.
    content_->layer().setBorderWidth(active() ? kFrameWidth / scale : 0);
    content_->layer().setCornerRadius(kFrameCornerRadius / scale);
}

void CLOverlayBox::setArg(double arg) {
    arg_ = arg;
    setTransform(CGAffineTransform::makeRotation(arg_));
}

CLOverlayBox::Placement CLOverlayBox::placement() const {
    return {center(), arg_, scale_, content_->bounds().size};
}

void CLOverlayBox::setAvtive(bool active) {
    deleteButton_->setHidden(!active);
    circleView_->setHidden(!active);
    content_->layer().setBorderWidth(active ? kFrameWidth / scale_ : 0);
}

void CLOverlayBox::makeActive() {
    slot_->setActiveBox(self());
}

UIViewPtr CLOverlayBox::hitTest(CGPoint point, const UIEvent* event) {
    UIViewPtr hit = UIView::hitTest(point, event);
    return hit.get() == this ? nullptr : hit;
}

void CLOverlayBox::viewDidPan(UIPanGestureRecognizer& sender) {
    makeActive();
    if (sender.state() == UIGestureRecognizerState::Began) {
        initialPoint_ = center();
    }
    const CGPoint moved = sender.translationInView(superview().get());
    setCenter({initialPoint_.x + moved.x, initialPoint_.y + moved.y});
}

void CLOverlayBox::circleViewDidPan(UIPanGestureRecognizer& sender) {
    const UIViewPtr parent = superview();
    const CGPoint c = center();
    if (sender.state() == UIGestureRecognizerState::Began) {
        initialPoint_ = convertPointToView(circleView_->center(), parent.get());
        startRadius_ = std::hypot(initialPoint_.x - c.x, initialPoint_.y - c.y);
        startAngle_ = std::atan2(initialPoint_.y - c.y, initialPoint_.x - c.x);
        initialArg_ = arg_;
        initialScale_ = scale_;
    }
    if (startRadius_ <= 0) {
        return;
    }
    const CGPoint moved = sender.translationInView(parent.get());
    const CGPoint p{initialPoint_.x + moved.x, initialPoint_.y + moved.y};
    const double radius = std::hypot(p.x - c.x, p.y - c.y);
    arg_ = initialArg_ + std::atan2(p.y - c.y, p.x - c.x) - startAngle_;
    setScale(std::max(radius * initialScale_ / startRadius_, minimumScale_));
}

void CLOverlayBox::viewDidTap() {
    makeActive();
}

void CLOverlayBox::pushedDeleteBtn() {
    const UIViewPtr parent = superview();
    if (!parent) {
        return;
    }
    const std::vector<UIViewPtr> siblings = parent->subviews();
    const auto sameKind = [this](const UIViewPtr& view) {
        const auto box = std::dynamic_pointer_cast<CLOverlayBox>(view);
        return box && box.get() != this && box->slot_ == slot_;
    };
    const auto here = std::find(siblings.begin(), siblings.end(), shared_from_this());
    auto next = std::find_if(here, siblings.end(), sameKind);
    if (next == siblings.end()) {
        const auto below =
            std::find_if(std::make_reverse_iterator(here), siblings.rend(), sameKind);
        next = below == siblings.rend() ? siblings.end() : std::prev(below.base());
    }
    slot_->setActiveBox(next == siblings.end() ? nullptr
                                               : std::static_pointer_cast<CLOverlayBox>(*next));
    removeFromSuperview();
}
