#pragma once

#include "core/CLImageToolInfo.h"
#include "platform/foundation/AnyObject.h"
#include "platform/ui/view/UIView.h"

// Two values any view can carry: the descriptor of the tool a menu item starts, and
// any object a tool wants to keep with one of its item views. Both are held strongly;
// a value never set reads as null.
class UIViewCLImageToolInfo {
public:
    static constexpr const char* kToolInfoKey = "UIView+CLImageToolInfo_toolInfo";
    static constexpr const char* kUserInfoKey = "UIView+CLImageToolInfo_userInfo";

    static CLImageToolInfoPtr toolInfo(const UIView& view);
    static void setToolInfo(UIView& view, CLImageToolInfoPtr toolInfo);
    static AnyObject userInfo(const UIView& view);
    static void setUserInfo(UIView& view, AnyObject userInfo);
};
