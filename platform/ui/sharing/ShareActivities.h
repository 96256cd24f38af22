#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/graphics/UIImage.h"

// What the share sheet can do with a picture on this machine: save it to the photo
// library, copy it to the clipboard, save it as a file the user names, and, where a
// desktop session can hand files to other programs, open it in another application.
// Printing is never offered.
class ShareActivities {
public:
    struct Activity {
        std::string type;
        std::string title;
    };
    // How an activity went: why it failed (a sentence), or on success what to tell the
    // user ("Copied", "Saved to Pictures/IMG_1.jpg"; empty when the result speaks for
    // itself) and where the picture went, if it went to a file.
    struct Outcome {
        std::string error;
        std::string message;
        std::string path;
        bool succeeded() const { return error.empty(); }
    };
    // Called on the main thread.
    using Done = std::function<void(const Outcome& outcome)>;
    // Where the file activity writes: a path ending in .jpg, .jpeg or .png, and whether
    // a file already there may be replaced.
    struct FileTarget {
        std::string path;
        bool replace = false;
    };

    // In the order the sheet lists them.
    static std::vector<Activity> available();

    // Runs the activity (encoding and writing on the global queue) and calls done once.
    // Only the file activity uses target (the others take it empty). Main thread only.
    static void perform(const std::string& type, const UIImagePtr& picture, Done done,
                        const FileTarget& target);
    // Tells the user how it went: an alert with the error, or the success message for a
    // moment.
    static void announce(const Outcome& outcome);

    // A path in the photo library's folder that no file has yet, for the file activity:
    // a .png name for a picture with transparent pixels, else a .jpg one.
    static std::string defaultSavePath(const UIImage& picture);
    // Where "Open in Another App" puts the copies it hands over.
    static std::string sharedCopiesFolder();

    // Whether "Open in Another App" removes the picture's GPS data and camera and lens
    // serial numbers (on by default); saves always keep them, and a copied picture
    // carries no metadata at all. Main thread only.
    static void setKeepsPrivateDataWhenSharing(bool keeps);
    // The caption of an activity's row: "Location removed" when it removes some of the
    // picture's private data, else empty.
    static std::string captionFor(const std::string& type, const UIImage& picture);

private:
    static void saveToPhotos(const UIImagePtr& picture, Done done);
    static void copyToPasteboard(const UIImagePtr& picture, Done done);
    static void saveToFile(const UIImagePtr& picture, const FileTarget& target, Done done);
    static void openInAnotherApp(const UIImagePtr& picture, Done done);
    // Encodes by the path's extension as the library does. The error, or empty.
    static std::string writePicture(const UIImage& picture, const std::string& path, bool replace);
    // "Saved to <folder>/<name>".
    static Outcome savedTo(const std::string& path);
};
