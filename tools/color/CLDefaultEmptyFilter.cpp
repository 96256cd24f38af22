#include "tools/color/CLDefaultEmptyFilter.h"

#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/engine/CIContext.h"
#include "imaging/engine/CIFilter.h"
#include "imaging/operations/UIDeviceSystemVersion.h"
#include "platform/foundation/Vector.h"

namespace {

struct CatalogueRow {
    const char* className;
    const char* defaultTitle;
    const char* filterName;
    double version;
    int dockedNumber;
};

// In strip order. The version is the lowest system version that offers the filter.
constexpr CatalogueRow kCatalogue[] = {
    {"CLDefaultEmptyFilter", "None", "CLDefaultEmptyFilter", 0, 0},
    {"CLDefaultLinearFilter", "Linear", "CISRGBToneCurveToLinear", 7, 1},
    {"CLDefaultVignetteFilter", "Vignette", "CIVignetteEffect", 7, 2},
    {"CLDefaultInstantFilter", "Instant", "CIPhotoEffectInstant", 7, 3},
    {"CLDefaultProcessFilter", "Process", "CIPhotoEffectProcess", 7, 4},
    {"CLDefaultTransferFilter", "Transfer", "CIPhotoEffectTransfer", 7, 5},
    {"CLDefaultSepiaFilter", "Sepia", "CISepiaTone", 5, 6},
    {"CLDefaultChromeFilter", "Chrome", "CIPhotoEffectChrome", 7, 7},
    {"CLDefaultFadeFilter", "Fade", "CIPhotoEffectFade", 7, 8},
    {"CLDefaultCurveFilter", "Curve", "CILinearToSRGBToneCurve", 7, 9},
    {"CLDefaultTonalFilter", "Tonal", "CIPhotoEffectTonal", 7, 10},
    {"CLDefaultNoirFilter", "Noir", "CIPhotoEffectNoir", 7, 11},
    {"CLDefaultMonoFilter", "Mono", "CIPhotoEffectMono", 7, 12},
    {"CLDefaultInvertFilter", "Invert", "CIColorInvert", 6, 13},
};

const CatalogueRow* catalogueRowNamed(const std::string& className) {
    for (const CatalogueRow& row : kCatalogue) {
        if (className == row.className) {
            return &row;
        }
    }
    return nullptr;
}

// The vignette darkens towards the corners from a circle of half the shorter side
// around the centre, in the picture's pixels whatever its size.
ValueDictionary vignetteInputs(const UIImage& image) {
    const double scale = image.scale();
    const CGSize size = image.size();
    return {
        {"inputCenter", Vector{size.width * scale * 0.5, size.height * scale * 0.5}},
        {"inputIntensity", static_cast<double>(0.9f)},
        {"inputRadius",
         static_cast<double>(static_cast<float>(std::min(size.width, size.height) * scale * 0.5))},
    };
}

}  // namespace

const std::vector<std::string>& CLDefaultEmptyFilter::catalogueSubclassNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> below;
        for (const CatalogueRow& row : kCatalogue) {
            if (std::string(row.className) != kClassName) {
                below.emplace_back(row.className);
            }
        }
        return below;
    }();
    return names;
}

ValueDictionary CLDefaultEmptyFilter::defaultFilterInfo() {
    ValueDictionary table;
    for (const CatalogueRow& row : kCatalogue) {
        const std::string titleKey = std::string(row.className) + "_DefaultTitle";
        table[row.className] = ValueDictionary{
            {"name", row.filterName},
            {"title", ZOZuzazOzarozTheme::localizedStringWithDefault(titleKey, row.defaultTitle)},
            {"version", row.version},
            {"dockedNum", row.dockedNumber},
        };
    }
    return table;
}

UIImagePtr CLDefaultEmptyFilter::filteredImageWithFilterName(const UIImagePtr& image,
                                                             const std::string& filterName) {
    if (filterName == kClassName) {
        return image;
    }
    const CIContextPtr context =
        CIContext::contextWithOptions({{kCIContextUseSoftwareRenderer, false}});
    return context->filteredImage(
        filterName, image,
        filterName == "CIVignetteEffect" && image ? vignetteInputs(*image) : ValueDictionary{});
}

CLDefaultEmptyFilter::CLDefaultEmptyFilter(std::string name, std::string superclassName)
    : CLFilterBase(std::move(name), std::move(superclassName)) {}

Value CLDefaultEmptyFilter::defaultInfoForKey(const std::string& key) const {
    const ValueDictionary table = defaultFilterInfo();
    const auto row = table.find(name());
    return row == table.end() ? Value() : row->second[key];
}

// Read from the catalogue itself rather than through defaultInfoForKey, which localizes
// every title: filters run on worker threads, and the string tables belong to the main
// thread.
std::string CLDefaultEmptyFilter::filterName() const {
    const CatalogueRow* row = catalogueRowNamed(name());
    return row ? row->filterName : std::string();
}

std::string CLDefaultEmptyFilter::defaultTitle() const {
    return defaultInfoForKey("title").stringValue();
}

bool CLDefaultEmptyFilter::isAvailable() const {
    const Value version = defaultInfoForKey("version");
    return !version.isNull() &&
           UIDeviceSystemVersion::iosVersion() >= static_cast<float>(version.doubleValue());
}

double CLDefaultEmptyFilter::defaultDockedNumber() const {
    return static_cast<float>(defaultInfoForKey("dockedNum").doubleValue());
}

UIImagePtr CLDefaultEmptyFilter::applyFilter(const UIImagePtr& image) const {
    return filteredImageWithFilterName(image, filterName());
}
