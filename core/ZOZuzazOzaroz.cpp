#include "core/ZOZuzazOzaroz.h"

#include "core/ZOZuzazOzarozTheme.h"
#include "core/_ZOZuzazOzarozViewController.h"
#include "imaging/operations/UIImageUtility.h"

std::shared_ptr<ZOZuzazOzaroz> ZOZuzazOzaroz::create(const ClassRegistry& registry) {
    return std::make_shared<_ZOZuzazOzarozViewController>(registry);
}

std::shared_ptr<ZOZuzazOzaroz> ZOZuzazOzaroz::createWithImage(const UIImagePtr& image,
                                                              const ClassRegistry& registry) {
    return createWithImageDelegate(image, {}, registry);
}

std::shared_ptr<ZOZuzazOzaroz> ZOZuzazOzaroz::createWithImageDelegate(
    const UIImagePtr& image, std::weak_ptr<ZOZuzazOzarozDelegate> delegate,
    const ClassRegistry& registry) {
    auto editor = std::make_shared<_ZOZuzazOzarozViewController>(registry);
    editor->setOriginalImage(UIImageUtility::deepCopy(image));
    editor->setDelegate(std::move(delegate));
    return editor;
}

std::shared_ptr<ZOZuzazOzaroz> ZOZuzazOzaroz::createWithDelegate(
    std::weak_ptr<ZOZuzazOzarozDelegate> delegate, const ClassRegistry& registry) {
    auto editor = create(registry);
    editor->setDelegate(std::move(delegate));
    return editor;
}

ZOZuzazOzarozTheme& ZOZuzazOzaroz::theme() const {
    return ZOZuzazOzarozTheme::theme();
}
