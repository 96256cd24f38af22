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
    // Called on the main thread; the message is empty on success.
    using Done = std::function<void(const std::string& error)>;

    // In the order the sheet lists them.
    static std::vector<Activity> available();

    // Runs the activity (slow work on the global queue) and calls done once. The file
    // activity writes to target, a path ending in .jpg, .jpeg or .png; the others
    // ignore it. Main thread only.
    static void perform(const std::string& type, const UIImagePtr& picture,
                        const std::string& target, Done done);

    // A path in the pictures folder that no file has yet, for the file activity.
    static std::string defaultSavePath();

    // Whether "Open in Another App" removes the picture's GPS data and camera and lens
    // serial numbers (on by default); saves always keep them, and a copied picture
    // carries no metadata at all. Main thread only.
    static void setKeepsPrivateDataWhenSharing(bool keeps);
    // The caption of an activity's row: "Location removed" when it removes some of the
    // picture's private data, else empty.
    static std::string captionFor(const std::string& type, const UIImage& picture);

private:
    static void saveToPhotos(const UIImagePtr& picture, Done done);
    static void copyToPasteboard(const UIImage& picture, const Done& done);
    static void saveToFile(const UIImagePtr& picture, const std::string& path, Done done);
    static void openInAnotherApp(const UIImagePtr& picture, Done done);
    // Encodes by the path's extension: JPEG at the library's quality, or PNG.
    static std::string writePicture(const UIImage& picture, const std::string& path);
};
