#include "platform/dispatch/DispatchQueue.h"
#include "platform/graphics/CGImage.h"
#include "platform/ui/controls/UIKeyboard.h"
#include "tests/tools/ToolWindowFixture.h"
#include "tools/geometry/CLResizeTool.h"

namespace {

UIImagePtr blank(int width, int height) {
    return UIImage::imageWithCGImage(CGImage::create(width, height, CGPixelFormat::RGB32));
}

class CLResizeToolTest : public ToolWindowTest {
protected:
    std::shared_ptr<CLResizeTool> open(const UIImagePtr& picture,
                                       const ValueDictionary& options = {}) {
        openEditor(picture);
        if (!options.empty()) {
            editor->toolInfo()
                ->subToolInfoWithToolNameRecursive(CLResizeTool::kClassName, false)
                ->setOptionalInfo(options);
        }
        startTool(CLResizeTool::kClassName);
        auto tool = std::dynamic_pointer_cast<CLResizeTool>(editor->currentTool());
        panel = tool ? tool->resizePanel() : nullptr;
        return tool;
    }

    std::pair<std::string, std::string> fields() const {
        return {panel->fieldW()->text(), panel->fieldH()->text()};
    }

    // Focuses field and types text at its caret, or over all of its text.
    static void type(UITextField& field, const std::string& text, bool replaceAll = false) {
        field.becomeFirstResponder();
        if (replaceAll) {
            field.setSelectedRange({0, field.text().size()});
        }
        field.insertText(text);
    }
    static void clear(UITextField& field) {
        type(field, "", true);
        field.deleteBackward();
    }

    void clickPreset(const CLResizeTool& tool, std::size_t index) {
        click(centreOf(*tool.menuScroll()->subviews()[index]));
        settle();
    }

    std::shared_ptr<_CLResizePanel> panel;
};

}  // namespace

TEST_F(CLResizeToolTest, TheFieldsStartAtThePicturesSizeKeptUnderTheLimit) {
    open(blank(4000, 3000));
    EXPECT_EQ(fields(), (std::pair<std::string, std::string>{"3200", "2400"}));
    EXPECT_EQ(panel->originalSizeLabel()->text(), "4000 x 3000");
    clickBack();
    open(blank(3000, 4000));
    EXPECT_EQ(fields(), (std::pair<std::string, std::string>{"2400", "3200"}));
}

TEST_F(CLResizeToolTest, APresetSetsTheWidthOrAfterTheSwitchTheHeight) {
    const auto tool = open(blank(1000, 750));
    ASSERT_EQ(tool->menuScroll()->subviews().size(), 8u);
    clickPreset(*tool, 3);
    EXPECT_EQ(fields(), (std::pair<std::string, std::string>{"640", "480"}));
    click(centreOf(*tool->switchBtn()));
    settle();
    EXPECT_EQ(tool->switchBtn()->tag(), CLResizeTool::kPresetHeight);
    clickPreset(*tool, 3);
    EXPECT_EQ(fields(), (std::pair<std::string, std::string>{"853", "640"}));
}

TEST_F(CLResizeToolTest, UnchainedSidesChangeAloneAndChainingAgainFollowsTheLargerSide) {
    open(blank(1000, 750));
    click(centreOf(*panel->chainBtn()));
    settle();
    EXPECT_FALSE(panel->isChained());
    type(*panel->fieldW(), "500", true);
    EXPECT_EQ(fields(), (std::pair<std::string, std::string>{"500", "750"}));
    type(*panel->fieldH(), "900", true);
    click(centreOf(*panel->chainBtn()));
    settle();
    EXPECT_EQ(fields(), (std::pair<std::string, std::string>{"1200", "900"}));
}

TEST_F(CLResizeToolTest, TheFieldsTakeAtMostFourDigitsWithoutALeadingZero) {
    open(blank(1000, 750));
    UITextField& width = *panel->fieldW();
    UITextField& height = *panel->fieldH();
    type(width, "1");
    EXPECT_EQ(width.text(), "1000") << "a fifth digit";
    type(width, "12345", true);
    EXPECT_EQ(width.text(), "1000") << "a paste beyond four digits";
    type(width, "640", true);
    EXPECT_EQ(fields(), (std::pair<std::string, std::string>{"640", "480"}));
    EXPECT_FALSE(
        *panel->textFieldShouldChangeCharactersInRangeReplacementString(width, {0, 0}, "\u0661"));

    height.setText("");
    type(height, "0");
    EXPECT_EQ(fields(), (std::pair<std::string, std::string>{"640", ""}))
        << "a zero first in the empty height field is refused and leaves the width";
    clear(width);
    type(width, "0");
    EXPECT_EQ(width.text(), "");
}

TEST_F(CLResizeToolTest, EmptyingAChainedFieldEmptiesTheOtherAndOkThenGivesNoPicture) {
    const auto tool = open(blank(1000, 750));
    const UIImagePtr working = editor->originalImage();
    clear(*panel->fieldW());
    EXPECT_EQ(fields(), (std::pair<std::string, std::string>{"", ""}));
    clickOk();
    EXPECT_EQ(editor->currentTool(), tool);
    EXPECT_EQ(editor->originalImage(), working);
}

TEST_F(CLResizeToolTest, AChainedSideNeverDropsBelowOneNorTheLimitBelowOne) {
    open(blank(4000, 10));
    type(*panel->fieldW(), "50", true);
    EXPECT_EQ(fields(), (std::pair<std::string, std::string>{"50", "1"}));
    clickBack();
    open(blank(1000, 750), ValueDictionary{{"limitSize", 0.5}});
    EXPECT_EQ(panel->limitSize(), 1);
    EXPECT_EQ(fields(), (std::pair<std::string, std::string>{"1", "1"}));
}

TEST_F(CLResizeToolTest, OkScalesToTheSizeShownWhenItWasPressed) {
    open(blank(1000, 750));
    type(*panel->fieldW(), "400", true);
    DispatchQueue::global().hold();
    clickOk();
    type(*panel->fieldW(), "200", true);
    DispatchQueue::global().release();
    settle();
    ASSERT_EQ(editor->currentTool(), nullptr);
    EXPECT_EQ(editor->originalImage()->CGImage()->width(), 400);
    EXPECT_EQ(editor->originalImage()->CGImage()->height(), 300);
}

TEST_F(CLResizeToolTest, TheInformationBoxMovesOutOfTheKeyboardsWay) {
    open(blank(1000, 750));
    const double middle = panel->bounds().height() / 2;
    EXPECT_EQ(panel->infoPanel()->center().y, middle);
    click(centreOf(*panel->fieldW()));
    settle();
    ASSERT_TRUE(panel->fieldW()->isEditing());
    const CGRect keyboard =
        panel->superview()->convertRectFromView(UIKeyboard::shownFrame(*window), nullptr);
    EXPECT_EQ(panel->infoPanel()->center().y,
              std::min(panel->bounds().height(), keyboard.minY() - panel->frame().minY()) / 2);
    click({centreOf(*panel).x, panel->convertRectToView(panel->bounds(), window.get()).minY() + 5});
    settle();
    EXPECT_FALSE(panel->fieldW()->isEditing());
    EXPECT_EQ(panel->infoPanel()->center().y, middle);
}
