#include "platform/graphics/JpegWarnings.h"

#include <QtCore/QLoggingCategory>
#include <cstring>
#include <mutex>

namespace {

constexpr const char* kJpegCategory = "qt.gui.imageio.jpeg";

thread_local int watchers = 0;
thread_local bool warnedHere = false;

QtMessageHandler previousHandler = nullptr;
QLoggingCategory::CategoryFilter previousFilter = nullptr;

bool isJpegCategory(const char* category) {
    return category != nullptr && std::strcmp(category, kJpegCategory) == 0;
}

void handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (watchers > 0 && isJpegCategory(context.category)) {
        warnedHere = true;
        return;
    }
    if (previousHandler != nullptr) {
        previousHandler(type, context, message);
    }
}

// Whatever the logging rules say, the codec's warnings must reach the handler.
void filterCategory(QLoggingCategory* category) {
    if (previousFilter != nullptr) {
        previousFilter(category);
    }
    if (isJpegCategory(category->categoryName())) {
        category->setEnabled(QtWarningMsg, true);
    }
}

void installOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        previousHandler = qInstallMessageHandler(handleMessage);
        previousFilter = QLoggingCategory::installFilter(filterCategory);
    });
}

}  // namespace

JpegWarnings::Watch::Watch() {
    installOnce();
    if (watchers++ == 0) {
        warnedHere = false;
    }
}

JpegWarnings::Watch::~Watch() {
    --watchers;
}

bool JpegWarnings::Watch::warned() const {
    return warnedHere;
}
