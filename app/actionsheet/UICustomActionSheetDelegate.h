#pragma once

#include <cstddef>

class UICustomActionSheet;

// Hears which button of an action sheet was tapped. The operation is optional: the
// default does nothing.
class UICustomActionSheetDelegate {
public:
    virtual ~UICustomActionSheetDelegate() = default;

    // index: the position in the sheet's buttonTitles of the first title equal to the
    // tapped button's.
    virtual void customActionSheetClickedButtonAtIndex(UICustomActionSheet& /*sheet*/,
                                                       std::size_t /*index*/) {}
};
