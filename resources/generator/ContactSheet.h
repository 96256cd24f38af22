#pragma once

#include <vector>

#include "platform/graphics/UIImage.h"
#include "resources/generator/ResourceWriter.h"

// One picture showing every generated picture, fitted into equal cells with its file
// path underneath, for reviewing the art at a glance. Pictures drawn for dark screens
// (light line art) sit on dark cells.
class ContactSheet {
public:
    static UIImagePtr render(const std::vector<ResourceWriter::Written>& pictures);
};
