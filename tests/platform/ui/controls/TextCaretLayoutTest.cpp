#include <gtest/gtest.h>

#include "platform/ui/controls/EditableText.h"
#include "platform/ui/controls/TextCaretLayout.h"

namespace {

NSStringAttributes attributes() {
    NSStringAttributes a;
    a.font = UIFont::systemFontOfSize(20);
    return a;
}

TEST(TextCaretLayout, CaretsFollowLinesAndLineBreaks) {
    const double line = attributes().font.lineHeight();
    const TextCaretLayout layout("ab\ncd", attributes(), 300, 300.0);
    EXPECT_EQ(layout.caretRect(0).minX(), 0);
    EXPECT_GT(layout.caretRect(2).minX(), 0);
    EXPECT_EQ(layout.caretRect(2).minY(), 0);
    EXPECT_EQ(layout.caretRect(3).minX(), 0) << "after the break, at the start of line two";
    EXPECT_NEAR(layout.caretRect(3).minY(), line, 0.5);
    EXPECT_NEAR(layout.height(), 2 * line, 0.5);
    // Tapping below the text lands at its end; tapping the first line's far right
    // stays before its break.
    EXPECT_EQ(layout.indexAtPoint({5, 10 * line}), 5u);
    EXPECT_EQ(layout.indexAtPoint({280, line / 2}), 2u);
    EXPECT_EQ(layout.indexOnAdjacentLine(1, +1), 4u);
    EXPECT_EQ(layout.indexOnAdjacentLine(4, -1), 1u);

    const TextCaretLayout trailing("ab\n", attributes(), 300, 300.0);
    EXPECT_EQ(trailing.caretRect(3).minX(), 0);
    EXPECT_NEAR(trailing.caretRect(3).minY(), line, 0.5);
    EXPECT_NEAR(trailing.height(), 2 * line, 0.5);

    const TextCaretLayout empty("", attributes(), 300, 300.0);
    EXPECT_NEAR(empty.caretRect(0).height(), line, 0.5);
    EXPECT_NEAR(empty.height(), line, 0.5);
}

TEST(TextCaretLayout, AlignmentAndWrappingMoveTheCaret) {
    NSStringAttributes centred = attributes();
    centred.alignment = NSTextAlignment::Center;
    const TextCaretLayout left("abc", attributes(), 300, std::nullopt);
    const TextCaretLayout middle("abc", centred, 300, std::nullopt);
    const double width = left.caretRect(3).minX();
    EXPECT_NEAR(middle.caretRect(0).minX(), (300 - width) / 2, 0.01);

    // Two words that do not fit on one 60-point line wrap onto two.
    const TextCaretLayout wrapped("word word", attributes(), 60, 60.0);
    EXPECT_GT(wrapped.caretRect(8).minY(), 0);
    EXPECT_GT(wrapped.height(), attributes().font.lineHeight() * 1.5);
}

TEST(EditableText, EditsCountCodePointsAndKeepTheCaretInside) {
    EditableText text;
    text.setText("h\u00e9llo");
    EXPECT_EQ(text.length(), 5u);
    EXPECT_EQ(text.selectedRange(), (NSRange{5, 0}));
    text.setSelectedRange({1, 1});
    text.replace(text.selectedRange(), "e\u0301");
    EXPECT_EQ(text.text(), "he\u0301llo");
    EXPECT_EQ(text.selectedRange(), (NSRange{3, 0}));
    EXPECT_EQ(text.rangeForDeleteBackward(), (NSRange{2, 1}));

    text.setSelectedRange({0, 0});
    EXPECT_FALSE(text.rangeForDeleteBackward());
    EXPECT_TRUE(text.moveCaretForKey(UIKeyPress::Key::LeftArrow));
    EXPECT_EQ(text.selectedRange(), (NSRange{0, 0}));
    text.moveCaretForKey(UIKeyPress::Key::End);
    EXPECT_FALSE(text.rangeForDeleteForward());
    text.setSelectedRange({4, 50});
    EXPECT_EQ(text.selectedRange(), (NSRange{4, 2}));
    EXPECT_FALSE(text.moveCaretForKey(UIKeyPress::Key::Tab));
}

}  // namespace
