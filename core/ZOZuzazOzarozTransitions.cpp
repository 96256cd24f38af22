#include "core/ZOZuzazOzarozTransitions.h"

#include "core/ZOZuzazOzarozViewport.h"
#include "core/_ZOZuzazOzarozViewController.h"
#include "platform/ui/window/UIWindow.h"

namespace {

std::shared_ptr<UIWindow> floatingWindow(_ZOZuzazOzarozViewController& editor) {
    if (auto window = editor.view()->window()) {
        return window;
    }
    return UIWindow::keyWindow();
}

// A new image view on the window with the look of source.
UIImageViewPtr floatingCopy(const UIImageViewPtr& source, const std::shared_ptr<UIWindow>& window) {
    auto floating = std::make_shared<UIImageView>();
    if (window) {
        window->addSubview(floating);
    }
    ZOZuzazOzarozTransitions::copyImageViewInfoToView(source, floating);
    return floating;
}

// Moves view into the window, where it stays at the same place on screen.
void moveToWindow(const UIViewPtr& view, const std::shared_ptr<UIWindow>& window) {
    if (!view || !window) {
        return;
    }
    const auto superview = view->superview();
    const CGRect onScreen =
        superview ? superview->convertRectToView(view->frame(), window.get()) : view->frame();
    window->addSubview(view);
    view->setFrame(onScreen);
}

// Where the picture will sit in the viewport at zoom 1, in the window's coordinates.
CGRect fittedFrameInWindow(_ZOZuzazOzarozViewController& editor, const UIImageViewPtr& floating,
                           const std::shared_ptr<UIWindow>& window) {
    const auto viewport = editor.scrollView();
    const UIImagePtr& picture = editor.imageView()->image();
    const auto fitted =
        picture ? ZOZuzazOzarozViewport::fittedFrame(picture->size(), viewport->frame().size, 1)
                : std::nullopt;
    if (!fitted) {
        return floating->frame();
    }
    const CGRect inRoot = fitted->offsetBy(viewport->frame().minX(), viewport->frame().minY());
    return editor.view()->convertRectToView(inRoot, window.get());
}

}  // namespace

void ZOZuzazOzarozTransitions::copyImageViewInfoToView(const UIImageViewPtr& source,
                                                       const UIImageViewPtr& destination) {
    if (!destination) {
        return;
    }
    const CGAffineTransform transform =
        source ? source->transform() : CGAffineTransform::identity();
    destination->setTransform(CGAffineTransform::identity());
    if (source) {
        source->setTransform(CGAffineTransform::identity());
        const auto from = source->superview();
        const CGRect frame =
            from ? from->convertRectToView(source->frame(), destination->superview().get())
                 : source->frame();
        destination->setFrame(frame);
    }
    destination->setTransform(transform);
    destination->setImage(source ? source->image() : nullptr);
    if (source) {
        destination->setContentMode(source->contentMode());
        destination->setClipsToBounds(source->clipsToBounds());
        source->setTransform(transform);
    }
}

void ZOZuzazOzarozTransitions::expropriateImageView(_ZOZuzazOzarozViewController& editor) {
    const UIImageViewPtr target = editor.targetImageView();
    const UIImageViewPtr imageView = editor.imageView();
    if (!target || !imageView || !editor.scrollView()) {
        return;
    }
    const UIViewPtr& root = editor.view();
    const auto window = floatingWindow(editor);
    const auto floating = floatingCopy(target, window);

    if (editor.bgView_) {
        editor.bgView_->removeFromSuperview();
    }
    editor.bgView_ = std::make_shared<UIView>(root->bounds());
    root->insertSubviewAtIndex(editor.bgView_, 0);
    editor.bgView_->setBackgroundColor(root->backgroundColor());
    root->setBackgroundColor(UIColor::clearColor());

    const auto bar = editor.navigationBar();
    const auto strip = editor.menuView();
    target->setHidden(true);
    imageView->setHidden(true);
    editor.bgView_->setAlpha(0);
    if (bar) {
        bar->setTransform(CGAffineTransform::makeTranslation(0, -bar->bounds().height()));
    }
    if (strip) {
        strip->setTransform(CGAffineTransform::makeTranslation(0, editor.menuHiddenOffset()));
    }

    const CGRect destination = fittedFrameInWindow(editor, floating, window);
    const UIViewPtr background = editor.bgView_;
    UIView::animate(
        kDuration,
        [&] {
            floating->setTransform(CGAffineTransform::identity());
            floating->setFrame(destination);
            background->setAlpha(1);
            if (bar) {
                bar->setTransform(CGAffineTransform::identity());
            }
            if (strip) {
                strip->setTransform(CGAffineTransform::identity());
            }
        },
        [floating, target, imageView](bool) {
            target->setHidden(false);
            imageView->setHidden(false);
            floating->removeFromSuperview();
        });
}

void ZOZuzazOzarozTransitions::restoreImageView(_ZOZuzazOzarozViewController& editor,
                                                bool canceled) {
    const UIImageViewPtr target = editor.targetImageView();
    const UIImageViewPtr imageView = editor.imageView();
    if (!target || !imageView) {
        return;
    }
    // The parent lets the editor go when it is detached; it must live to the end.
    const auto keptEditor = editor.self();
    if (!canceled) {
        target->setImage(imageView->image());
    }
    target->setHidden(true);
    const auto listener = editor.transitionDelegate();
    if (listener) {
        listener->imageEditorWillDismissWithImageViewCanceled(editor, target, canceled);
    }

    const auto window = floatingWindow(editor);
    const auto floating = floatingCopy(imageView, window);
    const auto strip = editor.menuView();
    const auto bar = editor.navigationBar();
    const double stripOffset = editor.menuHiddenOffset();
    moveToWindow(strip, window);
    moveToWindow(bar, window);
    editor.view()->setUserInteractionEnabled(false);
    for (const UIViewPtr& moved : {UIViewPtr(strip), UIViewPtr(bar)}) {
        if (moved) {
            moved->setUserInteractionEnabled(false);
        }
    }
    imageView->setHidden(true);

    const UIViewPtr background = editor.bgView_;
    UIView::animate(
        kDuration,
        [&] {
            if (background) {
                background->setAlpha(0);
            }
            if (strip) {
                strip->setAlpha(0);
                strip->setTransform(CGAffineTransform::makeTranslation(0, stripOffset));
            }
            if (bar) {
                bar->setAlpha(0);
                bar->setTransform(CGAffineTransform::makeTranslation(0, -bar->bounds().height()));
            }
            copyImageViewInfoToView(target, floating);
        },
        [keptEditor, floating, strip, bar, target, imageView, listener, canceled](bool) {
            floating->removeFromSuperview();
            for (const UIViewPtr& moved : {UIViewPtr(strip), UIViewPtr(bar)}) {
                if (moved) {
                    moved->removeFromSuperview();
                }
            }
            keptEditor->willMoveToParentViewController(nullptr);
            keptEditor->view()->removeFromSuperview();
            keptEditor->removeFromParentViewController();
            imageView->setHidden(false);
            target->setHidden(false);
            if (listener) {
                listener->imageEditorDidDismissWithImageViewCanceled(*keptEditor, target, canceled);
            }
        });
}
