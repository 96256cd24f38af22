#include <QtCore/QMimeData>
#include <QtCore/QUrl>
#include <QtGui/QDropEvent>
#include <QtGui/QGuiApplication>
#include <fstream>

#include "app/actionsheet/UICustomActionSheet.h"
#include "app/shell/ResultViewController.h"
#include "core/_ZOZuzazOzarozViewController.h"
#include "tests/app/shell/AppTestSupport.h"
#include "tests/platform/graphics/GraphicsTestSupport.h"

namespace {

using Source = UIImagePickerControllerSourceType;

UIImagePtr plainPicture(int width, int height, std::uint32_t colour) {
    auto bitmap = CGImage::create(width, height, CGPixelFormat::RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(bitmap->mutableRow(y));
        std::fill(row, row + width, colour);
    }
    return UIImage::imageWithCGImage(bitmap);
}

class BeginViewControllerTest : public AppFixture {
protected:
    std::shared_ptr<UIImagePickerController> pickerAfterSheetButton(std::size_t index) {
        begin()->presentUICustomActionSheet();
        settle();
        std::shared_ptr<UICustomActionSheet> sheet;
        for (const auto& view : begin()->view()->allSubviews()) {
            if (auto found = std::dynamic_pointer_cast<UICustomActionSheet>(view)) {
                sheet = found;
            }
        }
        EXPECT_NE(sheet, nullptr);
        if (sheet) {
            sheet->actionButtonPressed(*sheet->buttons().at(index));
        }
        settle();
        return std::dynamic_pointer_cast<UIImagePickerController>(
            begin()->presentedViewController());
    }
};

}  // namespace

TEST_F(BeginViewControllerTest, StartsOnThePlaceholderWithTheNewButton) {
    ASSERT_NE(begin(), nullptr);
    EXPECT_TRUE(stack()->isNavigationBarHidden());
    EXPECT_TRUE(begin()->saveAndShare()->isHidden());
    const auto button = begin()->chooseImageButton();
    EXPECT_EQ(button->currentTitle(), "New");
    EXPECT_DOUBLE_EQ(button->layer().cornerRadius(), button->frame().size.height / 2);
    ASSERT_NE(begin()->imageView()->image(), nullptr) << "the placeholder img_lumet.jpg";
}

TEST_F(BeginViewControllerTest, PicturesAreEqualByTheirPngBytes) {
    const UIImagePtr red = plainPicture(8, 6, 0xFFFF0000);
    EXPECT_TRUE(BeginViewController::firstimageIsEqualTo(red, plainPicture(8, 6, 0xFFFF0000)));
    EXPECT_FALSE(BeginViewController::firstimageIsEqualTo(red, plainPicture(8, 6, 0xFFFF0001)));
    EXPECT_FALSE(BeginViewController::firstimageIsEqualTo(red, plainPicture(6, 8, 0xFFFF0000)));
    EXPECT_FALSE(BeginViewController::firstimageIsEqualTo(red, nullptr));
    EXPECT_FALSE(BeginViewController::firstimageIsEqualTo(nullptr, nullptr));
}

TEST_F(BeginViewControllerTest, TheSheetsButtonsChooseTheSource) {
    EXPECT_EQ(pickerAfterSheetButton(0), nullptr) << "\"Cancel\" opens nothing";

    const auto library = pickerAfterSheetButton(2);
    ASSERT_NE(library, nullptr) << "\"Camera\" without a camera opens the library";
    EXPECT_EQ(library->sourceType(), Source::PhotoLibrary);
    library->dismissViewControllerAnimated(false);
    settle();

    UIImagePickerController::setSourceTypeAvailable(Source::Camera, true);
    const auto camera = pickerAfterSheetButton(2);
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(camera->sourceType(), Source::Camera);
    camera->dismissViewControllerAnimated(false);
    settle();

    UIImagePickerController::setSourceTypeAvailable(Source::PhotoLibrary, false);
    EXPECT_EQ(pickerAfterSheetButton(1), nullptr) << "no library, no picker";
}

TEST_F(BeginViewControllerTest, FinishingTheEditorShowsTheResultAboveTheBeginScreen) {
    const auto picker = pickerAfterSheetButton(1);
    ASSERT_NE(picker, nullptr);
    const UIImagePtr picked = plainPicture(64, 48, 0xFF336699);
    EXPECT_TRUE(picker->delegate()->imagePickerControllerDidFinishPickingMediaWithInfo(
        *picker, {{UIImagePickerControllerOriginalImage, picked}}));
    settle();
    const auto editor =
        std::dynamic_pointer_cast<_ZOZuzazOzarozViewController>(picker->topViewController());
    ASSERT_NE(editor, nullptr) << "the editor is pushed onto the picker's own stack";

    editor->pushedFinishBtn();
    settle();
    EXPECT_EQ(begin()->presentedViewController(), nullptr) << "the picker went with the editor";
    ASSERT_EQ(stack()->viewControllers().size(), 2u);
    const auto result =
        std::dynamic_pointer_cast<ResultViewController>(stack()->topViewController());
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->image(), editor->originalImage());
    EXPECT_EQ(result->imageDisplayView()->image(), result->image());
    EXPECT_EQ(result->imageDisplayView()->contentMode(), UIViewContentMode::ScaleAspectFit);

    // Nothing saved or shared yet: "Back" asks first.
    result->back();
    settle();
    EXPECT_EQ(alertTitle(), "Discard your changes?");
    key(Qt::Key_Escape);
    EXPECT_EQ(stack()->topViewController(), result) << "\"Keep editing\"";
    result->back();
    settle();
    key(Qt::Key_Return);
    EXPECT_EQ(stack()->topViewController(), begin());
    EXPECT_EQ(begin()->presentedViewController(), nullptr);
}

TEST_F(BeginViewControllerTest, TheResultCarriesTheMetadataOfThePhotoThatWasEdited) {
    const UIImagePtr photo = UIImage::imageWithData(graphicstest::withExifOrientation(
        UIImageJPEGRepresentation(*plainPicture(40, 30, 0xFF808080), 0.9), 6));
    ASSERT_TRUE(photo && photo->metadata());
    begin()->editImage(photo);
    settle();
    const auto editor =
        std::dynamic_pointer_cast<ZOZuzazOzaroz>(begin()->presentedViewController());
    ASSERT_NE(editor, nullptr);
    // A tool's result is a new picture without metadata of its own.
    begin()->imageEditorDidFinishEdittingWithImage(*editor, plainPicture(30, 40, 0xFF808080));
    settle();
    const auto result =
        std::dynamic_pointer_cast<ResultViewController>(stack()->topViewController());
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->image()->metadata(), photo->metadata());
}

TEST_F(BeginViewControllerTest, APictureOpensTheEditorDirectlyAndNewStillOffersTheSheet) {
    begin()->editImage(plainPicture(40, 30, 0xFF808080));
    settle();
    const auto editor =
        std::dynamic_pointer_cast<ZOZuzazOzaroz>(begin()->presentedViewController());
    ASSERT_NE(editor, nullptr);
    key(Qt::Key_Escape);
    EXPECT_EQ(begin()->presentedViewController(), nullptr) << "nothing changed: Escape leaves";

    begin()->chooseImage();
    settle();
    ASSERT_NE(begin()->actionSheet(), nullptr) << "\"New\" offers the sheet, not that picture";
    key(Qt::Key_Escape);
    EXPECT_EQ(begin()->actionSheet(), nullptr);
    EXPECT_EQ(begin()->presentedViewController(), nullptr);
}

TEST_F(BeginViewControllerTest, EscapeClosesThePicker) {
    const auto picker = pickerAfterSheetButton(1);
    ASSERT_NE(picker, nullptr);
    key(Qt::Key_Escape);
    EXPECT_EQ(begin()->presentedViewController(), nullptr);
}

TEST_F(BeginViewControllerTest, APictureDroppedOnTheWindowOpensInTheEditor) {
    std::filesystem::create_directories(library_);
    const std::string file = (library_ / "dropped.png").string();
    const std::vector<std::uint8_t> png =
        UIImagePNGRepresentation(*plainPicture(40, 30, 0xFF336699));
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file))});
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QGuiApplication::sendEvent(app_.window()->nativeWindow(), &drop);
    settle();
    EXPECT_TRUE(drop.isAccepted());
    const auto editor =
        std::dynamic_pointer_cast<_ZOZuzazOzarozViewController>(begin()->presentedViewController());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->originalImage()->size(), (CGSize{40, 30}));
    QDropEvent again(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QGuiApplication::sendEvent(app_.window()->nativeWindow(), &again);
    EXPECT_FALSE(again.isAccepted()) << "not over an open editor";
}

TEST_F(BeginViewControllerTest, APictureFileOpensAfterTheBusySignWithoutBlockingTheScreen) {
    const std::filesystem::path file = library_ / "opened.png";
    const std::filesystem::path text = library_ / "notes.png";
    std::filesystem::create_directories(library_);
    const std::vector<std::uint8_t> png =
        UIImagePNGRepresentation(*plainPicture(40, 30, 0xFF336699));
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    std::ofstream(text) << "not a picture";

    std::vector<bool> outcomes;
    DispatchQueue::global().hold();
    begin()->editImageAtPath(file.string(), [&](bool opened) { outcomes.push_back(opened); });
    drainMainQueueAndWaitForPool();
    EXPECT_TRUE(begin()->busySign()->isAnimating()) << "the screen shows while the file is read";
    EXPECT_FALSE(begin()->chooseImageButton()->isEnabled());
    EXPECT_EQ(begin()->presentedViewController(), nullptr);
    DispatchQueue::global().release();
    settle();
    EXPECT_FALSE(begin()->busySign()->isAnimating());
    EXPECT_EQ(outcomes, std::vector<bool>{true});
    const auto editor =
        std::dynamic_pointer_cast<ZOZuzazOzaroz>(begin()->presentedViewController());
    ASSERT_NE(editor, nullptr);
    editor->dismissViewControllerAnimated(false, nullptr);
    settle();

    begin()->editImageAtPath(text.string(), [&](bool opened) { outcomes.push_back(opened); });
    settle();
    EXPECT_EQ(outcomes, (std::vector<bool>{true, false}));
    const auto alert = UIAlertView::visibleAlert();
    ASSERT_NE(alert, nullptr) << "a file that can't be opened says so";
    EXPECT_EQ(alert->title(), "Can't open the picture");
    EXPECT_EQ(alert->message(),
              "\u201cnotes.png\u201d couldn't be opened. This file is not a picture.");
    EXPECT_TRUE(begin()->chooseImageButton()->isEnabled());
    EXPECT_EQ(begin()->presentedViewController(), nullptr);
}
