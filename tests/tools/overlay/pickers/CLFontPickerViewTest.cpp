#include "tools/overlay/pickers/CLFontPickerView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/ui/view/UILabel.h"

namespace {

struct FontLog : CLFontPickerViewDelegate {
    std::vector<UIFont> fonts;
    void fontPickerViewDidSelectFont(CLFontPickerView&, const UIFont& font) override {
        fonts.push_back(font);
    }
};

// The label in the middle of a column's drum.
UILabelPtr middleLabel(const CLFontPickerView& picker, long component) {
    const auto& drum = picker.pickerView()->drums().at(static_cast<std::size_t>(component));
    const CGPoint middle = drum->convertPointToView({drum->bounds().midX(), drum->bounds().midY()},
                                                    drum->scrollView().get());
    for (const UIViewPtr& view : drum->scrollView()->subviews()) {
        if (view->frame().contains(middle)) {
            return std::dynamic_pointer_cast<UILabel>(view);
        }
    }
    return nullptr;
}

TEST(FontPicker, ListsInstalledFontsSortedEachInItsOwnFace) {
    const auto fonts = CLFontPickerView::allFontList();
    ASSERT_GE(fonts.size(), 2u);
    EXPECT_TRUE(std::is_sorted(fonts.begin(), fonts.end(), [](const UIFont& a, const UIFont& b) {
        return a.fontName() < b.fontName();
    }));
    EXPECT_TRUE(std::all_of(fonts.begin(), fonts.end(),
                            [](const UIFont& f) { return f.pointSize() == 14; }));

    const auto picker = CLFontPickerView::create({0, 0, 300, 160});
    EXPECT_TRUE(picker->clipsToBounds());
    const UIFont chosen = fonts[1].fontWithSize(24);
    picker->setFont(chosen);
    EXPECT_EQ(picker->font(), chosen);
    auto label = middleLabel(*picker, 0);
    ASSERT_TRUE(label);
    EXPECT_EQ(label->text(), fonts[1].fontName());
    EXPECT_EQ(label->font(), fonts[1]);
    EXPECT_EQ(label->frame().height(), 40) << "a quarter of the picker's height";
    EXPECT_EQ(middleLabel(*picker, 1)->text(), "24");
    EXPECT_EQ(picker->pickerView()->drums()[0]->frame().width(), 240);

    // A sample text shows in every font row, in the row's face.
    picker->setText("Abc");
    picker->pickerView()->reloadComponent(0);
    label = middleLabel(*picker, 0);
    EXPECT_EQ(label->text(), "Abc");
    EXPECT_EQ(label->font(), fonts[1]);
}

TEST(FontPicker, SelectsTheFirstSizeNotSmallerAndTheFirstFontWhenUnlisted) {
    const auto picker = CLFontPickerView::create({0, 0, 300, 160});
    const UIFont face = picker->fontList().front();
    const struct {
        double asked;
        double shown;
    } sizes[] = {{15, 16}, {8, 8}, {50, 50}, {60, 8}, {1, 8}};
    for (const auto& size : sizes) {
        picker->setFont(face.fontWithSize(size.asked));
        EXPECT_EQ(picker->font().pointSize(), size.shown) << size.asked;
    }
    EXPECT_EQ(picker->pickerView()->selectedRowInComponent(1), 0);

    const auto fonts = CLFontPickerView::allFontList();
    ASSERT_GE(fonts.size(), 2u);
    picker->setFontList({fonts[1], fonts.back()});
    picker->setFont(fonts[0].fontWithSize(20));
    EXPECT_EQ(picker->font(), fonts[1].fontWithSize(20));
}

TEST(FontPicker, ReportsTurnsOfEitherColumnAndCanHideTheSizeColumn) {
    const auto picker = CLFontPickerView::create({0, 0, 300, 160});
    const auto log = std::make_shared<FontLog>();
    picker->setDelegate(log);
    picker->setFont(picker->fontList()[0].fontWithSize(12));
    for (const auto& drum : picker->pickerView()->drums()) {
        const auto& scroll = drum->scrollView();
        scroll->setContentOffset({0, scroll->contentOffset().y + 40});
    }
    ASSERT_EQ(log->fonts.size(), 2u);
    EXPECT_EQ(log->fonts[0], picker->fontList()[1].fontWithSize(12));
    EXPECT_EQ(log->fonts[1], picker->fontList()[1].fontWithSize(14));

    picker->setSizeComponentHidden(true);
    picker->layoutIfNeeded();
    const auto& drums = picker->pickerView()->drums();
    EXPECT_EQ(drums[0]->frame(), (CGRect{0, 0, 300, 160}));
    EXPECT_GE(drums[1]->frame().minX(), 300) << "outside the clipped bounds";
    EXPECT_EQ(picker->font(), picker->fontList()[1].fontWithSize(14)) << "the choice stays";
}

}  // namespace
