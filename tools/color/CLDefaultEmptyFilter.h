#pragma once

#include <string>

#include "platform/foundation/Value.h"
#include "tools/color/CLFilterBase.h"

// The filter catalogue: one registry class per row of defaultFilterInfo. The rows'
// classes are CLDefaultEmptyFilter itself and subclasses that add nothing, so every
// answer is read from the row under the class's own name, and a new filter is a class
// name in the registry's list plus a row here.
class CLDefaultEmptyFilter : public CLFilterBase {
public:
    static constexpr const char* kClassName = "CLDefaultEmptyFilter";

    // The class names of the catalogue below CLDefaultEmptyFilter, for the registry.
    static const std::vector<std::string>& catalogueSubclassNames();

    // Class name → {"name", "title", "version", "dockedNum"}; built anew on each call,
    // with the titles localized at that moment.
    static ValueDictionary defaultFilterInfo();
    // The engine's render of image under the filter name (the image itself for
    // "CLDefaultEmptyFilter"): a new picture of scale 1, upright; null when the engine
    // has no such filter. Safe from any thread.
    static UIImagePtr filteredImageWithFilterName(const UIImagePtr& image,
                                                  const std::string& filterName);

    CLDefaultEmptyFilter(std::string name, std::string superclassName);

    // The value under key in this class's row; null when the row or the key is missing.
    Value defaultInfoForKey(const std::string& key) const;
    // The engine's filter name of this class's row; safe from any thread.
    std::string filterName() const;

    std::string defaultTitle() const override;
    bool isAvailable() const override;
    double defaultDockedNumber() const override;
    UIImagePtr applyFilter(const UIImagePtr& image) const override;
};
