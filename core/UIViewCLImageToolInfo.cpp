#include "core/UIViewCLImageToolInfo.h"

#include <utility>

// Each key only ever holds the one type stored under it here, so the casts back are safe.

CLImageToolInfoPtr UIViewCLImageToolInfo::toolInfo(const UIView& view) {
    return std::static_pointer_cast<CLImageToolInfo>(view.associatedValue(kToolInfoKey));
}

void UIViewCLImageToolInfo::setToolInfo(UIView& view, CLImageToolInfoPtr toolInfo) {
    view.setAssociatedValue(kToolInfoKey, std::move(toolInfo));
}

AnyObject UIViewCLImageToolInfo::userInfo(const UIView& view) {
    const auto stored = std::static_pointer_cast<AnyObject>(view.associatedValue(kUserInfoKey));
    return stored ? *stored : AnyObject();
}

void UIViewCLImageToolInfo::setUserInfo(UIView& view, AnyObject userInfo) {
    if (userInfo.isNull()) {
        view.setAssociatedValue(kUserInfoKey, nullptr);
        return;
    }
    view.setAssociatedValue(kUserInfoKey, std::make_shared<AnyObject>(std::move(userInfo)));
}
