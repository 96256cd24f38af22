#pragma once

class CLToneCurveView;

// Hears when the curve's points change.
class CLToneCurveGridDelegate {
public:
    virtual ~CLToneCurveGridDelegate() = default;
    virtual void toneCurveDidChange(CLToneCurveView& view) = 0;
};
