#pragma once

// Which parts of a text a phone shows as colour emoji, for platform sources only.

#include <QtGui/QRawFont>
#include <QtGui/QTextLayout>

// Formats that draw the text's emoji from the colour emoji face: every grapheme cluster
// that asks for emoji presentation (an emoji variation selector, a keycap, a skin tone,
// a flag) or starts with a pictograph the face has. Without them the font system takes
// a monochrome glyph from the text's own face where it has one (DejaVu draws a smiley
// outline). Empty when no colour emoji face is installed.
QList<QTextLayout::FormatRange> colourEmojiFormats(const QString& text);

// Whether glyphs of the font are colour pictures, which have no outlines.
bool isColourEmojiFace(const QRawFont& font);
