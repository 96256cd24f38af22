#include "core/CLImageToolBase.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>

#include "core/ZOZuzazOzarozTheme.h"
#include "platform/foundation/NSBundle.h"

namespace {

// The application's own image of that name, with or without its ".png".
UIImagePtr applicationImageNamed(const std::string& name) {
    const auto bundle = NSBundle::mainBundle();
    std::string path = bundle->pathForResource(name, "");
    if (path.empty()) {
        path = bundle->pathForResource(name, "png");
    }
    return path.empty() ? nullptr : UIImage::imageWithContentsOfFile(path);
}

}  // namespace

std::optional<std::string> CLImageToolBase::defaultIconImagePath(const RuntimeClass& toolClass) {
    const auto bundle = ZOZuzazOzarozTheme::theme().bundle();
    if (!bundle) {
        return std::nullopt;
    }
    return bundle->bundlePath() + "/" + toolClass.name() + "/" +
           ZOZuzazOzarozTheme::theme().toolIconColor() + "/icon.png";
}

double CLImageToolBase::defaultDockedNumber(const RuntimeClass& toolClass) {
    const auto* begin = std::begin(kDockedToolNames);
    const auto* end = std::end(kDockedToolNames);
    const auto* found = std::find(begin, end, toolClass.name());
    if (found == end) {
        constexpr auto notFound = std::numeric_limits<std::int64_t>::max();
        return static_cast<double>(static_cast<std::uint64_t>(notFound));
    }
    return static_cast<double>(found - begin);
}

CLImageToolBase::CLImageToolBase(const CLImageToolClass& toolClass,
                                 std::weak_ptr<CLEditorServices> editor,
                                 const CLImageToolInfoPtr& toolInfo)
    : toolClass_(toolClass), editor_(std::move(editor)), toolInfo_(toolInfo) {}

CLImageToolBase::~CLImageToolBase() = default;

void CLImageToolBase::setup() {}

void CLImageToolBase::cleanup() {}

void CLImageToolBase::executeWithCompletionBlock(CompletionBlock completion) {
    const auto owner = editor();
    const UIImageViewPtr shown = owner ? owner->imageView() : nullptr;
    completion(shown ? shown->image() : nullptr, std::nullopt, {});
}

const ClassRegistry& CLImageToolBase::registry() const {
    const ClassRegistry* own = toolClass_.registry();
    return own ? *own : ClassRegistry::shared();
}

Value CLImageToolBase::option(const std::string& key) const {
    const auto info = toolInfo();
    if (!info || !info->optionalInfo()) {
        return {};
    }
    const ValueDictionary& options = *info->optionalInfo();
    const auto found = options.find(key);
    return found != options.end() ? found->second : Value();
}

UIImagePtr CLImageToolBase::imageForKeyDefaultImageName(const std::string& key,
                                                        const std::string& defaultImageName) const {
    if (const std::string name = option(key).stringValue(); !name.empty()) {
        return applicationImageNamed(name);
    }
    return ZOZuzazOzarozTheme::imageNamedImage(toolClass_.name(), defaultImageName);
}
