#pragma once

// Notices whether the JPEG codec warned while decoding on this thread. The codec
// reports damage it works around, such as entropy data that stops before the picture
// is complete, only as a warning of Qt's JPEG logging category: a Watch on the
// stack enables that category, keeps its messages for itself while it watches, and
// passes every other message on to the handler installed before it.
class JpegWarnings {
public:
    class Watch {
    public:
        Watch();
        ~Watch();
        Watch(const Watch&) = delete;
        Watch& operator=(const Watch&) = delete;

        bool warned() const;
    };
};
