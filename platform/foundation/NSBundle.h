#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/foundation/StringsTable.h"

// A folder of resources: pictures, sub-bundles and string tables.
//
// String tables live in "<language>.lproj/<table>.strings" inside the bundle, in the
// format StringsTable reads. A key is looked up in the tables of the user's language
// (the full tag, such as "pt-BR" or "pt_BR", then the language alone, "pt"), then in
// English ("en"), so a partly translated table still shows English, not keys.
class NSBundle {
public:
    // The application's own resources: by default the folder "resources" next to the
    // executable (see defaultMainBundlePath), else the folder set by setMainBundlePath.
    // Never null, even when the folder does not exist.
    static std::shared_ptr<NSBundle> mainBundle();
    // Null when there is no folder at the path.
    static std::shared_ptr<NSBundle> bundleWithPath(const std::string& path);

    // Settings, for tests and hosts. An empty string restores the default.
    static void setMainBundlePath(const std::string& path);
    static std::string defaultMainBundlePath();
    // A language tag such as "de", "de-DE" or "pt_BR"; by default the first of the
    // system's user-interface languages (QLocale, which follows LANGUAGE and LANG).
    static void setPreferredLanguage(const std::string& language);
    static std::string preferredLanguage();
    // The ".lproj" folder names tried, in order, for the preferred language.
    static std::vector<std::string> localizationSearchOrder();

    // The bundle's folder, absolute, without a trailing slash.
    const std::string& bundlePath() const { return path_; }

    // The path of "name.type" (or "name" when the type is empty; a type may start with
    // its dot) in the bundle's folder, else in its localization folders in search
    // order; empty when there is none. Folders count: the type "bundle" finds
    // sub-bundles.
    std::string pathForResource(const std::string& name, const std::string& type) const;

    // The text for the key in the table ("Localizable" when the table name is empty);
    // when no table has the key, the given value if it is not empty, else the key.
    std::string localizedStringForKey(const std::string& key, const std::string& value,
                                      const std::string& table = {}) const;

private:
    explicit NSBundle(std::string path);

    // Loaded on first use and kept; a missing table is kept as an empty one.
    const StringsTable& table(const std::string& localization, const std::string& name) const;

    std::string path_;
    mutable std::mutex tablesMutex_;
    mutable std::map<std::string, StringsTable> tables_;
};
