#include "platform/ui/sharing/ShareActivities.h"

#include <unistd.h>

#include <QtCore/QStandardPaths>
#include <QtCore/QUrl>
#include <QtGui/QClipboard>
#include <QtGui/QDesktopServices>
#include <QtGui/QGuiApplication>
#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <mutex>

#include "platform/codecs/PictureMetadata.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/graphics/QtBridge.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/runtime/Runtime.h"
#include "platform/ui/picker/AtomicFileWriter.h"
#include "platform/ui/picker/PhotoLibrary.h"
#include "platform/ui/screens/UIAlertView.h"
#include "platform/ui/screens/UILocalizedString.h"
#include "platform/ui/screens/UIToast.h"
#include "platform/ui/sharing/UIActivityTypes.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMaxNameAttempts = 1000;
// A copy handed to another program this long ago has been read by it.
constexpr auto kSharedCopyLifetime = std::chrono::minutes(1);

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
fs::path numberedName(const fs::path& folder, const std::string& stem, int attempt,
                      const std::string& extension) {
    return folder / (stem + (attempt > 1 ? " " + std::to_string(attempt) : "") + extension);
}

// Every error the user reads is a sentence.
std::string sentence(std::string text) {
    if (!text.empty() && text.back() != '.') {
        text += '.';
    }
    return text;
}

ShareActivities::Outcome failure(const std::string& error) {
    return {sentence(error), {}, {}};
}

ShareActivities::Outcome copyFailed() {
    return failure(UILocalizedString::text("Share_CantCopy", "The picture could not be copied."));
}

// Calls done on the main thread with what work answered on the global queue.
void runInBackground(std::function<ShareActivities::Outcome()> work, ShareActivities::Done done) {
    DispatchQueue::global().async([work = std::move(work), done = std::move(done)]() mutable {
        ShareActivities::Outcome outcome = work();
        outcome.error = sentence(outcome.error);
        DispatchQueue::main().async(
            [outcome = std::move(outcome), done = std::move(done)] { done(outcome); });
    });
}

// The copies handed to other programs by this process, removed when it ends.
class SharedCopies {
public:
    static SharedCopies& shared() {
        static SharedCopies copies;
        return copies;
    }
    ~SharedCopies() {
        for (const std::string& path : paths_) {
            std::error_code ignored;
            fs::remove(path, ignored);
        }
    }
    void keep(const std::string& path) {
        const std::lock_guard lock(mutex_);
        paths_.push_back(path);
    }

private:
    std::mutex mutex_;
    std::vector<std::string> paths_;
};

// Copies older than their lifetime, left by a process that ended without removing them.
void removeStaleCopies(const fs::path& folder) {
    const auto cutoff = fs::file_time_type::clock::now() - kSharedCopyLifetime;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code entryError;
        if (it->is_regular_file(entryError) && it->last_write_time(entryError) < cutoff &&
            !entryError) {
            fs::remove(it->path(), entryError);
        }
    }
}

}  // namespace

std::vector<ShareActivities::Activity> ShareActivities::available() {
    std::vector<Activity> activities{
        {UIActivityTypeSaveToCameraRoll,
         UILocalizedString::text("Share_SaveToPhotos", "Save to Photos")},
        {UIActivityTypeCopyToPasteboard, UILocalizedString::text("Share_Copy", "Copy")},
        {UIActivityTypeSaveToFile, UILocalizedString::text("Share_SaveAs", "Save As\u2026")},
    };
    // Without a desktop session there is no other program to hand the picture to.
    if (!Runtime::isOffscreen()) {
        activities.push_back(
            {UIActivityTypeOpenInAnotherApp,
             UILocalizedString::text("Share_OpenInAnotherApp", "Open in Another App")});
    }
    return activities;
}

void ShareActivities::perform(const std::string& type, const UIImagePtr& picture, Done done,
                              const FileTarget& target) {
    if (!picture) {
        done(failure(UILocalizedString::text("Share_NoPicture", "There is no picture to share.")));
    } else if (type == UIActivityTypeSaveToCameraRoll) {
        saveToPhotos(picture, std::move(done));
    } else if (type == UIActivityTypeCopyToPasteboard) {
        copyToPasteboard(picture, std::move(done));
    } else if (type == UIActivityTypeSaveToFile) {
        saveToFile(picture, target, std::move(done));
    } else if (type == UIActivityTypeOpenInAnotherApp) {
        openInAnotherApp(picture, std::move(done));
    } else {
        done(failure(UILocalizedString::text("Share_NotHere", "This can't be done here.")));
    }
}

void ShareActivities::announce(const Outcome& outcome) {
    if (!outcome.succeeded()) {
        std::make_shared<UIAlertView>(UILocalizedString::text("Alert_Error", "Error"),
                                      outcome.error, std::weak_ptr<UIAlertViewDelegate>{},
                                      UILocalizedString::text("Alert_OK", "OK"))
            ->show();
    } else if (!outcome.message.empty()) {
        UIToast::show(outcome.message);
    }
}

std::string ShareActivities::defaultSavePath(const UIImage& picture) {
    const fs::path folder(PhotoLibrary::libraryPath());
    const std::string stem = UILocalizedString::text("Share_FileName", "Picture");
    const std::string extension = PhotoLibrary::fileExtensionForImage(picture);
    for (int attempt = 1; attempt < kMaxNameAttempts; ++attempt) {
        const fs::path candidate = numberedName(folder, stem, attempt, extension);
        std::error_code error;
        if (!fs::exists(fs::symlink_status(candidate, error))) {
            return candidate.string();
        }
    }
    return numberedName(folder, stem, kMaxNameAttempts, extension).string();
}

std::string ShareActivities::sharedCopiesFolder() {
    const fs::path temporary(
        QStandardPaths::writableLocation(QStandardPaths::TempLocation).toStdString());
    return (temporary / ("photoeditor-shared-" + std::to_string(::getuid()))).string();
}

ShareActivities::Outcome ShareActivities::savedTo(const std::string& path) {
    const fs::path file(path);
    const std::string shown = (file.parent_path().filename() / file.filename()).string();
    return {{}, UILocalizedString::format("Share_SavedTo", "Saved to %@", {shown}), path};
}

void ShareActivities::saveToPhotos(const UIImagePtr& picture, Done done) {
    runInBackground(
        [picture] {
            const PhotoLibrary::SaveResult saved = PhotoLibrary::saveImage(*picture);
            return saved.succeeded() ? savedTo(saved.path) : failure(saved.error);
        },
        std::move(done));
}

void ShareActivities::copyToPasteboard(const UIImagePtr& picture, Done done) {
    // Drawn once, off the main thread, so the clipboard gets the picture upright at its
    // full pixel size; a deep copy, as the clipboard keeps it after the picture is gone.
    auto upright = std::make_shared<QImage>();
    runInBackground(
        [picture, upright] {
            UIGraphicsBeginImageContextWithOptions(picture->size(), false, picture->scale());
            picture->drawAtPoint(CGPoint{0, 0});
            const UIImagePtr drawn = UIGraphicsGetImageFromCurrentImageContext();
            UIGraphicsEndImageContext();
            if (!drawn) {
                return copyFailed();
            }
            *upright = qtbridge::wrapReadOnly(*drawn->CGImage()).copy();
            return Outcome{};
        },
        [upright, done = std::move(done)](const Outcome& drawn) {
            QClipboard* clipboard = QGuiApplication::clipboard();
            if (!drawn.succeeded() || !clipboard) {
                done(drawn.succeeded() ? copyFailed() : drawn);
                return;
            }
            clipboard->setImage(*upright);
            done({{}, UILocalizedString::text("Share_Copied", "Copied"), {}});
        });
}

void ShareActivities::saveToFile(const UIImagePtr& picture, const FileTarget& target, Done done) {
    const std::string& path = target.path;
    if (fs::path(path).filename().empty() || (!isPng(path) && !isJpeg(path))) {
        done(failure(UILocalizedString::text("Share_NeedsExtension",
                                             "Use a file name ending in .jpg or .png.")));
        return;
    }
    runInBackground(
        [picture, target] {
            const fs::path folder = fs::path(target.path).parent_path();
            std::error_code error;
            // The library's folder is made on first use, as the library's saves make
            // it; any other folder must exist, so a mistyped path fails.
            if (folder == fs::path(PhotoLibrary::libraryPath())) {
                fs::create_directories(folder, error);
            }
            if (!folder.empty() && !fs::is_directory(folder, error)) {
                return failure(UILocalizedString::format(
                    "Share_NoSuchFolder", "The folder %@ does not exist.", {folder.string()}));
            }
            const std::string written = writePicture(*picture, target.path, target.replace);
            return written.empty() ? savedTo(target.path) : failure(written);
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
    return UILocalizedString::text("Share_LocationRemoved", "Location removed");
}

void ShareActivities::openInAnotherApp(const UIImagePtr& picture, Done done) {
    const fs::path folder(sharedCopiesFolder());
    const std::string stem = UILocalizedString::text("Share_SharedFileName", "Shared picture");
    runInBackground(
        [picture = forSharing(picture), folder, stem] {
            const std::string extension = PhotoLibrary::fileExtensionForImage(*picture);
            std::error_code error;
            fs::create_directories(folder, error);
            removeStaleCopies(folder);
            for (int attempt = 1; attempt <= kMaxNameAttempts; ++attempt) {
                const fs::path candidate = numberedName(folder, stem, attempt, extension);
                if (fs::exists(candidate, error)) {
                    continue;
                }
                const std::string written = writePicture(*picture, candidate.string(), false);
                return written.empty() ? Outcome{{}, {}, candidate.string()} : failure(written);
            }
            return failure(UILocalizedString::format("File_NoFreeName", "No free file name in %@.",
                                                     {folder.string()}));
        },
        [done = std::move(done)](const Outcome& written) {
            if (!written.succeeded()) {
                done(written);
                return;
            }
            if (!QDesktopServices::openUrl(
                    QUrl::fromLocalFile(QString::fromStdString(written.path)))) {
                std::error_code ignored;
                fs::remove(written.path, ignored);
                done(failure(UILocalizedString::text(
                    "Share_NoOtherApp", "No other application could open the picture.")));
                return;
            }
            // The other program reads the copy after we hand it over.
            SharedCopies::shared().keep(written.path);
            done(written);
        });
}

std::string ShareActivities::writePicture(const UIImage& picture, const std::string& path,
                                          bool replace) {
    const std::vector<std::uint8_t> bytes =
        PhotoLibrary::encodeImage(picture, fs::path(path).extension().string());
    if (bytes.empty()) {
        return UILocalizedString::text("File_CantEncode", "The picture could not be encoded.");
    }
    return (replace ? AtomicFileWriter::replace(path, bytes)
                    : AtomicFileWriter::writeNew(path, bytes))
        .message;
}
