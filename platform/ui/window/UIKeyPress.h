#pragma once

#include <string>

// One piece of keyboard input for the first responder: typed text (from keys or an
// input method), or an editing key; or, for screens that hold a key down (the space
// bar), the release of one.
struct UIKeyPress {
    enum class Key {
        Text,
        Backspace,
        Delete,
        Return,
        Tab,
        Escape,
        LeftArrow,
        RightArrow,
        UpArrow,
        DownArrow,
        Home,
        End,
    };
    enum Modifier : unsigned { None = 0, Shift = 1u << 0, Control = 1u << 1, Alt = 1u << 2 };

    Key key = Key::Text;
    // The typed text (UTF-8) when key is Text.
    std::string text;
    unsigned modifiers = None;
    // The key went up; a key held down repeats its press but is released once.
    bool released = false;
};
