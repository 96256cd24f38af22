#pragma once

class CLEffectBase;

// Hears when the user has changed an effect's controls (the effect tool, which renders
// the preview again).
class CLEffectDelegate {
public:
    virtual ~CLEffectDelegate() = default;
    virtual void effectParameterDidChange(CLEffectBase& effect) = 0;
};
