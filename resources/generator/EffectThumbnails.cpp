#include "resources/generator/EffectThumbnails.h"

#include "imaging/engine/CIContext.h"
#include "imaging/engine/CIFilter.h"
#include "imaging/operations/UIImageUtility.h"

namespace {

// Each effect at a setting strong enough to read in a small thumbnail; its sizes
// follow the thumbnail's side, as the effects scale theirs with the picture.
struct EffectRecipe {
    std::string effectClass;
    std::string filterName;  // empty: the picture as it is
    ValueDictionary inputs;
};

std::vector<EffectRecipe> recipes(double side) {
    const Value centre = Value(CIVector::withX(side / 2, side / 2));
    return {
        {"CLEffectBase", "", {}},
        {"CLSpotEffect",
         "CIVignetteEffect",
         {{"inputCenter", centre}, {"inputRadius", side * 0.3}}},
        {"CLHueEffect", "CIHueAdjust", {{"inputAngle", 2.2}}},
        {"CLHighlightShadowEffect", "CIHighlightShadowAdjust", {{"inputShadowAmount", 1.0}}},
        {"CLBloomEffect", "CIBloom", {{"inputRadius", side * 0.05}, {"inputIntensity", 1.0}}},
        {"CLGloomEffect", "CIGloom", {{"inputRadius", side * 0.05}, {"inputIntensity", 1.0}}},
        {"CLPosterizeEffect", "CIColorPosterize", {{"inputLevels", 4.0}}},
        {"CLPixellateEffect",
         "CIPixellate",
         {{"inputCenter", centre}, {"inputScale", side * 0.07}}},
    };
}

// The filter's output over the input's own area: the blur filters grow the picture and
// the pixellation may leave a transparent border, and both are cut back to the input.
UIImagePtr applyRecipe(const EffectRecipe& recipe, const UIImagePtr& picture) {
    if (recipe.filterName.empty()) {
        return picture;
    }
    const CIFilterPtr filter = CIFilter::filterWithName(recipe.filterName);
    const CIImagePtr input = CIImage::create(picture);
    if (!filter || !input) {
        return nullptr;
    }
    filter->setValueForKey(CIImage::value(input), kCIInputImageKey);
    filter->setDefaults();
    for (const auto& [key, value] : recipe.inputs) {
        filter->setValueForKey(value, key);
    }
    const CIContextPtr context = CIContext::contextWithOptions();
    return UIImage::imageWithCGImage(
        context->createCGImage(filter->outputImage(), input->extent()));
}

}  // namespace

std::vector<EffectThumbnails::Thumbnail> EffectThumbnails::render(const UIImagePtr& photo,
                                                                  const CGRect& crop,
                                                                  int pixelSide) {
    const UIImagePtr square = UIImageUtility::resize(UIImageUtility::crop(photo, crop),
                                                     CGSize{double(pixelSide), double(pixelSide)});
    std::vector<Thumbnail> thumbnails;
    for (const EffectRecipe& recipe : recipes(pixelSide)) {
        thumbnails.push_back({recipe.effectClass, square ? applyRecipe(recipe, square) : nullptr});
    }
    return thumbnails;
}
