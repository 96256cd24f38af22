#pragma once

#include <memory>

#include "core/CLImageToolInfo.h"
#include "core/ZOZuzazOzarozDelegate.h"
#include "core/ZOZuzazOzarozOptions.h"
#include "platform/foundation/ClassRegistry.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/screens/UIViewController.h"
#include "platform/ui/view/UIImageView.h"

class ZOZuzazOzarozTheme;

// The editor as a host sees it: a screen that edits one picture and hands the result
// to its delegate. Every creation form makes the editor controller
// (_ZOZuzazOzarozViewController), whose tool tree is built at once from the tool
// classes of registry; the registry must outlive the editor.
class ZOZuzazOzaroz : public UIViewController {
public:
    static std::shared_ptr<ZOZuzazOzaroz> create(
        const ClassRegistry& registry = ClassRegistry::shared());
    // Edits a deep copy of image.
    static std::shared_ptr<ZOZuzazOzaroz> createWithImage(
        const UIImagePtr& image, const ClassRegistry& registry = ClassRegistry::shared());
    static std::shared_ptr<ZOZuzazOzaroz> createWithImageDelegate(
        const UIImagePtr& image, std::weak_ptr<ZOZuzazOzarozDelegate> delegate,
        const ClassRegistry& registry = ClassRegistry::shared());
    // The picture comes later, from showInViewControllerWithImageView.
    static std::shared_ptr<ZOZuzazOzaroz> createWithDelegate(
        std::weak_ptr<ZOZuzazOzarozDelegate> delegate,
        const ClassRegistry& registry = ClassRegistry::shared());

    std::shared_ptr<ZOZuzazOzarozDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<ZOZuzazOzarozDelegate> delegate) {
        delegate_ = std::move(delegate);
    }
    // The root of this editor's tool tree; the host may change its descriptors before
    // the screen loads.
    virtual const CLImageToolInfoPtr& toolInfo() const = 0;
    ZOZuzazOzarozTheme& theme() const;

    const ZOZuzazOzarozOptions& options() const { return options_; }
    // Before the screen loads.
    void setOptions(const ZOZuzazOzarozOptions& options) { options_ = options; }

    // True while closing the editor would lose edits: a tool is open, or applied tools
    // changed the picture.
    virtual bool hasUnsavedWork() const = 0;

    // Shows the editor over the host's screen, taking the picture of imageView, which
    // flies into the editor and back when the edit ends.
    virtual void showInViewControllerWithImageView(const std::shared_ptr<UIViewController>& host,
                                                   const UIImageViewPtr& imageView) = 0;

protected:
    ZOZuzazOzaroz() = default;

private:
    std::weak_ptr<ZOZuzazOzarozDelegate> delegate_;
    ZOZuzazOzarozOptions options_;
};

using ZOZuzazOzarozPtr = std::shared_ptr<ZOZuzazOzaroz>;
