#include "platform/graphics/FontCatalog.h"

#include <QtGui/QFontDatabase>
#include <QtGui/QFontInfo>
#include <algorithm>

#include "platform/graphics/QtBridge.h"

namespace {

constexpr const char* kSystemFamily = "DejaVu Sans";
constexpr const char* kSystemStyle = "Book";
constexpr const char* kBoldSystemStyle = "Bold";

bool isRegularStyle(const QString& style) {
    return style == QLatin1String("Regular") || style == QLatin1String("Book") ||
           style == QLatin1String("Normal") || style == QLatin1String("Roman");
}

std::string withoutSpaces(const QString& text) {
    QString result = text;
    result.remove(QLatin1Char(' '));
    return result.toStdString();
}

// Regular faces first, then by style name, so the regular face gets the bare name.
QStringList stylesRegularFirst(const QString& family) {
    QStringList styles = QFontDatabase::styles(family);
    std::stable_sort(styles.begin(), styles.end(), [](const QString& a, const QString& b) {
        return isRegularStyle(a) != isRegularStyle(b) ? isRegularStyle(a) : a < b;
    });
    return styles;
}

}  // namespace

FontCatalog::FontCatalog() {
    for (const QString& family : QFontDatabase::families()) {
        for (const QString& style : stylesRegularFirst(family)) {
            QFont font = QFontDatabase::font(family, style, 12);
            if (QFontInfo(font).family() != family) {
                break;  // an alias of another family
            }
            font.setHintingPreference(QFont::PreferNoHinting);
            std::string name = withoutSpaces(family);
            if (!isRegularStyle(style) || byName_.count(name) != 0) {
                name += "-" + withoutSpaces(style);
            }
            if (byName_.count(name) != 0) {
                continue;
            }
            byName_[name] = faces_.size();
            faces_.push_back({name, family.toStdString(), style.toStdString(), font});
        }
    }
    if (faces_.empty()) {
        // No font installed: text draws as boxes, but every font still names a face.
        const QFont fallback;
        faces_.push_back({"System", QFontInfo(fallback).family().toStdString(),
                          QFontInfo(fallback).styleName().toStdString(), fallback});
    }
    system_ = face(kSystemFamily, kSystemStyle);
    boldSystem_ = face(kSystemFamily, kBoldSystemStyle);
    if (system_ == nullptr) {
        system_ = regularFace(QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont))
                                  .family()
                                  .toStdString());
    }
    if (system_ == nullptr) {
        system_ = &faces_.front();
    }
    if (boldSystem_ == nullptr) {
        boldSystem_ = system_;
    }
}

const FontCatalog& FontCatalog::shared() {
    // Never destroyed: its fonts must not outlive the GUI application's font system at exit.
    static const FontCatalog* const catalog = new FontCatalog();
    return *catalog;
}

const FontFace* FontCatalog::face(const std::string& familyName,
                                  const std::string& styleName) const {
    const auto found = std::find_if(faces_.begin(), faces_.end(), [&](const FontFace& face) {
        return face.familyName == familyName && face.styleName == styleName;
    });
    return found == faces_.end() ? nullptr : &*found;
}

const FontFace* FontCatalog::regularFace(const std::string& familyName) const {
    // Faces of a family are stored regular first.
    const auto found = std::find_if(faces_.begin(), faces_.end(), [&](const FontFace& face) {
        return face.familyName == familyName;
    });
    return found == faces_.end() ? nullptr : &*found;
}

const FontFace& FontCatalog::resolve(const std::string& name) const {
    if (const auto found = byName_.find(name); found != byName_.end()) {
        return faces_[found->second];
    }
    if (const FontFace* family = regularFace(name)) {
        return *family;
    }
    const QFontInfo substitute(QFont(QString::fromStdString(name)));
    if (const FontFace* exact =
            face(substitute.family().toStdString(), substitute.styleName().toStdString())) {
        return *exact;
    }
    if (const FontFace* family = regularFace(substitute.family().toStdString())) {
        return *family;
    }
    return *system_;
}

const FontFace& FontCatalog::systemFace(bool bold) const {
    return bold ? *boldSystem_ : *system_;
}

std::vector<std::string> FontCatalog::familyNames() const {
    std::vector<std::string> names;
    for (const FontFace& face : faces_) {
        if (std::find(names.begin(), names.end(), face.familyName) == names.end()) {
            names.push_back(face.familyName);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> FontCatalog::fontNames(const std::string& familyName) const {
    std::vector<std::string> names;
    for (const FontFace& face : faces_) {
        if (face.familyName == familyName) {
            names.push_back(face.fontName);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

QFont qtFont(const UIFont& font) {
    QFont result = FontCatalog::shared().resolve(font.fontName()).font;
    result.setPointSizeF(font.pointSize());
    return result;
}

const QImage& pointResolutionDevice() {
    thread_local const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        qtbridge::setPointResolution(image);
        return image;
    }();
    return device;
}
