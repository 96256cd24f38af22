#pragma once

#include <memory>
#include <optional>

class UIView;

// What the host may supply to the theme. The operation is optional: it returns
// std::nullopt when the delegate does not implement it.
class ZOZuzazOzarozThemeDelegate {
public:
    virtual ~ZOZuzazOzarozThemeDelegate() = default;

    // The view shown while a tool renders, instead of the theme's own spinner.
    virtual std::optional<std::shared_ptr<UIView>> imageEditorThemeActivityIndicatorView() {
        return std::nullopt;
    }
};
