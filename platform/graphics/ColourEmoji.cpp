#include "platform/graphics/ColourEmoji.h"

#include <QtCore/QTextBoundaryFinder>

namespace {

const QString kFamily = QStringLiteral("Noto Color Emoji");

constexpr char32_t kTextPresentation = 0xFE0E;
constexpr char32_t kEmojiPresentation = 0xFE0F;
constexpr char32_t kKeycap = 0x20E3;
// Pictographs from here on present as emoji unless asked otherwise; below, only those
// followed by the emoji variation selector do (a plain "❤" or "©" stays text).
constexpr char32_t kFirstEmojiPlanePictograph = 0x1F000;

bool isSkinToneOrFlagLetter(char32_t c) {
    return (c >= 0x1F3FB && c <= 0x1F3FF) || (c >= 0x1F1E6 && c <= 0x1F1FF);
}

// Glyph coverage is per thread: font engines are not shared between threads.
const QRawFont& emojiFace() {
    thread_local const QRawFont face = [] {
        QFont font(kFamily);
        font.setPixelSize(16);
        const QRawFont raw = QRawFont::fromFont(font);
        return raw.familyName() == kFamily ? raw : QRawFont();
    }();
    return face;
}

bool presentsAsEmoji(const QString& cluster, const QRawFont& face) {
    const QList<uint> codePoints = cluster.toUcs4();
    if (codePoints.isEmpty() || codePoints.contains(kTextPresentation)) {
        return false;
    }
    for (const uint c : codePoints) {
        if (c == kEmojiPresentation || c == kKeycap || isSkinToneOrFlagLetter(c)) {
            return true;
        }
    }
    return codePoints.front() >= kFirstEmojiPlanePictograph &&
           face.supportsCharacter(codePoints.front());
}

}  // namespace

QList<QTextLayout::FormatRange> colourEmojiFormats(const QString& text) {
    QList<QTextLayout::FormatRange> formats;
    const QRawFont& face = emojiFace();
    if (!face.isValid()) {
        return formats;
    }
    QTextCharFormat emoji;
    emoji.setFontFamilies({kFamily});
    QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype start = 0, end = clusters.toNextBoundary(); end > start;
         start = end, end = clusters.toNextBoundary()) {
        if (!presentsAsEmoji(text.mid(start, end - start), face)) {
            continue;
        }
        // Neighbouring emoji share one range, so they shape as one run.
        if (!formats.isEmpty() && formats.back().start + formats.back().length == start) {
            formats.back().length += int(end - start);
        } else {
            formats.append({int(start), int(end - start), emoji});
        }
    }
    return formats;
}

bool isColourEmojiFace(const QRawFont& font) {
    return font.familyName() == kFamily;
}
