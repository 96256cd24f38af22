#pragma once

#include <optional>

class UINavigationBar;
class UINavigationItem;

// Where a bar sits; a top-attached bar's background runs up to the screen's top.
enum class UIBarPosition { Any, Bottom, Top, TopAttached };

// What a navigation bar asks and tells its delegate. Every operation is optional:
// reports have empty defaults; questions return std::nullopt when the delegate does
// not implement them (the answer is then yes, or UIBarPosition::Any).
class UINavigationBarDelegate {
public:
    virtual ~UINavigationBarDelegate() = default;

    virtual std::optional<bool> navigationBarShouldPushItem(UINavigationBar&, UINavigationItem&) {
        return std::nullopt;
    }
    virtual void navigationBarDidPushItem(UINavigationBar&, UINavigationItem&) {}
    // Asked for the back button and for popNavigationItemAnimated.
    virtual std::optional<bool> navigationBarShouldPopItem(UINavigationBar&, UINavigationItem&) {
        return std::nullopt;
    }
    virtual void navigationBarDidPopItem(UINavigationBar&, UINavigationItem&) {}
    virtual std::optional<UIBarPosition> positionForBar(UINavigationBar&) { return std::nullopt; }
};
