#include "platform/graphics/UIFont.h"

#include <QtGui/QFontMetricsF>
#include <cmath>

#include "platform/graphics/FontCatalog.h"

namespace {
// The platform's size for a font asked for at a size that is not positive.
constexpr double kDefaultPointSize = 12.0;

double validSize(double pointSize) {
    return pointSize > 0 && std::isfinite(pointSize) ? pointSize : kDefaultPointSize;
}

QFontMetricsF metricsOf(const UIFont& font) {
    return QFontMetricsF(qtFont(font), &pointResolutionDevice());
}
}  // namespace

UIFont::UIFont(std::string fontName, std::string familyName, std::string styleName,
               double pointSize)
    : fontName_(std::move(fontName)),
      familyName_(std::move(familyName)),
      styleName_(std::move(styleName)),
      pointSize_(validSize(pointSize)) {}

UIFont UIFont::systemFontOfSize(double pointSize) {
    const FontFace& face = FontCatalog::shared().systemFace(false);
    return UIFont(face.fontName, face.familyName, face.styleName, pointSize);
}

UIFont UIFont::boldSystemFontOfSize(double pointSize) {
    const FontFace& face = FontCatalog::shared().systemFace(true);
    return UIFont(face.fontName, face.familyName, face.styleName, pointSize);
}

UIFont UIFont::fontWithName(const std::string& name, double pointSize) {
    const FontFace& face = FontCatalog::shared().resolve(name);
    return UIFont(face.fontName, face.familyName, face.styleName, pointSize);
}

std::vector<std::string> UIFont::familyNames() {
    return FontCatalog::shared().familyNames();
}

std::vector<std::string> UIFont::fontNamesForFamilyName(const std::string& familyName) {
    return FontCatalog::shared().fontNames(familyName);
}

UIFont UIFont::fontWithSize(double pointSize) const {
    return UIFont(fontName_, familyName_, styleName_, pointSize);
}

double UIFont::lineHeight() const {
    return metricsOf(*this).lineSpacing();
}
double UIFont::ascender() const {
    return metricsOf(*this).ascent();
}
double UIFont::descender() const {
    return metricsOf(*this).descent();
}
