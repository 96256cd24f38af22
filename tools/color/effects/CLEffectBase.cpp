#include "tools/color/effects/CLEffectBase.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>

#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/engine/CIContext.h"
#include "imaging/engine/CIFilter.h"
#include "imaging/operations/UIImageUtility.h"

std::optional<std::string> CLEffectBase::defaultIconImagePath(const RuntimeClass& effectClass) {
    const auto bundle = ZOZuzazOzarozTheme::theme().bundle();
    if (!bundle) {
        return std::nullopt;
    }
    return bundle->bundlePath() + "/CLEffectTool/" + effectClass.name() + ".png";
}

double CLEffectBase::defaultDockedNumber(const RuntimeClass& effectClass) {
    const auto* begin = std::begin(kDockedEffectNames);
    const auto* end = std::end(kDockedEffectNames);
    const auto* found = std::find(begin, end, effectClass.name());
    if (found == end) {
        constexpr auto notFound = std::numeric_limits<std::int64_t>::max();
        return static_cast<double>(static_cast<std::uint64_t>(notFound));
    }
    return static_cast<double>(found - begin);
}

std::string CLEffectBase::defaultTitle() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLEffectBase_DefaultTitle", "None");
}

CLEffectBase::CLEffectBase(const UIViewPtr&, const CGRect&, CLImageToolInfoPtr toolInfo)
    : toolInfo_(std::move(toolInfo)), lifetime_(this, [](CLEffectBase*) {}) {}

CLEffectBase::~CLEffectBase() {
    cleanup();
}

void CLEffectBase::cleanup() {
    if (containerView_) {
        containerView_->removeFromSuperview();
    }
}

CLEffectBase::Render CLEffectBase::effectRender() const {
    return [](const UIImagePtr& image) { return image; };
}

CGSize CLEffectBase::pixelSize(const UIImage& image) {
    const CGSize points = image.size();
    return {points.width * image.scale(), points.height * image.scale()};
}

CGImageRef CLEffectBase::filteredBitmap(const UIImagePtr& image, const std::string& filterName,
                                        const ValueDictionary& inputs, Area area) {
    // The engine takes the bitmap as stored; the controls were set on the upright picture.
    const UIImagePtr upright = image && image->imageOrientation() != UIImageOrientation::Up
                                   ? UIImageUtility::decode(image)
                                   : image;
    const CIImagePtr input = CIImage::create(upright);
    const CIFilterPtr filter = input ? CIFilter::filterWithNameKeysAndValues(
                                           filterName, {{kCIInputImageKey, CIImage::value(input)}})
                                     : nullptr;
    if (!filter) {
        return nullptr;
    }
    filter->setDefaults();
    for (const auto& [key, value] : inputs) {
        filter->setValueForKey(value, key);
    }
    const CIImagePtr output = filter->outputImage();
    if (!output) {
        return nullptr;
    }
    const CGRect rect = area == Area::Input ? input->extent() : output->extent();
    return CIContext::contextWithOptions({{kCIContextUseSoftwareRenderer, false}})
        ->createCGImage(output, rect);
}

UIImagePtr CLEffectBase::filteredImage(const UIImagePtr& image, const std::string& filterName,
                                       const ValueDictionary& inputs, Area area) {
    return UIImage::imageWithCGImage(filteredBitmap(image, filterName, inputs, area));
}

const UIViewPtr& CLEffectBase::addContainerView(UIView& superview, const CGRect& frame) {
    containerView_ = std::make_shared<UIView>(frame);
    superview.addSubview(containerView_);
    return containerView_;
}

void CLEffectBase::notifyDelegate() {
    if (const auto listener = delegate()) {
        listener->effectParameterDidChange(*this);
    }
}
