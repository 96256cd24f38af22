#include "platform/foundation/NSBundle.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QLocale>
#include <QtCore/QStringList>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/foundation/NSFileManager.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kResourcesFolderName = "resources";
constexpr const char* kDefaultTableName = "Localizable";
constexpr const char* kFallbackLocalization = "en";

std::mutex settingsMutex;
std::string mainBundlePathSetting;
std::string preferredLanguageSetting;

std::string executableFolder() {
    if (QCoreApplication::instance() != nullptr) {
        return QCoreApplication::applicationDirPath().toStdString();
    }
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        return executable.parent_path().string();
    }
    return fs::current_path(error).string();
}

std::string absoluteFolderPath(const std::string& path) {
    std::error_code error;
    fs::path absolute = fs::absolute(fs::path(path), error).lexically_normal();
    if (absolute.has_relative_path() && !absolute.has_filename()) {
        absolute = absolute.parent_path();
    }
    return absolute.string();
}

std::string systemLanguage() {
    const QStringList languages = QLocale::system().uiLanguages();
    return languages.isEmpty() ? std::string(kFallbackLocalization)
                               : languages.first().toStdString();
}

void appendOnce(std::vector<std::string>& list, const std::string& item) {
    if (!item.empty() && std::find(list.begin(), list.end(), item) == list.end()) {
        list.push_back(item);
    }
}
}  // namespace

NSBundle::NSBundle(std::string path) : path_(std::move(path)) {}

std::shared_ptr<NSBundle> NSBundle::mainBundle() {
    static std::mutex mainBundleMutex;
    static std::shared_ptr<NSBundle> cached;
    std::string path;
    {
        std::lock_guard lock(settingsMutex);
        path = mainBundlePathSetting;
    }
    path = absoluteFolderPath(path.empty() ? defaultMainBundlePath() : path);
    std::lock_guard lock(mainBundleMutex);
    if (!cached || cached->bundlePath() != path) {
        cached = std::shared_ptr<NSBundle>(new NSBundle(path));
    }
    return cached;
}

std::shared_ptr<NSBundle> NSBundle::bundleWithPath(const std::string& path) {
    if (!NSFileManager::isDirectoryAtPath(path)) {
        return nullptr;
    }
    return std::shared_ptr<NSBundle>(new NSBundle(absoluteFolderPath(path)));
}

void NSBundle::setMainBundlePath(const std::string& path) {
    std::lock_guard lock(settingsMutex);
    mainBundlePathSetting = path;
}

std::string NSBundle::defaultMainBundlePath() {
    return (fs::path(executableFolder()) / kResourcesFolderName).string();
}

void NSBundle::setPreferredLanguage(const std::string& language) {
    std::lock_guard lock(settingsMutex);
    preferredLanguageSetting = language;
}

std::string NSBundle::preferredLanguage() {
    {
        std::lock_guard lock(settingsMutex);
        if (!preferredLanguageSetting.empty()) {
            return preferredLanguageSetting;
        }
    }
    return systemLanguage();
}

std::vector<std::string> NSBundle::localizationSearchOrder() {
    const std::string tag = preferredLanguage();
    std::string dashed = tag;
    std::string underscored = tag;
    std::replace(dashed.begin(), dashed.end(), '_', '-');
    std::replace(underscored.begin(), underscored.end(), '-', '_');
    std::vector<std::string> order;
    appendOnce(order, tag);
    appendOnce(order, dashed);
    appendOnce(order, underscored);
    appendOnce(order, tag.substr(0, tag.find_first_of("-_")));
    appendOnce(order, kFallbackLocalization);
    return order;
}

std::string NSBundle::pathForResource(const std::string& name, const std::string& type) const {
    if (name.empty()) {
        return {};
    }
    const std::string extension = type.starts_with('.') ? type.substr(1) : type;
    const std::string fileName = extension.empty() ? name : name + "." + extension;
    std::vector<fs::path> folders{fs::path(path_)};
    for (const std::string& localization : localizationSearchOrder()) {
        folders.push_back(fs::path(path_) / (localization + ".lproj"));
    }
    for (const fs::path& folder : folders) {
        const std::string candidate = (folder / fileName).string();
        if (NSFileManager::fileExistsAtPath(candidate)) {
            return candidate;
        }
    }
    return {};
}

std::string NSBundle::localizedStringForKey(const std::string& key, const std::string& value,
                                            const std::string& table) const {
    const std::string tableName = table.empty() ? kDefaultTableName : table;
    for (const std::string& localization : localizationSearchOrder()) {
        if (const std::string* text = this->table(localization, tableName).find(key)) {
            return *text;
        }
    }
    return value.empty() ? key : value;
}

const StringsTable& NSBundle::table(const std::string& localization,
                                    const std::string& name) const {
    const std::string relativePath = localization + ".lproj/" + name + ".strings";
    std::lock_guard lock(tablesMutex_);
    auto found = tables_.find(relativePath);
    if (found == tables_.end()) {
        const std::string path = (fs::path(path_) / relativePath).string();
        found = tables_.emplace(relativePath, StringsTable::loadFile(path)).first;
    }
    return found->second;
}
