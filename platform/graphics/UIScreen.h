#pragma once

// The screen's settings that drawing depends on. The scale (pixels per point) is a
// plain setting: 1 offscreen by default; the application sets the real screen's,
// tests set what they need. Image contexts opened with scale 0 use it.
class UIScreen {
public:
    static double scale();
    // Ignores values that are not positive.
    static void setScale(double scale);
};
