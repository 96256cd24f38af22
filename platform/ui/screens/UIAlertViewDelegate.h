#pragma once

class UIAlertView;

// What an alert tells its delegate. Every operation is optional (empty defaults).
class UIAlertViewDelegate {
public:
    virtual ~UIAlertViewDelegate() = default;

    // A button was tapped; the alert goes away after this.
    virtual void alertViewClickedButtonAtIndex(UIAlertView&, int /*buttonIndex*/) {}
    virtual void alertViewDidDismissWithButtonIndex(UIAlertView&, int /*buttonIndex*/) {}
};
