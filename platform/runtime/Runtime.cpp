#include "platform/runtime/Runtime.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtGui/QGuiApplication>
#include <cstdlib>
#include <memory>

namespace {

void chooseOffscreenWithoutDisplay() {
    const bool hasDisplay =
        std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
    if (!hasDisplay && std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
        const QString runtimeDir = QDir::tempPath() + "/photoeditor-runtime";
        QDir().mkpath(runtimeDir);
        QFile::setPermissions(
            runtimeDir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        setenv("XDG_RUNTIME_DIR", runtimeDir.toLocal8Bit().constData(), 0);
    }
}
}  // namespace

Runtime::Runtime(int& argc, char** argv) {
    chooseOffscreenWithoutDisplay();
    application_ = std::make_unique<QGuiApplication>(argc, argv);
}

Runtime::~Runtime() = default;

bool Runtime::isOffscreen() {
    return QGuiApplication::platformName() == QLatin1String("offscreen") ||
           QGuiApplication::platformName() == QLatin1String("minimal");
}

int Runtime::exec() {
    return QGuiApplication::exec();
}
