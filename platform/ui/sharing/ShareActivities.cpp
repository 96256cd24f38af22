#include "platform/ui/sharing/ShareActivities.h"

#include <QtCore/QStandardPaths>
#include <QtCore/QUrl>
#include <QtGui/QClipboard>
#include <QtGui/QDesktopServices>
#include <QtGui/QGuiApplication>
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/codecs/PictureMetadata.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/foundation/NSBundle.h"
#include "platform/graphics/ImageEncoder.h"
#include "platform/graphics/QtBridge.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/runtime/Runtime.h"
#include "platform/ui/picker/AtomicFileWriter.h"
#include "platform/ui/picker/PhotoLibrary.h"
#include "platform/ui/sharing/UIActivityTypes.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMaxNameAttempts = 1000;

bool keepsPrivateDataWhenSharing = false;

// The picture as it leaves this machine: without GPS data and serial numbers.
UIImagePtr forSharing(const UIImagePtr& picture) {
    const PictureMetadataPtr& metadata = picture->metadata();
    return metadata && !keepsPrivateDataWhenSharing && metadata->hasPrivateData()
               ? picture->imageWithMetadata(metadata->withoutPrivateData())
               : picture;
}

std::string lowercaseExtension(const std::string& path) {
    std::string extension = fs::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

bool isPng(const std::string& path) {
    return lowercaseExtension(path) == ".png";
}

bool isJpeg(const std::string& path) {
    const std::string extension = lowercaseExtension(path);
    return extension == ".jpg" || extension == ".jpeg";
}

// "Picture.jpg", then "Picture 2.jpg", "Picture 3.jpg", …
fs::path numberedName(const fs::path& folder, const std::string& stem, int attempt) {
    return folder / (stem + (attempt > 1 ? " " + std::to_string(attempt) : "") + ".jpg");
}

// Calls done on the main thread with what work answered on the global queue.
void runInBackground(std::function<std::string()> work, ShareActivities::Done done) {
    DispatchQueue::global().async([work = std::move(work), done = std::move(done)]() mutable {
        std::string error = work();
        DispatchQueue::main().async(
            [error = std::move(error), done = std::move(done)] { done(error); });
    });
}

}  // namespace

std::vector<ShareActivities::Activity> ShareActivities::available() {
    std::vector<Activity> activities{
        {UIActivityTypeSaveToCameraRoll, "Save to Photos"},
        {UIActivityTypeCopyToPasteboard, "Copy"},
        {UIActivityTypeSaveToFile, "Save As\u2026"},
    };
    // Without a desktop session there is no other program to hand the picture to.
    if (!Runtime::isOffscreen()) {
        activities.push_back({UIActivityTypeOpenInAnotherApp, "Open in Another App"});
    }
    return activities;
}

void ShareActivities::perform(const std::string& type, const UIImagePtr& picture,
                              const std::string& target, Done done) {
    if (!picture) {
        done("There is no picture to share.");
    } else if (type == UIActivityTypeSaveToCameraRoll) {
        saveToPhotos(picture, std::move(done));
    } else if (type == UIActivityTypeCopyToPasteboard) {
        copyToPasteboard(*picture, done);
    } else if (type == UIActivityTypeSaveToFile) {
        saveToFile(picture, target, std::move(done));
    } else if (type == UIActivityTypeOpenInAnotherApp) {
        openInAnotherApp(picture, std::move(done));
    } else {
        done("This can't be done here.");
    }
}

std::string ShareActivities::defaultSavePath() {
    const fs::path folder(PhotoLibrary::defaultLibraryPath());
    for (int attempt = 1; attempt < kMaxNameAttempts; ++attempt) {
        const fs::path candidate = numberedName(folder, "Picture", attempt);
        std::error_code error;
        if (!fs::exists(fs::symlink_status(candidate, error))) {
            return candidate.string();
        }
    }
    return numberedName(folder, "Picture", kMaxNameAttempts).string();
}

void ShareActivities::saveToPhotos(const UIImagePtr& picture, Done done) {
    runInBackground([picture] { return PhotoLibrary::saveImage(*picture).error; }, std::move(done));
}

void ShareActivities::copyToPasteboard(const UIImage& picture, const Done& done) {
    // Drawn once so the clipboard gets the picture upright, at its full pixel size.
    UIGraphicsBeginImageContextWithOptions(picture.size(), false, picture.scale());
    picture.drawAtPoint(CGPoint{0, 0});
    const UIImagePtr upright = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!upright || !clipboard) {
        done("The picture could not be copied.");
        return;
    }
    // A deep copy: the clipboard keeps it after the picture is gone.
    clipboard->setImage(qtbridge::wrapReadOnly(*upright->CGImage()).copy());
    done({});
}

void ShareActivities::saveToFile(const UIImagePtr& picture, const std::string& path, Done done) {
    if (fs::path(path).filename().empty() || (!isPng(path) && !isJpeg(path))) {
        done("Use a file name ending in .jpg or .png.");
        return;
    }
    runInBackground(
        [picture, path] {
            const fs::path folder = fs::path(path).parent_path();
            std::error_code error;
            // The pictures folder is made on first use, as the library's saves make
            // theirs; any other folder must exist, so a mistyped path fails.
            if (folder == fs::path(PhotoLibrary::defaultLibraryPath())) {
                fs::create_directories(folder, error);
            }
            if (!folder.empty() && !fs::is_directory(folder, error)) {
                return "The folder " + folder.string() + " does not exist.";
            }
            return writePicture(*picture, path);
        },
        std::move(done));
}

void ShareActivities::setKeepsPrivateDataWhenSharing(bool keeps) {
    keepsPrivateDataWhenSharing = keeps;
}

std::string ShareActivities::captionFor(const std::string& type, const UIImage& picture) {
    const bool removes = type == UIActivityTypeCopyToPasteboard ||
                         (type == UIActivityTypeOpenInAnotherApp && !keepsPrivateDataWhenSharing);
    if (!removes || !picture.metadata() || !picture.metadata()->hasPrivateData()) {
        return {};
    }
    const std::string bundle = NSBundle::mainBundle()->pathForResource("ZOZuzazOzaroz", "bundle");
    const auto resources = NSBundle::bundleWithPath(bundle);
    return resources ? resources->localizedStringForKey("ShareActivities_LocationRemoved",
                                                        "Location removed")
                     : "Location removed";
}

void ShareActivities::openInAnotherApp(const UIImagePtr& picture, Done done) {
    const fs::path folder(
        QStandardPaths::writableLocation(QStandardPaths::TempLocation).toStdString());
    auto written = std::make_shared<std::string>();
    runInBackground(
        [picture = forSharing(picture), folder, written] {
            // The other program reads the copy after we hand it over, so it stays.
            for (int attempt = 1; attempt <= kMaxNameAttempts; ++attempt) {
                const fs::path candidate = numberedName(folder, "Shared picture", attempt);
                if (fs::exists(candidate)) {
                    continue;
                }
                std::string error = writePicture(*picture, candidate.string());
                if (error.empty()) {
                    *written = candidate.string();
                }
                return error;
            }
            return std::string("No free file name in ") + folder.string();
        },
        [written, done = std::move(done)](const std::string& error) {
            if (!error.empty()) {
                done(error);
            } else if (!QDesktopServices::openUrl(
                           QUrl::fromLocalFile(QString::fromStdString(*written)))) {
                done("No other application could open the picture.");
            } else {
                done({});
            }
        });
}

std::string ShareActivities::writePicture(const UIImage& picture, const std::string& path) {
    const std::vector<std::uint8_t> bytes =
        isPng(path) ? ImageEncoder::encodePNG(picture)
                    : ImageEncoder::encodeJPEG(picture, PhotoLibrary::kJpegQuality);
    if (bytes.empty()) {
        return "The picture could not be encoded.";
    }
    return AtomicFileWriter::writeNew(path, bytes).message;
}
